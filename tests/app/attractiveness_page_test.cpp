#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"

#include <QLabel>
#include <QLineEdit>

namespace kc::test {
namespace {

class AttractivenessPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Attractivness");
    }

    template <typename Control = QLineEdit> Control* control(const char* column, int row) const {
        return window->findChild<Control*>(QStringLiteral("attr%1%2").arg(column).arg(row));
    }
    widgets::ComboBox* weapon(int row) const { return control<widgets::ComboBox>("WTyp", row); }
    QString label(int row) const { return control<QLabel>("Attr", row)->text(); }
    QStringList labels() const {
        QStringList texts;
        for (int row = 0; row < 5; ++row)
            texts << label(row);
        return texts;
    }
    void type(const char* column, int row, const QString& text) { typeOver(control(column, row), text); }
    void enterDesign(int row) {
        type("Res", row, "100");
        type("Bor", row, "20");
        type("Arm", row, "50");
        type("Shi", row, "50");
    }
};

TEST_F(AttractivenessPageTest, StartsWithNoWeaponAndEmptyLabels) {
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(std::pair(weapon(row)->itemIndex(), weapon(row)->currentText()), std::pair(-1, QString()));
    EXPECT_EQ(labels(), QStringList(5, QString()));
}

TEST_F(AttractivenessPageTest, EveryControlRecalculatesOnlyItsOwnRow) {
    enterDesign(0);
    chooseFromList(weapon(0), "Beam");
    ASSERT_EQ(label(0), "1.2");

    enterDesign(2);
    const struct {
        const char* column; // nullptr: choose a weapon
        const char* value;
        const char* label;
    } steps[] = {
        {nullptr, "Beam", "1.2"},     {"Def", "2", "0.972"}, {nullptr, "Torpedo", ""},
        {"Acc", "50", "0.6"},         {"Arm", "100", "0.4"}, {"Shi", "20", "0.5"},
        {nullptr, "Missile", "0.75"}, {"Res", "220", "1.5"}, {"Bor", "0", "1.375"},
    };
    for (const auto& step : steps) {
        if (step.column == nullptr)
            chooseFromList(weapon(2), step.value);
        else
            type(step.column, 2, step.value);
        EXPECT_EQ(labels(), (QStringList{"1.2", "", step.label, "", ""})) << step.value;
    }
}

TEST_F(AttractivenessPageTest, TheWeaponEnablesTheBoxThatApplies) {
    const auto enabled = [this] {
        return std::pair{control("Def", 1)->isEnabled(), control("Acc", 1)->isEnabled()};
    };
    chooseFromList(weapon(1), "Torpedo");
    EXPECT_EQ(enabled(), std::pair(false, true));
    chooseFromList(weapon(1), "Sapper");
    EXPECT_EQ(enabled(), std::pair(true, false));
    // Typed text is no weapon: the enabling stays as it was.
    weapon(1)->typeText(QStringLiteral("Laser"));
    EXPECT_EQ(enabled(), std::pair(true, false));
    EXPECT_EQ(control("Def", 0)->isEnabled(), true) << "other rows keep theirs";
}

TEST_F(AttractivenessPageTest, AFailedConversionKeepsTheLabelAndTheEnabling) {
    enterDesign(3);
    chooseFromList(weapon(3), "Torpedo");
    type("Acc", 3, "50");
    ASSERT_EQ(label(3), "0.6");
    // The accuracy is read for beams too: a bad one blocks the switch to beams.
    type("Acc", 3, "5%");
    dialogs.errors.clear();
    chooseFromList(weapon(3), "Beam");
    EXPECT_EQ(dialogs.errors, QStringList{"'5%' is not a valid floating point value"});
    EXPECT_EQ(label(3), "0.06") << "as worked out for \"5\"";
    EXPECT_FALSE(control("Def", 3)->isEnabled());
}

} // namespace
} // namespace kc::test
