#include "app/pages/interception_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "ui_interception_page.h"
#include "widgets/readable_colour.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <span>
#include <tuple>

namespace kc::app {

namespace {

const QColor kLineBlue(0, 0, 255);
const QColor kDotNavy(0, 0, 128);
const QColor kAnimationRed(255, 0, 0);
// The picture's texts are sized for a 96-dpi screen: 14 and 8 points.
constexpr int kLetterPixels = 19;
constexpr int kCaptionPixels = 11;
constexpr int kLowerOffset = 110;
constexpr int kLineLength = 80;
constexpr int kBoxGap = 4;

struct PictureText {
    int x;
    int y;
    const char* text;
};

constexpr PictureText kLetters[] = {
    {24, 2, "a"}, {24, 112, "a"}, {54, 32, "b"}, {54, 142, "?"}, {104, 82, "?"}, {104, 192, "b"},
};

constexpr PictureText kCaptions[] = {
    {39, 2, "Previous"},   {39, 12, "position"},  {69, 32, "Current"}, {69, 42, "position"},
    {39, 112, "Previous"}, {39, 122, "position"}, {80, 210, "Future"}, {80, 220, "position"},
};

void drawTexts(QPainter& painter, int pixelSize, std::span<const PictureText> texts) {
    QFont font = painter.font();
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent(); // each point is the top-left corner of its text
    for (const PictureText& text : texts)
        painter.drawText(QPoint(text.x, text.y + ascent), QString::fromLatin1(text.text));
}

// One situation: the course from a through the middle point to the far point, each point a dot.
void drawCourse(QPainter& painter, int offset, const QPalette& palette) {
    const QColor line = widgets::readableOn(kLineBlue, palette);
    // Pixel by pixel, the way the animation repaints it, so both look the same at any screen scale. The end
    // point is left to its dot.
    for (int step = 0; step < kLineLength; ++step)
        painter.fillRect(QRect(20 + step, offset + 20 + step, 1, 1), line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(widgets::readableOn(kDotNavy, palette));
    for (const QPoint centre : {QPoint(20, 20), QPoint(50, 50), QPoint(100, 100)})
        painter.drawEllipse(QRect(centre + QPoint(-2, offset - 2), QSize(4, 4)));
}

QColor colourOf(pages::DotColour colour, const QPalette& palette) {
    return widgets::readableOn(colour == pages::DotColour::Red ? kAnimationRed : kLineBlue, palette);
}

} // namespace

InterceptionPage::InterceptionPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::InterceptionPage>()) {
    ui->setupUi(this);
    placeCoordinateBoxes();

    const auto recalculate = reported(this, &InterceptionPage::speX1Change);
    for (auto* box : {ui->speX1, ui->speY1, ui->speX2, ui->speY2, ui->speXYspeed, ui->speXYyears})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    // A click on the button already chosen changes nothing and computes nothing.
    for (QRadioButton* situation : {ui->optPos1, ui->optPos2})
        connect(situation, &QRadioButton::toggled, this, [recalculate](bool chosen) {
            if (chosen)
                recalculate();
        });
}

InterceptionPage::~InterceptionPage() = default;

QStringList InterceptionPage::resultControls() const {
    return {"lblDistance", "lblResultXY"};
}

void InterceptionPage::useTimer(QTimer& timer) {
    timer_ = &timer;
    connect(timer_, &QTimer::timeout, this, reported(this, &InterceptionPage::tmrIntersectTimer));
}

void InterceptionPage::pageActivated() {
    if (timer_ != nullptr)
        timer_->start();
    animation_.restart();
    DrawIntercept();
}

void InterceptionPage::speX1Change() {
    const pages::InterceptionInputs inputs{
        .x1 = ui->speX1->value(),
        .y1 = ui->speY1->value(),
        .x2 = ui->speX2->value(),
        .y2 = ui->speY2->value(),
        .speed = ui->speXYspeed->value(),
        .years = ui->speXYyears->value(),
        .positionB = ui->optPos1->isChecked() ? pages::PositionB::Current : pages::PositionB::Destination,
    };
    const pages::InterceptionOutcome outcome = pages::computeInterception(inputs);
    writeResult(ui->lblDistance, outcome.distanceText);
    writeResult(ui->lblResultXY, outcome.resultText);
    raiseIfFailed(outcome.failure);
}

void InterceptionPage::DrawIntercept() {
    ui->imgIntercept->redraw([this](QPainter& painter) {
        painter.fillRect(ui->imgIntercept->rect(), palette().color(QPalette::Button));
        drawCourse(painter, 0, palette());
        drawCourse(painter, kLowerOffset, palette());
        painter.setPen(palette().color(QPalette::WindowText));
        drawTexts(painter, kLetterPixels, kLetters);
        drawTexts(painter, kCaptionPixels, kCaptions);
    });
}

void InterceptionPage::pageDeactivated() {
    if (timer_ != nullptr)
        timer_->stop();
}

void InterceptionPage::tmrIntersectTimer() {
    if (const auto dot = animation_.step(ui->optPos1->isChecked()))
        ui->imgIntercept->setPixel(QPoint(dot->x, dot->y), colourOf(dot->colour, palette()));
}

void InterceptionPage::changeEvent(QEvent* event) {
    CalculatorPage::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        placeCoordinateBoxes();
}

// Each coordinate caption is one text with room left in it: the X box stands in the gap after its "X", the
// Y box after its "Y", wherever the font puts them.
void InterceptionPage::placeCoordinateBoxes() {
    for (auto [caption, xBox, yBox] : {std::tuple{ui->captionPosA, ui->speX1, ui->speY1},
                                       std::tuple{ui->captionPosB, ui->speX2, ui->speY2}}) {
        const QString text = caption->text();
        const QFontMetrics metrics(caption->font());
        const int afterX = metrics.horizontalAdvance(text.left(text.indexOf(u'X') + 1)) + kBoxGap;
        const int beforeY = metrics.horizontalAdvance(text.left(text.lastIndexOf(u'Y'))) - kBoxGap;
        const int afterY = metrics.horizontalAdvance(text) + kBoxGap;
        const int width = std::min(xBox->sizeHint().width(), beforeY - afterX);
        const int height = xBox->sizeHint().height();
        caption->setGeometry(0, 0, afterY, height);
        xBox->setGeometry(afterX, 0, width, height);
        yBox->setGeometry(afterY, 0, width, height);
        caption->parentWidget()->setMinimumSize(afterY + width, height);
    }
}

} // namespace kc::app
