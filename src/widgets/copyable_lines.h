#pragma once

class QAbstractItemView;

namespace kc::widgets {

// Lets a player copy a list's lines: Ctrl+C copies the chosen line, and the context menu offers "Copy" (the
// line under the pointer, else the chosen one) and "Copy All".
void makeLinesCopyable(QAbstractItemView& view);

} // namespace kc::widgets
