#include "real_window/real_window_fixture.h"

#include "app/calculator_page.h"
#include "widgets/auto_drop_box.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QProcess>

namespace kc::test {

namespace {

QString dialogTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts.join(QStringLiteral(" | "));
}

// From the top of the list, one Down key a line.
QString keysToLine(int row) {
    return QStringLiteral("Home") + QStringLiteral(" Down").repeated(row) + QStringLiteral(" Return");
}

} // namespace

void RealWindowTest::SetUp() {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("KC_TEST_DESKTOP")) << "run on tests/real_window/on_desktop.sh";
    // Away from where the window appears, or the page selector would drop its list at once.
    player.movePointerToCorner();
    window = std::make_unique<app::TForm1>(app::StartupOptions{designFile()});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    player.activate(*window);
    ASSERT_TRUE(Player::waitUntil([&] { return window->isActiveWindow(); }));
}

void RealWindowTest::TearDown() {
    EXPECT_EQ(dialogsStillExpected(), 0) << "an expected dialog never opened";
    forgetExpectedDialogs();
    window.reset();
}

void RealWindowTest::choosePage(const QString& caption) {
    widgets::TAutoDropBox& selector = *window->pageSelector();
    player.point(selector);
    if (!Player::waitUntil([&] { return selector.isDroppedDown(); }, 1000))
        player.click(selector); // the pointer was there already, or auto-drop is off
    ASSERT_TRUE(selector.isDroppedDown());
    const int row = selector.findText(caption);
    ASSERT_GE(row, 0) << caption.toStdString();
    player.press(keysToLine(row));
    ASSERT_TRUE(Player::waitUntil([&] { return window->activePage()->windowTitle() == caption; }))
        << caption.toStdString();
}

void RealWindowTest::chooseItem(QComboBox& list, const QString& item) {
    const int row = list.findText(item);
    ASSERT_GE(row, 0) << item.toStdString();
    player.click(list, QPoint(list.width() - 6, list.height() / 2));
    ASSERT_TRUE(Player::waitUntil([&] { return list.view()->isVisible(); }));
    player.press(keysToLine(row));
    ASSERT_TRUE(Player::waitUntil([&] { return !list.view()->isVisible(); }));
    EXPECT_EQ(list.currentText(), item);
}

void RealWindowTest::answerNextDialog(const QString& keys, QString* seen, const QString& typed) {
    expectDialog([keys, seen, typed](QWidget& dialog) {
        if (seen != nullptr)
            *seen = dialogTexts(dialog);
        // Started, not waited for: the dialog's own event loop must run to take the input. xdotool's "type"
        // takes every word after it, so the keys come in a second call.
        const QString script = QStringLiteral(
            "xdotool windowactivate --sync \"$1\" && { [ -z \"$2\" ] || xdotool key ctrl+a type --delay 15 "
            "\"$2\"; } && xdotool key --delay 15 $3");
        QProcess::startDetached(QStringLiteral("sh"),
                                {"-c", script, "answer", QString::number(dialog.winId()), typed, keys});
    });
}

} // namespace kc::test
