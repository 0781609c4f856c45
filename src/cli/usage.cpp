#include "cli/usage.h"

#include "app/calculator_page.h"
#include "app/main_window.h"
#include "app/page_table.h"
#include "cli/control_access.h"

namespace kc::cli {

namespace {

std::string text(const QString& s) {
    return s.toStdString();
}

QString pageTitle(int index) {
    const app::PageInfo& info = app::kPages.at(index);
    return QString::fromUtf8(*info.caption != '\0' ? info.caption : "(front page, not listed)");
}

} // namespace

void printUsage(std::ostream& out) {
    out << R"(Usage: korvathcalc-cli [--designs PATH] [--strict] [--json] NAME=VALUE [NAME=VALUE ...]
       korvathcalc-cli [--designs PATH] [--strict] --batch [FILE]
       korvathcalc-cli --help [PAGE]
       korvathcalc-cli --version

Sets each named control as a user would, in order, then prints the result controls of every page touched
as NAME=TEXT (in TEXT a line feed is written \n, a carriage return \r, a backslash \\ and any other control
character \xHH). Integer and text boxes take VALUE as typed; check boxes and radio buttons take 1 or 0;
lists take an item's exact text; buttons take 'click' or, for a button that asks for a text, the answer to
give (OK); 'click' then answers with the text offered (btnCloakAdd=click adds "Ship N"). List boxes take
select:N (click line N), select:-1 (clear the choice, as Ctrl+click does) or dblclick, and print their lines
as NAME[i]=TEXT. cmbTab=<caption> chooses a page.

--designs PATH  use the cloak designs in PATH instead of the usual Cloaking.dat (a regular file or none yet);
                designs are saved there as they change, and a run that changes none writes nothing.
--strict        refuse a value the control would not read as typed: a box's text that is no whole number in
                its range or longer than it takes, a list item that is not in the list.
--json          print the run as one JSON object, as one line of --batch answers it.
--batch [FILE]  read scenarios from FILE (or standard input), one JSON object a line:
                  {"id": <any JSON value>, "args": ["NAME=VALUE", ...]}
                and answer each with one JSON line, in order:
                  {"id": <the same>, "exit": 0|1|2, "results": {NAME: TEXT or [TEXT, ...]},
                   "errors": [...], "messages": [...]}
                Every scenario starts as a fresh run does, with the designs read when the batch started;
                a batch never writes the design file. A line that is no such object is answered with
                exit 2 and the reason in "errors".
                  printf '%s\n' '{"id": 1, "args": ["speARpop=250"]}' | korvathcalc-cli --batch

Reals are read and written with the decimal separator of the locale (LC_ALL=C gives "."); the calculator's
expressions always use ".".
Exit status 0, 1 after an error report, 2 for bad arguments (for --batch: 0 once every line is answered).

Pages (caption, object name):
)";
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
        return 0;
    }
    err << "korvathcalc-cli: no page named '" << text(wanted) << "' (see --help)\n";
    return 2;
}

} // namespace kc::cli
