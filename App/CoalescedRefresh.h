#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

// A screen's refresh that the box's records may ask for many times a second (a burst after a
// reconnect can bring thousands). Asked while a record is being handled, it runs once for all
// the records of the next frame or so, and no more often than its own cost allows, so a slow
// refresh leaves the window time to paint and answer input. Asked anywhere else (a click), it
// runs at once and drops a pending one. GUI thread only.
class CoalescedRefresh final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds frame{16};
    // A deferred refresh waits this many times its last cost, so it takes at most a quarter of
    // the window's time during a burst.
    static constexpr int costShare = 4;

    CoalescedRefresh(std::function<void()> refresh, QObject* parent);
    ~CoalescedRefresh() override;

    void request();
    bool isPending() const { return m_timer.isActive(); }
    // Runs every pending refresh now: the screens as the next frame would show them.
    static void runAllPending();

private:
    void run();

    std::function<void()> m_refresh;
    QTimer m_timer;
    std::chrono::steady_clock::duration m_lastCost{};
};
