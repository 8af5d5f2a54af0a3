#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallViewController.h"
#include "Screens/calling/CallingTimings.h"
#include "Screens/calling/DialPadViewController.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/calling/ElidedTitleButton.h"
#include "Screens/calling/SIPURIViewController.h"
#include "Screens/calling/TelcoActiveCallViewController.h"
#include "Screens/calling/TransferTypePickerViewController.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The dial pad and the SIP URI entry: what the field accepts, which key presses reach the box,
// the speed dial on a held key, and what the call key does in each mode.
class DialPadTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<CallingWindow>(); }
    void cleanup() { m_window.reset(); }

    void theFieldTakesDiallingCharactersOnly_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("beeps");
        QTest::newRow("digits then a letter") << QStringLiteral("12a") << QStringLiteral("12") << 1;
        QTest::newRow("plus, star and hash") << QStringLiteral("+1*2#3") << QStringLiteral("+1*2#3") << 0;
        QTest::newRow("a blank") << QStringLiteral("1 2") << QStringLiteral("12") << 1;
    }
    void theFieldTakesDiallingCharactersOnly() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, beeps);
        QLineEdit* field = m_window->pad()->numberField();
        const int before = m_window->ui().beeps();
        USER_CLICK(field);
        USER_TYPE(typed);
        QCOMPARE(field->text(), shown);
        QCOMPARE(m_window->ui().beeps() - before, beeps);
    }

    // Key events reach the box while a call or a dial tone is up and while the pad is a
    // call's keypad; the digit lands in the field in every case. Each row brings the pad to
    // front as the user does, so that one condition holds at a time.
    void keyEventsFollowTheCall_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("sent");
        QTest::newRow("composing a number") << QStringLiteral("none") << false;
        QTest::newRow("dial tone") << QStringLiteral("dial tone") << true;
        QTest::newRow("dialling a further call") << QStringLiteral("new call") << true;
        QTest::newRow("dialling a transfer target") << QStringLiteral("transfer") << true;
        QTest::newRow("keypad of an answered call") << QStringLiteral("keypad") << true;
    }
    void keyEventsFollowTheCall() {
        QFETCH(QString, way);
        QFETCH(bool, sent);
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        if (way == QStringLiteral("dial tone")) {
            USER_CLICK(w.pad()->callButton());
            w.feedParty("1;DIAL_TONE");
        } else if (way != QStringLiteral("none")) {
            w.feedParty("1;ACTIVE:201:0:0");
            ActiveCallViewController* screen = w.voip();
            if (way == QStringLiteral("new call")) {
                USER_CLICK(screen->makeCallButton());
                w.feedParty("1;HOLD:201:9:0");
                w.feedParty("2;DIAL_TONE");
            } else if (way == QStringLiteral("transfer")) {
                USER_CLICK(screen->transferButton());
                USER_CLICK(screen->transferTypePicker()->assistedTransferButton());
                w.feedParty("1;TRANSFER_HOLD:201:5:0");
                w.feedParty("2;TRANSFERRING_DIAL_TONE");
            } else {
                USER_CLICK(screen->keyPadButton());
            }
        }
        w.settle();
        DialPadViewController* pad = w.pad();
        USER_REPLACE_TEXT(pad->numberField(), QStringLiteral("1"));
        w.takeSent();
        USER_CLICK(pad->digitButton(5));
        const QStringList expected = sent ? QStringList{QStringLiteral("KEY KEY_DIGIT_PRESSED 5"),
                                                        QStringLiteral("KEY KEY_DIGIT_RELEASED 5")}
                                          : QStringList();
        QCOMPARE(w.takeSent(), expected);
        QCOMPARE(pad->numberField()->text(), QStringLiteral("15"));
    }

    // A key held for the long-press time on an empty field dials its slot; the test's time is
    // no time at all, so the press alone lasts long enough.
    void aHeldDigitDialsItsSpeedDial() {
        CallingWindow& w = *m_window;
        storeContact("Ann", "Lee", "", {{"303", 1, 3}, {"000", 1, 0}});
        w.connect(PhoneType::VOIP);
        CallingTimings::current().longPressMilliseconds = 0;
        DialPadViewController* pad = w.pad();

        USER_MOUSE_DOWN(pad->digitButton(3));
        w.settle();
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_CALL 303")});
        QCOMPARE(pad->numberField()->text(), QString());
        USER_MOUSE_UP(pad->digitButton(3));
        QCOMPARE(pad->numberField()->text(), QStringLiteral("3"));

        // Released in time, held on a field with text, or "0": no speed dial.
        USER_REPLACE_TEXT(pad->numberField(), QString());
        USER_CLICK(pad->digitButton(3));
        w.settle();
        USER_MOUSE_DOWN(pad->digitButton(3));
        w.settle();
        USER_MOUSE_UP(pad->digitButton(3));
        USER_REPLACE_TEXT(pad->numberField(), QString());
        USER_MOUSE_DOWN(pad->digitButton(0));
        w.settle();
        USER_MOUSE_UP(pad->digitButton(0));
        QCOMPARE(w.takeSent(), QStringList());
    }

    void theCallKeyInEachMode_data() {
        QTest::addColumn<int>("phoneType");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("sent");
        QTest::newRow("VoIP number") << int(PhoneType::VOIP) << QStringLiteral("201")
                                     << QStringLiteral("KEY KEY_CALL 201");
        QTest::newRow("VoIP empty") << int(PhoneType::VOIP) << QString() << QStringLiteral("KEY KEY_HOOK");
        QTest::newRow("VoIP plus") << int(PhoneType::VOIP) << QStringLiteral("+4930")
                                   << QStringLiteral("KEY KEY_CALL 4930");
        QTest::newRow("Telco empty") << int(PhoneType::TELCO) << QString()
                                     << QStringLiteral("KEY KEY_HOOK 1");
    }
    void theCallKeyInEachMode() {
        QFETCH(int, phoneType);
        QFETCH(QString, number);
        QFETCH(QString, sent);
        CallingWindow& w = *m_window;
        w.connect(phoneType);
        USER_REPLACE_TEXT(w.pad()->numberField(), number);
        USER_CLICK(w.pad()->callButton());
        QCOMPARE(w.takeSent(), QStringList{sent});
    }

    // With dial tone the call key hangs up; it never dials what the field holds.
    void theCallKeyWithDialToneHangsUp_data() {
        QTest::addColumn<int>("phoneType");
        QTest::addColumn<QString>("sent");
        QTest::newRow("VoIP") << int(PhoneType::VOIP) << QStringLiteral("KEY KEY_PARTY 1");
        QTest::newRow("Telco") << int(PhoneType::TELCO) << QStringLiteral("KEY KEY_HOOK 0");
    }
    void theCallKeyWithDialToneHangsUp() {
        QFETCH(int, phoneType);
        QFETCH(QString, sent);
        CallingWindow& w = *m_window;
        w.connect(phoneType);
        USER_CLICK(w.pad()->callButton());
        if (phoneType == PhoneType::VOIP) {
            w.feedParty("1;DIAL_TONE");
        } else {
            w.feedTelco("HOOK 1");
        }
        w.takeSent();
        QCOMPARE(w.pad()->state(), DialPadViewController::OffHookState);
        QCOMPARE(w.routing().dialToneLineParty(), 1);
        // Digits typed with dial tone go out as key presses; the call key then hangs up.
        USER_REPLACE_TEXT(w.pad()->numberField(), QStringLiteral("201"));
        w.takeSent();
        USER_CLICK(w.pad()->callButton());
        QCOMPARE(w.takeSent(), QStringList{sent});
    }

    // Shown, the pad starts empty with the field taking the keys; the SIP field keeps its text.
    void theFieldsTakeFocusWhenShown() {
        CallingWindow& w = *m_window;
        // A VoIP line: only it offers the SIP entry.
        w.connect(PhoneType::VOIP);
        TabBarController* tabs = w.ui().delegate().tabBarController();
        USER_REPLACE_TEXT(w.pad()->numberField(), QStringLiteral("12"));
        USER_CLICK(tabs->favoritesButton());
        USER_CLICK(tabs->dialerButton());
        w.settle();
        QCOMPARE(w.pad()->numberField()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), w.pad()->numberField());

        USER_CLICK(w.dialer()->sipURIButton());
        w.settle();
        QCOMPARE(QApplication::focusWidget(), w.sip()->sipURIField());
        USER_TYPE(QStringLiteral("ann@pbx"));
        USER_CLICK(w.dialer()->dialPadButton());
        USER_CLICK(w.dialer()->sipURIButton());
        w.settle();
        QCOMPARE(QApplication::focusWidget(), w.sip()->sipURIField());
        QCOMPARE(w.sip()->sipURIField()->text(), QStringLiteral("ann@pbx"));
        // Tab walks on from the call key to the custom keys, then the switches.
        QCOMPARE(w.sip()->callButton()->nextInFocusChain(), w.dialer()->customButton(0));
        QCOMPARE(w.dialer()->customButton(4)->nextInFocusChain(), w.dialer()->dialPadButton());
    }

    // A dial tone from the box turns both call keys into hang-up keys and keeps the number;
    // the idle line turns them back and empties the pad, not the SIP field.
    void theModesRedrawTheCallKey() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        DialPadViewController* pad = w.pad();
        SIPURIViewController* sip = w.sip();
        USER_CLICK(w.dialer()->sipURIButton());
        USER_REPLACE_TEXT(sip->sipURIField(), QStringLiteral("ann@pbx"));
        USER_CLICK(w.dialer()->dialPadButton());
        USER_REPLACE_TEXT(pad->numberField(), QStringLiteral("20"));
        w.feedParty("1;DIAL_TONE");
        QCOMPARE(pad->callButtonImageName(), QStringLiteral("btn_call_off"));
        QCOMPARE(sip->callButtonImageName(), QStringLiteral("btn_call_off"));
        QCOMPARE(pad->numberField()->text(), QStringLiteral("20"));
        w.feedParty("1;IDLE");
        QCOMPARE(pad->callButtonImageName(), QStringLiteral("btn_call_on"));
        QCOMPARE(pad->numberField()->text(), QString());
        QCOMPARE(sip->callButtonImageName(), QStringLiteral("btn_call_on"));
        QCOMPARE(sip->sipURIField()->text(), QStringLiteral("ann@pbx"));
    }

    // The flash key only on a telephone line, beside the call key, or alone on a call's keypad.
    void theFlashKeyFollowsTheMode_data() {
        QTest::addColumn<int>("phoneType");
        QTest::addColumn<bool>("keypadOfACall");
        QTest::addColumn<bool>("flashShown");
        QTest::addColumn<int>("flashX");
        QTest::addColumn<bool>("callShown");
        QTest::newRow("VoIP") << int(PhoneType::VOIP) << false << false
                              << DialPadViewController::flashBesideCallX << true;
        QTest::newRow("Telco") << int(PhoneType::TELCO) << false << true
                               << DialPadViewController::flashBesideCallX << true;
        QTest::newRow("Telco keypad of a call")
            << int(PhoneType::TELCO) << true << true << DialPadViewController::flashAloneX << false;
    }
    void theFlashKeyFollowsTheMode() {
        QFETCH(int, phoneType);
        QFETCH(bool, keypadOfACall);
        QFETCH(bool, flashShown);
        QFETCH(int, flashX);
        QFETCH(bool, callShown);
        CallingWindow& w = *m_window;
        w.connect(phoneType);
        if (keypadOfACall) {
            w.feedTelco("RING 1");
            w.feedTelco("HOOK 1");
            USER_CLICK(w.telcoScreen()->keypadButton());
            w.settle();
        }
        DialPadViewController* pad = w.pad();
        QCOMPARE(pad->flashButton()->isVisible(), flashShown);
        QCOMPARE(pad->flashButton()->x(), flashX);
        QCOMPARE(pad->callButton()->isVisible(), callShown);
    }

    // A pasted SIP text goes out in one line: the core takes out the line break, so the text
    // after it is no command of its own.
    void aSipAddressGoesOutAsTyped() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        USER_CLICK(w.dialer()->sipURIButton());
        USER_CLICK(w.sip()->sipURIField());
        USER_PASTE(QStringLiteral("201\r\nEP UA 1 KEY KEY_HOLD"));
        USER_CLICK(w.sip()->callButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_CALL 201EP UA 1 KEY KEY_HOLD")});
        USER_CLICK(w.sip()->sipURIField());
        USER_TYPE(QStringLiteral("x"));
        QCOMPARE(w.ui().beeps(), 0);
    }

private:
    std::unique_ptr<CallingWindow> m_window;
};

TESSMARK_QTEST(DialPadTest)
#include "DialPadTest.moc"
