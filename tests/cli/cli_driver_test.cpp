#include "cli/cli_driver.h"
#include "cli/output.h"
#include "support/app_fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <sys/stat.h>

#include <sstream>

namespace kc::test {
namespace {

struct DriverRun {
    int status;
    std::string out;
    std::string err;
};

class CliDriverTest : public testing::Test {
protected:
    // Every run keeps its cloak designs in the test's own folder unless it names a file itself.
    DriverRun run(QStringList arguments) {
        if (!arguments.contains("--designs"))
            arguments = QStringList{"--designs", designFile()} + arguments;
        std::ostringstream out;
        std::ostringstream err;
        std::istringstream in;
        const int status = cli::runDriver(arguments, in, out, err);
        return {status, out.str(), err.str()};
    }
    QString designFile() const { return folder.filePath("Cloaking.dat"); }
    QByteArray fileBytes(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TemporarySettings settings;
    QTemporaryDir folder;
};

TEST_F(CliDriverTest, PrintsTheResultsOfTheTouchedPageInWritingOrder) {
    const DriverRun result = run({"speARpop=250", "cmbStarBase=Death Star"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lblARScanRange=5\nlblARpenScan=2\nlblARresources=5\nlblARMining=2\n");
}

TEST_F(CliDriverTest, AppliesArgumentsInOrderLikeAUser) {
    const DriverRun result = run({"speARpop=250", "chkNoAdvScanners=1", "speAReff=0", "speARpop=10000"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lblARScanRange=64\nlblARpenScan=0\nlblARresources=5\nlblARMining=10\n");
}

TEST_F(CliDriverTest, RetypingTheTextABoxHoldsRecalculatesAsInTheWindow) {
    EXPECT_EQ(
        run({"groundAttackers=0", "groundDefenders=0"}).out,
        "groundKilledByDef=Killed by Defences: 0\ngroundWins=Defender wins\ngroundPopLeft=PopLeft: 0\n");
    EXPECT_EQ(run({"speARpop=10000"}).out,
              "lblARScanRange=32\nlblARpenScan=0\nlblARresources=32\nlblARMining=10\n");
}

TEST_F(CliDriverTest, TypedTextInAListThatAllowsTypingIsNoChoice) {
    const DriverRun result = run({"cmbStarBase=Ultra Station", "cmbStarBase=Ultra"});
    EXPECT_NE(result.out.find("lblARpenScan=0\n"), std::string::npos);
}

TEST_F(CliDriverTest, AnErrorReportPrintsALineAndExitsWithOne) {
    const DriverRun result = run({"speARpop=-1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "error=Invalid floating point operation\nlblARScanRange=\nlblARpenScan=\n"
                          "lblARresources=\nlblARMining=\n");
}

TEST_F(CliDriverTest, ChoosingAPageWithTheSelectorCountsAsTouchingIt) {
    const DriverRun result = run({"cmbTab=AR races"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lblARScanRange=\nlblARpenScan=\nlblARresources=\nlblARMining=\n");
}

TEST_F(CliDriverTest, DrivesThePlanetValueRangeButtonsAndUpDown) {
    const DriverRun result = run({"btnGravMr=click", "spnGravStat=51", "Button8=click"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "txtGravStat=1.04\nlblGravMin=0.24\nlblGravMax=4.64\nlblTempMin=-144\nlbltempMax=144\n"
              "lblRadMin=15\nlblRadMax=85\npnlResultValue=Planet's Value is : 48%\n");
}

TEST_F(CliDriverTest, HelpDescribesThePlanetValueUpDown) {
    const DriverRun result = run({"--help", "Planet Value"});
    EXPECT_NE(result.out.find("spnGravStat: up-down; positions 0 to 100; initial 50"), std::string::npos)
        << result.out;
}

TEST_F(CliDriverTest, CombinesTheScannersOfTheScanningPage) {
    const DriverRun result = run({"speScanNbr1=1", "cmbScanner1=Elephant", "chkJack=1", "speElecTech=10"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lblResultScanner=This Ship/Fleet has a total scanner range of : 314 / 203 ly\n");
}

TEST_F(CliDriverTest, WorksOutTheFuelOfAHeavyShipAndReportsASpeedOfZero) {
    const DriverRun heavy =
        run({"speFuelMass=100000", "speFuelSpeed=10", "cmbFuelEngine=Quick Jump 5", "speFuelDistance=2000"});
    EXPECT_EQ(heavy.status, 0);
    EXPECT_EQ(heavy.out, "pnlResultFuel=Fuel usage will be 10800020 Mg\n");

    const DriverRun stopped = run({"cmbFuelEngine=Quick Jump 5", "speFuelSpeed=0"});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.out, "error=Division by zero\npnlResultFuel=Fuel usage will be 41 Mg\n");
}

TEST_F(CliDriverTest, FindsTheBestPacketWarpAndPrintsItsMessage) {
    const DriverRun result = run({"txtMinerals=1000", "btnMinWarp=click"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "message=In the current conditions, a packet of this size will do most damage when flung at "
              "warp 10\nlblTravelTime=2\nlblMassLoss=438\nlblMassArived=562\nlblCaught=275\n"
              "lblRecovered=371\nlblHit=287\nlblKilled=17900\nlblDefens=0\nlblDefensDestr=0\n"
              "lblPacketNotice=\n");
}

TEST_F(CliDriverTest, RefusesAPacketSpeedOfZeroWithANotice) {
    const DriverRun result = run({"txtMinerals=1000", "txtMineralsSpeed=0"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "lblTravelTime=\nlblMassLoss=\nlblMassArived=\nlblCaught=\nlblRecovered=\nlblHit=\n"
              "lblKilled=\nlblDefens=\nlblDefensDestr=\nlblPacketNotice=Packet speed must be 1 to 255\n");
}

TEST_F(CliDriverTest, SwitchesTheInterceptionSituationWithItsRadioButtons) {
    const QStringList course = {"speX1=1000", "speY1=1300",   "speX2=1300",
                                "speY2=1000", "speXYspeed=5", "speXYyears=3"};
    const char* const distance = "lblDistance=Distance between a and b is : 424 ly\n";
    const char* const prefix = "lblResultXY=The object's position in 3 year(s) will be : \\n\\r";
    EXPECT_EQ(run(course + QStringList{"optPos2=1"}).out,
              distance + std::string(prefix) + "X 1053 ,Y 1247\n");
    EXPECT_EQ(run(course + QStringList{"optPos2=1", "optPos1=1"}).out,
              distance + std::string(prefix) + "X 1353 ,Y 947\n");
}

TEST_F(CliDriverTest, EvaluatesACalculatorExpressionIntoTheHistory) {
    const DriverRun result = run({"txtCalc=2+3", "btnCeq=click"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lstC[0]=2+3\nlstC[1]=5\ntxtCalc=\n");
}

TEST_F(CliDriverTest, DrivesTheKeypadAndReusesAHistoryLineByDoubleClick) {
    const DriverRun result =
        run({"btnCsqrt=click", "btnC9=click", "btnCbc=click", "btnCeq=click", "btnC2=click", "btnCmult=click",
             "lstC=select:1", "lstC=dblclick", "btnCeq=click"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lstC[0]=SQRT(9)\nlstC[1]=3\nlstC[2]=2*3\nlstC[3]=6\ntxtCalc=\n");
}

TEST_F(CliDriverTest, ADoubleClickWithTheSelectionClearedAppendsNothing) {
    const DriverRun result =
        run({"txtCalc=4", "btnCeq=click", "lstC=select:1", "lstC=select:-1", "lstC=dblclick"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lstC[0]=4\nlstC[1]=4\ntxtCalc=\n");
}

TEST_F(CliDriverTest, AFailedCalculationKeepsTheExpressionWithoutAValue) {
    const DriverRun result = run({"txtCalc=1/0", "btnCeq=click"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "error=Floating point division by zero\nlstC[0]=1/0\ntxtCalc=1/0\n");
}

TEST_F(CliDriverTest, ClearingTheHistorySelectionMakesADoubleClickAddNothing) {
    const DriverRun result = run(
        {"txtCalc=7", "btnCeq=click", "lstC=select:1", "lstC=select:-1", "lstC=dblclick", "lstC=dblclick"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lstC[0]=7\nlstC[1]=7\ntxtCalc=\n");
}

TEST_F(CliDriverTest, CloakDesignsOutliveTheRun) {
    const DriverRun added = run({"btnCloakAdd=Scout", "speCloakTrans=1", "speCloakNbr=1"});
    EXPECT_EQ(added.status, 0);
    EXPECT_EQ(added.out, "pnlResultCloak=The Fleet is 75 % cloaked\nlstCloak[0]=Scout\n");
    EXPECT_EQ(fileBytes(designFile()).size(), 352);

    const DriverRun reloaded = run({"lstCloak=select:0", "chkSuperStealth=1"});
    EXPECT_EQ(reloaded.out, "pnlResultCloak=The Fleet is 87 % cloaked\nlstCloak[0]=Scout\n");
    // Without a selected design a change stores nothing: the Transport cloak stays.
    const DriverRun unselected = run({"lstCloak=select:0", "lstCloak=select:-1", "speCloakTrans=0"});
    EXPECT_EQ(unselected.out, "pnlResultCloak=The Fleet is 75 % cloaked\nlstCloak[0]=Scout\n");
}

TEST_F(CliDriverTest, AClickOnAddTakesTheOfferedName) {
    const DriverRun result = run({"btnCloakRemove=click", "btnCloakAdd=click"});
    EXPECT_EQ(result.out,
              "message=None Selected\npnlResultCloak=This fleet is    % cloaked\nlstCloak[0]=Ship 1\n");
}

TEST_F(CliDriverTest, AnUnreadableDesignFileIsNeverWrittenOverTheDesignsGoBesideIt) {
    const QByteArray shortFile(100, 'x');
    {
        QFile file(designFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(shortFile);
    }
    const DriverRun looked = run({"cmbTab=Cloaking"});
    EXPECT_EQ(looked.status, 1);
    EXPECT_EQ(looked.out, "error=Read beyond end of file\npnlResultCloak=This fleet is    % cloaked\n");

    const DriverRun added = run({"btnCloakAdd=New"});
    EXPECT_NE(added.out.find("message='" + designFile().toStdString() +
                             "' cannot be written over without losing what it holds, so it is left as it is; "
                             "this window's designs are saved in '" +
                             designFile().toStdString() + ".kept'.\n"),
              std::string::npos)
        << added.out;
    EXPECT_EQ(fileBytes(designFile()), shortFile);
    EXPECT_EQ(fileBytes(designFile() + ".kept").size(), 352);
}

// Separate runs of the driver on one file at the same moment: every design each one added is kept.
TEST_F(CliDriverTest, RunsAtTheSameTimeKeepEveryDesignTheyAdd) {
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const char* name : {"One", "Two", "Three", "Four", "Five", "Six"}) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->start(QCoreApplication::applicationDirPath() + "/korvathcalc-cli",
                           {"--designs", designFile(), QStringLiteral("btnCloakAdd=%1").arg(name)});
    }
    for (const auto& process : runs)
        ASSERT_TRUE(process->waitForFinished(30000));
    QStringList names;
    for (const QString& line : QString::fromStdString(run({"cmbTab=Cloaking"}).out).split('\n'))
        if (line.startsWith("lstCloak["))
            names << line.section('=', 1);
    names.sort();
    EXPECT_EQ(names, QStringList({"Five", "Four", "One", "Six", "Three", "Two"}));
}

TEST_F(CliDriverTest, APipeNamedAsTheDesignFileIsRefusedAtOnce) {
    const QString pipe = folder.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const DriverRun result = run({"--designs", pipe, "btnCloakAdd=A"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("is not a regular file"), std::string::npos) << result.err;
}

struct BadArgumentRow {
    const char* reason;
    QStringList arguments;
    const char* mentioned;
};

class BadArguments : public CliDriverTest, public testing::WithParamInterface<BadArgumentRow> {};

TEST_P(BadArguments, ExitWithTwoNamingTheArgument) {
    const BadArgumentRow& row = GetParam();
    const DriverRun result = run(row.arguments);
    EXPECT_EQ(result.status, 2) << row.reason;
    EXPECT_NE(result.err.find(row.mentioned), std::string::npos) << row.reason << ": " << result.err;
    EXPECT_TRUE(result.out.empty()) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadArguments,
    testing::Values(BadArgumentRow{"unknown control", {"speNothing=5"}, "speNothing"},
                    BadArgumentRow{"no equals sign", {"speARpop"}, "speARpop"},
                    BadArgumentRow{"empty name", {"=5"}, "=5"},
                    BadArgumentRow{"check box given 2", {"chkNoAdvScanners=2"}, "chkNoAdvScanners=2"},
                    BadArgumentRow{"page list without the item", {"cmbTab=Nowhere"}, "Nowhere"},
                    BadArgumentRow{"history line out of range", {"lstC=select:0"}, "has no line 0"},
                    BadArgumentRow{"history list given text", {"lstC=7"}, "lstC=7"},
                    BadArgumentRow{"unknown page for help", {"--help", "Nowhere"}, "Nowhere"}));

TEST_F(CliDriverTest, HelpListsThePages) {
    const DriverRun result = run({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* caption : {"AR races", "Unlock MT Toys", "Jammers Vs Battle Computers"})
        EXPECT_NE(result.out.find(caption), std::string::npos) << caption;
}

TEST_F(CliDriverTest, HelpForAPageListsItsControlsWithRangesAndInitialValues) {
    const DriverRun result = run({"--help", "AR races"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("speARpop: integer input box; 0 to 3300000, step 10000; initial 10000"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"Death Star\""), std::string::npos);
    EXPECT_NE(result.out.find("lblARMining"), std::string::npos);
}

TEST(CliEscaping, LineBreaksAndBackslashesAreWrittenAsEscapes) {
    EXPECT_EQ(cli::escapeText("a\nb\rc\\d"), "a\\nb\\rc\\\\d");
}

} // namespace
} // namespace kc::test
