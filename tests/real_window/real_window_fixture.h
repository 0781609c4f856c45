#pragma once

// The real main window on a real desktop (tests/real_window/on_desktop.sh), with real dialogs, played with
// real input.

#include "app/main_window.h"
#include "real_window/player.h"
#include "support/app_fixture.h"
#include "support/dialog_watchdog.h"

#include <QComboBox>
#include <QTemporaryDir>

#include <memory>

namespace kc::test {

class RealWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString designFile() const { return dataFolder.filePath(QStringLiteral("Cloaking.dat")); }
    template <typename Control = QWidget> Control& control(const char* name) {
        auto* found = window->findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }

    // Chooses a page in the selector as a player does: the pointer drops the list, the keys pick the line.
    void choosePage(const QString& caption);
    // Opens a page's drop-down list with its arrow and picks an item with the keys.
    void chooseItem(QComboBox& list, const QString& item);
    // The next dialog is answered as a player does: `typed` typed over its text box (when not empty), then
    // `keys` pressed ("Return" is OK); its texts go to `seen`.
    void answerNextDialog(const QString& keys, QString* seen = nullptr, const QString& typed = {});

    TemporarySettings settings;
    QTemporaryDir dataFolder;
    Player player;
    std::unique_ptr<app::TForm1> window;
};

} // namespace kc::test
