#include "app/calculator_page.h"
#include "app/page_table.h"
#include "support/app_fixture.h"
#include "support/choose.h"

namespace kc::test {
namespace {

// Every named control of every page lies wholly inside its parent: a control that runs past its group's
// edge is cut off on screen.
TEST_F(WindowTest, EveryControlOfEveryPageLiesInsideItsParent) {
    showWindow();
    for (const app::PageInfo& info : app::kPages) {
        if (*info.caption == '\0')
            continue;
        chooseFromList(window->pageSelector(), QString::fromUtf8(info.caption));
        QApplication::processEvents();
        const QWidget* page = window->activePage();
        for (const QWidget* widget : page->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (name.isEmpty() || name.startsWith("qt_") || !widget->isVisibleTo(page))
                continue;
            const QRect room = widget->parentWidget()->rect();
            const QRect geometry = widget->geometry();
            EXPECT_TRUE(room.contains(geometry))
                << info.caption << ": " << name.toStdString() << " at x " << geometry.x() << "..."
                << geometry.right() << ", y " << geometry.y() << "..." << geometry.bottom() << " runs out of "
                << widget->parentWidget()->objectName().toStdString() << " (" << room.width() << " x "
                << room.height() << ")";
        }
    }
}

} // namespace
} // namespace kc::test
