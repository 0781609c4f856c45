#pragma once

#include "app/calculator_page.h"
#include "storage/cloak_designs.h"

#include <array>
#include <memory>

class QPainter;

namespace Ui {
class CloakingPage;
}

namespace kc::widgets {
class SpinEdit;
}

namespace kc::app {

// The cloaking page: a list of up to sixteen ship designs, the cloaking devices, weight and number of the
// selected one, and the owner's freight and "SS PRT" trait. Every change of an input stores the nine design
// boxes into the selected design and rewrites the fleet's cloaking. The page keeps its design store for the
// window's life; the window loads it at start and saves it at exit.
class CloakingPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit CloakingPage(QWidget* parent = nullptr);
    ~CloakingPage() override;

    QStringList resultControls() const override;

    storage::CloakDesigns& designs() { return CloakDesigns; }
    // After loading: lists the designs, or disables the design group boxes when there are none.
    void showLoadedDesigns();
    // After the store took designs another copy of the program saved: lists them again, keeping the design
    // that was selected selected (and its values in the boxes) when it is still there.
    void showDesignsAgain();

    void speCloakTransChange();
    void LoadCloakValues();
    void lstCloakClick();
    void btnCloakAddClick();
    void btnCloakRemoveClick();
    // Draws row `index` of lstCloak: the name on the left, the ship count right-aligned.
    void lstCloakDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) const;

signals:
    // A design was added, removed or changed: the store differs from what it held.
    void designsChanged();

private:
    // The slot of the selected row; -1 when no design is selected.
    int selectedSlot() const;
    void enableDesignBoxes(bool enabled);
    std::array<widgets::SpinEdit*, storage::kDeviceKinds> deviceBoxes() const;

    std::unique_ptr<Ui::CloakingPage> ui;
    storage::CloakDesigns CloakDesigns;
};

} // namespace kc::app
