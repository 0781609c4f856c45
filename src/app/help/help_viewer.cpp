#include "app/help/help_viewer.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace kc::app {

namespace {

const QString helpScheme = QStringLiteral("qthelp");

} // namespace

HelpBrowser::HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {
    // Links are followed by hand so that web addresses go to the desktop browser instead of a blank page.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != helpScheme)
        return QTextBrowser::loadResource(type, name);
    const QByteArray data = engine_.fileData(name);
    if (data.isEmpty() && type == QTextDocument::HtmlResource)
        return tr("<html><body><h1>Page not found</h1><p>The help file has no page %1.</p></body></html>")
            .arg(name.path().toHtmlEscaped());
    return data;
}

void HelpBrowser::followLink(const QUrl& link) {
    const QUrl target = source().resolved(link);
    if (target.scheme() == helpScheme)
        setSource(target);
    else
        QDesktopServices::openUrl(target);
}

HelpViewer::HelpViewer(QHelpEngine& engine, QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(QString::fromLatin1(windowTitleText));
    resize(700, 500);

    browser_ = new HelpBrowser(engine);

    // The engine creates its contents widget without a parent; the tab widget takes it over.
    QHelpContentWidget* contents = engine.contentWidget();
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpViewer::showPage);
    // One click opens a topic, as in the classic help finder.
    connect(contents, &QTreeView::clicked, this, [this, &engine](const QModelIndex& index) {
        if (const QHelpContentItem* item = engine.contentModel()->contentItemAt(index))
            showPage(item->url());
    });
    // The contents show where the reader is, however the topic was reached.
    const auto followTopic = [this, contents] {
        const QModelIndex topic = contents->indexOf(browser_->source());
        if (topic.isValid())
            contents->setCurrentIndex(topic);
    };
    connect(browser_, &QTextBrowser::sourceChanged, contents, followTopic);
    // The contents are built in the background: the first topic may show before they exist.
    connect(engine.contentModel(), &QHelpContentModel::contentsCreated, contents, followTopic,
            Qt::QueuedConnection);
    // The contents are short: show every topic at once instead of one closed book.
    connect(engine.contentModel(), &QHelpContentModel::contentsCreated, contents, &QTreeView::expandAll);

    tabs_ = new QTabWidget;
    tabs_->addTab(contents, tr("Contents"));
    tabs_->addTab(createIndexTab(engine), tr("Index"));
    tabs_->addTab(createSearchTab(engine), tr("Search"));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 480});

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
}

QWidget* HelpViewer::createIndexTab(QHelpEngine& engine) {
    auto* tab = new QWidget;
    auto* filter = new QLineEdit;
    filter->setPlaceholderText(tr("Look for"));
    filter->setClearButtonEnabled(true);
    QHelpIndexWidget* index = engine.indexWidget();

    connect(filter, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(filter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& document) { showPage(document.url); });
    // Our keywords each lead to one page; should one ever lead to several, the first is the main one.
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& documents) {
        if (!documents.isEmpty())
            showPage(documents.first().url);
    });

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(filter);
    layout->addWidget(index);
    return tab;
}

QWidget* HelpViewer::createSearchTab(QHelpEngine& engine) {
    auto* tab = new QWidget;
    QHelpSearchEngine* search = engine.searchEngine();
    QHelpSearchQueryWidget* query = search->queryWidget();
    QHelpSearchResultWidget* results = search->resultWidget();

    connect(query, &QHelpSearchQueryWidget::search, search,
            [search, query] { search->search(query->searchInput()); });
    connect(results, &QHelpSearchResultWidget::requestShowLink, this, &HelpViewer::showPage);
    // The engine was set up before the search engine existed, so it missed the cue to build its index.
    search->scheduleIndexDocumentation();

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(query);
    layout->addWidget(results, 1);
    return tab;
}

void HelpViewer::showPage(const QUrl& url) {
    browser_->setSource(url);
}

void HelpViewer::showContentsTab() {
    tabs_->setCurrentIndex(0);
}

QUrl HelpViewer::currentUrl() const {
    return browser_->source();
}

} // namespace kc::app
