#include "app/calculator_page.h"
#include "app/page_table.h"
#include "app/pages/about_page.h"
#include "support/app_fixture.h"
#include "support/choose.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>
#include <string_view>

namespace kc::test {
namespace {

class PageLayout : public WindowTest, public testing::WithParamInterface<bool> {};

// Every named control of every page lies wholly inside its parent and every caption shows whole, also with
// large fonts, where a page's text grows as far as it fits.
TEST_P(PageLayout, EveryControlLiesInsideItsParentAndEveryCaptionShowsWhole) {
    const bool largeFonts = GetParam();
    showWindow();
    window->aboutPage()->largeFontsBox()->setChecked(largeFonts);
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
            if (qobject_cast<const QCheckBox*>(widget) != nullptr ||
                qobject_cast<const QRadioButton*>(widget) != nullptr) {
                EXPECT_LE(widget->minimumSizeHint().width(), widget->width())
                    << info.caption << ": " << name.toStdString();
            }
            const auto* label = qobject_cast<const QLabel*>(widget);
            if (label != nullptr && !label->wordWrap()) {
                EXPECT_LE(label->minimumSizeHint().width(), label->width())
                    << info.caption << ": " << name.toStdString();
            }
        }
    }
    if (largeFonts) {
        chooseFromList(window->pageSelector(), "Fuel Usage");
        EXPECT_GT(window->activePage()->font().pixelSize(), window->font().pixelSize());
    }
}

INSTANTIATE_TEST_SUITE_P(NormalAndLargeFonts, PageLayout, testing::Bool());

bool takesTab(const QWidget* widget, const QWidget* page) {
    return widget->isVisibleTo(page) && (widget->focusPolicy() & Qt::TabFocus) != 0 &&
           widget->focusProxy() == nullptr;
}

void collectInReadingOrder(const QWidget* widget, const QWidget* page, QList<const QWidget*>& order);

// A layout's widgets as it places them: a grid row by row, a box in its own direction, nested ones in place.
void collectInReadingOrder(const QLayout* layout, const QWidget* page, QList<const QWidget*>& order) {
    QList<std::pair<std::pair<int, int>, QLayoutItem*>> items;
    for (int i = 0; i < layout->count(); ++i) {
        int row = 0, column = i, rowSpan = 0, columnSpan = 0;
        if (const auto* grid = qobject_cast<const QGridLayout*>(layout))
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        items.append({{row, column}, layout->itemAt(i)});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [position, item] : items) {
        if (item->widget() != nullptr)
            collectInReadingOrder(item->widget(), page, order);
        else if (item->layout() != nullptr)
            collectInReadingOrder(item->layout(), page, order);
    }
}

void collectInReadingOrder(const QWidget* widget, const QWidget* page, QList<const QWidget*>& order) {
    if (widget != page && takesTab(widget, page)) {
        order.append(widget);
        return;
    }
    if (widget->layout() != nullptr) {
        collectInReadingOrder(widget->layout(), page, order);
        return;
    }
    // Placed by hand: line by line, left to right.
    QList<const QWidget*> children;
    for (const QObject* child : widget->children())
        if (child->isWidgetType())
            children.append(static_cast<const QWidget*>(child));
    std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    for (const QWidget* child : children)
        collectInReadingOrder(child, page, order);
}

// Tab visits a page's inputs in the order the page shows them: a group or column at a time, line by line.
// The calculator keeps its history before its expression box, as that page has always had it.
TEST_F(WindowTest, TabVisitsEveryPageInTheOrderItShowsItsInputs) {
    showWindow();
    for (const app::PageInfo& info : app::kPages) {
        if (*info.caption == '\0' || std::string_view(info.name) == "tabCalc")
            continue;
        chooseFromList(window->pageSelector(), QString::fromUtf8(info.caption));
        const QWidget* page = window->activePage();
        QList<const QWidget*> shown;
        collectInReadingOrder(page, page, shown);
        QStringList expected, visited;
        for (const QWidget* widget : shown)
            expected << widget->objectName();
        for (QWidget* widget = page->nextInFocusChain(); widget != page && widget != window.get();
             widget = widget->nextInFocusChain())
            if (page->isAncestorOf(widget) && takesTab(widget, page) &&
                !visited.contains(widget->objectName()))
                visited << widget->objectName();
        EXPECT_EQ(visited, expected) << info.caption;
    }
}

} // namespace
} // namespace kc::test
