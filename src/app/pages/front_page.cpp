#include "app/pages/front_page.h"

#include "app/artwork.h"
#include "ui_front_page.h"

#include <QPainter>

namespace kc::app {

FrontPage::FrontPage(QWidget* parent) : CalculatorPage(parent), ui(std::make_unique<Ui::FrontPage>()) {
    ui->setupUi(this);
}

FrontPage::~FrontPage() = default;

FrontPicture::FrontPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FrontPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFrontPicture(painter, size());
}

} // namespace kc::app
