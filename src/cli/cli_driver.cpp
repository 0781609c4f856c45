#include "cli/cli_driver.h"

#include "app/calculator_page.h"
#include "app/main_window.h"
#include "app/page_table.h"
#include "app/page_text.h"
#include "app/regular_file.h"
#include "app/user_dialogs.h"
#include "cli/control_access.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <map>
#include <memory>
#include <set>

namespace kc::cli {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitErrorReported = 1;
constexpr int kExitBadArguments = 2;

struct Assignment {
    QString name;
    QString value;
};

struct Invocation {
    bool version = false;
    bool help = false;
    QString helpPage;
    QString designFile;
    std::vector<Assignment> assignments;
};

std::string text(const QString& s) {
    return s.toStdString();
}

// Dialogs that never block: each message and error is printed as it happens.
class PrintingDialogs final : public app::UserDialogs {
public:
    PrintingDialogs(std::ostream& out, TextAnswerSlot& answers) : out_(out), answers_(answers) {}

    void showMessage(const QString& /*caption*/, const QString& message, app::MessageIcon /*icon*/) override {
        out_ << "message=" << text(escapeText(message)) << '\n';
    }
    void showError(const QString& message) override {
        errorReported_ = true;
        out_ << "error=" << text(escapeText(message)) << '\n';
    }
    std::optional<QString> askText(const QString&, const QString&, const QString& initial, int) override {
        if (answers_.pending)
            return std::exchange(answers_.pending, std::nullopt);
        if (std::exchange(answers_.acceptInitial, false))
            return initial;
        return std::nullopt;
    }
    bool errorReported() const { return errorReported_; }

private:
    std::ostream& out_;
    TextAnswerSlot& answers_;
    bool errorReported_ = false;
};

class DialogsScope {
public:
    explicit DialogsScope(app::UserDialogs* dialogs) : previous_(app::setUserDialogs(dialogs)) {}
    ~DialogsScope() { app::setUserDialogs(previous_); }
    DialogsScope(const DialogsScope&) = delete;
    DialogsScope& operator=(const DialogsScope&) = delete;

private:
    app::UserDialogs* previous_;
};

// Parses the arguments; nullopt after printing what is wrong.
std::optional<Invocation> parse(const QStringList& arguments, std::ostream& err) {
    Invocation invocation;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--version")) {
            invocation.version = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            invocation.help = true;
            if (i + 1 < arguments.size())
                invocation.helpPage = arguments.at(++i);
        } else if (argument == QLatin1String("--designs")) {
            if (i + 1 >= arguments.size()) {
                err << "korvathcalc-cli: --designs needs a file path\n";
                return std::nullopt;
            }
            // Absolute now: start-up makes the program's folder the current directory.
            invocation.designFile = QFileInfo(arguments.at(++i)).absoluteFilePath();
            if (!app::isRegularOrAbsent(invocation.designFile)) {
                err << "korvathcalc-cli: --designs '" << text(invocation.designFile)
                    << "' is not a regular file (a folder, pipe, device or socket cannot hold designs)\n";
                return std::nullopt;
            }
        } else if (const qsizetype equals = argument.indexOf(u'='); equals > 0) {
            invocation.assignments.push_back({argument.left(equals), argument.mid(equals + 1)});
        } else {
            err << "korvathcalc-cli: malformed argument '" << text(argument)
                << "': expected NAME=VALUE (see --help)\n";
            return std::nullopt;
        }
    }
    return invocation;
}

// The page that holds a control; nullptr for the top bar.
app::CalculatorPage* pageOf(QWidget* control) {
    for (QWidget* widget = control; widget != nullptr; widget = widget->parentWidget())
        if (auto* page = qobject_cast<app::CalculatorPage*>(widget))
            return page;
    return nullptr;
}

int pageIndexOf(const app::TForm1& window, const app::CalculatorPage* page) {
    for (int index = 0; index < window.pageCount(); ++index)
        if (window.page(index) == page)
            return index;
    return -1;
}

void printResults(const app::TForm1& window, const std::set<int>& pages, std::ostream& out) {
    for (const int index : pages) {
        const app::CalculatorPage* page = window.page(index);
        for (const QString& name : page->resultControls()) {
            const auto* control = page->findChild<QWidget*>(name);
            const QStringList lines =
                control != nullptr ? app::controlTexts(control) : QStringList{QString()};
            if (qobject_cast<const QAbstractItemView*>(control) == nullptr) {
                out << text(name) << '=' << text(escapeText(lines.value(0))) << '\n';
                continue;
            }
            for (int row = 0; row < lines.size(); ++row)
                out << text(name) << '[' << row << "]=" << text(escapeText(lines.at(row))) << '\n';
        }
    }
}

QString pageTitle(int index) {
    const app::PageInfo& info = app::kPages.at(index);
    return QString::fromUtf8(*info.caption != '\0' ? info.caption : "(front page, not listed)");
}

void printPages(std::ostream& out) {
    out << "Usage: korvathcalc-cli [--designs PATH] NAME=VALUE [NAME=VALUE ...]\n"
           "       korvathcalc-cli --help [PAGE]\n"
           "       korvathcalc-cli --version\n\n"
           "Sets each named control as a user would, in order, then prints the result controls of every "
           "page\n"
           "touched as NAME=TEXT. Integer and text boxes take VALUE as typed; check boxes and radio buttons "
           "take\n"
           "1 or 0; lists take an item's exact text; buttons take 'click' or, for a button that asks for a "
           "text,\n"
           "the answer to give (OK); 'click' then answers with the text offered (btnCloakAdd=click adds "
           "\"Ship N\").\n"
           "List boxes take select:N (click line N), select:-1 (clear the choice, as Ctrl+click does) or "
           "dblclick,\n"
           "and print their lines as NAME[i]=TEXT. cmbTab=<caption> chooses a page.\n"
           "--designs PATH reads the cloak designs from PATH at start and saves them there at exit, instead "
           "of\n"
           "the usual Cloaking.dat.\n"
           "Exit status 0, 1 after an error report, 2 for bad arguments.\n\n"
           "Pages (caption, object name):\n";
    for (int index = 1; index < app::kPageCount; ++index)
        out << "  " << text(pageTitle(index)) << "  [" << app::kPages.at(index).name << "]\n";
}

int printPageControls(const app::TForm1& window, const QString& wanted, std::ostream& out,
                      std::ostream& err) {
    for (int index = 0; index < window.pageCount(); ++index) {
        const app::CalculatorPage* page = window.page(index);
        if (page->objectName().compare(wanted, Qt::CaseInsensitive) != 0 &&
            pageTitle(index).compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        out << text(pageTitle(index)) << " [" << text(page->objectName()) << "]\nInputs:\n";
        for (const QWidget* control : page->findChildren<QWidget*>()) {
            const QString description = describeControl(control);
            if (!description.isEmpty() && !control->objectName().isEmpty() &&
                !control->objectName().startsWith(QLatin1String("qt_")))
                out << "  " << text(control->objectName()) << ": " << text(description) << '\n';
        }
        out << "Results, in the order they are written:\n";
        for (const QString& name : page->resultControls())
            out << "  " << text(name) << '\n';
        return kExitOk;
    }
    err << "korvathcalc-cli: no page named '" << text(wanted) << "' (see --help)\n";
    return kExitBadArguments;
}

QWidget* findControl(const app::TForm1& window, const QString& name) {
    if (name.isEmpty())
        return nullptr;
    return window.findChild<QWidget*>(name);
}

} // namespace

QString escapeText(const QString& raw) {
    QString escaped;
    escaped.reserve(raw.size());
    for (const QChar c : raw) {
        if (c == u'\\')
            escaped += QLatin1String("\\\\");
        else if (c == u'\n')
            escaped += QLatin1String("\\n");
        else if (c == u'\r')
            escaped += QLatin1String("\\r");
        else
            escaped += c;
    }
    return escaped;
}

int runDriver(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    const std::optional<Invocation> invocation = parse(arguments, err);
    if (!invocation)
        return kExitBadArguments;
    if (invocation->version) {
        out << "korvathcalc-cli " << text(QCoreApplication::applicationVersion()) << '\n';
        return kExitOk;
    }
    if (invocation->help && invocation->helpPage.isEmpty()) {
        printPages(out);
        return kExitOk;
    }

    TextAnswerSlot answers;
    PrintingDialogs dialogs(out, answers);
    const DialogsScope dialogsScope(&dialogs);
    auto window = std::make_unique<app::TForm1>(app::StartupOptions{invocation->designFile});
    window->show();

    if (invocation->help)
        return printPageControls(*window, invocation->helpPage, out, err);

    for (const Assignment& assignment : invocation->assignments) {
        if (findControl(*window, assignment.name) == nullptr) {
            err << "korvathcalc-cli: unknown control '" << text(assignment.name) << "' in argument '"
                << text(assignment.name) << '=' << text(assignment.value) << "' (see --help PAGE)\n";
            return kExitBadArguments;
        }
    }

    std::set<int> touchedPages;
    for (const Assignment& assignment : invocation->assignments) {
        QWidget* control = findControl(*window, assignment.name);
        if (const auto problem = applyValue(control, assignment.value, answers)) {
            err << "korvathcalc-cli: bad argument '" << text(assignment.name) << '=' << text(assignment.value)
                << "': " << text(assignment.name) << ' ' << text(*problem) << '\n';
            return kExitBadArguments;
        }
        const app::CalculatorPage* page =
            assignment.name == QLatin1String("cmbTab") ? window->activePage() : pageOf(control);
        if (page != nullptr)
            touchedPages.insert(pageIndexOf(*window, page));
    }
    printResults(*window, touchedPages, out);
    window.reset(); // shutdown runs here, as at the window's close
    return dialogs.errorReported() ? kExitErrorReported : kExitOk;
}

} // namespace kc::cli
