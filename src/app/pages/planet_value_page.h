#pragma once

#include "app/calculator_page.h"
#include "pages/planet_value.h"

#include <memory>

class QAbstractButton;
class QCheckBox;
class QFrame;
class QLabel;

namespace Ui {
class PlanetValuePage;
}

namespace kc::rules {
struct GameTables;
}

namespace kc::app {

struct PageContext;

// Binds the planet value form: the range buttons move the race's three habitable ranges (kept here, as the
// page's own state) and redraw them; the planet's stats and every range change recompute the value. The
// gravity scale is read from the game tables when a handler runs, since the tables are filled after the
// pages are built.
class PlanetValuePage : public CalculatorPage {
    Q_OBJECT
public:
    explicit PlanetValuePage(const PageContext& context, QWidget* parent = nullptr);
    ~PlanetValuePage() override;

    QStringList resultControls() const override;

    // Start-up: every range back to 15 .. 85, drawn.
    void setStartRanges();
    const pages::HabRanges& ranges() const { return ranges_; }

    void redrawStats();
    void txtGravStatChange();
    void spnGravStatChanging();
    void chkGravImuneClick();

    // Gravity range buttons.
    void btnGravMlMouseDown();
    void btnGravMrMouseDown();
    void btnGravEnlargeClick();
    void btnGravShrinkClick();
    // Temperature range buttons.
    void Button2MouseDown();
    void Button5Click();
    void Button8Click();
    void Button11Click();
    // Radiation range buttons.
    void Button3MouseDown();
    void Button6Click();
    void Button9Click();
    void Button12Click();

private:
    // A range button: redraws and recomputes when `change` changed the range (always, when `always`).
    void applyRangeButton(bool (*change)(pages::HabRange&), pages::HabRange& range, bool always,
                          bool recompute = true);
    void showImmunity(QCheckBox* box, QFrame* bar, std::initializer_list<QWidget*> rangeControls);

    std::unique_ptr<Ui::PlanetValuePage> ui;
    const rules::GameTables& tables_;
    pages::HabRanges ranges_;
};

} // namespace kc::app
