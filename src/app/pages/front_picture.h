#pragma once

#include <QWidget>

namespace kc::app {

// The front page's picture, painted on every paint so it stays sharp at any device pixel ratio.
class FrontPicture : public QWidget {
    Q_OBJECT
public:
    explicit FrontPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kc::app
