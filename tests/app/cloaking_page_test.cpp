#include "app/pages/cloaking_page.h"
#include "storage/cloak_designs.h"
#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/spin_edit.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace kc::test {
namespace {

using storage::Device;

constexpr const char* kCaption = "This fleet is    % cloaked";

class CloakingPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Cloaking");
    }

    app::CloakingPage* page() const { return window->findChild<app::CloakingPage*>("tabCloak"); }
    storage::CloakDesigns& store() const { return page()->designs(); }
    QListWidget* list() const { return window->findChild<QListWidget*>("lstCloak"); }
    bool groupEnabled(const char* name) const { return control<QGroupBox>(name)->isEnabled(); }
    QString result() const { return window->findChild<QLabel*>("pnlResultCloak")->text(); }
    void click(const char* button) {
        QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void clickRow(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row)).center());
    }
    void add(const QString& name) {
        dialogs.answers.push_back(name);
        click("btnCloakAdd");
    }
    QStringList rows() const {
        QStringList names;
        for (int row = 0; row < list()->count(); ++row)
            names << list()->item(row)->text();
        return names;
    }
};

TEST_F(CloakingPageTest, WithoutDesignsOnlyTheOwnerBoxesWorkAndTheFleetIsEmpty) {
    EXPECT_FALSE(groupEnabled("grpCloaking"));
    EXPECT_FALSE(groupEnabled("grpCloakShip"));
    EXPECT_TRUE(groupEnabled("grpCloakOwner"));
    EXPECT_EQ(result(), kCaption);
    typeOver(box("speCloakFreight"), "500");
    EXPECT_EQ(result(), "The Fleet is 0 % cloaked");
}

TEST_F(CloakingPageTest, AddAsksForANameThenSelectsAndLoadsTheNewDesign) {
    click("btnCloakAdd"); // cancelled
    EXPECT_EQ(dialogs.questions,
              QStringList{"Add new design: Give this ship design a name (8 chars max) : [Ship 1] 8"});
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(groupEnabled("grpCloaking")) << "Add enables the boxes even when cancelled";

    add("Scout ship");
    EXPECT_EQ(rows(), QStringList{"Scout sh"});
    EXPECT_TRUE(list()->item(0)->isSelected());
    EXPECT_EQ(box("speCloakEmpty")->text(), "10") << "a fresh design's weight of 0 shows clamped";
    EXPECT_EQ(store().records.at(0).emptyWeight, 0) << "loading stores nothing";
    EXPECT_EQ(result(), kCaption) << "loading recomputes nothing";

    typeOver(box("speCloakTrans"), "1");
    typeOver(box("speCloakNbr"), "1");
    EXPECT_EQ(result(), "The Fleet is 75 % cloaked");
    EXPECT_EQ(store().records.at(0).emptyWeight, 10) << "every change stores all nine boxes";
    add("Second");
    EXPECT_EQ(dialogs.questions.last(),
              "Add new design: Give this ship design a name (8 chars max) : [Ship 2] 8");
}

TEST_F(CloakingPageTest, ClickingADesignShowsItsValues) {
    add("One");
    typeOver(box("speCloakUltra"), "3");
    typeOver(box("speCloakEmpty"), "70000");
    add("Two");
    EXPECT_EQ(box("speCloakUltra")->text(), "0");
    clickRow(0);
    EXPECT_EQ(box("speCloakUltra")->text(), "3");
    EXPECT_EQ(box("speCloakEmpty")->text(), "65535") << "the record holds the nearest weight it can";
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(box("speCloakUltra")->text(), "0") << "the keys pick a design too";
}

TEST_F(CloakingPageTest, TheRefusalsShowTheirIcons) {
    click("btnCloakRemove");
    for (int i = 1; i <= 17; ++i)
        add(QString::number(i));
    EXPECT_EQ(dialogs.messages,
              (QStringList{"Can't remove: None Selected", "The Outer Limit: Only 16 designs allowed"}));
    EXPECT_EQ(dialogs.icons, (std::vector{app::MessageIcon::Error, app::MessageIcon::Warning}));
    EXPECT_EQ(list()->count(), 16);
    EXPECT_EQ(dialogs.answers.size(), 1U) << "no name is asked for the 17th";
}

TEST_F(CloakingPageTest, RemoveDropsTheSelectedDesignThenLoadsAndStoresTheFirst) {
    for (const char* name : {"A", "B", "C"})
        add(name);
    typeOver(box("speCloakStealth"), "4");
    clickRow(1);
    click("btnCloakRemove");
    EXPECT_EQ(rows(), (QStringList{"A", "C"}));
    EXPECT_TRUE(list()->item(0)->isSelected());
    EXPECT_EQ(store().records.at(1).device(Device::Stealth), 4) << "C moved into slot 1";
    EXPECT_EQ(store().records.at(0).emptyWeight, 10) << "the first design is stored back as shown";
    EXPECT_EQ(result(), "The Fleet is 0 % cloaked");

    click("btnCloakRemove");
    click("btnCloakRemove");
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_FALSE(groupEnabled("grpCloaking"));
    EXPECT_FALSE(groupEnabled("grpCloakShip"));
    EXPECT_EQ(result(), "The Fleet is 0 % cloaked") << "the panel keeps its text";
}

// Counts the pixels of exactly `colour` in a part of an image.
int pixelsOf(const QImage& image, const QRect& area, const QColor& colour) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += image.pixelColor(x, y) == colour ? 1 : 0;
    return found;
}

TEST_F(CloakingPageTest, RowsShowTheNameAndTheShipCountInTheirColours) {
    add("Alpha");
    typeOver(box("speCloakNbr"), "12");
    add("Beta");
    typeOver(box("speCloakNbr"), "7");
    QFont crisp = list()->font(); // whole-colour glyph pixels, so the colours can be counted
    crisp.setStyleStrategy(QFont::NoAntialias);
    list()->setFont(crisp);

    const QRect selectedRow = list()->visualItemRect(list()->item(1));
    const QRect otherRow = list()->visualItemRect(list()->item(0));
    EXPECT_EQ(selectedRow.height(), 13);
    QImage image(list()->viewport()->size(), QImage::Format_RGB32);
    list()->viewport()->render(&image);
    const int half = selectedRow.width() / 2;
    const auto part = [&](const QRect& row, int from, int width) {
        return QRect(from, row.top(), width, row.height());
    };
    const QColor navy(0, 0, 128), lime(0, 255, 0), maroon(128, 0, 0);
    const QPalette& palette = list()->palette();
    const int end = otherRow.right();

    EXPECT_EQ(image.pixelColor(0, selectedRow.top()), navy);
    EXPECT_GT(pixelsOf(image, part(selectedRow, 0, half), Qt::white), 0);
    EXPECT_EQ(pixelsOf(image, part(selectedRow, 0, half), lime), 0) << "the count is right-aligned";
    EXPECT_GT(pixelsOf(image, part(selectedRow, half, half), lime), 0);
    EXPECT_EQ(image.pixelColor(0, otherRow.top()), palette.color(QPalette::Base));
    EXPECT_GT(pixelsOf(image, part(otherRow, 0, half), palette.color(QPalette::Text)), 0);
    // The count's advance ends 5 pixels from the right; its ink may stop a little short of that.
    EXPECT_GT(pixelsOf(image, part(otherRow, end - 12, 8), maroon), 0);
    EXPECT_EQ(pixelsOf(image, part(otherRow, end - 4, 5), maroon), 0);
}

} // namespace
} // namespace kc::test
