#include "App/controls/ElidingLabel.h"

#include <QPainter>

ElidingLabel::ElidingLabel(QWidget* parent, Qt::TextElideMode elideMode)
    : QLabel(parent), m_elideMode(elideMode) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QString ElidingLabel::shownText() const {
    return fontMetrics().elidedText(text(), m_elideMode, contentsRect().width());
}

QSize ElidingLabel::minimumSizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) + margins.left() + margins.right(),
            QLabel::minimumSizeHint().height()};
}

void ElidingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, shownText());
}
