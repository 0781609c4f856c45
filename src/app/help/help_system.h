#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

class QFileInfo;
class QHelpEngine;
class QTemporaryDir;
class QWidget;

namespace kc::app {

class HelpViewer;

// The shared data folder (help file) of an installed program, found relative to the program's own folder;
// it exists only for an installed copy, never for a build tree or a portable copy.
QString installedDataFolder();

// Opens the program's help file in one help window. Nothing is read until help is first asked for, so
// start-up does not pay for it.
class HelpSystem : public QObject {
    Q_OBJECT
public:
    // helpFileName: a bare file name ("KorvathCalc.HLP") resolved against the current directory when help is
    // asked for, or a path. ownerWindow keeps the help window above it and closes it with it.
    explicit HelpSystem(QString helpFileName, QWidget* ownerWindow = nullptr, QObject* parent = nullptr);
    ~HelpSystem() override;

    // Opens the help window at the topic whose context string (keyword id) is `context`. Returns false when
    // the help file is missing or unreadable or has no such topic; errorText() then says why.
    bool showTopic(const QString& context);
    // Opens the help window on its contents, index and search.
    bool showFinder();
    QString errorText() const;

    // For tests: the help window if created, the URL it shows, the titles of all contents entries (flattened,
    // parents before children) and the index keywords. The last two wait until the engine has collected them.
    QWidget* viewerWindow() const;
    QUrl currentUrl() const;
    QStringList contentTitles() const;
    QStringList indexKeywords() const;

private:
    bool openHelpFile();
    HelpViewer* viewer();
    void presentViewer();
    void closeHelpFile();
    void dropEngine();

    QFileInfo locateHelpFile() const;

    QString helpFileName_;
    QPointer<QWidget> owner_;
    QString error_;

    // The engine needs a writable collection file; it lives in a private scratch folder.
    std::unique_ptr<QTemporaryDir> workDir_;
    std::unique_ptr<QHelpEngine> engine_;
    int engineCount_ = 0;
    bool contentsReady_ = false;
    bool indexReady_ = false;
    // Which file the engine has loaded, to notice a replaced or rebuilt help file.
    QString loadedPath_;
    QString loadedStamp_;
    QPointer<HelpViewer> viewer_;
    QByteArray viewerGeometry_;
};

} // namespace kc::app
