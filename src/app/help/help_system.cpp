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
    : QObject(parent), m_helpFileName(std::move(helpFileName)), m_owner(ownerWindow) {}

HelpSystem::~HelpSystem() {
    closeHelpFile();
}

bool HelpSystem::showTopic(const QString& context) {
    if (!openHelpFile())
        return false;
    const QList<QHelpLink> links = m_engine->documentsForIdentifier(context);
    if (links.isEmpty()) {
        m_error = tr("The help file \"%1\" has no topic \"%2\".").arg(m_helpFileName, context);
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
    const QList<QHelpLink> links = m_engine->documentsForIdentifier(contentsContext);
    if (!links.isEmpty())
        helpViewer->showPage(links.first().url);
    presentViewer();
    return true;
}

QString HelpSystem::errorText() const {
    return m_error;
}

QWidget* HelpSystem::viewerWindow() const {
    return m_viewer;
}

QUrl HelpSystem::currentUrl() const {
    return m_viewer ? m_viewer->currentUrl() : QUrl();
}

QStringList HelpSystem::contentTitles() const {
    if (!m_engine)
        return {};
    QHelpContentModel* model = m_engine->contentModel();
    if (!m_contentsReady)
        waitFor(model, &QHelpContentModel::contentsCreated, [model] {
            if (!model->isCreatingContents())
                model->createContents(QString());
        });
    QStringList titles;
    appendTitles(*model, QModelIndex(), titles);
    return titles;
}

QStringList HelpSystem::indexKeywords() const {
    if (!m_engine)
        return {};
    QHelpIndexModel* model = m_engine->indexModel();
    if (!m_indexReady)
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
    const QFileInfo beside(QDir::current().absoluteFilePath(m_helpFileName));
    if (beside.exists() || QFileInfo(m_helpFileName).isAbsolute())
        return beside;
    const QFileInfo installed(QDir(installedDataFolder()).absoluteFilePath(m_helpFileName));
    return installed.exists() ? installed : beside;
}

bool HelpSystem::openHelpFile() {
    // Resolved on every call, with the current directory at the time help is asked for.
    const QFileInfo info = locateHelpFile();
    if (!info.exists()) {
        m_error = tr("Cannot open the help file \"%1\": the file was not found.").arg(m_helpFileName);
        return false;
    }
    if (!info.isFile() || !info.isReadable()) {
        m_error = tr("Cannot open the help file \"%1\": the file cannot be read.").arg(m_helpFileName);
        return false;
    }
    const QString path = info.absoluteFilePath();
    const QString stamp = fileStamp(info);
    if (m_engine && path == m_loadedPath && stamp == m_loadedStamp) {
        m_error.clear();
        return true;
    }

    closeHelpFile();
    if (!m_workDir)
        m_workDir = std::make_unique<QTemporaryDir>();
    if (!m_workDir->isValid()) {
        m_error = tr("Cannot open the help file \"%1\": there is no room for its working files (%2).")
                      .arg(m_helpFileName, m_workDir->errorString());
        return false;
    }
    // A fresh collection for every load, since registering the same help namespace twice is refused. Each
    // gets its own folder so that it and its search index can be removed together.
    const QString engineDir = m_workDir->filePath(QString::number(++m_engineCount));
    if (!QDir().mkpath(engineDir)) {
        m_error = tr("Cannot open the help file \"%1\": there is no room for its working files.")
                      .arg(m_helpFileName);
        return false;
    }
    auto engine = std::make_unique<QHelpEngine>(QDir(engineDir).filePath(QStringLiteral("help.qhc")));
    // Read-only engines neither create their collection file nor accept new documentation.
    engine->setReadOnly(false);
    m_contentsReady = false;
    m_indexReady = false;
    connect(engine->contentModel(), &QHelpContentModel::contentsCreated, this,
            [this] { m_contentsReady = true; });
    connect(engine->indexModel(), &QHelpIndexModel::indexCreated, this, [this] { m_indexReady = true; });
    // The help file is a compressed Qt help archive whatever its extension, so it is registered where it
    // lies.
    if (!engine->setupData() || !engine->registerDocumentation(path)) {
        engine.reset();
        QDir(engineDir).removeRecursively();
        m_error = tr("Cannot open the help file \"%1\": it is not a valid help file.").arg(m_helpFileName);
        return false;
    }
    m_engine = std::move(engine);
    m_loadedPath = path;
    m_loadedStamp = stamp;
    m_error.clear();
    return true;
}

HelpViewer* HelpSystem::viewer() {
    if (!m_viewer) {
        m_viewer = new HelpViewer(*m_engine, m_owner);
        if (!m_viewerGeometry.isEmpty())
            m_viewer->restoreGeometry(m_viewerGeometry);
        else if (m_owner != nullptr)
            placeBeside(*m_viewer, *m_owner->window());
        // The engine keeps plain pointers to the contents and index widgets inside the window, so it must not
        // outlive the window, e.g. when the owner window takes the help window down with it.
        connect(m_viewer, &QObject::destroyed, this, &HelpSystem::dropEngine);
    }
    return m_viewer;
}

void HelpSystem::presentViewer() {
    // A program kept above other windows would otherwise hide its own help.
    const bool onTop =
        m_owner != nullptr && m_owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (m_viewer->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        m_viewer->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (m_viewer->isMinimized())
        m_viewer->showNormal();
    else
        m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}

void HelpSystem::closeHelpFile() {
    if (m_viewer) {
        m_viewerGeometry = m_viewer->saveGeometry();
        delete m_viewer;
    }
    dropEngine();
}

void HelpSystem::dropEngine() {
    if (!m_engine)
        return;
    const QString engineDir = QFileInfo(m_engine->collectionFile()).absolutePath();
    m_engine.reset();
    m_loadedPath.clear();
    QDir(engineDir).removeRecursively();
}

} // namespace kc::app
