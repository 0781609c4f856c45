#pragma once

#include <QStringList>
#include <QWidget>

namespace kc::app {

// One page of the window. A page binds its controls to its own handlers; the window only shows it.
class CalculatorPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The object names of the controls the page's handlers write, in the order they write them.
    virtual QStringList resultControls() const { return {}; }

    // Called each time the page is chosen in the selector, also when it already shows.
    virtual void pageActivated() {}
    // Called when another page is chosen in its place.
    virtual void pageDeactivated() {}
};

} // namespace kc::app
