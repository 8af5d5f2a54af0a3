#include "App/VolumeSliderViewController.h"
#include "App/controls/FunctionButtonView.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/Line.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/bridge/VolumeCommand.h"
#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/TelcoActiveCallViewController.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const std::string party = "EP UA 1 NOTIFICATION STATE_CHANGE PL ";
const std::string telco = "EP TELCO_RX 1 NOTIFICATION ";

} // namespace

// The shell around a call as the user meets it: the call screen laid and taken away, the
// toolbar's pop-up and lights, and the buttons a call blocks.
class CallOverlayTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        UiHarness::resetStore();
        CPPLine::getInstance().reset(true);
        m_ui = std::make_unique<UiHarness>();
        m_ui->launch();
        m_toolbar = m_ui->delegate().toolbarController();
    }
    void cleanup() { m_ui.reset(); }

    // Fault: the volume pop-up on top of the call screen hid it from the routing, so a call
    // ended under the pop-up left the user on a dead call screen over covered tabs.
    void aCallEndingUnderTheVolumePopUpGivesTheWindowBack() {
        connectWithVolumeCommands();
        TabBarController* tabs = m_ui->delegate().tabBarController();
        USER_CLICK(tabs->phoneBookButton());
        USER_CLICK(m_toolbar->volumeUpButton());
        m_ui->feed(party + "1;ACTIVE:201:0:0");
        QVERIFY(m_ui->voipShowing());

        m_ui->dispatchRecord(NotificationType::VOLUME, "40");
        QWidget* popUp = m_toolbar->volumeSliderController()->view();
        QVERIFY(popUp->isVisible());
        // The pop-up floats over the call screen without counting as a screen of its own.
        QVERIFY(m_ui->voipShowing());
        m_ui->posts().clear();
        m_ui->feed(party + "1;IDLE");
        QVERIFY(!m_ui->voipShowing());
        QCOMPARE(m_ui->posts().screenPosts(),
                 (QStringList{QStringLiteral("backToCurrentTab"), QStringLiteral("dialerNormalState")}));
        QVERIFY(TabBarController::isOn(tabs->phoneBookButton()));
        USER_CLICK(tabs->favoritesButton());
        QVERIFY(TabBarController::isOn(tabs->favoritesButton()));

        // A call laid while the pop-up is up goes under it.
        m_ui->feed(party + "1;INCOMING:202");
        QVERIFY(m_ui->voipShowing());
        QCOMPARE(UserInput::whyNotClickable(popUp, popUp->rect().center()), QString());
    }

    // Fault: the walk over the parties went on after a match, so a party in dial tone behind
    // the one that just left it took the dial tone over.
    void theRoutingWalkEndsAtItsFirstMatch() {
        m_ui->connectProfile(PhoneType::VOIP);
        m_ui->feed(party + "1;DIAL_TONE");
        m_ui->feed(party + "2;DIAL_TONE");
        CallRouting& routing = m_ui->delegate().callRouting();
        QCOMPARE(routing.dialToneLineParty(), 1);
        m_ui->feed(party + "1;INPROCESS:201");
        QCOMPARE(routing.dialToneLineParty(), CallRouting::NoParty);
        QVERIFY(m_ui->voipShowing());
    }

    // Fault: the telephone line going off hook during a call (a hook flash) took the call
    // screen away or redrew it from a line in dial tone; the dialer is told of the dial tone.
    void aTelcoCallScreenStaysAsItWasWhenTheLineGoesOffHook() {
        m_ui->connectProfile(PhoneType::TELCO);
        TelcoActiveCallViewController* screen = m_ui->delegate().telcoActiveCallController();
        m_ui->feed(telco + "RING 1");
        m_ui->feed(telco + "CALLER_ID 0102 1030 5551234 JOHN DOE");
        USER_CLICK(screen->endCallButton());
        m_ui->feed(telco + "HOOK 1");
        screen->updateTime();
        QCoreApplication::processEvents();
        const QStringList shown = telcoTexts(*screen);
        QCOMPARE(shown.last(), QStringLiteral("00:00:01"));

        m_ui->posts().clear();
        m_ui->feed(telco + "HOOK 1");
        QCOMPARE(m_ui->posts().screenPosts(), QStringList{QStringLiteral("dialerOffHookState")});
        QCOMPARE(TessmarkDialerCore::deviceCommunication().line()->lineState(), LineState::COLLECTING_DIGITS);
        QVERIFY(m_ui->telcoShowing());
        QCOMPARE(telcoTexts(*screen), shown);
    }

    // Fault: only a call in progress blocked the connection and forwarding buttons, not a line
    // off hook.
    void aLineInUseBlocksTheConnectionAndForwardingButtons_data() {
        QTest::addColumn<QString>("state");
        QTest::newRow("off hook") << QStringLiteral("1;DIAL_TONE");
        QTest::newRow("in call") << QStringLiteral("1;ACTIVE:201:0:0");
    }
    void aLineInUseBlocksTheConnectionAndForwardingButtons() {
        QFETCH(QString, state);
        m_ui->connectProfile(PhoneType::VOIP);
        m_ui->dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        m_ui->feed(party + state.toStdString());
        m_ui->posts().clear();
        USER_CLICK(m_toolbar->connectionButton());
        USER_CLICK(m_toolbar->forwardingButton());
        QVERIFY(m_ui->posts().screenPosts().isEmpty());
        QVERIFY(m_toolbar->callForwardingNavigationController() == nullptr);

        m_ui->feed(party + "1;IDLE");
        m_ui->posts().clear();
        USER_CLICK(m_toolbar->connectionButton());
        QCOMPARE(m_ui->posts().screenPosts(),
                 QStringList{QStringLiteral("openConnectionSettingsUsingConnectionButton")});
    }

    // Fault: a report while the pop-up was up kept the first report's deadline, so the level
    // vanished while the user was still pressing.
    void eachVolumeReportKeepsThePopUpThreeSecondsMore() {
        connectWithVolumeCommands();
        USER_CLICK(m_toolbar->volumeUpButton());
        m_ui->dispatchRecord(NotificationType::VOLUME, "40");
        QTimer& timer = m_toolbar->volumeSliderTimer();
        QVERIFY(timer.isActive());
        // As if two of the three seconds had gone by.
        timer.start(1000);
        m_ui->dispatchRecord(NotificationType::VOLUME, "45");
        QVERIFY(m_toolbar->volumeSliderController()->presenting());
        QVERIFY(timer.remainingTime() > 2000);
    }

    // Fault: a registration report of "not registered" left the light as it was.
    void theLightFollowsTheSipRegistration_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("light");
        QTest::newRow("not registered")
            << QStringLiteral("NOT_REGISTERED") << QStringLiteral("btn_connection_red");
        QTest::newRow("primary") << QStringLiteral("REGISTERED_PRIMARY")
                                 << QStringLiteral("btn_connection_green");
        QTest::newRow("secondary") << QStringLiteral("REGISTERED_SECONDARY")
                                   << QStringLiteral("btn_connection_green");
        QTest::newRow("no proxy") << QStringLiteral("NO_PROXY_DEFINED")
                                  << QStringLiteral("btn_connection_grey");
    }
    void theLightFollowsTheSipRegistration() {
        QFETCH(QString, status);
        QFETCH(QString, light);
        m_ui->connectProfile(PhoneType::VOIP);
        m_ui->feed("EP UA 1 INQUIRE_RESULT REG_STATUS " + status.toStdString());
        QCOMPARE(m_toolbar->imageNameOf(m_toolbar->connectionButton()), light);
    }

    // Fault: the mute image followed the report's word rather than the line's mute state.
    void theMuteImageFollowsTheLine_data() {
        QTest::addColumn<bool>("muted");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("image");
        QTest::newRow("muted, word says off")
            << true << QStringLiteral("INACTIVATE") << QStringLiteral("btn_mute_on");
        QTest::newRow("not muted, word says on")
            << false << QStringLiteral("ACTIVATE") << QStringLiteral("btn_mute_off");
    }
    void theMuteImageFollowsTheLine() {
        QFETCH(bool, muted);
        QFETCH(QString, word);
        QFETCH(QString, image);
        m_ui->connectProfile(PhoneType::VOIP);
        CPPLine::getInstance().setMuteActivated(muted);
        m_ui->dispatchRecord(NotificationType::MUTE, word.toStdString());
        QCOMPARE(m_toolbar->imageNameOf(m_toolbar->muteButton()), image);
    }

private:
    void connectWithVolumeCommands() {
        ConnectionSettings profile = *UiHarness::testProfile(PhoneType::VOIP);
        profile.setUsesSpeakerGroup(false);
        profile.volumeUpCommand()->setPressCommand("VOL UP PRESS");
        profile.volumeUpCommand()->setReleaseCommand("VOL UP RELEASE");
        QVERIFY(ConnectionSettingsManager::addConnectionSettings(profile));
        m_ui->connectProfile(profile);
        m_ui->dispatchRecord(NotificationType::VOLUME, "30");
    }
    static QStringList telcoTexts(const TelcoActiveCallViewController& screen) {
        return {screen.contactNameField()->text(), screen.numberField()->text(),
                screen.callStateField()->text(), screen.endCallButtonView()->title(),
                screen.callTimeField()->text()};
    }

    std::unique_ptr<UiHarness> m_ui;
    ToolbarController* m_toolbar = nullptr;
};

TESSMARK_QTEST(CallOverlayTest)
#include "CallOverlayTest.moc"
