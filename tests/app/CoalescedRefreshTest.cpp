#include "App/CoalescedRefresh.h"
#include "App/NotificationRelay.h"
#include "Platform/MainQueue.h"
#include "ui/support/QtTestMain.h"

#include <QTest>

#include <any>
#include <vector>

// A screen refresh asked for by every record of a burst runs once after them, with what the
// last record left; asked by anything else it runs at once.
class CoalescedRefreshTest : public QObject {
    Q_OBJECT

private slots:
    void recordsShareOneRefreshAndClicksGetTheirsAtOnce() {
        Platform::MainQueue queue;
        Platform::NotificationCenter center;
        NotificationRelay relay;
        relay.start(center, queue);

        std::vector<int> shown;
        int latest = -1;
        QObject context;
        CoalescedRefresh refresh([&] { shown.push_back(latest); }, &context);
        relay.addObserver(&context, [&](const Platform::NotificationCenter::Notification& notification) {
            latest = std::any_cast<int>(notification.userInfo.at("data"));
            refresh.request();
        });
        for (int index = 0; index < 50; ++index) {
            center.post(NotificationRelay::notificationName, nullptr, {{"data", std::any(index)}});
        }
        queue.runPending();
        // A refresh per record would redraw 50 times within a frame.
        QVERIFY(shown.empty());
        QVERIFY(refresh.isPending());
        QTRY_COMPARE(shown, std::vector<int>{49});
        QVERIFY(!refresh.isPending());

        refresh.request();
        QCOMPARE(shown, (std::vector<int>{49, 49}));

        // The harness's flush shows a pending refresh at once.
        center.post(NotificationRelay::notificationName, nullptr, {{"data", std::any(50)}});
        queue.runPending();
        CoalescedRefresh::runAllPending();
        QCOMPARE(shown, (std::vector<int>{49, 49, 50}));
        QVERIFY(!refresh.isPending());
        relay.stop();
    }
};

TESSMARK_QTEST(CoalescedRefreshTest)
#include "CoalescedRefreshTest.moc"
