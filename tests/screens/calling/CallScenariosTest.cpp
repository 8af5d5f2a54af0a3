#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/FunctionButtonView.h"
#include "App/shell/TabBarController.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallCellView.h"
#include "Screens/calling/ActiveCallViewController.h"
#include "Screens/calling/DialPadViewController.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/calling/TransferTypePickerViewController.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Whole calls as a user places and handles them: the keys and buttons clicked, the lines the
// box is sent, the box's answers fed back, and what the window shows in between.
class CallScenariosTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<CallingWindow>(); }
    void cleanup() { m_window.reset(); }

    void dialFromThePad() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        for (QPushButton* key : {w.pad()->digitButton(2), w.pad()->digitButton(0), w.pad()->digitButton(1)}) {
            USER_CLICK(key);
        }
        QCOMPARE(w.pad()->numberField()->text(), QStringLiteral("201"));
        USER_CLICK(w.pad()->callButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_CALL 201")});

        w.feedParty("1;DIALING:201");
        QCOMPARE(w.takePosts(), QStringList{QStringLiteral("dialerOffHookState")});
        QCOMPARE(w.pad()->callButtonImageName(), QStringLiteral("btn_call_off"));
        QVERIFY(!w.voipShowing());

        w.feedParty("1;INPROCESS:201");
        QVERIFY(w.voipShowing());
        QCOMPARE(w.takePosts().count(QStringLiteral("openActiveCallView")), 1);

        w.feedParty("1;RINGING:201");
        ActiveCallViewController* screen = w.voip();
        QCOMPARE(screen->cellViews().size(), size_t{1});
        const ActiveCallCellView* row = screen->cellViews().front();
        QVERIFY(row->callTimeView()->isHidden());
        QVERIFY(row->holdTimeView()->isHidden());
        QVERIFY(!screen->holdButton()->isEnabled());
        QVERIFY(!screen->transferButton()->isEnabled());
        QVERIFY(!screen->conferenceButton()->isEnabled());
        QVERIFY(screen->endCallButton()->isEnabled());
        QVERIFY(!screen->makeCallButton()->isEnabled());
        QVERIFY(!screen->keyPadButton()->isEnabled());
    }

    // The hold time of a party that stays on hold keeps counting when another party's record
    // arrives; it restarts only when the party goes on hold.
    void answerHoldAndResume() {
        CallingWindow& w = *m_window;
        storeContact("Ann", "Lee", "Northwind", {{"201", 1}});
        w.connect(PhoneType::VOIP);
        ActiveCallViewController* screen = w.voip();

        w.feedParty("1;INCOMING:201");
        QCOMPARE(screen->cellViews().front()->contactNameField()->text(), QStringLiteral("Ann Lee"));
        QCOMPARE(screen->cellViews().front()->phoneTypeField()->text(), QStringLiteral("Work"));
        QCOMPARE(screen->holdButtonView()->title(), QStringLiteral("ANSWER"));
        USER_CLICK(screen->holdButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 1")});

        w.feedParty("1;ACTIVE:201:0:0");
        tick(3);
        QCOMPARE(screen->cellViews().front()->callTimeField()->text(), QStringLiteral("00:00:03"));
        QCOMPARE(screen->holdButtonView()->title(), QStringLiteral("HOLD"));
        USER_CLICK(screen->holdButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_HOLD")});

        w.feedParty("1;HOLD:201:3:0");
        tick(2);
        w.feedParty("2;INCOMING:202");
        QCOMPARE(screen->cellViews().size(), size_t{2});
        QCOMPARE(screen->selectedLineParty()->ID(), 2);
        const ActiveCallCellView* held = screen->cellViews().front();
        QCOMPARE(held->holdTimeField()->text(), QStringLiteral("00:00:02"));
        QCOMPARE(held->callTimeField()->text(), QStringLiteral("00:00:05"));

        clickRow(0);
        QCOMPARE(screen->selectedLineParty()->ID(), 1);
        QCOMPARE(screen->holdButtonView()->title(), QStringLiteral("RESUME"));
        USER_CLICK(screen->holdButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 1")});

        w.takePosts();
        w.feedParty("1;IDLE");
        w.feedParty("2;IDLE");
        QVERIFY(!w.voipShowing());
        QCOMPARE(w.takePosts(),
                 (QStringList{QStringLiteral("backToCurrentTab"), QStringLiteral("dialerNormalState")}));
        QCOMPARE(w.routing().callState(), CallRouting::Idle);
    }

    // NEW CALL: the active-call screen steps aside while the new party has dial tone, the
    // dialer's Cancel ends that party, and an in-process record brings the screen back.
    void newCallFromTheActiveCallScreen() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        USER_CLICK(w.voip()->makeCallButton());
        QCOMPARE(w.takeSent(),
                 (QStringList{QStringLiteral("KEY KEY_HOLD"), QStringLiteral("KEY KEY_PARTY 2")}));
        QCOMPARE(w.routing().callState(), CallRouting::NewCall);
        QVERIFY(w.takePosts().contains(QStringLiteral("newCallFromActiveCall")));

        w.feedParty("1;HOLD:201:9:0");
        w.feedParty("2;DIAL_TONE");
        QVERIFY(!w.voipShowing());
        QCOMPARE(w.routing().dialToneLineParty(), 2);
        QCOMPARE(w.takePosts(),
                 (QStringList{QStringLiteral("backToCurrentTab"), QStringLiteral("dialerNewCallState")}));
        QCOMPARE(rightButton()->text(), QStringLiteral("Cancel"));
        QVERIFY(leftButton()->isHidden());
        QCOMPARE(w.pad()->state(), DialPadViewController::NewCallState);

        // The digits go to the party with dial tone.
        USER_CLICK(w.pad()->digitButton(5));
        QCOMPARE(w.takeSent(), (QStringList{QStringLiteral("KEY KEY_DIGIT_PRESSED 5"),
                                            QStringLiteral("KEY KEY_DIGIT_RELEASED 5")}));

        USER_CLICK(rightButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 2")});
        QCOMPARE(w.routing().callState(), CallRouting::Normal);
        QCOMPARE(w.takePosts(), QStringList{QStringLiteral("backToActiveCallView")});
        QVERIFY(w.voipShowing());
    }

    void newCallComesBackWhenInProcess() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        USER_CLICK(w.voip()->makeCallButton());
        w.feedParty("1;HOLD:201:9:0");
        w.feedParty("2;DIAL_TONE");
        w.takePosts();
        w.feedParty("2;INPROCESS:202");
        QVERIFY(w.voipShowing());
        QCOMPARE(w.routing().callState(), CallRouting::Normal);
        QCOMPARE(w.routing().dialToneLineParty(), CallRouting::NoParty);
        QCOMPARE(w.takePosts(),
                 (QStringList{QStringLiteral("dialerNormalState"), QStringLiteral("openActiveCallView")}));
        QCOMPARE(w.pad()->state(), DialPadViewController::NormalState);
    }

    // A dial tone left from an earlier call is forgotten when the line goes idle and when a
    // new call starts, so Cancel never ends the user's own call.
    void cancelNeverEndsAStaleDialTone() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;DIAL_TONE");
        QCOMPARE(w.routing().dialToneLineParty(), 1);
        w.feedParty("1;IDLE");
        w.feedParty("1;ACTIVE:201:0:0");
        USER_CLICK(w.voip()->makeCallButton());
        QCOMPARE(w.takeSent(),
                 (QStringList{QStringLiteral("KEY KEY_HOLD"), QStringLiteral("KEY KEY_PARTY 2")}));
        USER_CLICK(w.voip()->keyPadButton());
        USER_CLICK(rightButton());
        QCOMPARE(w.takeSent(), QStringList());
    }

    void assistedTransfer() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        w.takePosts();
        ActiveCallViewController* screen = w.voip();
        USER_CLICK(screen->transferButton());
        QVERIFY(screen->transferTypePicker()->view()->isVisible());
        QCOMPARE(w.takeSent(), QStringList());
        USER_CLICK(screen->transferTypePicker()->assistedTransferButton());
        QVERIFY(!screen->transferTypePicker()->view()->isVisible());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_TRANSFER")});
        QCOMPARE(w.routing().callState(), CallRouting::Transfer);
        QCOMPARE(w.takePosts(), QStringList{QStringLiteral("newCallFromActiveCall")});

        w.feedParty("1;TRANSFER_HOLD:201:5:0");
        w.feedParty("2;TRANSFERRING_DIAL_TONE");
        QVERIFY(!w.voipShowing());
        QCOMPARE(w.routing().dialToneLineParty(), 2);
        w.feedParty("2;TRANSFERRING_INPROCESS:202");
        QVERIFY(w.voipShowing());
        w.feedParty("2;TRANSFERRING_RINGING:202");
        QCOMPARE(screen->selectedLineParty()->ID(), 2);
        QCOMPARE(screen->transferButtonView()->title(), QStringLiteral("COMPLETE"));
        QCOMPARE(screen->endCallButtonView()->title(), QStringLiteral("CANCEL"));
        USER_CLICK(screen->transferButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_TRANSFER")});
        USER_CLICK(screen->endCallButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 2")});
    }

    // The pad's call key while a transfer target has dial tone cancels the transfer, quietly.
    void transferCancelledFromThePad() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        USER_CLICK(w.voip()->transferButton());
        USER_CLICK(w.voip()->transferTypePicker()->assistedTransferButton());
        w.feedParty("1;TRANSFER_HOLD:201:5:0");
        w.feedParty("2;TRANSFERRING_DIAL_TONE");
        w.takeSent();
        w.takePosts();
        USER_CLICK(w.pad()->callButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 2")});
        QCOMPARE(w.routing().callState(), CallRouting::Normal);
        QCOMPARE(w.pad()->state(), DialPadViewController::NormalState);
        QCOMPARE(w.pad()->callButtonImageName(), QStringLiteral("btn_call_off"));
        QCOMPARE(w.takePosts(), QStringList());
    }

    void blindTransfer() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        ActiveCallViewController* screen = w.voip();
        USER_CLICK(screen->transferButton());
        USER_CLICK(screen->transferTypePicker()->blindTransferButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_BLIND_TRANSFER")});
        QCOMPARE(w.routing().callState(), CallRouting::Transfer);
        w.feedParty("1;BLIND_TRANSFER_HOLD:201:5:0");
        w.feedParty("2;BLIND_TRANSFERRING_DIAL_TONE");
        QVERIFY(!w.voipShowing());
        w.feedParty("2;BLIND_TRANSFERRING_INPROCESS:202");
        QVERIFY(w.voipShowing());
        w.feedParty("2;BLIND_TRANSFERRING_RINGING:202");
        QCOMPARE(screen->cellViews().back()->stateNameField()->text(),
                 QStringLiteral("TRANSFERRING RINGING"));
        QVERIFY(!screen->transferButton()->isEnabled());
        QCOMPARE(screen->endCallButtonView()->title(), QStringLiteral("CANCEL"));
        QVERIFY(screen->endCallButton()->isEnabled());
    }

    void conference() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;HOLD:201:5:0");
        w.feedParty("2;ACTIVE:202:0:0");
        ActiveCallViewController* screen = w.voip();
        QVERIFY(screen->conferenceButton()->isEnabled());
        w.takeSent();
        USER_CLICK(screen->conferenceButton());
        QCOMPARE(w.takeSent(),
                 (QStringList{QStringLiteral("KEY KEY_CONFERENCE 1"), QStringLiteral("KEY KEY_CONFERENCE"),
                              QStringLiteral("KEY KEY_CONFERENCE 2"), QStringLiteral("KEY KEY_CONFERENCE")}));

        w.feedParty("1;ACTIVE:201:0:0");
        w.feedParty("2;CONFERENCE_HOLD:202:0:0");
        w.takeSent();
        USER_CLICK(screen->conferenceButton());
        QCOMPARE(w.takeSent(),
                 (QStringList{QStringLiteral("KEY KEY_HOLD"), QStringLiteral("KEY KEY_PARTY 2"),
                              QStringLiteral("KEY KEY_CONFERENCE 1"), QStringLiteral("KEY KEY_CONFERENCE")}));

        w.feedParty("1;CONFERENCE_ACTIVE:201:0:0");
        w.feedParty("2;CONFERENCE_ACTIVE:202:0:0");
        w.takeSent();
        USER_CLICK(screen->endCallButton());
        QCOMPARE(w.takeSent(), (QStringList{QStringLiteral("KEY KEY_HOOK"), QStringLiteral("KEY KEY_HOOK")}));
    }

    // KEYPAD on an answered incoming call: the pad is in its normal state and the call state
    // is 0, yet the digits reach the box.
    void keypadOfAnAnsweredCall() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;INCOMING:201");
        USER_CLICK(w.voip()->holdButton());
        w.feedParty("1;ACTIVE:201:0:0");
        QCOMPARE(w.pad()->state(), DialPadViewController::NormalState);
        QCOMPARE(w.routing().callState(), CallRouting::Normal);
        w.takeSent();

        USER_CLICK(w.voip()->keyPadButton());
        QVERIFY(!w.voipShowing());
        QCOMPARE(rightButton()->text(), QStringLiteral("Close"));
        QVERIFY(w.pad()->callButton()->isHidden());
        USER_CLICK(w.pad()->digitButton(5));
        QCOMPARE(w.takeSent(), (QStringList{QStringLiteral("KEY KEY_DIGIT_PRESSED 5"),
                                            QStringLiteral("KEY KEY_DIGIT_RELEASED 5")}));
        w.takePosts();
        USER_CLICK(rightButton());
        QCOMPARE(w.takePosts(), QStringList{QStringLiteral("backToActiveCallViewFromKeyPad")});
        QVERIFY(w.voipShowing());
        QVERIFY(!w.dialer()->openedFromActiveCallView());

        // The call ends while the keypad is borrowed: nothing comes back over the window.
        USER_CLICK(w.voip()->keyPadButton());
        w.feedParty("1;IDLE");
        QVERIFY(!w.voipShowing());
        QVERIFY(!w.dialer()->openedFromActiveCallView());
    }

private:
    QPushButton* leftButton() {
        return m_window->dialer()->navigationController()->navigationBar()->leftButton();
    }
    QPushButton* rightButton() {
        return m_window->dialer()->navigationController()->navigationBar()->rightButton();
    }

    void tick(int seconds) {
        for (int second = 0; second < seconds; ++second) {
            m_window->voip()->updateTime();
        }
        m_window->settle();
    }

    void clickRow(int row) {
        KTTableView* table = m_window->voip()->tableView();
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        USER_CLICK_AT(table->viewport(), rect.center());
    }

    std::unique_ptr<CallingWindow> m_window;
};

TESSMARK_QTEST(CallScenariosTest)
#include "CallScenariosTest.moc"
