#pragma once

#include <QObject>

#include <chrono>

namespace Platform {
class MainQueue;
}

// Binds the program's main queue to the GUI thread. A task posted from any thread wakes this
// object with one queued call (posts in a burst share it), and the call drains the queue here.
// The queue keeps its tasks under its own mutex, so the hand-over between threads is visible to
// the thread sanitizer even though Qt is not instrumented. Made on the GUI thread before the
// core opens; it unbinds when destroyed, which must come after the core's threads are joined.
class MainQueueBinding final : public QObject {
    Q_OBJECT

public:
    explicit MainQueueBinding(Platform::MainQueue& queue, QObject* parent = nullptr);
    ~MainQueueBinding() override;
    MainQueueBinding(const MainQueueBinding&) = delete;
    MainQueueBinding& operator=(const MainQueueBinding&) = delete;

    // The time one drain may run queued tasks before it lets the event loop go round.
    static constexpr std::chrono::milliseconds sliceBudget{8};

    // Runs what is queued now (the wake-up's action), for at most sliceBudget.
    void drain();

private:
    Platform::MainQueue& m_queue;
};
