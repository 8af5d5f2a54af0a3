#pragma once

#include <QLabel>

// A one-line plain-text label that cuts a text too long for it at the end ("Conference Ro…")
// while text() keeps the whole text. Its colour is the palette's window text.
class ElidingLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ElidingLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
