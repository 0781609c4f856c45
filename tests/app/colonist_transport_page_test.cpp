#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/spin_edit.h"

#include <QLabel>

namespace kc::test {
namespace {

const QString kLoadCaption = "You will have to load      kt of Colonists";
const QString kArrivalCaption = "Only         Kt of colonist will reach their destination.";

class ColonistTransportPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Colonist Transport");
    }

    QStringList results() const {
        return {window->findChild<QLabel*>("pnlResultColIS")->text(),
                window->findChild<QLabel*>("pnlResultColAR")->text()};
    }
};

TEST_F(ColonistTransportPageTest, EachGroupRecalculatesOnlyItsOwnPanel) {
    const struct {
        const char* input;
        const char* typed;
        QStringList shown;
    } rows[] = {
        {"speColISGrowth", "20", {"You will have to load 91 kt of Colonists", kArrivalCaption}},
        {"speColISFull", "100000", {"You will have to load 93023 kt of Colonists", kArrivalCaption}},
        {"speColISyears", "2", {"You will have to load 87 kt of Colonists", kArrivalCaption}},
        {"speColAR", "20", {kLoadCaption, "Only 20Kt of colonist will reach their destination"}},
        {"speColARyears", "1", {kLoadCaption, "Only 97Kt of colonist will reach their destination"}},
    };
    for (const auto& row : rows) {
        SetUp(); // a fresh window, at the design captions
        ASSERT_EQ(results(), QStringList({kLoadCaption, kArrivalCaption})) << row.input;
        typeOver(box(row.input), row.typed);
        EXPECT_EQ(results(), row.shown) << row.input;
    }
}

TEST_F(ColonistTransportPageTest, TravelTimesTakeOneTypedDigitAndTheArrowsGoFurther) {
    typeOver(box("speColARyears"), "50");
    EXPECT_EQ(box("speColARyears")->text(), "5");
    typeOver(box("speColARyears"), "9");
    QTest::keyClick(box("speColARyears"), Qt::Key_Up);
    EXPECT_EQ(box("speColARyears")->text(), "10");
    EXPECT_EQ(results().at(1), "Only 74Kt of colonist will reach their destination");
}

TEST_F(ColonistTransportPageTest, PastedYearsBeyondAnyTripEndAtOnce) {
    box("speColARyears")->setText("2147483647");
    EXPECT_EQ(results().at(1), "Only 22Kt of colonist will reach their destination");
    box("speColISyears")->setText("2147483647");
    EXPECT_EQ(dialogs.errors, QStringList({"Floating point overflow"}));
    EXPECT_EQ(results().at(0), kLoadCaption);
}

} // namespace
} // namespace kc::test
