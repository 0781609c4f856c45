#pragma once

#include <QLabel>

namespace kc::widgets {

// A result label for sentences that break lines with a line feed followed by a carriage return, as the game's
// do. The text keeps both characters (they are part of the result), but the carriage return is not drawn:
// plain painting would show it as a blank at the start of the next line.
class ResultLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kc::widgets
