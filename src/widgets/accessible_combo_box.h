#pragma once

namespace kc::widgets {

// Qt names a drop-down list after the item it shows on Linux, leaving what the list is for to a label
// relation; a page's lists have no unique label to relate to (four "bombs of type" lists on one page), so a
// screen reader could not tell them apart. Once installed, a list's accessible name is its own
// (setAccessibleName, else its buddy label), and the shown item stays its value. Installing twice does
// nothing.
void installComboBoxNames();

} // namespace kc::widgets
