#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/shell/AppDelegate.h"
#include "Logic/common/Codes.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace DirectoryTest;

// The three lists while a new call or a transfer is dialled from the active-call screen.
class ActiveCallPickTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // "Cancel" ends the dial-tone party (new call) or cancels the transfer on it, returns the
    // routing to normal and asks for the active-call screen once.
    void cancelEndsThePickOnEachList_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("callState");
        QTest::addColumn<QString>("state");
        const std::pair<const char*, int> tabs[] = {{"favorites", TabBarController::Favorites},
                                                    {"phone book", TabBarController::PhoneBook},
                                                    {"call log", TabBarController::Logs}};
        for (const auto& [name, tab] : tabs) {
            QTest::addRow("%s, new call", name) << tab << int(CallRouting::NewCall) << "DIAL_TONE";
            QTest::addRow("%s, transfer", name)
                << tab << int(CallRouting::Transfer) << "TRANSFERRING_DIAL_TONE";
        }
    }
    void cancelEndsThePickOnEachList() {
        QFETCH(int, tab);
        QFETCH(int, callState);
        QFETCH(QString, state);
        addCallLog("2026/01/01", "09:00:00", 10, "201", 0);
        Window window;
        // As the active-call screen starts it: the routing state, the post, then the box's dial tone.
        window.ui().delegate().setCallState(callState);
        Post("newCallFromActiveCall");
        window.ui().feed("EP UA 1 NOTIFICATION STATE_CHANGE PL 3;" + state.toStdString());
        QCOMPARE(window.ui().delegate().dialToneLineParty(), int64_t(3));
        window.showTab(TabBarController::Tab(tab));
        KTNavigationBarController* bar = window.bar(TabBarController::Tab(tab));
        QVERIFY(bar->leftButton()->isHidden());
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Cancel"));
        window.clearSentLines();
        window.ui().posts().clear();
        USER_CLICK(bar->rightButton());
        QCOMPARE(window.sentLines(), std::vector<std::string>{"EP UA 1 KEY KEY_PARTY 3"});
        QCOMPARE(window.ui().delegate().callState(), int64_t(CallRouting::Normal));
        QCOMPARE(window.ui().posts().count(QStringLiteral("backToActiveCallView")), 1);
    }

    // Once the pick has ended, the first right press only clears the screen's flag.
    void aStaleFlagTakesOnePress_data() {
        QTest::addColumn<int>("tab");
        QTest::newRow("favorites") << int(TabBarController::Favorites);
        QTest::newRow("phone book") << int(TabBarController::PhoneBook);
        QTest::newRow("call log") << int(TabBarController::Logs);
    }
    void aStaleFlagTakesOnePress() {
        QFETCH(int, tab);
        addCallLog("2026/01/01", "09:00:00", 10, "201", 0);
        Window window;
        window.showTab(TabBarController::Tab(tab));
        Post("newCallFromActiveCall");
        KTNavigationBarController* bar = window.bar(TabBarController::Tab(tab));
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Cancel"));
        window.ui().delegate().setCallState(CallRouting::Normal);
        KTNavigationController* stack = window.stack(TabBarController::Tab(tab));
        window.ui().posts().clear();
        USER_CLICK(bar->rightButton());
        QCoreApplication::processEvents();
        QCOMPARE(stack->viewControllers().size(), size_t(1));
        QVERIFY(window.ui().posts().screenPosts().isEmpty());
        QVERIFY(window.sentLines().empty());
        // The second press acts as the button's own: "Clear" asks, the favorites' "Add" starts
        // adding, the phone book's pushes the editor.
        Alert::clearRequests();
        Alert::setNextAnswer(0);
        USER_CLICK(bar->rightButton());
        if (tab == TabBarController::Logs) {
            QTRY_COMPARE(Alert::requests().size(), size_t(1));
        } else if (tab == TabBarController::Favorites) {
            QCOMPARE(bar->barTitle()->text(), QStringLiteral("Add to Favorites"));
        } else {
            QCOMPARE(stack->viewControllers().size(), size_t(2));
        }
    }
};

TESSMARK_QTEST(ActiveCallPickTest)
#include "ActiveCallPickTest.moc"
