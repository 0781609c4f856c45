#pragma once

#include <QString>

#include <array>

class QWidget;

namespace kc::app {

class CalculatorPage;
struct PageContext;

// One page of the window, in page order: its object name, its caption in the page selector, its Tag (the
// window's outer height while it shows), its help topic (empty: help opens the finder) and what makes it.
// The window makes, lists and sizes its pages from this one table; adding a page is adding a row.
struct PageInfo {
    const char* name;
    const char* caption;
    int tag;
    const char* helpContext;
    CalculatorPage* (*make)(const PageContext& context, QWidget* parent);
};

inline constexpr int kPageCount = 23;
inline constexpr int kFrontPageIndex = 0;

extern const std::array<PageInfo, kPageCount> kPages;

// The window height for a page Tag: a quarter more with large fonts on.
constexpr int PageHeight(int tag, bool largeFonts) {
    return largeFonts ? tag + tag / 4 : tag;
}

// Makes page `index`, named and captioned.
CalculatorPage* createPage(int index, const PageContext& context, QWidget* parent);

} // namespace kc::app
