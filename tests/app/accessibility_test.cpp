#include "app/calculator_page.h"
#include "app/page_table.h"
#include "app/page_text.h"
#include "support/app_fixture.h"
#include "support/choose.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace kc::test {
namespace {

bool isInput(const QWidget* widget) {
    return qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QAbstractItemView*>(widget) != nullptr ||
           qobject_cast<const QAbstractSlider*>(widget) != nullptr;
}

QString nameOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// A screen reader tells the inputs apart by their names: every input of a page has one of its own (the text
// field inside a box carries its box's), and every result says what it is.
TEST_F(WindowTest, EveryInputHasANameOfItsOwnAndEveryResultSaysWhatItIs) {
    showWindow();
    for (const char* button : {"btnOnTop", "btnHelp", "btnExit", "cmbTab"})
        EXPECT_FALSE(nameOf(window->findChild<QWidget*>(button)).isEmpty()) << button;
    for (const app::PageInfo& info : app::kPages) {
        if (*info.caption == '\0')
            continue;
        chooseFromList(window->pageSelector(), QString::fromUtf8(info.caption));
        app::CalculatorPage* page = window->activePage();
        QMap<QString, QString> owners;
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            if (!isInput(widget) || !widget->isVisibleTo(page) ||
                widget->objectName().startsWith("qt_scrollarea"))
                continue;
            const QString name = nameOf(widget);
            const std::string where = std::string(info.caption) + ": " + widget->objectName().toStdString() +
                                      " " + widget->metaObject()->className();
            EXPECT_FALSE(name.isEmpty()) << where;
            if (QWidget* whole = widget->parentWidget();
                qobject_cast<QLineEdit*>(widget) != nullptr && isInput(whole)) {
                EXPECT_EQ(name, nameOf(whole)) << where;
                continue;
            }
            EXPECT_FALSE(owners.contains(name)) << where << " is named \"" << name.toStdString() << "\" as "
                                                << owners.value(name).toStdString() << " is";
            owners.insert(name, widget->objectName());
        }
        for (const QString& result : page->resultControls())
            EXPECT_FALSE(page->findChild<QWidget*>(result)->accessibleDescription().isEmpty())
                << info.caption << ": " << result.toStdString();
    }
}

TEST_F(WindowTest, CtrlShiftCCopiesThePageWithItsInputsAndResults) {
    showWindow();
    chooseFromList(window->pageSelector(), "AR races");
    typeOver(window->findChild<QWidget*>("speARpop"), "250");
    chooseFromList(window->findChild<QComboBox*>("cmbStarBase"), "Death Star");
    QTest::keyClick(window->findChild<QWidget*>("speARpop"), Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("AR races\nPopulation: 250\nPlanet value: 100\nStarbase: Death Star\n"))
        << copied.toStdString();
    for (const char* result : {"lblARScanRange", "lblARpenScan", "lblARresources", "lblARMining"}) {
        const auto* label = window->findChild<QLabel*>(result);
        EXPECT_TRUE(copied.contains(label->accessibleDescription() + ": " + label->text() + "\n")) << result;
        EXPECT_TRUE(label->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard)) << result;
    }
}

} // namespace
} // namespace kc::test
