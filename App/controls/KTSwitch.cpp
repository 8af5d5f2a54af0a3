#include "App/controls/KTSwitch.h"

#include "App/Beep.h"
#include "App/controls/Colors.h"
#include "Platform/Clock.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr double cornerRadius = 2.5;
// The knob's share of the track, in single precision as the original drawing code has it.
constexpr float knobShare = 0.45f;

QColor borderColor() {
    return QColor::fromRgbF(0.125f, 0.125f, 0.125f);
}

QRectF innerRectOf(const QRectF& frame) {
    return frame.adjusted(1, 1, -1, -1);
}

QPainterPath roundedPath(const QRectF& rect) {
    QPainterPath path;
    path.addRoundedRect(rect, cornerRadius, cornerRadius);
    return path;
}

} // namespace

KTSwitch::KTSwitch(QWidget* parent)
    : QAbstractButton(parent), m_activeColor(Colors::colorWithHexCode(Colors::accent)),
      m_inactiveColor(Colors::lightGrayColor()) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    resize(switchWidth, switchHeight);
}

QRect KTSwitch::frameForSlot(const QRect& slot) {
    return {slot.x() + slot.width() - 65, slot.y() + 4, switchWidth, switchHeight};
}

void KTSwitch::setState(int state) {
    if (state != On && state != Off && state != Mixed) {
        state = On;
    }
    if (state == Mixed && !m_allowsMixedState) {
        state = On;
    }
    applyState(state);
}

void KTSwitch::applyState(int state) {
    m_state = state;
    if (isChecked() != (state != Off)) {
        setChecked(state != Off);
    }
    update();
}

void KTSwitch::setActiveColor(const QColor& color) {
    m_activeColor = color;
    update();
}

void KTSwitch::setInactiveColor(const QColor& color) {
    m_inactiveColor = color;
    update();
}

int KTSwitch::nextStateOf(int state) const {
    if (state == On) {
        return Off;
    }
    if (state == Off) {
        return m_allowsMixedState ? Mixed : On;
    }
    return On;
}

int KTSwitch::previousStateOf(int state) const {
    if (state == On) {
        return m_allowsMixedState ? Mixed : Off;
    }
    if (state == Off) {
        return On;
    }
    return Off;
}

// A programmatic click() and the space key advance one step of the cycle, as a mouse click does.
void KTSwitch::nextCheckState() {
    applyState(nextStateOf(m_state));
}

// setChecked() from outside: the state follows the check mark.
void KTSwitch::checkStateSet() {
    if (isChecked() != (m_state != Off)) {
        m_state = isChecked() ? On : Off;
    }
    update();
}

QRectF KTSwitch::thumbRectInFrame(const QRectF& frame) const {
    const QRectF inner = innerRectOf(frame);
    const double knobWidth = inner.width() * static_cast<double>(knobShare);
    double x = inner.x();
    if (m_state == On) {
        x = inner.x() + inner.width() - knobWidth;
    } else if (m_state == Mixed) {
        x = inner.x() + (inner.width() - knobWidth) / 2;
    }
    return {x, inner.y(), knobWidth, inner.height()};
}

QRectF KTSwitch::trackedThumbRect(const QRectF& frame) const {
    QRectF knob = thumbRectInFrame(frame);
    if (!m_tracking) {
        return knob;
    }
    const QRectF inner = innerRectOf(frame);
    double x = knob.x() + (m_trackingPoint.x() - m_initialTrackingPoint.x());
    // The lower bound is tested first, as the knob cannot be wider than the track.
    if (x < inner.x()) {
        x = inner.x();
    } else if (x > inner.x() + inner.width() - knob.width()) {
        x = inner.x() + inner.width() - knob.width();
    }
    knob.moveLeft(x);
    return knob;
}

double KTSwitch::secondsSinceTrackingStarted() const {
    const auto elapsed = Platform::Clock::current().steadyNow() - m_initialTrackingTime;
    return std::chrono::duration<double>(elapsed).count();
}

void KTSwitch::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    m_tracking = true;
    m_initialTrackingPoint = event->position();
    m_trackingPoint = event->position();
    m_initialTrackingTime = Platform::Clock::current().steadyNow();
    m_trackingThumbCenterX = trackedThumbRect(QRectF(rect())).center().x();
    update();
    event->accept();
}

void KTSwitch::mouseMoveEvent(QMouseEvent* event) {
    if (!m_tracking) {
        event->ignore();
        return;
    }
    m_trackingPoint = event->position();
    m_trackingThumbCenterX = trackedThumbRect(QRectF(rect())).center().x();
    update();
    event->accept();
}

// A short press that moved little is a click and steps the cycle; anything else is a drag, and
// the knob's last position picks the state. The differences are signed: a quick drag to the left
// of any length is still a click.
void KTSwitch::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_tracking || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_tracking = false;
    const double seconds = secondsSinceTrackingStarted();
    const QPointF stop = event->position();
    const bool isClick = seconds < clickSeconds && stop.x() - m_initialTrackingPoint.x() < clickSize &&
                         stop.y() - m_initialTrackingPoint.y() < clickSize;
    if (isClick) {
        applyState(nextStateOf(m_state));
    } else {
        const double fraction = m_trackingThumbCenterX / width();
        int wanted = fraction >= 0.5 ? On : Off;
        if (m_allowsMixedState) {
            wanted = fraction < 1.0 / 3.0 ? Off : (fraction < 2.0 / 3.0 ? Mixed : On);
        }
        // The cell sets the state before the wanted one and the button's own step lands on it.
        applyState(nextStateOf(previousStateOf(wanted)));
    }
    event->accept();
    emit clicked(isChecked());
}

void KTSwitch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

// The arrows act when the key comes up; they change the state only, with no action.
void KTSwitch::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        QAbstractButton::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) {
        return;
    }
    if (event->key() == Qt::Key_Left) {
        if (m_state == Off) {
            Beep::beep();
        } else {
            applyState(m_state == Mixed ? Off : (m_allowsMixedState ? Mixed : Off));
        }
        return;
    }
    if (m_state == On) {
        Beep::beep();
    } else {
        applyState(m_state == Mixed ? On : (m_allowsMixedState ? Mixed : On));
    }
}

void KTSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(rect());
    const QRectF inner = innerRectOf(frame);
    const QPainterPath border = roundedPath(inner);

    painter.fillPath(border, m_state != Off ? m_activeColor : m_inactiveColor);
    painter.setPen(QPen(borderColor(), 1.0));
    painter.drawPath(border);

    // A soft shadow along the top edge makes the track look sunk.
    painter.save();
    painter.setClipPath(roundedPath(frame));
    QLinearGradient shadow(frame.topLeft(), QPointF(frame.left(), frame.top() + 4.0));
    shadow.setColorAt(0, QColor::fromRgbF(0, 0, 0, 0.35f));
    shadow.setColorAt(1, QColor::fromRgbF(0, 0, 0, 0));
    painter.fillRect(QRectF(frame.left(), frame.top(), frame.width(), 4.0), shadow);
    painter.restore();

    const QRectF knob = trackedThumbRect(frame);
    painter.save();
    painter.setClipPath(roundedPath(inner));
    for (int spread = 3; spread >= 1; --spread) {
        painter.fillPath(roundedPath(knob.adjusted(-spread, -spread, spread, spread)),
                         QColor::fromRgbF(0, 0, 0, 0.5f / (spread * 3)));
    }
    const QPainterPath knobPath = roundedPath(knob);
    QLinearGradient knobFill(knob.topLeft(), knob.bottomLeft());
    knobFill.setColorAt(0, QColor::fromRgbF(1, 1, 1));
    knobFill.setColorAt(1, QColor::fromRgbF(0.9f, 0.9f, 0.9f));
    painter.fillPath(knobPath, knobFill);
    painter.restore();

    if (m_tracking) {
        painter.setPen(QPen(borderColor(), 1.0));
        const std::vector<double> guides = m_allowsMixedState
                                               ? std::vector<double>{inner.width() / 3, 2 * inner.width() / 3}
                                               : std::vector<double>{inner.width() / 2};
        for (double guide : guides) {
            painter.drawLine(QPointF(inner.x() + guide, inner.top()),
                             QPointF(inner.x() + guide, inner.bottom()));
        }
    }
    if (!isEnabled()) {
        painter.setCompositionMode(QPainter::CompositionMode_Lighten);
        painter.fillRect(frame, QColor::fromRgbF(1, 1, 1, 2.0f / 3.0f));
    }
}
