#include "app/calculator_page.h"
#include "app/page_table.h"
#include "app/pages/calculator_page.h"
#include "core/text_conversion.h"
#include "support/app_fixture.h"
#include "support/choose.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>

namespace kc::test {
namespace {

class CalculatorPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Calculator");
        box = window->findChild<QLineEdit*>("txtCalc");
        history = window->findChild<QListView*>("lstC");
    }
    void TearDown() override { setDecimalSeparator(separator); }

    QStringList lines() const {
        QStringList texts;
        for (int row = 0; row < history->model()->rowCount(); ++row)
            texts << history->model()->index(row, 0).data().toString();
        return texts;
    }
    void press(const char* button) {
        auto* key = window->findChild<QToolButton*>(button);
        QTest::mouseClick(key, Qt::LeftButton, {}, key->rect().center());
    }
    void enter(const QString& expression) {
        QTest::keyClicks(box, expression);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void doubleClickLine(int row) {
        const QRect line = history->visualRect(history->model()->index(row, 0));
        QTest::mouseClick(history->viewport(), Qt::LeftButton, {}, line.center());
        QTest::mouseDClick(history->viewport(), Qt::LeftButton, {}, line.center());
    }

    QLineEdit* box = nullptr;
    QListView* history = nullptr;
    char separator = decimalSeparator();
};

TEST_F(CalculatorPageTest, EnterAppendsTheExpressionAndItsValueAndEmptiesTheBox) {
    box->setFocus();
    enter("2+3");
    EXPECT_EQ(lines(), QStringList({"2+3", "5"}));
    EXPECT_EQ(box->text(), "");
    EXPECT_TRUE(box->hasFocus());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(CalculatorPageTest, TheBoxRefusesLettersBlanksAndCommas) {
    box->setFocus();
    QTest::keyClicks(box, "a1 ,x+(2)*3.5/4^2-=");
    EXPECT_EQ(box->text(), "1+(2)*3.5/4^2-");
}

TEST_F(CalculatorPageTest, KeypadButtonsAppendAtTheEndWhateverTheCaret) {
    box->setText("12");
    box->setCursorPosition(0);
    press("btnCsqrt");
    press("btnC9");
    press("btnCbc");
    EXPECT_EQ(box->text(), "12SQRT(9)");
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->cursorPosition(), 9);
    EXPECT_FALSE(box->hasSelectedText());
    box->setText("");
    for (const char* key : {"btnCsqrt", "btnC9", "btnCbc", "btnCeq"})
        press(key);
    EXPECT_EQ(lines(), QStringList({"SQRT(9)", "3"}));
}

TEST_F(CalculatorPageTest, EqualsWithAnEmptyBoxAppendsAnEmptyLineAndZero) {
    press("btnCeq");
    EXPECT_EQ(lines(), QStringList({"", "0"}));
}

struct FailureCase {
    const char* expression;
    const char* message;
};

TEST_F(CalculatorPageTest, AFailureLeavesTheExpressionWithoutAValueAndInTheBox) {
    const FailureCase cases[] = {
        {"(2+3", "Missing brackets in expression (\")\")"},
        {"1/0", "Floating point division by zero"},
    };
    QStringList expected;
    for (const FailureCase& c : cases) {
        box->setFocus();
        box->clear();
        enter(c.expression);
        expected << c.expression;
        EXPECT_EQ(lines(), expected);
        EXPECT_EQ(box->text(), c.expression);
        ASSERT_FALSE(dialogs.errors.isEmpty());
        EXPECT_EQ(dialogs.errors.last(), c.message);
    }
}

TEST_F(CalculatorPageTest, DoubleClickingAHistoryLineAppendsItToTheExpression) {
    box->setFocus();
    enter("2+3");
    QTest::keyClicks(box, "2*");
    doubleClickLine(1);
    EXPECT_EQ(box->text(), "2*5");
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->cursorPosition(), 3);
}

TEST_F(CalculatorPageTest, ACommaSeparatedValueFromTheHistoryDoesNotCompile) {
    setDecimalSeparator(',');
    box->setText("5/2");
    press("btnCeq");
    EXPECT_EQ(lines(), QStringList({"5/2", "2,5"}));
    doubleClickLine(1);
    EXPECT_EQ(box->text(), "2,5");
    press("btnCeq");
    EXPECT_EQ(lines().size(), 3);
    EXPECT_FALSE(dialogs.errors.isEmpty());
}

// Also across the "=" that first fills the list and brings up its scroll bar.
TEST_F(CalculatorPageTest, AfterEachEqualsTheLatestValueIsTheTopLineAndFitsTheWidth) {
    for (int i = 1; i <= 20; ++i) {
        box->setText("1/3");
        press("btnCeq");
        const int last = 2 * i - 1;
        EXPECT_EQ(history->indexAt(QPoint(2, 1)).row(), last) << i;
        const QRect line = history->visualRect(history->model()->index(last, 0));
        EXPECT_EQ(line.height(), 13);
        EXPECT_EQ(line.right(), history->viewport()->width() - 1) << i;
        EXPECT_FALSE(history->horizontalScrollBar()->isVisible()) << i;
    }
}

TEST_F(CalculatorPageTest, EnterOnASelectedHistoryLineAppendsIt) {
    box->setFocus();
    enter("6");
    QTest::keyClicks(box, "2*");
    history->setFocus();
    history->setCurrentIndex(history->model()->index(1, 0));
    QTest::keyClick(history, Qt::Key_Return);
    EXPECT_EQ(box->text(), "2*6");
    EXPECT_TRUE(box->hasFocus());
}

TEST_F(CalculatorPageTest, GainingTheFocusSelectsNothingAndPutsTheCaretAtTheEnd) {
    box->setText("1+2");
    history->setFocus();
    QTest::keyClick(history, Qt::Key_Tab);
    ASSERT_TRUE(box->hasFocus());
    EXPECT_FALSE(box->hasSelectedText());
    EXPECT_EQ(box->cursorPosition(), 3);
}

// The box holds 32,767 characters; what would make it longer is refused whole, never cut.
TEST_F(CalculatorPageTest, ALongPasteIsTakenWholeOrRefusedWhole) {
    const QString deep = QString(16383, '(') + "1" + QString(16383, ')'); // 32,767 characters
    QSignalSpy refused(box, &QLineEdit::inputRejected);
    const auto paste = [&](const QString& text) {
        QApplication::clipboard()->setText(text);
        box->paste();
    };
    box->setFocus();
    const struct {
        QString pasted;
        QString after;
    } pastes[] = {
        {"(" + deep + ")", ""},               // 32,769 characters
        {deep.left(32760), deep.left(32760)}, // fits
        {")))))))+1", deep.left(32760)},      // nine more: refused, not cut to seven
        {")))))))", deep},                    // seven more: exactly the limit
    };
    for (const auto& step : pastes) {
        paste(step.pasted);
        EXPECT_TRUE(box->text() == step.after)
            << step.pasted.size() << " characters pasted: " << box->text().size() << " in the box";
    }
    QTest::keyClicks(box, "+");
    press("btnCPlus");
    EXPECT_TRUE(box->text() == deep) << "a keystroke or keypad press beyond the limit changes nothing";
    EXPECT_EQ(refused.count(), 3) << "the box beeps at each refused paste or keystroke";

    press("btnCeq");
    EXPECT_TRUE(lines() == QStringList({deep, "1"})) << "the whole expression and its value";
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(CalculatorPageTest, FitsItsPageHeightAndEveryKeyShowsItsWholeCaption) {
    const QWidget* page = window->activePage();
    const int height = app::kPages.at(window->activePageIndex()).tag - 57;
    for (const QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_LE(child->geometry().bottom(), height) << child->objectName().toStdString();
        EXPECT_LE(child->geometry().right(), 393) << child->objectName().toStdString();
    }
    for (const QToolButton* key : page->findChildren<QToolButton*>()) {
        EXPECT_EQ(key->height(), 25);
        EXPECT_LE(QFontMetrics(key->font()).horizontalAdvance(key->text()), key->width() - 2)
            << key->objectName().toStdString();
    }
}

struct PaletteCase {
    QColor window;
    QColor digit;  // the digit keys' text colour
    QColor symbol; // the other keys'
};

TEST(CalculatorKeypadColours, ThePureHuesOnALightWindowLightTintsOnADarkOne) {
    const PaletteCase cases[] = {
        {QColor(240, 240, 240), QColor(0, 0, 255), QColor(255, 0, 0)},
        {QColor(53, 53, 53), QColor::fromHsl(240, 255, 190), QColor::fromHsl(0, 255, 190)},
    };
    const QPalette original = QApplication::palette();
    for (const PaletteCase& c : cases) {
        QPalette palette = original;
        palette.setColor(QPalette::Window, c.window);
        QApplication::setPalette(palette);
        app::CalcPage page;
        const auto textOf = [&](const char* key) {
            return page.findChild<QToolButton*>(key)->palette().color(QPalette::ButtonText);
        };
        EXPECT_EQ(textOf("btnC7"), c.digit) << c.window.name().toStdString();
        EXPECT_EQ(textOf("btnCPlus"), c.symbol) << c.window.name().toStdString();
    }
    QApplication::setPalette(original);
}

} // namespace
} // namespace kc::test
