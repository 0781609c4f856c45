#include "app/calculator_page.h"
#include "app/help/help_system.h"
#include "app/page_text.h"
#include "app/session_end.h"
#include "cli/output.h"
#include "real_window/real_window_fixture.h"
#include "widgets/spin_edit.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QStringListModel>

#include <csignal>

namespace kc::test {
namespace {

// The history once set off an endless relayout on the second "=": the window froze with a core busy, which
// every check after each keystroke here would show.
TEST_F(RealWindowTest, TheCalculatorTakesTwentyExpressionsInARowAndRestsAfterEach) {
    struct Row {
        const char* typed;
        const char* value; // nullptr: the expression fails with a message containing `message`
        const char* message;
    };
    const Row rows[] = {
        {"2+3", "5", ""},
        {"4*5", "20", ""},
        {"(2+3", nullptr, "Missing brackets"},
        {"7-1", "6", ""},
        {"2^10", "1024", ""},
        {"1/0", nullptr, "Floating point division by zero"},
        {"10/4", "2.5", ""},
        {"(1+2)*3", "9", ""},
        {"100-99.5", "0.5", ""},
        {"3*3*3", "27", ""},
        {"1/8", "0.125", ""},
        {"2**3", nullptr, ""},
        {"2*(3+4)", "14", ""},
        {"9/3", "3", ""},
        {"0.1+0.2", "0.3", ""},
        {"1000*1000", "1000000", ""},
        {"5-8", "-3", ""},
        {"1/4", "0.25", ""},
        {"6/4", "1.5", ""},
        {"12+30", "42", ""},
    };
    choosePage("Calculator");
    auto& box = control<QLineEdit>("txtCalc");
    auto& history = control<QListView>("lstC");
    player.click(box);
    QStringList expected;
    for (const Row& row : rows) {
        QString message;
        if (row.value == nullptr)
            answerNextDialog("Return", &message);
        player.type(row.typed);
        player.press("Return");
        expected << row.typed;
        if (row.value == nullptr) {
            EXPECT_TRUE(message.contains(row.message)) << row.typed << ": " << message.toStdString();
            EXPECT_EQ(box.text(), row.typed);
            player.press("ctrl+a BackSpace");
        } else {
            expected << row.value;
            EXPECT_EQ(history.indexAt(QPoint(2, 1)).data().toString(), row.value) << row.typed;
        }
        ASSERT_EQ(box.text(), "");
    }
    EXPECT_EQ(qobject_cast<QStringListModel*>(history.model())->stringList(), expected);

    // The latest value, on top, taken into the next expression with a double click.
    player.doubleClick(*history.viewport(),
                       history.visualRect(history.model()->index(expected.size() - 1, 0)).center());
    EXPECT_EQ(box.text(), "42");
    player.type("+8");
    player.press("Return");
    EXPECT_EQ(history.indexAt(QPoint(2, 1)).data().toString(), "50");
}

struct PageRow {
    const char* caption;
    std::vector<std::pair<const char*, const char*>> inputs; // control, value as the driver takes it
};

void PrintTo(const PageRow& row, std::ostream* out) {
    *out << row.caption;
}

// What the window shows after a player's input is exactly what korvathcalc-cli prints for the same input.
QStringList driverResults(const PageRow& row, const QString& designFile) {
    QStringList arguments{"--designs", designFile, QStringLiteral("cmbTab=%1").arg(row.caption)};
    for (const auto& [name, value] : row.inputs)
        arguments << QStringLiteral("%1=%2").arg(name, value);
    QProcess driver;
    driver.start(QCoreApplication::applicationDirPath() + "/korvathcalc-cli", arguments);
    driver.waitForFinished(30000);
    return QString::fromUtf8(driver.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QStringList shownResults(const app::CalculatorPage& page) {
    QStringList lines;
    for (const QString& name : page.resultControls()) {
        const auto* control = page.findChild<QWidget*>(name);
        const QStringList texts = app::controlTexts(control);
        if (qobject_cast<const QAbstractItemView*>(control) == nullptr)
            lines << name + '=' + cli::escapeText(texts.value(0));
        else
            for (int i = 0; i < texts.size(); ++i)
                lines << QStringLiteral("%1[%2]=%3").arg(name).arg(i).arg(cli::escapeText(texts.at(i)));
    }
    return lines;
}

class EveryPage : public RealWindowTest, public testing::WithParamInterface<PageRow> {
protected:
    void enter(const char* name, const QString& value) {
        QWidget& target = control(name);
        if (auto* list = qobject_cast<QComboBox*>(&target))
            chooseItem(*list, value);
        else if (auto* button = qobject_cast<QAbstractButton*>(&target); button != nullptr) {
            if (!button->isCheckable() || button->isChecked() != (value == "1"))
                player.click(*button);
        } else
            player.typeOver(target, value);
    }
};

TEST_P(EveryPage, TakesTypedInputAndShowsWhatTheDriverPrints) {
    const PageRow& row = GetParam();
    choosePage(row.caption);
    for (const auto& [name, value] : row.inputs)
        enter(name, value);
    EXPECT_EQ(shownResults(*window->activePage()), driverResults(row, dataFolder.filePath("driver.dat")));
}

INSTANTIATE_TEST_SUITE_P(
    RealWindow, EveryPage,
    testing::Values(
        PageRow{"AR races", {{"speARpop", "250"}, {"cmbStarBase", "Death Star"}, {"chkNoAdvScanners", "1"}}},
        PageRow{"Attractivness", {{"attrRes0", "100"}, {"attrArm0", "50"}, {"attrWTyp0", "Torpedo"}}},
        PageRow{"Battle Speed", {{"cmbEngine", "Trans-Galactic Drive"}, {"speEmptyWeight", "100"}}},
        PageRow{"Beam Weapons", {{"cmbDamageWeapon", "Mini Gun"}, {"speWeaponDist", "2"}}},
        PageRow{"Bombing", {{"speBombNbr1", "10"}, {"cmbBombType1", "Cherry"}, {"cmbBombDef", "SDI"}}},
        PageRow{"Colonist Transport", {{"speColISGrowth", "12"}, {"speColAR", "2500"}}},
        PageRow{"Damage repairing",
                {{"cmbPos", "stopped in space"}, {"speTotalArmor", "1000"}, {"speDamage", "10"}}},
        PageRow{"Fuel Usage", {{"speFuelMass", "250"}, {"cmbFuelEngine", "Fuel Mizer"}, {"chkIFE", "1"}}},
        PageRow{"Ground Combat",
                {{"groundAttackers", "1000"}, {"groundDefenders", "500"}, {"groundWM", "1"}}},
        PageRow{"Interception", {{"speX1", "1000"}, {"speXYspeed", "9"}}},
        PageRow{"Jammers Vs Battle Computers", {{"speJam10", "2"}, {"cmbTorpType", "Rho Torpedo"}}},
        PageRow{"Minefields", {{"cmbWeapon", "Mini Gun"}, {"speNumber", "5"}, {"speMines", "2000"}}},
        PageRow{"Mineral Packets", {{"txtMinerals", "1000"}, {"chkPackPhys", "1"}}},
        PageRow{"Overgating damage", {{"cmbOGA", "100/250"}, {"cmbOGB", "any/any"}, {"speOGWeight", "1000"}}},
        PageRow{"Planet Score", {{"speNbrPlanets", "20"}, {"chkStarDock", "1"}}},
        PageRow{"Planet Value", {{"btnGravMr", "click"}, {"chkGravImune", "1"}}},
        PageRow{"Resources", {{"speRRDrecCol", "1500"}, {"chkRRDJoat", "1"}}},
        PageRow{"Scanning", {{"speScanNbr1", "2"}, {"cmbScanner1", "Rhino"}}},
        PageRow{"Unlock MT Toys", {{"txtMT", "mega poly shell"}, {"btnMTunlock", "click"}}}),
    [](const testing::TestParamInfo<PageRow>& info) {
        std::string name = info.param.caption;
        std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
        return name;
    });

TEST_F(RealWindowTest, CloakDesignsAreAddedSelectedChangedAndRemoved) {
    choosePage("Cloaking");
    auto& designs = control<QListView>("lstCloak");
    for (const char* name : {"Alpha", "Beta"}) {
        answerNextDialog("Return", nullptr, name);
        player.click(control("btnCloakAdd"));
    }
    ASSERT_EQ(designs.model()->rowCount(), 2);
    player.typeOver(control("speCloakTrans"), "3");
    player.typeOver(control("speCloakNbr"), "4");
    player.click(*designs.viewport(), designs.visualRect(designs.model()->index(0, 0)).center());
    EXPECT_EQ(control<widgets::SpinEdit>("speCloakTrans").text(), "0");
    player.typeOver(control("speCloakEmpty"), "200");
    player.typeOver(control("speCloakNbr"), "1");
    player.typeOver(control("speCloakTrans"), "1");
    // 1 Transport on 200 kt, and 3 on the 4 ships of 10 kt (the weight box shows a fresh design's 0 as 10).
    EXPECT_EQ(control<QLabel>("pnlResultCloak").text(), "The Fleet is 79 % cloaked");
    player.click(control("btnCloakRemove"));
    ASSERT_EQ(designs.model()->rowCount(), 1);
    EXPECT_EQ(designs.model()->index(0, 0).data().toString(), "Beta");
}

struct HelpRow {
    const char* caption;
    const char* page;
};

void PrintTo(const HelpRow& row, std::ostream* out) {
    *out << row.caption;
}

class HelpOnEveryPage : public RealWindowTest, public testing::WithParamInterface<HelpRow> {};

// Pages without a topic of their own open the contents, also after another page's topic was shown.
TEST_P(HelpOnEveryPage, F1OpensTheTopicOrTheContentsBesideTheWindow) {
    choosePage("Scanning");
    player.press("F1");
    ASSERT_TRUE(Player::waitUntil([&] { return window->help().viewerWindow() != nullptr; }));
    QWidget& help = *window->help().viewerWindow();
    player.activate(*window);
    choosePage(GetParam().caption);
    player.press("F1");
    ASSERT_TRUE(Player::waitUntil([&] { return help.isActiveWindow(); }));
    EXPECT_EQ(window->help().currentUrl().fileName(), GetParam().page);
    EXPECT_FALSE(help.frameGeometry().intersects(window->frameGeometry()));
    player.press("alt+F4");
    EXPECT_TRUE(Player::waitUntil([&] { return !help.isVisible(); }));
}

INSTANTIATE_TEST_SUITE_P(
    RealWindow, HelpOnEveryPage,
    testing::Values(
        HelpRow{"AR races", "ar_races.html"}, HelpRow{"Attractivness", "contents.html"},
        HelpRow{"Battle Speed", "contents.html"}, HelpRow{"Beam Weapons", "beam_weapons.html"},
        HelpRow{"Bombing", "bombing.html"}, HelpRow{"Calculator", "calculator.html"},
        HelpRow{"Cloaking", "cloaking.html"}, HelpRow{"Colonist Transport", "colonist_transport.html"},
        HelpRow{"Damage repairing", "damage_repairing.html"}, HelpRow{"Fuel Usage", "contents.html"},
        HelpRow{"Ground Combat", "contents.html"}, HelpRow{"Interception", "interception.html"},
        HelpRow{"Jammers Vs Battle Computers", "jammers.html"}, HelpRow{"Minefields", "minefields.html"},
        HelpRow{"Mineral Packets", "mineral_packets.html"}, HelpRow{"Overgating damage", "overgating.html"},
        HelpRow{"Planet Score", "contents.html"}, HelpRow{"Planet Value", "contents.html"},
        HelpRow{"Resources", "contents.html"}, HelpRow{"Unlock MT Toys", "contents.html"},
        HelpRow{"About/Exit", "contents.html"}),
    [](const testing::TestParamInfo<HelpRow>& info) {
        std::string name = info.param.caption;
        std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
        return name;
    });

// What another program gets when it pastes: the X clipboard, read while the window serves it.
QString pastedElsewhere() {
    QProcess paste;
    paste.start("xclip", {"-o", "-selection", "clipboard"});
    Player::waitUntil([&] { return paste.state() == QProcess::NotRunning; });
    return QString::fromUtf8(paste.readAllStandardOutput());
}

TEST_F(RealWindowTest, ThePageAResultAndAHistoryLineCanBeCopied) {
    choosePage("AR races");
    player.typeOver(control("speARpop"), "250");
    player.press("ctrl+shift+c");
    const QString page = pastedElsewhere();
    EXPECT_TRUE(page.startsWith("AR races\nPopulation: 250\nPlanet value: 100\n")) << page.toStdString();
    const auto& range = control<QLabel>("lblARScanRange");
    EXPECT_TRUE(page.contains("Scanning range: " + range.text() + "\n")) << page.toStdString();

    player.click(range);
    player.press("ctrl+a ctrl+c");
    EXPECT_EQ(pastedElsewhere(), range.text());

    choosePage("Calculator");
    player.click(control("txtCalc"));
    player.type("6*7");
    player.press("Return");
    auto& history = control<QListView>("lstC");
    player.click(*history.viewport(), history.visualRect(history.model()->index(1, 0)).center());
    player.press("ctrl+c");
    EXPECT_EQ(pastedElsewhere(), "42");
}

// A logout or shutdown sends SIGTERM: the window closes as at exit, with every design of the session on
// the disk.
TEST_F(RealWindowTest, SigtermClosesTheWindowWithTheSessionsDesignsOnTheDisk) {
    const app::SessionEnd sessionEnd([this] { window->saveUnsavedDesigns(); });
    choosePage("Cloaking");
    answerNextDialog("Return", nullptr, "Logout");
    player.click(control("btnCloakAdd"));
    std::raise(SIGTERM);
    EXPECT_TRUE(Player::waitUntil([&] { return !window->isVisible(); }));
    QFile saved(designFile());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("Logout"));
}

TEST_F(RealWindowTest, AltF4ClosesTheWindow) {
    choosePage("Calculator");
    player.press("alt+F4");
    EXPECT_TRUE(Player::waitUntil([&] { return !window->isVisible(); }));
}

} // namespace
} // namespace kc::test
