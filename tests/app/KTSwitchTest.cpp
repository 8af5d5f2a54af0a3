#include "App/controls/KTSwitch.h"
#include "App/Beep.h"
#include "support/FakeClock.h"
#include "ui/support/QtTestMain.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPointF position) {
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, position, widget->mapToGlobal(position), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void sendKey(QWidget* widget, QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

// The switch tells a click from a drag by time and signed movement, and a drag by where the knob
// was let go; the arrow keys change the state without the action.
class KTSwitchTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_clock = std::make_unique<FakeClock>();
        m_beeps = 0;
        Beep::setHook([this] { ++m_beeps; });
    }
    void cleanup() {
        Beep::setHook({});
        m_clock.reset();
    }

    void knobAndFrame() {
        KTSwitch control;
        const QRectF frame(0, 0, 60, 21);
        QCOMPARE(control.thumbRectInFrame(frame).x(), 1.0);
        QVERIFY(qAbs(control.thumbRectInFrame(frame).width() - 26.1) < 1e-5);
        QCOMPARE(control.thumbRectInFrame(frame).y(), 1.0);
        QCOMPARE(control.thumbRectInFrame(frame).height(), 19.0);
        control.setState(KTSwitch::On);
        QVERIFY(qAbs(control.thumbRectInFrame(frame).x() - 32.9) < 1e-5);
        control.setAllowsMixedState(true);
        control.setState(KTSwitch::Mixed);
        QVERIFY(qAbs(control.thumbRectInFrame(frame).x() - 16.95) < 1e-5);
        // A 100 x 30 slot of a layout: right edge 5 in, top edge 4 down.
        QCOMPARE(KTSwitch::frameForSlot(QRect(10, 20, 100, 30)), QRect(45, 24, 60, 21));
        QCOMPARE(control.size(), QSize(60, 21));
    }

    void mouse_data() {
        QTest::addColumn<bool>("mixedAllowed");
        QTest::addColumn<int>("start");
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<int>("heldMilliseconds");
        QTest::addColumn<int>("expected");
        QTest::newRow("click turns on") << false << 0 << 0.0 << 0.0 << 100 << 1;
        QTest::newRow("click turns off") << false << 1 << 0.0 << 0.0 << 100 << 0;
        QTest::newRow("a few points of wobble is still a click") << false << 0 << 5.0 << 5.0 << 100 << 1;
        QTest::newRow("a quick long drag left is a click") << false << 0 << -40.0 << 0.0 << 100 << 1;
        QTest::newRow("a quick drag up is a click") << false << 1 << 0.0 << -30.0 << 100 << 0;
        QTest::newRow("held still from off is a drag") << false << 0 << 0.0 << 0.0 << 400 << 0;
        QTest::newRow("held still from on is a drag") << false << 1 << 0.0 << 0.0 << 400 << 1;
        QTest::newRow("drag short of the middle") << false << 0 << 15.0 << 0.0 << 100 << 0;
        QTest::newRow("drag to the middle") << false << 0 << 16.0 << 0.0 << 100 << 1;
        QTest::newRow("slow drag back, short") << false << 1 << -15.0 << 0.0 << 500 << 1;
        QTest::newRow("slow drag back past the middle") << false << 1 << -16.0 << 0.0 << 500 << 0;
        QTest::newRow("mixed: click on off") << true << 0 << 0.0 << 0.0 << 100 << -1;
        QTest::newRow("mixed: click on mixed") << true << -1 << 0.0 << 0.0 << 100 << 1;
        QTest::newRow("mixed: drag to the first third") << true << 0 << 5.0 << 0.0 << 500 << 0;
        QTest::newRow("mixed: drag to the second third") << true << 0 << 10.0 << 0.0 << 100 << -1;
        QTest::newRow("mixed: drag to the last third") << true << 0 << 27.0 << 0.0 << 100 << 1;
    }
    void mouse() {
        QFETCH(bool, mixedAllowed);
        QFETCH(int, start);
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(int, heldMilliseconds);
        QFETCH(int, expected);
        KTSwitch control;
        control.setAllowsMixedState(mixedAllowed);
        control.setState(start);
        QSignalSpy clicked(&control, &KTSwitch::clicked);

        const QPointF pressed(30, 10);
        sendMouse(&control, QEvent::MouseButtonPress, pressed);
        QVERIFY(control.isTracking());
        sendMouse(&control, QEvent::MouseMove, pressed + QPointF(dx, dy));
        m_clock->advance(std::chrono::milliseconds(heldMilliseconds));
        sendMouse(&control, QEvent::MouseButtonRelease, pressed + QPointF(dx, dy));

        QCOMPARE(control.state(), expected);
        QVERIFY(!control.isTracking());
        // Every gesture sends the action, also a drag that ends in the old state.
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(control.isChecked(), expected != KTSwitch::Off);
    }

    void keys_data() {
        QTest::addColumn<bool>("mixedAllowed");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("right on off") << false << 0 << int(Qt::Key_Right) << 1 << 0;
        QTest::newRow("right on on beeps") << false << 1 << int(Qt::Key_Right) << 1 << 1;
        QTest::newRow("left on off beeps") << false << 0 << int(Qt::Key_Left) << 0 << 1;
        QTest::newRow("left on on") << false << 1 << int(Qt::Key_Left) << 0 << 0;
        QTest::newRow("mixed: right on off") << true << 0 << int(Qt::Key_Right) << -1 << 0;
        QTest::newRow("mixed: right on mixed") << true << -1 << int(Qt::Key_Right) << 1 << 0;
        QTest::newRow("mixed: left on on") << true << 1 << int(Qt::Key_Left) << -1 << 0;
        QTest::newRow("mixed: left on mixed") << true << -1 << int(Qt::Key_Left) << 0 << 0;
    }
    void keys() {
        QFETCH(bool, mixedAllowed);
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        QFETCH(int, beeps);
        KTSwitch control;
        control.setAllowsMixedState(mixedAllowed);
        control.setState(start);
        QSignalSpy clicked(&control, &KTSwitch::clicked);

        // The key acts when it comes up; held keys repeat nothing.
        sendKey(&control, QEvent::KeyPress, key);
        QCOMPARE(control.state(), start);
        sendKey(&control, QEvent::KeyRelease, key, true);
        QCOMPARE(control.state(), start);
        sendKey(&control, QEvent::KeyRelease, key);
        QCOMPARE(control.state(), expected);
        QCOMPARE(m_beeps, beeps);
        QCOMPARE(clicked.count(), 0);
    }

    // Screens set the state like a toggle button's: through setChecked too.
    void stateFollowsTheCheckMark() {
        KTSwitch control;
        control.setChecked(true);
        QCOMPARE(control.state(), KTSwitch::On);
        control.setChecked(false);
        QCOMPARE(control.state(), KTSwitch::Off);
        control.setState(KTSwitch::Mixed);
        QCOMPARE(control.state(), KTSwitch::On);
    }

private:
    std::unique_ptr<FakeClock> m_clock;
    int m_beeps = 0;
};

TESSMARK_QTEST(KTSwitchTest)
#include "KTSwitchTest.moc"
