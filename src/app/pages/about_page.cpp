#include "app/pages/about_page.h"

#include "ui_about_page.h"

namespace kc::app {

AboutPage::AboutPage(QWidget* parent) : CalculatorPage(parent), ui(std::make_unique<Ui::AboutPage>()) {
    ui->setupUi(this);
}

AboutPage::~AboutPage() = default;

QCheckBox* AboutPage::autoDropBox() const {
    return ui->chkAutodrop;
}

QCheckBox* AboutPage::largeFontsBox() const {
    return ui->chkLargeFnt;
}

QPushButton* AboutPage::exitButton() const {
    return ui->btnExit2;
}

} // namespace kc::app
