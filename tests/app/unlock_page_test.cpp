#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kc::test {
namespace {

class UnlockPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Unlock MT Toys");
    }

    void unlock(const QString& name) {
        typeOver(window->findChild<QLineEdit*>("txtMT"), name);
        window->findChild<QPushButton*>("btnMTunlock")->click();
    }
    QLabel* panel() const { return window->findChild<QLabel*>("pnlMT"); }
    QColor panelColour() const { return panel()->palette().color(QPalette::WindowText); }
    widgets::ComboBox* list(const char* name) const { return control<widgets::ComboBox>(name); }
    QStringList lastItems() const {
        QStringList items;
        for (const char* name : kLists)
            items << list(name)->itemText(list(name)->count() - 1);
        return items;
    }

    static constexpr const char* kLists[] = {"cmbFuelEngine", "cmbEngine", "cmbDamageWeapon", "cmbWeapon",
                                             "cmbTorpType"};
};

TEST_F(UnlockPageTest, ThePanelStartsEmptyInMaroon) {
    EXPECT_EQ(panel()->text(), "");
    EXPECT_EQ(panelColour(), QColor(128, 0, 0));
}

TEST_F(UnlockPageTest, EnterInTheNameBoxUnlocksAsTheButtonDoes) {
    typeOver(window->findChild<QLineEdit*>("txtMT"), "jump gate");
    QTest::keyClick(window->findChild<QLineEdit*>("txtMT"), Qt::Key_Return);
    EXPECT_EQ(panel()->text(), "UNLOCK successfull - jump gate unlocked");
}

TEST_F(UnlockPageTest, ANameInAnyCaseUnlocksAndIsEchoedAsTyped) {
    unlock("Anti MATTER torpedo");
    EXPECT_EQ(panel()->text(), "UNLOCK successfull - Anti MATTER torpedo unlocked");
    EXPECT_EQ(panelColour(), QColor(Qt::blue));
    EXPECT_EQ(list("cmbTorpType")->count(), 12);
    EXPECT_EQ(list("cmbTorpType")->itemText(11), "anti matter torpedo");
}

TEST_F(UnlockPageTest, EachItemLandsAtTheEndOfItsListsAndTheChoiceStays) {
    chooseFromList(list("cmbFuelEngine"), "Galaxy Scoop");
    const QStringList before = lastItems();
    unlock("mega poly shell");
    unlock("multi contained munition");
    EXPECT_EQ(lastItems(), QStringList({"mega poly shell", "mega poly shell", "multi contained munition",
                                        "multi contained munition", before.last()}));
    EXPECT_EQ(list("cmbFuelEngine")->count(), 16);
    EXPECT_EQ(list("cmbDamageWeapon")->count(), 18);
    EXPECT_EQ(list("cmbFuelEngine")->currentText(), "Galaxy Scoop");
    EXPECT_EQ(list("cmbEngine")->itemIndex(), -1);
    unlock("mega poly shell"); // every click appends again
    EXPECT_EQ(list("cmbEngine")->count(), 17);
}

TEST_F(UnlockPageTest, TheOtherNineNamesSucceedButChangeNoList) {
    const QStringList before = lastItems();
    for (const char* name : {"enigma pulsar", "alien miner", "jump gate", "langston shell", "genesis device",
                             "multi function pod", "hush-a-boom", "mini morph", "multi cargo pod"}) {
        unlock(name);
        EXPECT_EQ(panel()->text(), QString("UNLOCK successfull - %1 unlocked").arg(name));
    }
    EXPECT_EQ(lastItems(), before);
}

TEST_F(UnlockPageTest, UnknownNamesFailInRed) {
    for (const QString& name : {QString(" jump gate"), QString(), QString::fromUtf8("\u00C9nigma pulsar")}) {
        unlock("enigma pulsar");
        unlock(name);
        EXPECT_EQ(panel()->text(), "UNLOCK failed - Item unknown") << name.toStdString();
        EXPECT_EQ(panelColour(), QColor(Qt::red));
    }
}

} // namespace
} // namespace kc::test
