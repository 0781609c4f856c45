#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLabel>

#include <functional>

namespace kc::test {
namespace {

const QString kSentence = "% planet this makes a total possible production of : ";

class ResourcesPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Resources");
    }

    QCheckBox* check(const char* name) const { return control<QCheckBox>(name); }
    QString result() const { return window->findChild<QLabel*>("Label135")->text(); }
};

TEST_F(ResourcesPageTest, EveryInputRecalculatesFromTheDesignCaption) {
    const auto typeIn = [this](const char* name) { return [this, name] { typeOver(box(name), "13"); }; };
    const struct {
        const char* input;
        std::function<void()> change;
        QString shown;
    } rows[] = {
        {"JoaT", [this] { check("chkRRDJoat")->click(); }, "2400"},
        {"HE", [this] { check("chkRRDHE")->click(); }, "1000"},
        {"OBRM", [this] { check("chkRRDOBRM")->click(); }, "2200"},
        {"colonists per resource", typeIn("speRRDrecCol"), "77923"}, // typed beyond the range, used as typed
        {"factory output", typeIn("speRRDFactProd"), "2300"},
        {"factory cost, which does not enter the result", typeIn("speRRDFactCost"), "2000"},
        {"factories operated", typeIn("speRRDOpperate"), "2300"},
        {"planet value", typeIn("speRRDvalue"), "260"},
    };
    for (const auto& row : rows) {
        SetUp(); // a fresh window, at the design captions
        ASSERT_EQ(result(), kSentence) << row.input;
        row.change();
        EXPECT_EQ(result(), kSentence + row.shown) << row.input;
    }
}

TEST_F(ResourcesPageTest, JoaTUnchecksHE) {
    check("chkRRDHE")->click();
    check("chkRRDJoat")->click();
    EXPECT_FALSE(check("chkRRDHE")->isChecked());
    EXPECT_EQ(result(), kSentence + "2400");
    check("chkRRDHE")->click(); // refused at once while JoaT is checked
    EXPECT_FALSE(check("chkRRDHE")->isChecked());
    EXPECT_EQ(result(), kSentence + "2400");
}

TEST_F(ResourcesPageTest, NoColonistsPerResourceIsReportedOncePerChangeAndKeepsTheResult) {
    check("chkRRDOBRM")->click();
    box("speRRDrecCol")->setText("0");
    EXPECT_EQ(dialogs.errors, QStringList({"Division by zero"}));
    check("chkRRDJoat")->click();
    // Refused with the nested run that unchecking it causes, which fails too: still one report.
    check("chkRRDHE")->click();
    EXPECT_EQ(dialogs.errors, QStringList({"Division by zero", "Division by zero", "Division by zero"}));
    EXPECT_FALSE(check("chkRRDHE")->isChecked());
    EXPECT_EQ(result(), kSentence + "2200");
}

} // namespace
} // namespace kc::test
