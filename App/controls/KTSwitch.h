#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPointF>
#include <QRectF>

#include <chrono>

// The on/off switch of the settings screens: a rounded track, orange when on and light grey
// when off, with a white knob at the left (off) or right (on) end. A click toggles it; the knob
// can also be dragged, and where it is let go decides the state. States are those of a button:
// off 0, on 1, mixed -1 (only when the mixed state is allowed), cycling on -> off -> mixed -> on
// (on <-> off without mixed). The user's changes by mouse emit clicked(); the arrow keys change
// the state without it.
class KTSwitch : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int Off = 0;
    static constexpr int On = 1;
    static constexpr int Mixed = -1;
    static constexpr int switchWidth = 60;
    static constexpr int switchHeight = 21;
    // A press shorter than this that moved less than clickSize is a click, else a drag.
    static constexpr double clickSeconds = 1.0 / 3.0;
    static constexpr double clickSize = 6.0;

    explicit KTSwitch(QWidget* parent = nullptr);

    // Where a switch laid out in the slot (x, y, w, h) goes: 60 x 21, its right edge 5 and its
    // top edge 4 in from the slot's.
    static QRect frameForSlot(const QRect& slot);

    int state() const { return m_state; }
    void setState(int state);
    bool allowsMixedState() const { return m_allowsMixedState; }
    void setAllowsMixedState(bool allowed) { m_allowsMixedState = allowed; }

    QColor activeColor() const { return m_activeColor; }
    void setActiveColor(const QColor& color);
    QColor inactiveColor() const { return m_inactiveColor; }
    void setInactiveColor(const QColor& color);

    // The knob's rectangle for the current state in the given frame.
    QRectF thumbRectInFrame(const QRectF& frame) const;
    bool isTracking() const { return m_tracking; }

    QSize sizeHint() const override { return {switchWidth, switchHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void nextCheckState() override;
    void checkStateSet() override;

private:
    int nextStateOf(int state) const;
    int previousStateOf(int state) const;
    void applyState(int state);
    // The knob's rectangle while tracking: it follows the pointer, held inside the track.
    QRectF trackedThumbRect(const QRectF& frame) const;
    double secondsSinceTrackingStarted() const;

    int m_state = Off;
    bool m_allowsMixedState = false;
    QColor m_activeColor;
    QColor m_inactiveColor;

    bool m_tracking = false;
    QPointF m_initialTrackingPoint;
    QPointF m_trackingPoint;
    std::chrono::steady_clock::time_point m_initialTrackingTime;
    double m_trackingThumbCenterX = 0.0;
};
