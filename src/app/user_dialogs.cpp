#include "app/user_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

namespace kc::app {

namespace {

QPointer<QWidget> dialogParent;

QString applicationTitle() {
    return QString::fromLatin1(kApplicationTitle);
}

class QtDialogs final : public UserDialogs {
public:
    void showMessage(const QString& caption, const QString& text, MessageIcon icon) override {
        switch (icon) {
        case MessageIcon::Information:
            QMessageBox::information(dialogParent, caption, text);
            break;
        case MessageIcon::Warning:
            QMessageBox::warning(dialogParent, caption, text);
            break;
        case MessageIcon::Error:
            QMessageBox::critical(dialogParent, caption, text);
            break;
        }
    }
    void showError(const QString& text) override {
        QMessageBox::critical(dialogParent, applicationTitle(), text);
    }
    std::optional<QString> askText(const QString& caption, const QString& prompt, const QString& initial,
                                   int maxLength) override {
        QInputDialog dialog(dialogParent);
        dialog.setWindowTitle(caption);
        dialog.setLabelText(prompt);
        dialog.setTextValue(initial);
        // The limit shows while typing instead of cutting the name silently afterwards.
        if (auto* box = dialog.findChild<QLineEdit*>())
            box->setMaxLength(maxLength);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }
};

UserDialogs* replacement = nullptr;

} // namespace

UserDialogs& userDialogs() {
    static QtDialogs real;
    return replacement != nullptr ? *replacement : real;
}

UserDialogs* setUserDialogs(UserDialogs* dialogs) {
    return std::exchange(replacement, dialogs);
}

void reportFailure(const std::exception& failure) {
    userDialogs().showError(QString::fromStdString(failure.what()));
}

void setDialogParent(QWidget* parent) {
    dialogParent = parent;
}

} // namespace kc::app
