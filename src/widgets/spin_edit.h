#pragma once

#include <QAbstractSpinBox>

namespace kc::widgets {

// The integer input box: a text box with arrows whose text is the truth. Reading never clamps (a value typed
// beyond the range is used as typed); stepping and leaving the box clamp to [MinValue, MaxValue] unless the
// two are equal, which means "no bounds". Every change of the text, typed or set, emits changed().
// MaxLength, when above 0, limits what the user types or pastes from the keyboard, as an edit box's text
// limit does; text set from code (the arrows, setText) is not limited, so the arrows still reach longer
// values.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(int MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int Increment READ increment WRITE setIncrement)
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(int MaxLength READ maxLength WRITE setMaxLength)

public:
    explicit SpinEdit(QWidget* parent = nullptr);

    int minValue() const { return minValue_; }
    int maxValue() const { return maxValue_; }
    int increment() const { return increment_; }
    void setMinValue(int value) { minValue_ = value; }
    void setMaxValue(int value) { maxValue_ = value; }
    void setIncrement(int value) { increment_ = value; }
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length) { maxLength_ = length; }

    // The integer in the text, or MinValue when the text is not an integer.
    int value() const;
    // Writes the value, clamped to the range when the box has one.
    void setValue(int value);

    QString text() const;
    // Replaces the whole text as a paste would: no filtering, no clamping.
    void setText(const QString& text);

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void changed();
    // A key was refused (and the box beeped).
    void keyRefused();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool hasBounds() const { return minValue_ != maxValue_; }
    qint64 clamped(qint64 value) const;
    bool acceptsKey(const QKeyEvent& event) const;
    // Room left under MaxLength once the selection is replaced; unlimited when MaxLength is 0.
    qsizetype typingRoom() const;
    void refuseKey(QKeyEvent* event);

    int minValue_ = 0;
    int maxValue_ = 100;
    int increment_ = 1;
    int maxLength_ = 0;
};

} // namespace kc::widgets
