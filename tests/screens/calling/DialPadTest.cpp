#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/shell/AppDelegate.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/DialPadViewController.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/calling/ElidedTitleButton.h"
#include "Screens/calling/SIPURIViewController.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

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
        field->clear();
        const int before = m_window->ui().beeps();
        USER_CLICK(field);
        USER_TYPE(typed);
        QCOMPARE(field->text(), shown);
        QCOMPARE(m_window->ui().beeps() - before, beeps);
    }

    // Key events reach the box while a call or a dial tone is up and while the pad is a
    // call's keypad; the digit lands in the field in every case.
    void keyEventsFollowTheCall_data() {
        QTest::addColumn<int>("padState");
        QTest::addColumn<int>("callState");
        QTest::addColumn<bool>("keypadOfACall");
        QTest::addColumn<bool>("sent");
        QTest::newRow("composing a number") << 0 << 0 << false << false;
        QTest::newRow("dial tone") << 2 << 0 << false << true;
        QTest::newRow("dialling a further call") << 0 << 1 << false << true;
        QTest::newRow("dialling a transfer target") << 0 << 2 << false << true;
        QTest::newRow("keypad of an answered call") << 0 << 0 << true << true;
    }
    void keyEventsFollowTheCall() {
        QFETCH(int, padState);
        QFETCH(int, callState);
        QFETCH(bool, keypadOfACall);
        QFETCH(bool, sent);
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        // A party that takes digits, so that only the pad decides.
        w.feedParty("1;ACTIVE:201:0:0");
        w.takeSent();
        // The pad in front, as each of these roles has it.
        OverlayHost::removeFromSuperview(w.ui().delegate().activeCallNavigationController()->view());
        DialPadViewController* pad = w.pad();
        pad->setState(padState);
        w.routing().setCallState(callState);
        pad->setOpenedFromActiveCallView(keypadOfACall);
        USER_REPLACE_TEXT(pad->numberField(), QStringLiteral("1"));
        w.takeSent();
        USER_CLICK(pad->digitButton(5));
        const QStringList expected = sent ? QStringList{QStringLiteral("KEY KEY_DIGIT_PRESSED 5"),
                                                        QStringLiteral("KEY KEY_DIGIT_RELEASED 5")}
                                          : QStringList();
        QCOMPARE(w.takeSent(), expected);
        QCOMPARE(pad->numberField()->text(), QStringLiteral("15"));
    }

    void aHeldDigitDialsItsSpeedDial() {
        CallingWindow& w = *m_window;
        storeContact("Ann", "Lee", "", {{"303", 1, 3}, {"000", 1, 0}});
        w.connect(PhoneType::VOIP);
        DialPadViewController* pad = w.pad();

        // The long-press timer is stretched: the test runs its slot while the key is held.
        USER_MOUSE_DOWN(pad->digitButton(3));
        QCOMPARE(pad->longPressedButtonTag(), 3);
        pad->digitButtonLongPressed();
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_CALL 303")});
        QCOMPARE(pad->numberField()->text(), QString());
        USER_MOUSE_UP(pad->digitButton(3));
        QCOMPARE(pad->numberField()->text(), QStringLiteral("3"));

        // Released in time, on a field with text, or "0": no speed dial.
        pad->numberField()->clear();
        USER_CLICK(pad->digitButton(3));
        pad->digitButtonLongPressed();
        USER_MOUSE_DOWN(pad->digitButton(3));
        pad->digitButtonLongPressed();
        USER_MOUSE_UP(pad->digitButton(3));
        pad->numberField()->clear();
        USER_MOUSE_DOWN(pad->digitButton(0));
        pad->digitButtonLongPressed();
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
        USER_REPLACE_TEXT(w.pad()->numberField(), QStringLiteral("12"));
        w.dialer()->viewWillAppearInWindow();
        w.settle();
        QCOMPARE(w.pad()->numberField()->text(), QString());
        QCOMPARE(w.ui().window()->focusWidget(), w.pad()->numberField());
        // Typed earlier, while the SIP entry was shown.
        w.sip()->sipURIField()->setText(QStringLiteral("ann@pbx"));
        USER_CLICK(w.dialer()->sipURIButton());
        w.settle();
        QCOMPARE(w.ui().window()->focusWidget(), w.sip()->sipURIField());
        QCOMPARE(w.sip()->sipURIField()->text(), QStringLiteral("ann@pbx"));
        // Tab walks on from the call key to the custom keys, then the switches.
        QCOMPARE(w.sip()->callButton()->nextInFocusChain(), w.dialer()->customButton(0));
        QCOMPARE(w.dialer()->customButton(4)->nextInFocusChain(), w.dialer()->dialPadButton());
    }

    void theModesRedrawTheCallKey() {
        CallingWindow& w = *m_window;
        DialPadViewController* pad = w.pad();
        SIPURIViewController* sip = w.sip();
        // Typed earlier, while the SIP entry was shown.
        sip->sipURIField()->setText(QStringLiteral("ann@pbx"));
        USER_REPLACE_TEXT(pad->numberField(), QStringLiteral("20"));
        Post("dialerOffHookState");
        QCOMPARE(pad->callButtonImageName(), QStringLiteral("btn_call_off"));
        QCOMPARE(sip->callButtonImageName(), QStringLiteral("btn_call_off"));
        QCOMPARE(pad->numberField()->text(), QStringLiteral("20"));
        // setState alone redraws nothing.
        pad->setState(DialPadViewController::NormalState);
        QCOMPARE(pad->callButtonImageName(), QStringLiteral("btn_call_off"));
        Post("dialerNormalState");
        QCOMPARE(pad->callButtonImageName(), QStringLiteral("btn_call_on"));
        QCOMPARE(pad->numberField()->text(), QString());
        QCOMPARE(sip->callButtonImageName(), QStringLiteral("btn_call_on"));
        QCOMPARE(sip->sipURIField()->text(), QStringLiteral("ann@pbx"));
    }

    void theFlashKeyFollowsTheMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("keypadOfACall");
        QTest::addColumn<bool>("flashShown");
        QTest::addColumn<int>("flashX");
        QTest::addColumn<bool>("callShown");
        QTest::newRow("VoIP") << 0 << false << false << DialPadViewController::flashBesideCallX << true;
        QTest::newRow("Telco") << 1 << false << true << DialPadViewController::flashBesideCallX << true;
        QTest::newRow("Telco keypad of a call")
            << 1 << true << true << DialPadViewController::flashAloneX << false;
    }
    void theFlashKeyFollowsTheMode() {
        QFETCH(int, mode);
        QFETCH(bool, keypadOfACall);
        QFETCH(bool, flashShown);
        QFETCH(int, flashX);
        QFETCH(bool, callShown);
        DialPadViewController* pad = m_window->pad();
        pad->setOpenedFromActiveCallView(keypadOfACall);
        pad->setMode(mode);
        QCOMPARE(!pad->flashButton()->isHidden(), flashShown);
        QCOMPARE(pad->flashButton()->x(), flashX);
        QCOMPARE(!pad->callButton()->isHidden(), callShown);
    }

    // The SIP text goes out as typed, in one line: the core takes out the line break.
    void aSipAddressGoesOutAsTyped() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.dialer()->navigateToSIPURIView();
        w.sip()->sipURIField()->setText(QStringLiteral("201\r\nEP UA 1 KEY KEY_HOLD"));
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
