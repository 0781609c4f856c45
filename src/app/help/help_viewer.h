#pragma once

#include <QTextBrowser>
#include <QWidget>

class QHelpEngine;
class QTabWidget;

namespace kc::app {

// QTextBrowser only reads local files; this one reads pages, style sheets and images out of the help file.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QHelpEngine& engine, QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void followLink(const QUrl& link);

    QHelpEngine& engine_;
};

// The help window: contents, index and search on the left, the page on the right.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    static inline const char* const windowTitleText = "Korvath! Calculator Help";

    HelpViewer(QHelpEngine& engine, QWidget* owner);

    void showPage(const QUrl& url);
    void showContentsTab();
    QUrl currentUrl() const;

private:
    QWidget* createIndexTab(QHelpEngine& engine);
    QWidget* createSearchTab(QHelpEngine& engine);

    QTabWidget* tabs_ = nullptr;
    HelpBrowser* browser_ = nullptr;
};

} // namespace kc::app
