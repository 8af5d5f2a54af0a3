#include "App/controls/KTSlider.h"

#include "App/controls/Colors.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionSlider>

#include <algorithm>

KTSlider::KTSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setRange(0, 100);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

double KTSlider::fraction(double value, double minimum, double maximum) {
    if (maximum == minimum) {
        return 0.0;
    }
    return std::clamp((value - minimum) / (maximum - minimum), 0.0, 1.0);
}

QRectF KTSlider::filledRect(const QRectF& bar, double value, double minimum, double maximum,
                            double controlWidth) {
    QRectF line(bar.x(), bar.y() + 2.0, bar.width(), 1.0);
    line.setWidth(fraction(value, minimum, maximum) * (controlWidth - 8.0));
    return line;
}

void KTSlider::paintEvent(QPaintEvent*) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRectF bar(groove.x(), groove.center().y() - 2.0, groove.width(), 1.0);
    const QRectF track(bar.x(), bar.y() + 2.0, bar.width(), 1.0);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath trackPath;
    trackPath.addRoundedRect(track, 0.5, 0.5);
    painter.fillPath(trackPath, Colors::lightGrayColor());
    const QRectF filled = filledRect(bar, value(), minimum(), maximum(), width());
    if (filled.width() > 0) {
        QPainterPath filledPath;
        filledPath.addRoundedRect(filled, 0.5, 0.5);
        painter.fillPath(filledPath, Colors::colorWithHexCode(Colors::accent));
    }
    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}
