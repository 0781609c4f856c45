#pragma once

#include <QListView>

namespace kc::widgets {

// A one-column list that scrolls a line at a time and lets any line, the last one included, be the top
// visible line: its scroll range runs to the last line instead of stopping at the last full page. No
// horizontal scroll bar: every line is exactly as wide as the view.
class HistoryList : public QListView {
    Q_OBJECT

public:
    explicit HistoryList(QWidget* parent = nullptr);

    // Makes line `row` the top visible line (clamped to the lines there are).
    void scrollToTop(int row);
    int topRow() const;

protected:
    void updateGeometries() override;
};

} // namespace kc::widgets
