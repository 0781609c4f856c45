#include "app/help/help_system.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpIndexWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidget>

#include <gtest/gtest.h>

#include "support/qt_printers.h"

#include <memory>
#include <string>

namespace {

using kc::app::HelpSystem;

const QString builtHelpFile = QStringLiteral(KC_TEST_HELP_FILE);

const QStringList everyTopicTitle =
    QStringLiteral(
        "Introduction|About/Exit and settings|AR races|Calculator|Colonist Transport|Overgating damage|"
        "Scanning|Interception|Minefields|Mineral Packets|Damage repairing|Beam Weapons|Bombing|"
        "Jammers Vs Battle Computers|Cloaking|Planet Score|Planet Value|Resources|Fuel Usage|"
        "Battle Speed|Attractivness|Ground Combat|Unlock MT Toys")
        .split(QLatin1Char('|'));

QTextBrowser* pageView(const HelpSystem& help) {
    return help.viewerWindow() ? help.viewerWindow()->findChild<QTextBrowser*>() : nullptr;
}

QString shownPage(const HelpSystem& help) {
    return help.currentUrl().fileName();
}

// A copy of the help file the test may move or delete.
struct HelpFileCopy {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("KorvathCalc.HLP"));
    HelpFileCopy() { EXPECT_TRUE(QFile::copy(builtHelpFile, path)); }
};

struct CurrentDirRestorer {
    QString saved = QDir::currentPath();
    ~CurrentDirRestorer() { QDir::setCurrent(saved); }
};

struct TopicCase {
    const char* context;
    const char* page;
    const char* title;
    const char* phrase; // something only that page talks about
};

void PrintTo(const TopicCase& c, std::ostream* os) {
    *os << c.context;
}

class ContextTopic : public testing::TestWithParam<TopicCase> {};

TEST_P(ContextTopic, OpensItsOwnPage) {
    const TopicCase& c = GetParam();
    HelpSystem help(builtHelpFile);
    ASSERT_TRUE(help.showTopic(QString::fromLatin1(c.context))) << help.errorText().toStdString();
    EXPECT_EQ(shownPage(help), QString::fromLatin1(c.page));
    QTextBrowser* view = pageView(help);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->documentTitle(), QString::fromLatin1(c.title));
    EXPECT_TRUE(view->toPlainText().contains(QString::fromLatin1(c.phrase), Qt::CaseInsensitive))
        << view->toPlainText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    AllContexts, ContextTopic,
    testing::Values(
        TopicCase{"c_AR_races", "ar_races.html", "AR races", "Alternate Reality"},
        TopicCase{"c_Calculator", "calculator.html", "Calculator", "arithmetic"},
        TopicCase{"c_Col_Xport", "colonist_transport.html", "Colonist Transport", "colonists survive"},
        TopicCase{"c_overgating", "overgating.html", "Overgating damage", "stargate"},
        TopicCase{"c_Scanning", "scanning.html", "Scanning", "scanner range of a fleet"},
        TopicCase{"c_Interception", "interception.html", "Interception", "intercept a moving target"},
        TopicCase{"c_MineField", "minefields.html", "Minefields", "decays"},
        TopicCase{"c_mineralpackets", "mineral_packets.html", "Mineral Packets", "mineral packet flies"},
        TopicCase{"c_Repairing", "damage_repairing.html", "Damage repairing", "repairs each year"},
        TopicCase{"c_BeamDamage", "beam_weapons.html", "Beam Weapons", "beam weapon does"},
        TopicCase{"c_bombing", "bombing.html", "Bombing", "bombing does"},
        TopicCase{"c_Jamming", "jammers.html", "Jammers Vs Battle Computers", "torpedoes"},
        TopicCase{"c_cloaking", "cloaking.html", "Cloaking", "cloaking percentage"}),
    [](const testing::TestParamInfo<TopicCase>& info) { return std::string(info.param.context); });

TEST(HelpSystem, UnknownContextFailsWithoutOpeningAWindow) {
    HelpSystem help(builtHelpFile);
    EXPECT_FALSE(help.showTopic(QStringLiteral("c_NoSuchTopic")));
    EXPECT_EQ(help.errorText(),
              QStringLiteral("The help file \"%1\" has no topic \"c_NoSuchTopic\".").arg(builtHelpFile));
    EXPECT_EQ(help.viewerWindow(), nullptr);
}

TEST(HelpSystem, MissingFileFailsWithoutOpeningAWindow) {
    QTemporaryDir empty;
    const QString missing = empty.filePath(QStringLiteral("KorvathCalc.HLP"));
    HelpSystem help(missing);
    EXPECT_FALSE(help.showTopic(QStringLiteral("c_AR_races")));
    EXPECT_EQ(help.errorText(),
              QStringLiteral("Cannot open the help file \"%1\": the file was not found.").arg(missing));
    EXPECT_FALSE(help.showFinder());
    EXPECT_EQ(help.viewerWindow(), nullptr);
}

TEST(HelpSystem, FileThatIsNotHelpIsRejected) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KorvathCalc.HLP"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Windows help, not a Qt help archive\n");
    file.close();

    HelpSystem help(path);
    EXPECT_FALSE(help.showTopic(QStringLiteral("c_AR_races")));
    EXPECT_TRUE(help.errorText().contains(QStringLiteral("not a valid help file")))
        << help.errorText().toStdString();
    EXPECT_EQ(help.viewerWindow(), nullptr);
}

TEST(HelpSystem, FinderListsIntroductionSettingsAndEveryPage) {
    HelpSystem help(builtHelpFile);
    ASSERT_TRUE(help.showFinder()) << help.errorText().toStdString();
    ASSERT_NE(help.viewerWindow(), nullptr);
    EXPECT_TRUE(help.viewerWindow()->isVisible());
    EXPECT_EQ(help.viewerWindow()->windowTitle(), QStringLiteral("Korvath! Calculator Help"));
    EXPECT_EQ(shownPage(help), QStringLiteral("contents.html"));
    EXPECT_EQ(help.viewerWindow()->findChild<QTabWidget*>()->currentIndex(), 0);

    const QStringList titles = help.contentTitles();
    for (const QString& title : everyTopicTitle)
        EXPECT_TRUE(titles.contains(title)) << title.toStdString();
}

// Catches pages left out of the help file and entries that point at the wrong page.
TEST(HelpSystem, EveryContentsEntryOpensAPageOfThatTitle) {
    HelpSystem help(builtHelpFile);
    ASSERT_TRUE(help.showFinder());
    ASSERT_FALSE(help.contentTitles().isEmpty());
    auto* contents = help.viewerWindow()->findChild<QHelpContentWidget*>();
    const QAbstractItemModel* model = contents->model();

    QModelIndexList pending = {model->index(0, 0)};
    int visited = 0;
    while (!pending.isEmpty()) {
        const QModelIndex entry = pending.takeFirst();
        for (int row = 0; row < model->rowCount(entry); ++row)
            pending.append(model->index(row, 0, entry));
        emit contents->activated(entry);
        ++visited;
        if (help.currentUrl().hasFragment())
            continue; // a heading inside a page, not a page of its own
        EXPECT_EQ(pageView(help)->documentTitle(), entry.data().toString())
            << help.currentUrl().toString().toStdString();
    }
    EXPECT_GE(visited, everyTopicTitle.size());
}

TEST(HelpSystem, TheContentsFollowTheTopicAndOneClickOpensAnother) {
    HelpSystem help(builtHelpFile);
    ASSERT_TRUE(help.showTopic(QStringLiteral("c_Scanning")));
    ASSERT_FALSE(help.contentTitles().isEmpty());
    QCoreApplication::processEvents();
    auto* contents = help.viewerWindow()->findChild<QHelpContentWidget*>();
    EXPECT_EQ(contents->currentIndex().data().toString(), "Scanning");
    const QModelIndex introduction = contents->model()->index(0, 0);
    emit contents->clicked(introduction);
    EXPECT_EQ(pageView(help)->documentTitle(), introduction.data().toString());
}

TEST(HelpSystem, IndexNamesEveryTopicReadablyAndNavigates) {
    HelpSystem help(builtHelpFile);
    ASSERT_TRUE(help.showFinder());
    const QStringList keywords = help.indexKeywords();
    for (const QString& title : everyTopicTitle)
        EXPECT_TRUE(keywords.contains(title)) << title.toStdString();
    for (const QString& keyword : keywords)
        EXPECT_FALSE(keyword.startsWith(QStringLiteral("c_"))) << keyword.toStdString();

    auto* index = help.viewerWindow()->findChild<QHelpIndexWidget*>();
    ASSERT_NE(index, nullptr);
    index->filterIndices(QStringLiteral("Large Fonts"));
    index->activateCurrentItem();
    EXPECT_EQ(shownPage(help), QStringLiteral("about_exit.html"));
}

TEST(HelpSystem, BareFileNameIsLookedUpInTheDirectoryCurrentWhenHelpIsAskedFor) {
    HelpFileCopy copy;
    QTemporaryDir elsewhere;
    CurrentDirRestorer restorer;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));

    HelpSystem help(QStringLiteral("KorvathCalc.HLP"));
    EXPECT_FALSE(help.showTopic(QStringLiteral("c_AR_races")));
    EXPECT_TRUE(help.errorText().contains(QStringLiteral("\"KorvathCalc.HLP\": the file was not found")));

    ASSERT_TRUE(QDir::setCurrent(copy.dir.path()));
    EXPECT_TRUE(help.showTopic(QStringLiteral("c_AR_races"))) << help.errorText().toStdString();
}

TEST(HelpSystem, LaterCallsReuseTheWindowAndShowItAgainAfterClosing) {
    HelpSystem help(builtHelpFile);
    ASSERT_TRUE(help.showTopic(QStringLiteral("c_bombing")));
    QWidget* window = help.viewerWindow();
    window->close();

    ASSERT_TRUE(help.showTopic(QStringLiteral("c_cloaking")));
    EXPECT_EQ(help.viewerWindow(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shownPage(help), QStringLiteral("cloaking.html"));
}

TEST(HelpSystem, FileRemovedBetweenCallsIsReported) {
    HelpFileCopy copy;
    HelpSystem help(copy.path);
    ASSERT_TRUE(help.showTopic(QStringLiteral("c_Scanning")));
    ASSERT_TRUE(QFile::remove(copy.path));
    EXPECT_FALSE(help.showTopic(QStringLiteral("c_Scanning")));
    EXPECT_TRUE(help.errorText().contains(QStringLiteral("the file was not found")));
}

TEST(HelpSystem, RebuiltFileIsLoadedAfresh) {
    HelpFileCopy copy;
    HelpSystem help(copy.path);
    ASSERT_TRUE(help.showTopic(QStringLiteral("c_Scanning")));
    QFile file(copy.path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime));
    file.close();

    ASSERT_TRUE(help.showTopic(QStringLiteral("c_bombing"))) << help.errorText().toStdString();
    EXPECT_EQ(shownPage(help), QStringLiteral("bombing.html"));
    EXPECT_TRUE(help.viewerWindow()->isVisible());
}

TEST(HelpSystem, PagesFindTheirStyleSheetInTheHelpFile) {
    HelpSystem help(builtHelpFile);
    ASSERT_TRUE(help.showTopic(QStringLiteral("c_AR_races")));
    const QUrl styleSheet = help.currentUrl().resolved(QUrl(QStringLiteral("style.css")));
    EXPECT_FALSE(
        pageView(help)->loadResource(QTextDocument::StyleSheetResource, styleSheet).toByteArray().isEmpty());
}

TEST(HelpSystem, SurvivesItsOwnerWindowClosingTheHelpWindow) {
    auto owner = std::make_unique<QWidget>();
    HelpSystem help(builtHelpFile, owner.get());
    ASSERT_TRUE(help.showTopic(QStringLiteral("c_Jamming")));
    EXPECT_EQ(help.viewerWindow()->parentWidget(), owner.get());

    owner.reset();
    EXPECT_EQ(help.viewerWindow(), nullptr);
    ASSERT_TRUE(help.showTopic(QStringLiteral("c_Repairing"))) << help.errorText().toStdString();
    EXPECT_EQ(shownPage(help), QStringLiteral("damage_repairing.html"));
}

TEST(HelpSystem, LinksInsidePagesResolveWithinTheHelpFile) {
    HelpSystem help(builtHelpFile);
    ASSERT_TRUE(help.showTopic(QStringLiteral("c_Calculator")));
    emit pageView(help)->anchorClicked(QUrl(QStringLiteral("introduction.html")));
    EXPECT_EQ(shownPage(help), QStringLiteral("introduction.html"));
    EXPECT_TRUE(pageView(help)->toPlainText().contains(QStringLiteral("Auto-drop combo")));
}

} // namespace
