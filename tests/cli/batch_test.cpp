#include "app/user_dialogs.h"
#include "cli/cli_driver.h"
#include "cli/json_line.h"
#include "storage/cloak_designs.h"
#include "support/app_fixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace kc::test {
namespace {

TEST(ScenarioLine, ReadsTheIdAsWrittenAndTheArguments) {
    const auto read = cli::parseScenarioLine(
        R"( {"x": [1, {"y": null}], "id": [1, 2.50e1, "\u00e9"], "args": ["a=1", "b=\u00e9\n"]} )");
    ASSERT_TRUE(std::holds_alternative<cli::ScenarioLine>(read));
    const auto& line = std::get<cli::ScenarioLine>(read);
    EXPECT_EQ(line.idJson, R"([1, 2.50e1, "\u00e9"])");
    EXPECT_EQ(line.args, (std::vector<std::string>{"a=1", "b=\xc3\xa9\n"}));
}

TEST(ScenarioLine, RefusesWhatIsNoBatchLineSayingWhy) {
    struct Row {
        const char* line;
        const char* id; // the id the answer carries
        const char* reason;
    };
    const Row rows[] = {
        {"", "null", "not valid JSON"},
        {R"({"id": 1, "args": ["a=1"])", "null", "not valid JSON"},
        {"{\"id\": 1, \"args\": [\"\x01\"]}", "null", "control character"},
        {"{\"args\": [\"\xff\"]}", "null", "not UTF-8"},
        {R"({"args": ["\ud800"]})", "null", "surrogate"},
        {R"([1, 2])", "null", "a batch line is a JSON object"},
        {R"({"id": "x"})", R"("x")", "no \"args\""},
        {R"({"args": [1], "id": 7})", "7", "array of strings"},
        {R"({"args": []} x)", "null", "more text"},
    };
    for (const Row& row : rows) {
        const auto read = cli::parseScenarioLine(row.line);
        ASSERT_TRUE(std::holds_alternative<cli::RefusedLine>(read)) << row.line;
        const auto& refused = std::get<cli::RefusedLine>(read);
        EXPECT_EQ(refused.idJson, row.id) << row.line;
        EXPECT_NE(refused.reason.find(row.reason), std::string::npos) << row.line << ": " << refused.reason;
    }
}

class BatchTest : public testing::Test {
protected:
    struct Run {
        int status;
        std::string out;
        std::string err;
    };
    Run run(const QStringList& arguments, const std::string& input = {}) {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::runDriver(arguments, in, out, err);
        return {status, out.str(), err.str()};
    }
    // Two designs to start from, in a file of their own for each separate run.
    QString freshDesigns(const QString& name) const {
        storage::CloakDesigns designs;
        storage::AddDesign(designs, "Alpha");
        storage::AddDesign(designs, "Beta");
        designs.records.at(0).emptyWeight = 100;
        designs.records.at(0).number = 3;
        designs.records.at(0).devices.at(0) = 1;
        const storage::DesignFileImage image = storage::encodeDesigns(designs);
        const QString path = folder.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
        return path;
    }

    TemporarySettings settings;
    QTemporaryDir folder;
};

// Every scenario of a batch answers as a separate run of the same arguments does: the window starts over
// between scenarios as a fresh process would start.
TEST_F(BatchTest, EveryScenarioAnswersAsASeparateRunDoes) {
    std::ifstream file(KC_TEST_BATCH_SCENARIOS);
    std::stringstream scenarios;
    scenarios << file.rdbuf();
    const QString designs = freshDesigns("batch.dat");
    const QByteArray before = [&] {
        QFile f(designs);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const Run batch = run({"--designs", designs, "--batch"}, scenarios.str());
    ASSERT_EQ(batch.status, 0) << batch.err;
    std::istringstream answers(batch.out);
    std::istringstream lines(scenarios.str());
    std::string line;
    std::string answer;
    int count = 0;
    while (std::getline(lines, line)) {
        ASSERT_TRUE(std::getline(answers, answer)) << "no answer for " << line;
        const auto scenario = std::get<cli::ScenarioLine>(cli::parseScenarioLine(line));
        QStringList arguments{"--json", "--designs", freshDesigns(QStringLiteral("run%1.dat").arg(count++))};
        for (const std::string& argument : scenario.args)
            arguments << QString::fromStdString(argument);
        const std::string separate = run(arguments).out;
        const std::string expected = "{\"id\": " + scenario.idJson + separate.substr(separate.find(','));
        EXPECT_EQ(answer + "\n", expected) << line;
    }
    EXPECT_FALSE(std::getline(answers, answer)) << "an answer too many: " << answer;
    QFile after(designs);
    after.open(QIODevice::ReadOnly);
    EXPECT_EQ(after.readAll(), before) << "a batch never writes the design file";
}

TEST_F(BatchTest, ALineThatIsNoScenarioIsAnsweredAndTheBatchGoesOn) {
    const Run batch =
        run({"--designs", freshDesigns("d.dat"), "--batch"},
            "not json\n{\"id\": 3, \"args\": [\"noEquals\"]}\r\n{\"id\": 4, \"args\": [\"speARpop=250\"]}\n");
    EXPECT_EQ(
        batch.out,
        "{\"id\": null, \"exit\": 2, \"results\": {}, \"errors\": [\"not valid JSON at character 1: not a "
        "JSON "
        "value\"], \"messages\": []}\n"
        "{\"id\": 3, \"exit\": 2, \"results\": {}, \"errors\": [\"malformed argument 'noEquals': expected "
        "NAME=VALUE (see --help)\"], \"messages\": []}\n"
        "{\"id\": 4, \"exit\": 0, \"results\": {\"lblARScanRange\": \"5\", \"lblARpenScan\": \"0\", "
        "\"lblARresources\": \"5\", \"lblARMining\": \"2\"}, \"errors\": [], \"messages\": []}\n");
}

// Strict runs refuse what the window would read otherwise than typed; window-faithful runs read it as the
// window does.
TEST_F(BatchTest, StrictRunsRefuseWhatTheBoxWouldNotReadAsTyped) {
    struct Row {
        const char* argument;
        const char* refusal; // empty: taken
    };
    const QString tooLong = "txtCalc=" + QString(32768, '1');
    const Row rows[] = {
        {"speARpop=abc", "speARpop takes a whole number from 0 to 3300000, not \"abc\""},
        {"speARpop=99999999999", "speARpop takes a whole number from 0 to 3300000"},
        {"speARpop=3300001", "from 0 to 3300000"},
        {"speARpop=250", ""},
        {"speOGWeight=-70", ""},
        {"speColISyears=15", "at most 1 typed character"},
        {"cmbStarBase=Deathstar", "has no item \"Deathstar\""},
    };
    for (const Row& row : rows) {
        const Run strict = run({"--designs", folder.filePath("none.dat"), "--strict", row.argument});
        EXPECT_EQ(strict.status, *row.refusal == '\0' ? 0 : 2) << row.argument;
        EXPECT_NE(strict.err.find(row.refusal), std::string::npos) << row.argument << ": " << strict.err;
        EXPECT_EQ(run({"--designs", folder.filePath("none.dat"), row.argument}).status, 0) << row.argument;
    }
    EXPECT_EQ(run({"--strict", "--designs", folder.filePath("none.dat"), tooLong}).status, 2);
    EXPECT_EQ(run({"--designs", folder.filePath("none.dat"), tooLong}).out, "txtCalc=\n");
}

TEST_F(BatchTest, UsageWithoutArgumentsAndControlCharactersEscapedInLines) {
    const Run nothing = run({});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_NE(nothing.err.find("Usage: korvathcalc-cli"), std::string::npos);
    const Run named =
        run({"--designs", folder.filePath("d.dat"), QStringLiteral("btnCloakAdd=A\x1b[0m\x7f")});
    EXPECT_NE(named.out.find("lstCloak[0]=A\\x1b[0m\\x7f\n"), std::string::npos) << named.out;
}

} // namespace
} // namespace kc::test
