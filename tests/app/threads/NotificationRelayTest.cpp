#include "App/NotificationRelay.h"
#include "App/MainQueueBinding.h"
#include "App/Observe.h"
#include "Platform/MainQueue.h"
#include "ui/support/QtTestMain.h"

#include <QTest>
#include <QTimer>

#include <any>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

// Device events reach the GUI thread in the order they were posted, one at a time, each
// observer in the order it registered; observers whose context is gone hear nothing more.
class NotificationRelayTest : public QObject {
    Q_OBJECT

private slots:
    void recordsFromAWorkerArriveInOrder() {
        Platform::MainQueue queue;
        Platform::NotificationCenter center;
        MainQueueBinding binding(queue);
        NotificationRelay relay;
        relay.start(center, queue);

        constexpr int count = 1000;
        std::vector<int> first;
        std::vector<int> second;
        std::vector<int> order;
        QObject firstContext;
        QObject secondContext;
        auto goneContext = std::make_unique<QObject>();
        int heardByGone = 0;
        const auto valueOf = [](const Platform::NotificationCenter::Notification& notification) {
            return std::any_cast<int>(notification.userInfo.at("data"));
        };
        relay.addObserver(&firstContext, [&](const auto& notification) {
            QVERIFY(QThread::currentThread() == thread());
            first.push_back(valueOf(notification));
            order.push_back(1);
        });
        relay.addObserver(goneContext.get(), [&](const auto&) { ++heardByGone; });
        relay.addObserver(&secondContext, [&](const auto& notification) {
            second.push_back(valueOf(notification));
            order.push_back(2);
        });
        goneContext.reset();

        std::thread worker([&center] {
            for (int index = 0; index < count; ++index) {
                center.post(NotificationRelay::notificationName, nullptr, {{"data", std::any(index)}});
            }
        });
        worker.join();
        QTRY_COMPARE_WITH_TIMEOUT(static_cast<int>(second.size()), count, 10000);

        std::vector<int> expected(count);
        for (int index = 0; index < count; ++index) {
            expected[static_cast<size_t>(index)] = index;
        }
        QCOMPARE(first, expected);
        QCOMPARE(second, expected);
        QCOMPARE(heardByGone, 0);
        for (size_t index = 0; index < order.size(); index += 2) {
            QCOMPARE(order[index], 1);
            QCOMPARE(order[index + 1], 2);
        }

        // Once the relay has left the centre, posts reach nobody.
        relay.stop();
        center.post(NotificationRelay::notificationName, nullptr, {{"data", std::any(-1)}});
        QCOMPARE(queue.runPending(), size_t(0));
        QCOMPARE(first.size(), size_t(count));
    }

    // A burst is handed over in slices: the event loop goes round (timers, paints, input)
    // between them, where one drain of every queued record would hold the window until the
    // last; the records still arrive whole and in order.
    void aBurstLetsTheLoopRunBetweenSlices() {
        Platform::MainQueue queue;
        Platform::NotificationCenter center;
        MainQueueBinding binding(queue);
        NotificationRelay relay;
        relay.start(center, queue);

        constexpr int count = 200;
        std::vector<int> heard;
        QObject context;
        relay.addObserver(&context, [&heard](const Platform::NotificationCenter::Notification& notification) {
            heard.push_back(std::any_cast<int>(notification.userInfo.at("data")));
            // A handler that takes a millisecond, as a screen's redraw may.
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1);
            while (std::chrono::steady_clock::now() < until) {
            }
        });
        std::thread worker([&center] {
            for (int index = 0; index < count; ++index) {
                center.post(NotificationRelay::notificationName, nullptr, {{"data", std::any(index)}});
            }
        });
        worker.join();
        int heardWhenTheTimerRan = -1;
        QTimer::singleShot(0, &context, [&] { heardWhenTheTimerRan = static_cast<int>(heard.size()); });
        QTRY_COMPARE_WITH_TIMEOUT(static_cast<int>(heard.size()), count, 10000);
        QVERIFY(heardWhenTheTimerRan >= 0);
        QVERIFY2(heardWhenTheTimerRan < count / 2, qPrintable(QString::number(heardWhenTheTimerRan)));
        std::vector<int> expected(count);
        for (int index = 0; index < count; ++index) {
            expected[static_cast<size_t>(index)] = index;
        }
        QCOMPARE(heard, expected);
        relay.stop();
    }

    // Screen notifications are heard at once on the GUI thread, and no longer once the
    // observer's context is destroyed.
    void observersGoWithTheirContext() {
        int heard = 0;
        {
            QObject context;
            Observe("relayTestNotification", &context, [&heard](const auto&) { ++heard; });
            Post("relayTestNotification");
            QCOMPARE(heard, 1);
        }
        Post("relayTestNotification");
        QCOMPARE(heard, 1);
    }
};

TESSMARK_QTEST(NotificationRelayTest)
#include "NotificationRelayTest.moc"
