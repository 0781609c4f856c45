#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <utility>

class QWidget;

namespace kc::app {

// The application's title, the caption of its message boxes.
inline constexpr const char* kApplicationTitle = "Korvath! Calculator";

// The icon a message box shows.
enum class MessageIcon { Information, Warning, Error };

// Every message box, error report and text question of the program goes through one UserDialogs object: real
// dialogs in the window, recorders in tests and in the command-line driver, so nothing there ever blocks.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A message box with an OK button.
    virtual void showMessage(const QString& caption, const QString& text,
                             MessageIcon icon = MessageIcon::Information) = 0;
    // The application's default error report for a failure that escaped a handler.
    virtual void showError(const QString& text) = 0;
    // A one-line text question whose answer holds at most `maxLength` characters; nullopt when cancelled.
    virtual std::optional<QString> askText(const QString& caption, const QString& prompt,
                                           const QString& initial, int maxLength) = 0;
};

// The dialogs in use: the real ones unless replaced.
UserDialogs& userDialogs();
// Replaces the dialogs (nullptr restores the real ones); returns the previous replacement.
UserDialogs* setUserDialogs(UserDialogs* dialogs);

// Reports a failure that escaped a handler with the runtime's message.
void reportFailure(const std::exception& failure);

// Runs a handler; a failure it raises is reported and the program carries on.
template <typename Handler> void runReported(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& failure) {
        reportFailure(failure);
    }
}

// A slot that runs `method` of `receiver` under the default error report, for connecting controls to
// handlers:
//   connect(ui->speARpop, &SpinEdit::changed, this, reported(this, &ArRacesPage::speARpopChange));
template <typename Receiver, typename Method> auto reported(Receiver* receiver, Method method) {
    return [receiver, method] { runReported([&] { (receiver->*method)(); }); };
}

// The real dialogs' parent window.
void setDialogParent(QWidget* parent);

} // namespace kc::app
