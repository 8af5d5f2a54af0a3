#pragma once

#include <QRectF>
#include <QSlider>

// A display-only slider (0-100, mouse-transparent) that draws its own thin bar: light grey, with
// the part left of the value in the accent orange. The handle is the style's.
class KTSlider : public QSlider {
    Q_OBJECT

public:
    explicit KTSlider(QWidget* parent = nullptr);

    // The orange part of `bar` for the value: the bar at 1 point high, 2 down, as wide as the
    // value's fraction of (controlWidth - 8). The fraction is 0 when maximum == minimum and held
    // within [0, 1].
    static QRectF filledRect(const QRectF& bar, double value, double minimum, double maximum,
                             double controlWidth);
    static double fraction(double value, double minimum, double maximum);

protected:
    void paintEvent(QPaintEvent* event) override;
};
