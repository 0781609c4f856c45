#include "app/pages/front_page.h"

#include "app/artwork.h"
#include "ui_front_page.h"

namespace kc::app {

FrontPage::FrontPage(QWidget* parent) : CalculatorPage(parent), ui(std::make_unique<Ui::FrontPage>()) {
    ui->setupUi(this);
    ui->imgFront->setPixmap(paintFrontPicture(ui->imgFront->size()));
}

FrontPage::~FrontPage() = default;

} // namespace kc::app
