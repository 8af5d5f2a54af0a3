#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/common/Codes.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Platform/MainQueue.h"
#include "Screens/calling/DialerViewController.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QTest>
#include <QToolButton>

namespace {

const std::string party = "EP UA 1 NOTIFICATION STATE_CHANGE PL ";

} // namespace

// Which active-call screen lies over the window, and which mode the dialer is told, as the
// parties' states arrive from the box.
class CallRoutingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        UiHarness::resetStore();
        m_ui = std::make_unique<UiHarness>();
        m_ui->launch();
        m_ui->connectProfile(PhoneType::VOIP);
        // A tab other than the one start-up picks, to see it come back.
        USER_CLICK(m_ui->delegate().tabBarController()->phoneBookButton());
        m_ui->posts().clear();
    }
    void cleanup() { m_ui.reset(); }

    // An incoming call lays the VoIP screen once; the call ending takes it away and gives the
    // tab back, then tells the dialer to go back to normal.
    void aCallComesAndGoes() {
        m_ui->feed(party + "1;INCOMING:201");
        QVERIFY(m_ui->voipShowing());
        QCOMPARE(m_ui->posts().screenPosts(), QStringList{QStringLiteral("openActiveCallView")});

        m_ui->feed(party + "1;ACTIVE:201:0:0");
        QVERIFY(m_ui->voipShowing());
        QCOMPARE(m_ui->posts().count(QStringLiteral("openActiveCallView")), 1);

        m_ui->posts().clear();
        m_ui->feed(party + "1;IDLE");
        QVERIFY(!m_ui->voipShowing());
        QCOMPARE(routing().callState(), CallRouting::Idle);
        QCOMPARE(m_ui->posts().screenPosts(),
                 (QStringList{QStringLiteral("backToCurrentTab"), QStringLiteral("dialerNormalState")}));
        QVERIFY(TabBarController::isOn(tabBar()->phoneBookButton()));
        QCOMPARE(OverlayHost::of(m_ui->delegate().contentView()).topmost(), tabBar()->view());
    }

    // A further call from the active-call screen: the screen steps aside for the dialer when
    // the new party gets dial tone, and comes back once that call is in process.
    void aFurtherCallFromTheActiveCallScreen() {
        m_ui->feed(party + "1;ACTIVE:201:0:0");
        routing().setCallState(CallRouting::NewCall);
        Post("newCallFromActiveCall");
        m_ui->feed(party + "1;HOLD:201:5:0");
        QVERIFY(m_ui->voipShowing());
        m_ui->posts().clear();

        m_ui->feed(party + "2;DIAL_TONE");
        QCOMPARE(routing().dialToneLineParty(), 2);
        QVERIFY(!routing().newCallFromActiveCall());
        QVERIFY(!m_ui->voipShowing());
        QCOMPARE(m_ui->posts().screenPosts(),
                 (QStringList{QStringLiteral("backToCurrentTab"), QStringLiteral("dialerNewCallState")}));
        QCOMPARE(routing().callState(), CallRouting::NewCall);

        m_ui->posts().clear();
        m_ui->feed(party + "2;INPROCESS:202");
        QCOMPARE(routing().dialToneLineParty(), CallRouting::NoParty);
        QCOMPARE(routing().callState(), CallRouting::Normal);
        QVERIFY(m_ui->voipShowing());
        QCOMPARE(m_ui->posts().screenPosts(),
                 (QStringList{QStringLiteral("dialerNormalState"), QStringLiteral("openActiveCallView")}));
    }

    // The first party a rule matches ends the walk: a second party in dial tone is not taken.
    // The line's step still runs after it.
    void theFirstMatchingPartyEndsTheWalk() {
        m_ui->feed(party + "1;DIAL_TONE");
        QCOMPARE(routing().dialToneLineParty(), 1);
        QCOMPARE(m_ui->posts().screenPosts(), QStringList{QStringLiteral("dialerOffHookState")});
        m_ui->feed(party + "2;DIAL_TONE");
        QCOMPARE(routing().dialToneLineParty(), 1);
        QCOMPARE(m_ui->posts().count(QStringLiteral("dialerOffHookState")), 2);
    }

    // A party left with dial tone for the dialer is forgotten when the line goes idle, and when
    // a further call starts, so a later Cancel never ends somebody else's call.
    void dialToneIsForgottenWhenTheLineGoesIdleOrANewCallStarts() {
        m_ui->feed(party + "1;DIAL_TONE");
        QCOMPARE(routing().dialToneLineParty(), 1);
        m_ui->feed(party + "1;IDLE");
        QCOMPARE(routing().dialToneLineParty(), CallRouting::NoParty);
        // Idle with nothing on top: no tab to give back, the dialer still goes normal.
        QCOMPARE(m_ui->posts().screenPosts().count(QStringLiteral("backToCurrentTab")), 0);
        QCOMPARE(m_ui->posts().screenPosts().last(), QStringLiteral("dialerNormalState"));
        QCOMPARE(routing().callState(), CallRouting::Idle);

        m_ui->feed(party + "1;DIAL_TONE");
        QCOMPARE(routing().dialToneLineParty(), 1);
        Post("newCallFromActiveCall");
        QVERIFY(routing().newCallFromActiveCall());
        QCOMPARE(routing().dialToneLineParty(), CallRouting::NoParty);
    }

    // The screens ask for the active-call screen back; over an idle line there is none to show.
    void backToTheActiveCallScreenOnlyWhileACallIsUp() {
        Post("backToActiveCallView");
        QVERIFY(!m_ui->voipShowing());
        Post("backToActiveCallViewFromKeyPad");
        QVERIFY(!m_ui->voipShowing());

        m_ui->feed(party + "1;ACTIVE:201:0:0");
        OverlayHost::removeFromSuperview(m_ui->delegate().activeCallNavigationController()->view());
        Post("backToActiveCallView");
        QVERIFY(m_ui->voipShowing());
    }

    // While a further call or a transfer is dialled, a call coming up does not lay the screen.
    void inCallWhileDiallingLaysNothing() {
        routing().setCallState(CallRouting::Transfer);
        m_ui->feed(party + "1;ACTIVE:201:0:0");
        QVERIFY(!m_ui->voipShowing());
        QVERIFY(m_ui->posts().screenPosts().isEmpty());
    }

    // The keypad borrowed from a call: only the Dialer tab can be used; giving it back lights
    // the tab that was lit before, or the default home screen when none was recorded.
    void theKeypadIsBorrowedAndGivenBack() {
        m_ui->feed(party + "1;ACTIVE:201:0:0");
        TabBarController* tabs = tabBar();
        Post("openKeyPadFromActiveCallView");
        QVERIFY(TabBarController::isOn(tabs->dialerButton()));
        QVERIFY(tabs->dialerViewController()->openedFromActiveCallView());
        for (QToolButton* other :
             {tabs->favoritesButton(), tabs->phoneBookButton(), tabs->logsButton(), tabs->settingsButton()}) {
            QVERIFY(!other->isEnabled());
        }
        QVERIFY(tabs->dialerButton()->isEnabled());

        Post("backToActiveCallViewFromKeyPad");
        QVERIFY(tabs->favoritesButton()->isEnabled() && tabs->settingsButton()->isEnabled());
        QVERIFY(TabBarController::isOn(tabs->phoneBookButton()));
        QVERIFY(m_ui->voipShowing());

        // Nothing recorded: the default home screen (Favorites) comes instead.
        Post("backToActiveCallViewFromKeyPad");
        QVERIFY(TabBarController::isOn(tabs->favoritesButton()));
    }

    // The overlay follows the phone type of the profile current when the record is handled.
    void aTelephoneLineUsesItsOwnScreen() {
        m_ui->connectProfile(PhoneType::TELCO);
        m_ui->posts().clear();
        m_ui->feed("EP TELCO_RX 1 NOTIFICATION RING 1");
        QVERIFY(m_ui->telcoShowing());
        m_ui->feed("EP TELCO_RX 1 NOTIFICATION HOOK 1");
        QVERIFY(m_ui->telcoShowing());
        QCOMPARE(m_ui->posts().screenPosts().count(QStringLiteral("openActiveCallView")), 1);
        m_ui->feed("EP TELCO_RX 1 NOTIFICATION HOOK 0");
        QVERIFY(!m_ui->telcoShowing());

        // A record made while VoIP was current but handled after the switch goes to Telco.
        m_ui->connectProfile(PhoneType::VOIP);
        UiHarness::core()->serialDataReceived(party + "1;INCOMING:201");
        DeviceCommandListener::getInstance().waitUntilDelivered();
        UiHarness::core()->setCurrentConnectionSettings(nullptr);
        m_ui->drain();
        QVERIFY(m_ui->telcoShowing());
        QVERIFY(!m_ui->voipShowing());
    }

private:
    CallRouting& routing() { return m_ui->delegate().callRouting(); }
    TabBarController* tabBar() { return m_ui->delegate().tabBarController(); }

    std::unique_ptr<UiHarness> m_ui;
};

TESSMARK_QTEST(CallRoutingTest)
#include "CallRoutingTest.moc"
