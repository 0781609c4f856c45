#pragma once

// What GUI tests share: settings in a temporary folder, dialogs that record instead of blocking, and a
// window.
#include "app/main_window.h"
#include "app/user_dialogs.h"
#include "support/choose.h"
#include "support/qt_printers.h"
#include "widgets/auto_drop_box.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kc::test {

class RecordingDialogs final : public app::UserDialogs {
public:
    RecordingDialogs() : previous_(app::setUserDialogs(this)) {}
    ~RecordingDialogs() override { app::setUserDialogs(previous_); }
    RecordingDialogs(const RecordingDialogs&) = delete;
    RecordingDialogs& operator=(const RecordingDialogs&) = delete;

    void showMessage(const QString& caption, const QString& text, app::MessageIcon icon) override {
        messages << caption + ": " + text;
        icons.push_back(icon);
    }
    void showError(const QString& text) override { errors << text; }
    std::optional<QString> askText(const QString& caption, const QString& prompt, const QString& initial,
                                   int maxLength) override {
        questions << caption + ": " + prompt + " [" + initial + "] " + QString::number(maxLength);
        if (answers.empty())
            return std::nullopt;
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList messages;
    std::vector<app::MessageIcon> icons;
    QStringList errors;
    QStringList questions;
    std::deque<QString> answers; // the next text questions' answers; none left means Cancel

private:
    app::UserDialogs* previous_;
};

// Points the per-user settings at an empty temporary folder for the life of the object, for QSettings and
// for the program's own look at the files before it opens them.
class TemporarySettings {
public:
    TemporarySettings() {
        if (qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
            previousConfigFolder_ = qgetenv("XDG_CONFIG_HOME");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_.path()));
    }
    ~TemporarySettings() {
        if (previousConfigFolder_)
            qputenv("XDG_CONFIG_HOME", *previousConfigFolder_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    TemporarySettings(const TemporarySettings&) = delete;
    TemporarySettings& operator=(const TemporarySettings&) = delete;

    QString folder() const { return folder_.path(); }
    // The file the settings live in (it need not exist).
    static QString fileName() {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               "/Tarvellin/kc 3.0.conf";
    }

    static QSettings open() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarvellin"),
                         QStringLiteral("kc 3.0"));
    }
    static void store(const char* name, const QVariant& value) {
        QSettings settings = open();
        settings.setValue(QString::fromLatin1(name), value);
    }

private:
    std::optional<QByteArray> previousConfigFolder_;
    QTemporaryDir folder_;
};

// A shown window over fresh settings, recording dialogs and a design file in a temporary folder.
class WindowTest : public testing::Test {
protected:
    void SetUp() override { window = std::make_unique<app::TForm1>(app::StartupOptions{designFile()}); }
    QString designFile() const { return dataFolder.filePath(QStringLiteral("Cloaking.dat")); }
    void showWindow() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The window's control of that name and type; a misspelt name fails the test instead of crashing it.
    template <typename Control = QWidget> Control* control(const char* name) const {
        if (auto* found = window->findChild<Control*>(QString::fromLatin1(name)))
            return found;
        throw std::logic_error(std::string("no control of that type called ") + name);
    }
    widgets::SpinEdit* box(const char* name) const { return control<widgets::SpinEdit>(name); }
    void type(const char* name, const QString& text) { typeOver(control(name), text); }

    TemporarySettings settings;
    RecordingDialogs dialogs;
    QTemporaryDir dataFolder;
    std::unique_ptr<app::TForm1> window; // saves its designs when destroyed, before the folder goes
};

} // namespace kc::test
