#pragma once

#include "Platform/NotificationCenter.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class NotificationInfoObject;

namespace Platform {
class MainQueue;
}

// The interface's only observer of the device events ("notification") on the centre. On the
// bridge's queue it copies the post and hands one closure to the main queue, nothing else; on
// the GUI thread it calls its own observers in the order they registered, one post at a time
// and in the order the posts were made, skipping observers whose context is gone.
class NotificationRelay final : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const Platform::NotificationCenter::Notification&)>;

    static constexpr const char* notificationName = "notification";

    // The program's relay (made on first use, on the GUI thread).
    static NotificationRelay& instance();

    NotificationRelay();
    ~NotificationRelay() override;
    NotificationRelay(const NotificationRelay&) = delete;
    NotificationRelay& operator=(const NotificationRelay&) = delete;

    // Joins the centre; posts then reach the main queue. Joining twice is a no-op.
    void start(Platform::NotificationCenter& center, Platform::MainQueue& queue);
    // Leaves the centre (waiting for a copy running on another thread); closures already queued
    // still run.
    void stop();
    bool isStarted() const { return m_token != 0; }

    // GUI thread: handler hears every post from now on while context lives.
    void addObserver(QObject* context, Handler handler);

    // GUI thread: true while the relay's observers are handling a post.
    static bool isDelivering();

    // The record a "notification" post carries under "data", or null.
    static std::shared_ptr<const NotificationInfoObject>
    recordOf(const Platform::NotificationCenter::Notification& notification);

private:
    struct Observer {
        QPointer<QObject> context;
        Handler handler;
    };
    // Shared with the queued closures, which may outlive the relay.
    struct Observers {
        std::vector<Observer> list;
    };

    static void deliver(const std::shared_ptr<Observers>& observers,
                        const Platform::NotificationCenter::Notification& notification);

    std::shared_ptr<Observers> m_observers;
    Platform::NotificationCenter* m_center = nullptr;
    Platform::NotificationCenter::ObserverToken m_token = 0;
};
