#pragma once

namespace kc::app {

class CalculatorPage;

// Opens a page to a player's tools: the text fields inside its lists and integer boxes carry their box's
// name for assistive technology, its result labels can be selected by mouse and keyboard and copied, and its
// result lists copy their lines.
void prepareAccessibility(CalculatorPage& page);

} // namespace kc::app
