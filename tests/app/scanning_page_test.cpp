#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace kc::test {
namespace {

QString sentence(int standard, int penetrating) {
    return QStringLiteral("This Ship/Fleet has a total scanner range of : %1 / %2 ly")
        .arg(standard)
        .arg(penetrating);
}

class ScanningPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Scanning");
    }

    widgets::ComboBox* list(const char* name) const { return control<widgets::ComboBox>(name); }
    QCheckBox* check(const char* name) const { return control<QCheckBox>(name); }
    QString result() const { return window->findChild<QLabel*>("lblResultScanner")->text(); }
};

TEST_F(ScanningPageTest, ShowsItsDesignCaptionUntilAnInputChanges) {
    EXPECT_EQ(result(), "The Ship/Fleet has a scanner range of :");
    for (const char* name : {"cmbScanner1", "cmbScanner2", "cmbScanner3"})
        EXPECT_EQ(list(name)->currentText(), "Select scanner type") << name;
}

// Each row on its own, through its own controls, so a row wired to the wrong box shows.
struct RowCase {
    const char* count;
    const char* scanner;
};

TEST_F(ScanningPageTest, EachCatalogueRowCountsItsOwnScanners) {
    for (const RowCase row : {RowCase{"speScanNbr1", "cmbScanner1"}, RowCase{"speScanNbr2", "cmbScanner2"},
                              RowCase{"speScanNbr3", "cmbScanner3"}}) {
        type(row.count, "2");
        EXPECT_EQ(result(), sentence(0, 0)) << row.count << ": a count with no scanner chosen adds nothing";
        chooseFromList(list(row.scanner), "Rhino");
        EXPECT_EQ(result(), sentence(59, 0)) << row.scanner;
        type(row.count, "0");
        EXPECT_EQ(result(), sentence(0, 0)) << row.count;
    }
}

TEST_F(ScanningPageTest, EachTypedRowUsesItsCountAndBothRanges) {
    for (const char* row : {"1", "2"}) {
        const QByteArray count = QByteArray("speCustomScan") + row;
        const QByteArray standard = QByteArray("speScanRange") + row;
        const QByteArray penetrating = QByteArray("spePenScanRange") + row;
        type(standard, "50");
        type(penetrating, "100");
        EXPECT_EQ(result(), sentence(0, 0)) << row << ": no count yet";
        type(count, "2");
        EXPECT_EQ(result(), sentence(59, 119)) << row;
        type(count, "0");
    }
}

TEST_F(ScanningPageTest, CatalogueTypedAndBuiltInScannersCombine) {
    type("speScanNbr1", "1");
    chooseFromList(list("cmbScanner1"), "Elephant");
    EXPECT_EQ(result(), sentence(300, 200));
    check("chkJack")->click();
    EXPECT_EQ(result(), sentence(300, 200)) << "a level 3 built-in scanner adds too little to show";
    type("speElecTech", "10");
    EXPECT_EQ(result(), sentence(314, 203));
    check("chkNAS")->click();
    EXPECT_EQ(result(), sentence(628, 203)) << "standard ranges only are doubled";
}

TEST_F(ScanningPageTest, ClickingTheBuiltInScannerCaptionTicksItsBox) {
    QTest::mouseClick(window->findChild<QLabel*>("captionJack"), Qt::LeftButton);
    EXPECT_TRUE(check("chkJack")->isChecked());
    EXPECT_EQ(result(), sentence(60, 30));
    QTest::mouseClick(window->findChild<QLabel*>("captionJack"), Qt::LeftButton);
    EXPECT_FALSE(check("chkJack")->isChecked());
    EXPECT_EQ(result(), sentence(0, 0));
}

TEST_F(ScanningPageTest, TypingOverAChosenScannerLeavesItsRowOut) {
    type("speScanNbr2", "1");
    chooseFromList(list("cmbScanner2"), "Peerless");
    EXPECT_EQ(result(), sentence(500, 0));
    list("cmbScanner2")->lineEdit()->selectAll();
    QTest::keyClicks(list("cmbScanner2")->lineEdit(), "Peer");
    EXPECT_EQ(result(), sentence(0, 0));
}

TEST_F(ScanningPageTest, ACountTypedBeyondTenIsUsedUntilTheBoxIsLeft) {
    chooseFromList(list("cmbScanner1"), "Peerless");
    type("speScanNbr1", "16");
    EXPECT_EQ(result(), sentence(1000, 0));
    check("chkNAS")->setFocus();
    EXPECT_EQ(box("speScanNbr1")->text(), "10");
    EXPECT_EQ(result(), sentence(889, 0));
}

TEST_F(ScanningPageTest, AnOverflowingSumIsReportedAndKeepsTheLastRanges) {
    type("speCustomScan1", "1");
    type("speScanRange1", "70");
    EXPECT_EQ(result(), sentence(70, 0));
    check("chkNAS")->click();
    box("speScanRange1")->setText("2147483647"); // pasted: typed digit by digit, each prefix would show
    EXPECT_EQ(dialogs.errors.last(), "Floating point overflow");
    EXPECT_EQ(result(), sentence(140, 0));
}

} // namespace
} // namespace kc::test
