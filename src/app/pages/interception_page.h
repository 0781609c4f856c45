#pragma once

#include "app/calculator_page.h"
#include "pages/interception.h"

#include <memory>

class QTimer;

namespace Ui {
class InterceptionPage;
}

namespace kc::app {

// Binds the interception form: the six boxes and the two situation buttons recompute the prediction. The
// two pictures are drawn at start-up and on every visit; while the page shows, the window's timer (25 ms)
// runs the animation of the upper one (tmrIntersectTimer).
class InterceptionPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit InterceptionPage(QWidget* parent = nullptr);
    ~InterceptionPage() override;

    QStringList resultControls() const override;
    // The window's animation timer, which the page starts when it shows and stops when another page does.
    void useTimer(QTimer& timer);
    // The timer starts, the animation starts over from a freshly drawn picture.
    void pageActivated() override;
    void pageDeactivated() override;

    void speX1Change();
    void DrawIntercept();
    void tmrIntersectTimer();

    const pages::InterceptionAnimation& animation() const { return animation_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void placeCoordinateBoxes();

    std::unique_ptr<Ui::InterceptionPage> ui;
    pages::InterceptionAnimation animation_;
    QTimer* timer_ = nullptr;
};

} // namespace kc::app
