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
    // The base class clamps the position to its own, shorter range first: keep the line that was on top.
    const int top = verticalScrollBar()->value();
    QListView::updateGeometries();
    const int lines = model() != nullptr ? model()->rowCount(rootIndex()) : 0;
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
