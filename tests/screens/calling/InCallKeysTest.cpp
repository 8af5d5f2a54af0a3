#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/KTPickerViewController.h"
#include "App/controls/KTTableView.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallViewController.h"
#include "Screens/calling/DialPadViewController.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/calling/SIPURIViewController.h"
#include "Screens/calling/TelcoActiveCallViewController.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The dialer's keys while a call is up, and the keys that reach the box from it: the keypad
// lent by a call screen, typed digits, the hook-flash key, the SIP address and speed dials.
class InCallKeysTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<CallingWindow>(); }
    void cleanup() { m_window.reset(); }

    // Fault: a digit reported by the box laid the call screen back over the keypad and started
    // the call time again, so a PIN needed KEYPAD before every digit.
    void theTelcoKeypadStaysWhileTheBoxReportsDigits() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::TELCO);
        TelcoActiveCallViewController* screen = w.telcoScreen();
        w.feedTelco("RING 1");
        USER_CLICK(screen->endCallButton());
        w.feedTelco("HOOK 1");
        for (int second = 0; second < 3; ++second) {
            screen->updateTime();
        }
        USER_CLICK(screen->keypadButton());
        w.settle();
        w.takeSent();
        for (const int digit : {1, 2, 3}) {
            USER_CLICK(w.pad()->digitButton(digit));
            w.feed("EP TELCO_RX 1 KEY KEY_DIGIT_RELEASED " + std::to_string(digit));
            QVERIFY(!w.telcoShowing());
        }
        QCOMPARE(w.takeSent().size(), 6);
        QCOMPARE(w.pad()->numberField()->text(), QStringLiteral("123"));

        USER_CLICK(rightButton());
        w.settle();
        QVERIFY(w.telcoShowing());
        QCOMPARE(screen->callStateField()->text(), QStringLiteral("ACTIVE"));
        QCOMPARE(screen->callTimeField()->text(), QStringLiteral("00:00:03"));
    }

    // Fault: digits typed on the keyboard into a call's keypad showed in the field but never
    // reached the box. KEYPAD and Close of both call screens are in reach.
    void typedDigitsReachTheBoxAsClickedOnesDo_data() {
        QTest::addColumn<int>("phoneType");
        QTest::newRow("VoIP") << int(PhoneType::VOIP);
        QTest::newRow("Telco") << int(PhoneType::TELCO);
    }
    void typedDigitsReachTheBoxAsClickedOnesDo() {
        QFETCH(int, phoneType);
        CallingWindow& w = *m_window;
        w.connect(phoneType);
        const bool voip = phoneType == PhoneType::VOIP;
        if (voip) {
            w.feedParty("1;ACTIVE:201:0:0");
            USER_CLICK(w.voip()->keyPadButton());
        } else {
            w.feedTelco("RING 1");
            w.feedTelco("HOOK 1");
            USER_CLICK(w.telcoScreen()->keypadButton());
        }
        w.settle();
        w.takeSent();
        for (const int tag : {1, 5, 9, int(DialPadViewController::sharpTag)}) {
            USER_CLICK(w.pad()->digitButton(tag));
        }
        const QStringList clicked = w.takeSent();
        QCOMPARE(clicked.size(), 8);
        QCOMPARE(clicked.first(), QStringLiteral("KEY KEY_DIGIT_PRESSED 1"));

        USER_TYPE(QStringLiteral("159#"));
        QCOMPARE(w.takeSent(), clicked);
        QCOMPARE(w.pad()->numberField()->text(), QStringLiteral("159#159#"));

        USER_CLICK(rightButton());
        QVERIFY(voip ? w.voipShowing() : w.telcoShowing());
    }

    // Fault: on a telephone line every connection report emptied the number being typed.
    void aTypedNumberOutlivesConnectionReports_data() {
        QTest::addColumn<int>("phoneType");
        QTest::newRow("VoIP") << int(PhoneType::VOIP);
        QTest::newRow("Telco") << int(PhoneType::TELCO);
    }
    void aTypedNumberOutlivesConnectionReports() {
        QFETCH(int, phoneType);
        CallingWindow& w = *m_window;
        w.connect(phoneType);
        USER_CLICK(w.pad()->numberField());
        USER_TYPE(QStringLiteral("555"));
        for (const char* word : {"LOGIN_SUCCESS", "CONNECTED"}) {
            w.ui().dispatchRecord(NotificationType::CONNECTION, word);
            w.settle();
        }
        QCOMPARE(w.pad()->numberField()->text(), QStringLiteral("555"));
        USER_TYPE(QStringLiteral("1"));
        QCOMPARE(w.pad()->numberField()->text(), QStringLiteral("5551"));
    }

    // Fault: the hook-flash key lay where a click did not reach it, beside the call key or alone
    // on a call's keypad.
    void theFlashKeyIsInReach() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::TELCO);
        QPushButton* flash = w.pad()->flashButton();
        QCOMPARE(flash->x(), DialPadViewController::flashBesideCallX);
        QVERIFY(!flash->geometry().intersects(w.pad()->callButton()->geometry()));
        USER_CLICK(flash);
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_HOOK_FLASH")});

        w.feedTelco("RING 1");
        w.feedTelco("HOOK 1");
        USER_CLICK(w.telcoScreen()->keypadButton());
        QCOMPARE(flash->x(), DialPadViewController::flashAloneX);
        w.takeSent();
        USER_CLICK(flash);
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_HOOK_FLASH")});
    }

    // Fault: the SIP URI switch could not be reached, so no address could be dialled.
    void theSipUriSwitchDialsAnAddress() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        USER_CLICK(w.dialer()->sipURIButton());
        w.settle();
        USER_CLICK(w.sip()->sipURIField());
        USER_TYPE(QStringLiteral("ann@pbx"));
        USER_CLICK(w.sip()->callButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_CALL ann@pbx")});

        USER_CLICK(w.dialer()->dialPadButton());
        QVERIFY(w.pad()->numberField()->isVisible());
        QVERIFY(!w.sip()->sipURIField()->isVisible());
    }

    // Fault: shown again, the speed-dial picker highlighted another row than the one Call
    // dials.
    void theSpeedDialPickerShowsTheChoiceCallDials() {
        CallingWindow& w = *m_window;
        storeContact("Ann", "Lee", "", {{"201", 0, 2}, {"301", 1, 3}});
        w.connect(PhoneType::VOIP);
        KTPickerViewController* picker = w.dialer()->pickerViewController();
        QPushButton* speedDial = w.dialer()->navigationController()->navigationBar()->leftButton();
        USER_CLICK(speedDial);
        KTTableView* table = picker->tableView();
        USER_CLICK_AT(table->viewport(), table->visualRect(table->model()->index(2, 0)).center());
        USER_CLICK(picker->leftButton());
        QVERIFY(!picker->view()->isVisible());

        USER_CLICK(speedDial);
        QCOMPARE(table->currentIndex().row(), 2);
        QVERIFY(table->selectionModel()->isRowSelected(2, {}));
        USER_CLICK(picker->rightButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_CALL 301")});
    }

private:
    QPushButton* rightButton() {
        return m_window->dialer()->navigationController()->navigationBar()->rightButton();
    }

    std::unique_ptr<CallingWindow> m_window;
};

TESSMARK_QTEST(InCallKeysTest)
#include "InCallKeysTest.moc"
