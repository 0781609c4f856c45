#include "app/help/help_system.h"

#include "app/help/help_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include <utility>

namespace kc::app {

namespace {

// The page the finder opens on when nothing is shown yet.
const QString contentsContext = QStringLiteral("c_Contents");

// Contents and index are collected on worker threads. The limit only guards against waiting forever should
// collecting never finish.
constexpr int collectWaitLimitMs = 10000;

// Waits until `sender` emits `done`. The engine starts collecting by itself once the file is registered;
// `start` starts it in case that has not happened.
template <typename Sender, typename Signal, typename Start>
void waitFor(Sender* sender, Signal done, Start start) {
    QEventLoop loop;
    QObject::connect(sender, done, &loop, &QEventLoop::quit);
    QTimer::singleShot(collectWaitLimitMs, &loop, &QEventLoop::quit);
    start();
    loop.exec();
}

// Tells a rebuilt or replaced help file from the one already loaded.
QString fileStamp(const QFileInfo& info) {
    return info.lastModified().toString(Qt::ISODateWithMs) + QLatin1Char('/') + QString::number(info.size());
}

// Next to the window the player is working in, so help and page can be read side by side: to its right, else
// to its left, else where it covers the least of it.
void placeBeside(QWidget& viewer, const QWidget& owner) {
    constexpr int gap = 4;
    const QRect ownerFrame = owner.frameGeometry();
    const QRect screen = owner.screen()->availableGeometry();
    // Not yet framed: allow the frame the owner has.
    const QSize frame = viewer.size() + (ownerFrame.size() - owner.size());
    int x = ownerFrame.right() + 1 + gap;
    if (x + frame.width() - 1 > screen.right()) {
        const int left = ownerFrame.left() - gap - frame.width();
        if (left >= screen.left())
            x = left;
        else if (screen.right() - ownerFrame.right() >= ownerFrame.left() - screen.left())
            x = screen.right() + 1 - frame.width();
        else
            x = screen.left();
    }
    const int y = std::clamp(ownerFrame.top(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - frame.height()));
    viewer.move(std::max(x, screen.left()), y);
}

void appendTitles(const QHelpContentModel& model, const QModelIndex& parent, QStringList& titles) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        titles.append(model.data(index, Qt::DisplayRole).toString());
        appendTitles(model, index, titles);
    }
}

} // namespace

HelpSystem::HelpSystem(QString helpFileName, QWidget* ownerWindow, QObject* parent)
    : QObject(parent), helpFileName_(std::move(helpFileName)), owner_(ownerWindow) {}

HelpSystem::~HelpSystem() {
    closeHelpFile();
}

bool HelpSystem::showTopic(const QString& context) {
    if (!openHelpFile())
        return false;
    const QList<QHelpLink> links = engine_->documentsForIdentifier(context);
    if (links.isEmpty()) {
        error_ = tr("The help file \"%1\" has no topic \"%2\".").arg(helpFileName_, context);
        return false;
    }
    viewer()->showPage(links.first().url);
    presentViewer();
    return true;
}

bool HelpSystem::showFinder() {
    if (!openHelpFile())
        return false;
    HelpViewer* helpViewer = viewer();
    helpViewer->showContentsTab();
    // The finder always opens on the contents, not on whatever topic was read last.
    const QList<QHelpLink> links = engine_->documentsForIdentifier(contentsContext);
    if (!links.isEmpty())
        helpViewer->showPage(links.first().url);
    presentViewer();
    return true;
}

QString HelpSystem::errorText() const {
    return error_;
}

QWidget* HelpSystem::viewerWindow() const {
    return viewer_;
}

QUrl HelpSystem::currentUrl() const {
    return viewer_ ? viewer_->currentUrl() : QUrl();
}

QStringList HelpSystem::contentTitles() const {
    if (!engine_)
        return {};
    QHelpContentModel* model = engine_->contentModel();
    if (!contentsReady_)
        waitFor(model, &QHelpContentModel::contentsCreated, [model] {
            if (!model->isCreatingContents())
                model->createContents(QString());
        });
    QStringList titles;
    appendTitles(*model, QModelIndex(), titles);
    return titles;
}

QStringList HelpSystem::indexKeywords() const {
    if (!engine_)
        return {};
    QHelpIndexModel* model = engine_->indexModel();
    if (!indexReady_)
        waitFor(model, &QHelpIndexModel::indexCreated, [model] {
            if (!model->isCreatingIndex())
                model->createIndex(QString());
        });
    return model->stringList();
}

QString installedDataFolder() {
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral(KC_INSTALLED_DATA_DIR));
}

// A bare name means "in the current directory" (the program's folder: a build tree or a portable copy);
// an installed program finds it in its shared data folder instead.
QFileInfo HelpSystem::locateHelpFile() const {
    const QFileInfo beside(QDir::current().absoluteFilePath(helpFileName_));
    if (beside.exists() || QFileInfo(helpFileName_).isAbsolute())
        return beside;
    const QFileInfo installed(QDir(installedDataFolder()).absoluteFilePath(helpFileName_));
    return installed.exists() ? installed : beside;
}

bool HelpSystem::openHelpFile() {
    // Resolved on every call, with the current directory at the time help is asked for.
    const QFileInfo info = locateHelpFile();
    if (!info.exists()) {
        error_ = tr("Cannot open the help file \"%1\": the file was not found.").arg(helpFileName_);
        return false;
    }
    if (!info.isFile() || !info.isReadable()) {
        error_ = tr("Cannot open the help file \"%1\": the file cannot be read.").arg(helpFileName_);
        return false;
    }
    const QString path = info.absoluteFilePath();
    const QString stamp = fileStamp(info);
    if (engine_ && path == loadedPath_ && stamp == loadedStamp_) {
        error_.clear();
        return true;
    }

    closeHelpFile();
    if (!workDir_)
        workDir_ = std::make_unique<QTemporaryDir>();
    if (!workDir_->isValid()) {
        error_ = tr("Cannot open the help file \"%1\": there is no room for its working files (%2).")
                     .arg(helpFileName_, workDir_->errorString());
        return false;
    }
    // A fresh collection for every load, since registering the same help namespace twice is refused. Each
    // gets its own folder so that it and its search index can be removed together.
    const QString engineDir = workDir_->filePath(QString::number(++engineCount_));
    if (!QDir().mkpath(engineDir)) {
        error_ = tr("Cannot open the help file \"%1\": there is no room for its working files.")
                     .arg(helpFileName_);
        return false;
    }
    auto engine = std::make_unique<QHelpEngine>(QDir(engineDir).filePath(QStringLiteral("help.qhc")));
    // Read-only engines neither create their collection file nor accept new documentation.
    engine->setReadOnly(false);
    contentsReady_ = false;
    indexReady_ = false;
    connect(engine->contentModel(), &QHelpContentModel::contentsCreated, this,
            [this] { contentsReady_ = true; });
    connect(engine->indexModel(), &QHelpIndexModel::indexCreated, this, [this] { indexReady_ = true; });
    // The help file is a compressed Qt help archive whatever its extension, so it is registered where it
    // lies.
    if (!engine->setupData() || !engine->registerDocumentation(path)) {
        engine.reset();
        QDir(engineDir).removeRecursively();
        error_ = tr("Cannot open the help file \"%1\": it is not a valid help file.").arg(helpFileName_);
        return false;
    }
    engine_ = std::move(engine);
    loadedPath_ = path;
    loadedStamp_ = stamp;
    error_.clear();
    return true;
}

HelpViewer* HelpSystem::viewer() {
    if (!viewer_) {
        viewer_ = new HelpViewer(*engine_, owner_);
        if (!viewerGeometry_.isEmpty())
            viewer_->restoreGeometry(viewerGeometry_);
        else if (owner_ != nullptr)
            placeBeside(*viewer_, *owner_->window());
        // The engine keeps plain pointers to the contents and index widgets inside the window, so it must not
        // outlive the window, e.g. when the owner window takes the help window down with it.
        connect(viewer_, &QObject::destroyed, this, &HelpSystem::dropEngine);
    }
    return viewer_;
}

void HelpSystem::presentViewer() {
    // A program kept above other windows would otherwise hide its own help.
    const bool onTop =
        owner_ != nullptr && owner_->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (viewer_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        viewer_->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (viewer_->isMinimized())
        viewer_->showNormal();
    else
        viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
}

void HelpSystem::closeHelpFile() {
    if (viewer_) {
        viewerGeometry_ = viewer_->saveGeometry();
        delete viewer_;
    }
    dropEngine();
}

void HelpSystem::dropEngine() {
    if (!engine_)
        return;
    const QString engineDir = QFileInfo(engine_->collectionFile()).absolutePath();
    engine_.reset();
    loadedPath_.clear();
    QDir(engineDir).removeRecursively();
}

} // namespace kc::app
