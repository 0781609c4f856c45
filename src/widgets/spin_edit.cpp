#include "widgets/spin_edit.h"

#include "core/text_conversion.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <limits>

namespace kc::widgets {

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::changed);
}

int SpinEdit::value() const {
    return parseInteger(text().toStdString()).value_or(minValue_);
}

void SpinEdit::setValue(int value) {
    setText(QString::number(clamped(value)));
}

QString SpinEdit::text() const {
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text) {
    lineEdit()->setText(text);
}

qint64 SpinEdit::clamped(qint64 value) const {
    if (hasBounds())
        return std::clamp<qint64>(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
    // Without bounds the value still has to fit the box's 32-bit integer: saturate rather than wrap.
    return std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

void SpinEdit::stepBy(int steps) {
    const qint64 stepped = static_cast<qint64>(value()) + static_cast<qint64>(steps) * increment_;
    setText(QString::number(clamped(stepped)));
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

namespace {

bool hasShortcutModifier(const QKeyEvent& event) {
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

bool isControlCharacter(QChar c) {
    return c.unicode() < 0x20 || c == QChar(0x7f);
}

// Whether a key types printable text; navigation keys, shortcuts and control characters do not.
bool typesText(const QKeyEvent& event) {
    return !event.text().isEmpty() && !hasShortcutModifier(event) &&
           !isControlCharacter(event.text().front());
}

} // namespace

bool SpinEdit::acceptsKey(const QKeyEvent& event) const {
    if (typesText(event)) {
        const QChar c = event.text().front();
        return c.isDigit() || c == u'+' || c == u'-' || c == QChar::fromLatin1(decimalSeparator());
    }
    // Navigation keys, shortcuts and control characters (backspace, clipboard shortcuts) edit the text as
    // usual; only Enter is refused.
    if (event.text().isEmpty() || hasShortcutModifier(event))
        return true;
    const QChar c = event.text().front();
    return c != u'\r' && c != u'\n';
}

qsizetype SpinEdit::typingRoom() const {
    if (maxLength_ <= 0)
        return std::numeric_limits<qsizetype>::max();
    const qsizetype kept = lineEdit()->text().size() - lineEdit()->selectedText().size();
    return std::max<qsizetype>(0, maxLength_ - kept);
}

void SpinEdit::refuseKey(QKeyEvent* event) {
    QApplication::beep();
    emit keyRefused();
    event->accept();
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        stepBy(1);
        event->accept();
        return;
    case Qt::Key_Down:
        stepBy(-1);
        event->accept();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->accept(); // an edit box has no page steps
        return;
    default:
        break;
    }
    if (maxLength_ > 0 && event->matches(QKeySequence::Paste)) {
        // Pasted text is cut to what still fits, as the text limit of an edit box does.
        const QString pasted = QApplication::clipboard()->text().left(typingRoom());
        if (!pasted.isEmpty())
            lineEdit()->insert(pasted);
        event->accept();
        return;
    }
    if (!acceptsKey(*event)) {
        refuseKey(event);
        return;
    }
    if (typesText(*event) && event->text().size() > typingRoom()) {
        refuseKey(event);
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    const int current = value();
    if (hasBounds() && clamped(current) != current)
        setValue(current);
}

QSize SpinEdit::sizeHint() const {
    ensurePolished();
    const QFontMetrics metrics(font());
    const int digits = std::max(metrics.horizontalAdvance(QString::number(minValue_)),
                                metrics.horizontalAdvance(QString::number(maxValue_)));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(digits + 8, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QSize SpinEdit::minimumSizeHint() const {
    return sizeHint();
}

} // namespace kc::widgets
