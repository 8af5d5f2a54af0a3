#include "App/Alert.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/VolumeSliderViewController.h"
#include "App/controls/Colors.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/bridge/VolumeCommand.h"
#include "Logic/common/Codes.h"
#include "Logic/protocol/CommandParser.h"
#include "Screens/settings/CallForwardingViewController.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/TabWalk.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <cmath>

namespace {

// How far a control stands out from the bar behind it: the mean colour distance of its pixels.
qreal prominence(QWidget* control, const QColor& bar) {
    const QImage image = control->parentWidget()->grab(control->geometry()).toImage();
    qreal sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            sum += std::abs(pixel.red() - bar.red()) + std::abs(pixel.green() - bar.green()) +
                   std::abs(pixel.blue() - bar.blue());
        }
    }
    return sum / (3.0 * image.width() * image.height());
}

} // namespace

// The toolbar shows the link and the line as the records arrive, and its buttons send the
// do-not-disturb, volume and mute commands.
class ToolbarTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        UiHarness::resetStore();
        m_ui = std::make_unique<UiHarness>();
        m_ui->launch();
        m_toolbar = m_ui->delegate().toolbarController();
    }
    void cleanup() { m_ui.reset(); }

    void linkWordsAndLights() {
        QCOMPARE(callerID(), QStringLiteral("NOT CONNECTED"));
        QCOMPARE(m_toolbar->callerIDField()->font().pixelSize(), 15);
        m_ui->connectProfile(PhoneType::VOIP);
        QCOMPARE(callerID(), QStringLiteral("CONNECTING"));
        QCOMPARE(m_toolbar->imageNameOf(m_toolbar->connectionButton()),
                 QStringLiteral("btn_connection_grey"));
        for (QToolButton* button : {m_toolbar->doNotDisturbButton(), m_toolbar->volumeUpButton(),
                                    m_toolbar->volumeDownButton(), m_toolbar->muteButton()}) {
            QVERIFY(!button->isEnabled());
        }

        m_ui->dispatchRecord(NotificationType::CONNECTION, "LOGIN_SUCCESS");
        QCOMPARE(callerID(), QStringLiteral("LOGGED IN"));
        QCOMPARE(m_toolbar->roomNameField()->text(), QString());
        QCOMPARE(m_toolbar->imageNameOf(m_toolbar->connectionButton()), QStringLiteral("btn_connection_red"));

        m_ui->dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        QCOMPARE(m_toolbar->roomNameField()->text(), QStringLiteral("Board Room"));
        QCOMPARE(m_toolbar->callerIDLeftConstraint(), 42);
        QCOMPARE(m_toolbar->callerIDTopConstraint(), 3);
        QVERIFY(m_toolbar->forwardingButton()->isVisibleTo(m_toolbar->view()));
        // Only later reports bring the buttons that connecting disabled back.
        QVERIFY(m_toolbar->doNotDisturbButton()->isEnabled());
        QVERIFY(!m_toolbar->muteButton()->isEnabled());

        m_ui->log().outLines();
        m_ui->feed("EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY");
        QCOMPARE(m_toolbar->imageNameOf(m_toolbar->connectionButton()),
                 QStringLiteral("btn_connection_green"));
        const std::vector<std::string> out = m_ui->log().outLines();
        QVERIFY(out.size() >= 2);
        QCOMPARE(out[out.size() - 2],
                 std::string("[NOTIFI] <<< EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY"));
        QCOMPARE(out.back(), std::string("[NOTIFI] <<< SIP Proxy"));

        // The link going away must not leave a green light and a room behind.
        m_ui->dispatchRecord(NotificationType::CONNECTION, "CLOSE", "Close connect to halvarsund box.");
        QCOMPARE(callerID(), QStringLiteral("NOT CONNECTED"));
        QCOMPARE(m_toolbar->roomNameField()->text(), QString());
        QCOMPARE(m_toolbar->imageNameOf(m_toolbar->connectionButton()),
                 QStringLiteral("btn_connection_grey"));
        QCOMPARE(m_ui->log().outLines().back(), std::string("[NOTIFI] <<< Connection: CLOSE"));
        for (const char* word : {"LOGIN_FAILED", "ERROR"}) {
            m_ui->dispatchRecord(NotificationType::CONNECTION, "TIMEOUT");
            m_ui->dispatchRecord(NotificationType::CONNECTION, word);
            QCOMPARE(callerID(), QStringLiteral("NOT CONNECTED"));
        }
        // Any other word leaves the display alone.
        m_ui->dispatchRecord(NotificationType::CONNECTION, "TIMEOUT");
        m_ui->dispatchRecord(NotificationType::CONNECTION, "SOMETHING");
        QCOMPARE(callerID(), QStringLiteral("TIMEOUT"));
    }

    // A display name is shown as the box sent it, tags and all; "INVALID END POINT" small.
    void displayNamesArePlainText() {
        m_ui->connectProfile(PhoneType::VOIP);
        m_ui->dispatchRecord(NotificationType::LINE_NAME, "DISABLE", "<b>x</b>");
        QCOMPARE(callerID(), QStringLiteral("<b>x</b>"));
        QCOMPARE(m_toolbar->callerIDField()->textFormat(), Qt::PlainText);
        QCOMPARE(m_toolbar->callerIDField()->font().pixelSize(), 21);
        QCOMPARE(m_toolbar->forwardingTint().rgb(), QColor(0xB0, 0xB0, 0xB0).rgb());
        m_ui->dispatchRecord(NotificationType::LINE_NAME, "ENABLE", "INVALID END POINT");
        QCOMPARE(m_toolbar->callerIDField()->font().pixelSize(), 15);
        QCOMPARE(m_toolbar->forwardingTint().rgb(), QColor(0xFF, 0x7F, 0x2F).rgb());
        // A forwarding report resets the tint; an error greys it too.
        m_ui->dispatchRecord(NotificationType::CALL_FORWARDING, "ENABLE");
        QCOMPARE(m_toolbar->forwardingTint().rgb(), QColor(0xB0, 0xB0, 0xB0).rgb());
        m_ui->dispatchRecord(NotificationType::CALL_FORWARDING, "DISABLE");
        QVERIFY(!m_toolbar->forwardingButton()->isVisibleTo(m_toolbar->view()));
        QVERIFY(!m_toolbar->doNotDisturbButton()->isVisibleTo(m_toolbar->view()));
        QCOMPARE(m_toolbar->roomNameLeftConstraint(), 10);
    }

    void doNotDisturbAsksBeforeTurningOn() {
        m_ui->connectProfile(PhoneType::VOIP);
        m_ui->dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        m_ui->clearSentLines();
        Alert::setNextAnswer(0);
        USER_CLICK(m_toolbar->doNotDisturbButton());
        m_ui->drain();
        QTRY_COMPARE(Alert::requests().size(), size_t(1));
        QCoreApplication::processEvents();
        QCOMPARE(Alert::requests()[0].messageText, QString());
        QCOMPARE(Alert::requests()[0].informativeText,
                 QStringLiteral("Are you sure you want to turn on Do Not Disturb mode?"));
        QCOMPARE(Alert::requests()[0].buttons, (QStringList{QStringLiteral("No"), QStringLiteral("Yes")}));
        QVERIFY(m_ui->sentLines().empty());

        for (int mode : {1, 2}) {
            PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
            preferences->setDoNotDisturbMode(mode);
            PreferencesSettingsManager::updatePreferencesSettings(*preferences);
            m_ui->clearSentLines();
            Alert::setNextAnswer(1);
            USER_CLICK(m_toolbar->doNotDisturbButton());
            QTRY_COMPARE(m_ui->sentLines().size(), size_t(2));
            QCOMPARE(m_ui->sentLines(),
                     (std::vector<std::string>{"EP UA 1 KEY KEY_DO_NOT_DISTURB " + std::to_string(mode),
                                               "EP UA 1 INQUIRE DND_STATUS"}));
        }

        // While it is on, the button turns it off at once, without asking.
        m_ui->feed("EP UA 1 INQUIRE_RESULT DND_STATUS DND_CALL_MUTE");
        QCOMPARE(m_toolbar->imageNameOf(m_toolbar->doNotDisturbButton()),
                 QStringLiteral("btn_do_not_disturb_on"));
        m_ui->clearSentLines();
        const size_t asked = Alert::requests().size();
        USER_CLICK(m_toolbar->doNotDisturbButton());
        QCOMPARE(m_ui->sentLines(), (std::vector<std::string>{"EP UA 1 KEY KEY_DO_NOT_DISTURB 0",
                                                              "EP UA 1 INQUIRE DND_STATUS"}));
        QCOMPARE(Alert::requests().size(), asked);
    }

    void volumeLevels_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("level");
        QTest::newRow("below") << QStringLiteral("-40") << 0;
        QTest::newRow("above") << QStringLiteral("150") << 100;
        QTest::newRow("fraction") << QStringLiteral("37.9") << 37;
        QTest::newRow("blank first") << QStringLiteral(" 12") << 12;
        QTest::newRow("text after") << QStringLiteral("55dB") << 55;
        QTest::newRow("not a number") << QStringLiteral("nan") << -1;
        QTest::newRow("infinite") << QStringLiteral("1e999") << -1;
        QTest::newRow("a word") << QStringLiteral("ENABLE") << -1;
    }
    void volumeLevels() {
        QFETCH(QString, text);
        QFETCH(int, level);
        QCOMPARE(ToolbarController::volumeLevelOf(text).value_or(-1), level);
    }

    // Volume reports before the first use of a volume button only set the level; after it they
    // open the pop-up, which stays three seconds after the last report.
    void volumeButtonsAndThePopUp() {
        ConnectionSettings profile = *UiHarness::testProfile(PhoneType::VOIP);
        profile.setUsesSpeakerGroup(false);
        profile.volumeUpCommand()->setPressCommand("VOL UP PRESS");
        profile.volumeUpCommand()->setReleaseCommand("VOL UP RELEASE");
        profile.volumeDownCommand()->setPressCommand("VOL DOWN PRESS");
        profile.volumeDownCommand()->setReleaseCommand("VOL DOWN RELEASE");
        QVERIFY(ConnectionSettingsManager::addConnectionSettings(profile));
        m_ui->connectProfile(profile);
        VolumeSliderViewController* popUp = m_toolbar->volumeSliderController();
        QWidget* content = m_ui->delegate().contentView();

        m_ui->dispatchRecord(NotificationType::VOLUME, "37.9");
        QCOMPARE(popUp->sliderValue(), 37);
        QVERIFY(m_toolbar->volumeUpButton()->isEnabled());
        QVERIFY(!popUp->presenting());
        QVERIFY(!OverlayHost::of(content).isTopmost(popUp->view()));

        m_ui->clearSentLines();
        USER_CLICK(m_toolbar->volumeUpButton());
        USER_CLICK(m_toolbar->volumeDownButton());
        QCOMPARE(m_ui->sentLines(), (std::vector<std::string>{"VOL UP PRESS", "VOL UP RELEASE",
                                                              "VOL DOWN PRESS", "VOL DOWN RELEASE"}));

        m_ui->dispatchRecord(NotificationType::VOLUME, "150");
        QCOMPARE(popUp->sliderValue(), 100);
        QVERIFY(popUp->presenting());
        QVERIFY(OverlayHost::of(content).isTopmost(popUp->view()));
        QCOMPARE(popUp->view()->geometry(), QRect(35, content->height() - 650, 350, 80));
        QVERIFY(m_toolbar->volumeSliderTimer().isActive());
        // Words keep the level; "DISABLE" only disables the buttons.
        m_ui->dispatchRecord(NotificationType::VOLUME, "ENABLE");
        QCOMPARE(popUp->sliderValue(), 100);
        m_ui->dispatchRecord(NotificationType::VOLUME, "DISABLE");
        QVERIFY(!m_toolbar->volumeUpButton()->isEnabled());
        QCOMPARE(popUp->sliderValue(), 100);

        m_toolbar->hideVolumeSlider();
        QVERIFY(!popUp->presenting());
        QVERIFY(!OverlayHost::of(content).isTopmost(popUp->view()));
    }

    // A disabled control looks disabled: it stands out clearly less from its bar than when
    // enabled (the toolbar's volume and mute buttons, an unselected tab button).
    void disabledButtonsLookDisabled() {
        m_ui->connectProfile(PhoneType::VOIP);
        m_ui->dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        m_ui->dispatchRecord(NotificationType::VOLUME, "40");
        m_ui->dispatch(CommandParser().makeMuteNotification(false, "ENABLE"));
        TabBarController* tabs = m_ui->delegate().tabBarController();
        USER_CLICK(tabs->logsButton());
        const QColor bar = Colors::colorWithHexCode(Colors::barBackground);
        const QList<QWidget*> controls{m_toolbar->volumeDownButton(), m_toolbar->volumeUpButton(),
                                       m_toolbar->muteButton(), tabs->favoritesButton()};
        QList<qreal> enabled;
        for (QWidget* control : controls) {
            QVERIFY(control->isEnabled());
            enabled.append(prominence(control, bar));
        }
        m_ui->dispatchRecord(NotificationType::VOLUME, "DISABLE");
        m_ui->dispatchRecord(NotificationType::MUTE, "DISABLE");
        Post("openPhoneBookFromCallForwardingSettingsView");
        for (int index = 0; index < controls.size(); ++index) {
            QVERIFY(!controls[index]->isEnabled());
            const qreal disabled = prominence(controls[index], bar);
            QVERIFY2(disabled < 0.7 * enabled[index], qPrintable(QStringLiteral("%1: %2 enabled, %3 disabled")
                                                                     .arg(controls[index]->objectName())
                                                                     .arg(enabled[index])
                                                                     .arg(disabled)));
        }
    }

    // Fault: the window opened with a focus frame on the connection button, and it stayed after
    // tab changes. The frame shows once Tab moves focus, on the toolbar's and the tab bar's
    // buttons alike, and a mouse click takes it away.
    void focusFramesFollowTheKeyboard() {
        m_ui->connectProfile(PhoneType::VOIP);
        m_ui->dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        m_ui->dispatchRecord(NotificationType::VOLUME, "40");
        TabBarController* tabs = m_ui->delegate().tabBarController();
        QList<QWidget*> barButtons{m_toolbar->connectionButton(), m_toolbar->forwardingButton(),
                                   m_toolbar->doNotDisturbButton(), m_toolbar->volumeDownButton(),
                                   m_toolbar->volumeUpButton()};
        for (int tab = 0; tab < 5; ++tab) {
            barButtons.append(tabs->button(tab));
        }
        QCOMPARE(QApplication::focusWidget(), m_toolbar->connectionButton());
        QVERIFY(!TabWalk::framed(m_toolbar->connectionButton()));

        int toolbarSeen = 0;
        int tabsSeen = 0;
        for (int step = 0; step < 80 && (toolbarSeen < 2 || tabsSeen < 2); ++step) {
            USER_PRESS(Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            if (barButtons.contains(focused)) {
                QVERIFY2(TabWalk::framed(focused), qPrintable(focused->objectName()));
                (m_toolbar->view()->isAncestorOf(focused) ? toolbarSeen : tabsSeen) += 1;
            }
        }
        QVERIFY(toolbarSeen >= 2 && tabsSeen >= 2);

        // A tab button keeps focus from a click on another tab: only its frame goes.
        QWidget* focused = QApplication::focusWidget();
        USER_CLICK(tabs->button(focused == tabs->dialerButton() ? TabBarController::Logs
                                                                : TabBarController::Dialer));
        QCOMPARE(QApplication::focusWidget(), focused);
        QVERIFY(!TabWalk::framed(focused));
        USER_PRESS(Qt::Key_Backtab);
        QVERIFY(TabWalk::framed(QApplication::focusWidget()));
    }

    void muteFollowsTheLine() {
        ConnectionSettings profile = *UiHarness::testProfile(PhoneType::VOIP);
        profile.setMicrophoneGroupName("Mic");
        m_ui->connectProfile(profile);
        m_ui->dispatchRecord(NotificationType::MUTE, "DISABLE");
        QVERIFY(!m_toolbar->muteButton()->isEnabled());
        // The image follows the line's mute state, not the report's word.
        m_ui->dispatch(CommandParser().makeMuteNotification(true, "ENABLE"));
        QVERIFY(m_toolbar->muteButton()->isEnabled());
        QCOMPARE(m_toolbar->imageNameOf(m_toolbar->muteButton()), QStringLiteral("btn_mute_on"));
        m_ui->clearSentLines();
        USER_CLICK(m_toolbar->muteButton());
        QCOMPARE(m_ui->sentLines(), std::vector<std::string>{"EP Mic LEVEL MUTE 2"});
    }

    // Idle, the forwarding button lays the forwarding screen (the buttons a call blocks are
    // CallOverlayTest's); a way back to it fills in the number chosen.
    void forwardingButtonAndItsWayBack() {
        m_ui->connectProfile(PhoneType::VOIP);
        // Connected to a VoIP line, the forwarding button shows.
        m_ui->dispatchRecord(NotificationType::CONNECTION, "CONNECTED");

        // Without a forwarding screen, its way back does nothing.
        Post("backToCallForwardingSettingsView", {{"selectedNumber", std::string("300")}});
        USER_CLICK(m_toolbar->forwardingButton());
        QWidget* content = m_ui->delegate().contentView();
        QWidget* forwarding = m_toolbar->callForwardingNavigationController()->view();
        QVERIFY(OverlayHost::of(content).isTopmost(forwarding));
        QVERIFY(m_toolbar->callForwardingViewController()->standalone());
        OverlayHost::removeFromSuperview(forwarding);
        Post("backToCallForwardingSettingsView", {{"selectedNumber", std::string("300")}});
        QVERIFY(OverlayHost::of(content).isTopmost(forwarding));
        QCOMPARE(m_toolbar->callForwardingViewController()->forwardCallsToField()->text(),
                 QStringLiteral("300"));
        Post("backToCallForwardingSettingsView");
        QCOMPARE(m_toolbar->callForwardingViewController()->forwardCallsToField()->text(),
                 QStringLiteral("300"));
    }

private:
    QString callerID() const { return m_toolbar->callerIDField()->text(); }

    std::unique_ptr<UiHarness> m_ui;
    ToolbarController* m_toolbar = nullptr;
};

TESSMARK_QTEST(ToolbarTest)
#include "ToolbarTest.moc"
