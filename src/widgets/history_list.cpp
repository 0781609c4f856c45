#include "widgets/history_list.h"

#include <QScrollBar>

#include <algorithm>

namespace kc::widgets {

HistoryList::HistoryList(QWidget* parent) : QListView(parent) {
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
}

void HistoryList::updateGeometries() {
    const int lines = model() != nullptr ? model()->rowCount(rootIndex()) : 0;
    // Any line can be the top line, so from two lines on there is always somewhere to scroll and the bar
    // shows. Left "as needed", the base class would hide it whenever the lines fit and the wider range set
    // below would show it again; each change resizes the viewport, which asks for new geometries: an endless
    // relayout that froze the window.
    const Qt::ScrollBarPolicy policy = lines > 1 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != policy)
        setVerticalScrollBarPolicy(policy);
    // The base class clamps the position to its own, shorter range first: keep the line that was on top.
    const int top = verticalScrollBar()->value();
    QListView::updateGeometries();
    verticalScrollBar()->setRange(0, std::max(0, lines - 1));
    verticalScrollBar()->setValue(top);
}

void HistoryList::scrollToTop(int row) {
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(row);
}

int HistoryList::topRow() const {
    return verticalScrollBar()->value();
}

} // namespace kc::widgets
