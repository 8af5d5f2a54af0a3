#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/KTPickerViewController.h"
#include "App/controls/KTTableView.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/DialPadViewController.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/calling/ElidedTitleButton.h"
#include "Screens/calling/SIPURIViewController.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

namespace {

QRgb backgroundOf(QWidget* widget) {
    return widget->grab().toImage().pixel(2, 2);
}

// Whether any pixel of the widget is close to the colour (text drawn in it).
bool shows(QWidget* widget, QRgb colour) {
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAbs(qRed(pixel) - qRed(colour)) < 24 && qAbs(qGreen(pixel) - qGreen(colour)) < 24 &&
                qAbs(qBlue(pixel) - qBlue(colour)) < 24) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

// The dialer screen: its bar in each role, the custom keys, the entry-view switches and the
// speed-dial picker.
class DialerTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<CallingWindow>(); }
    void cleanup() { m_window.reset(); }

    void oneEnabledKeyShowsAllFive() {
        CallingWindow& w = *m_window;
        w.connectWithKeys(PhoneType::VOIP, 1);
        DialerViewController* dialer = w.dialer();
        QVERIFY(!dialer->customButtonsView()->isHidden());
        QVERIFY(dialer->customButton(0)->isEnabled());
        QCOMPARE(dialer->customButton(0)->title(), QStringLiteral("Key 1"));
        QCOMPARE(backgroundOf(dialer->customButton(0)), qRgb(255, 255, 255));
        QVERIFY(shows(dialer->customButton(0), qRgb(0xFF, 0x7F, 0x2F)));
        for (int tag = 1; tag < 5; ++tag) {
            QVERIFY(!dialer->customButton(tag)->isEnabled());
            QCOMPARE(backgroundOf(dialer->customButton(tag)), qRgb(0xDD, 0xDD, 0xDD));
            QVERIFY(!shows(dialer->customButton(tag), qRgb(0xFF, 0x7F, 0x2F)));
        }

        // A press sends the key's press command as stored, the release its release command.
        USER_MOUSE_DOWN(dialer->customButton(0));
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("PRESS 1")});
        USER_MOUSE_UP(dialer->customButton(0));
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("RELEASE 1")});
    }

    void theKeyRowHidesWithoutAnEnabledKey() {
        CallingWindow& w = *m_window;
        QVERIFY(w.dialer()->customButtonsView()->isHidden());
        w.connectWithKeys(PhoneType::VOIP, 0);
        QVERIFY(w.dialer()->customButtonsView()->isHidden());
    }

    // A profile stored with fewer than five keys: the missing ones show empty and disabled,
    // and nothing is sent for them.
    void aShortKeyListSendsNothingForMissingKeys() {
        CallingWindow& w = *m_window;
        ConnectionSettings profile = *UiHarness::testProfile(PhoneType::VOIP);
        auto key = std::make_shared<CustomKey>();
        key->setLabel("R&D");
        key->setPressCommand("PRESS R");
        key->setEnabled(true);
        profile.setCustomKeys({key});
        ConnectionSettingsManager::addConnectionSettings(profile);
        w.connect(profile);
        DialerViewController* dialer = w.dialer();
        QCOMPARE(dialer->customButton(0)->title(), QStringLiteral("R&D"));
        // "&" would make a shortcut of the next letter; it shows as typed.
        QCOMPARE(dialer->customButton(0)->text(), QStringLiteral("R&&D"));
        QCOMPARE(dialer->customButton(3)->title(), QString());
        QVERIFY(!dialer->customButton(3)->isEnabled());
        // A user cannot press it at all.
        QVERIFY(UserInput::whyNotClickable(dialer->customButton(3), dialer->customButton(3)->rect().center())
                    .endsWith(QStringLiteral("is disabled")));
        QCOMPARE(w.takeSent(), QStringList());
    }

    void aProfileChangeReloadsTheKeys() {
        CallingWindow& w = *m_window;
        ConnectionSettings profile = w.connectWithKeys(PhoneType::VOIP, 0);
        QVERIFY(w.dialer()->customButtonsView()->isHidden());
        profile.customKeys()[2]->setEnabled(true);
        ConnectionSettingsManager::updateConnectionSettings(profile);
        Post("connectionSettingsChanged");
        w.settle();
        QVERIFY(!w.dialer()->customButtonsView()->isHidden());
        QVERIFY(w.dialer()->customButton(2)->isEnabled());
    }

    // A telephone line has no SIP addresses: its dialer shows the pad alone. A VoIP profile
    // keeps whichever entry view was chosen.
    void theBottomBarFollowsThePhoneType() {
        CallingWindow& w = *m_window;
        DialerViewController* dialer = w.dialer();
        QVERIFY(!dialer->bottomBarView()->isHidden());
        QCOMPARE(dialer->bottomCustomButtonsViewConstraint(), 30);
        QCOMPARE(w.pad()->mode(), 0);

        w.connect(PhoneType::VOIP);
        USER_CLICK(dialer->sipURIButton());
        dialer->viewWillAppear(true);
        QCOMPARE(OverlayHost::of(dialer->contentView()).topmost(), w.sip()->view());

        w.connect(PhoneType::TELCO);
        QVERIFY(dialer->bottomBarView()->isHidden());
        QCOMPARE(dialer->bottomCustomButtonsViewConstraint(), 0);
        QCOMPARE(OverlayHost::of(dialer->contentView()).topmost(), w.pad()->view());
        QCOMPARE(w.pad()->mode(), 1);
    }

    void speedDialRowsAndCall() {
        CallingWindow& w = *m_window;
        storeContact("Ann", "Lee", "", {{"201", 1, 2}});
        storeContact("Bo", "", "", {{"205", 0, 5}});
        // A slot whose number outlived its contact.
        ContactPtr orphan = storeContact("Cy", "Ng", "", {{"555", 0, 3}});
        orphan->numbers().clear();
        ContactManager::removeContact(*orphan);
        w.connect(PhoneType::VOIP);
        DialerViewController* dialer = w.dialer();

        USER_CLICK(dialer->navigationController()->navigationBar()->leftButton());
        KTPickerViewController* picker = dialer->pickerViewController();
        QVERIFY(picker->view()->isVisible());
        QCOMPARE(picker->items(),
                 (QStringList{QStringLiteral("1 -"), QStringLiteral("2 - Ann Lee (201)"),
                              QStringLiteral("3 -   (555)"), QStringLiteral("4 -"),
                              QStringLiteral("5 - Bo  (205)"), QStringLiteral("6 -"), QStringLiteral("7 -"),
                              QStringLiteral("8 -"), QStringLiteral("9 -")}));
        QCOMPARE(picker->barTitlte(), QStringLiteral("Speed Dial"));

        KTTableView* rows = picker->tableView();
        USER_CLICK_AT(rows->viewport(), rows->visualRect(rows->model()->index(1, 0)).center());
        USER_CLICK(picker->rightButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_CALL 201")});
        QVERIFY(picker->view()->isVisible());
        USER_CLICK_AT(rows->viewport(), rows->visualRect(rows->model()->index(3, 0)).center());
        USER_CLICK(picker->rightButton());
        QCOMPARE(w.takeSent(), QStringList());
        USER_CLICK(picker->leftButton());
        QVERIFY(!picker->view()->isVisible());
    }

    void noSpeedDialsShowsASheet() {
        Alert::setNextAnswer(0);
        USER_CLICK(m_window->dialer()->navigationController()->navigationBar()->leftButton());
        QCOMPARE(Alert::requests().size(), size_t{1});
        QCOMPARE(Alert::requests().front().messageText, QString());
        QCOMPARE(Alert::requests().front().informativeText, QStringLiteral("No speed dial numbers"));
        QCOMPARE(Alert::requests().front().buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(!m_window->dialer()->pickerViewController()->view()->isVisible());
    }

    void theBarInEachRole() {
        CallingWindow& w = *m_window;
        DialerViewController* dialer = w.dialer();
        KTNavigationBarController* bar = dialer->navigationController()->navigationBar();
        QCOMPARE(bar->leftButton()->text(), QStringLiteral("Speed Dial  "));
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("  Redial"));
        QVERIFY(!bar->rightButton()->icon().isNull());
        QVERIFY2(blockedBarButtons(bar).isEmpty(), qPrintable(blockedBarButtons(bar)));

        w.routing().setCallState(CallRouting::Transfer);
        dialer->viewWillAppear(true);
        QVERIFY(bar->leftButton()->isHidden());
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Cancel"));
        QVERIFY(bar->rightButton()->icon().isNull());
        QVERIFY2(blockedBarButtons(bar).isEmpty(), qPrintable(blockedBarButtons(bar)));

        w.routing().setCallState(CallRouting::Normal);
        dialer->setOpenedFromActiveCallView(true);
        dialer->viewWillAppear(true);
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Close"));
        QVERIFY(w.pad()->openedFromActiveCallView());
        // The title once lay over most of "Close": a click at its centre did nothing.
        QVERIFY2(blockedBarButtons(bar).isEmpty(), qPrintable(blockedBarButtons(bar)));

        dialer->setOpenedFromActiveCallView(false);
        dialer->viewWillAppear(true);
        QVERIFY(!bar->leftButton()->isHidden());
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("  Redial"));
    }

    // After a further call was started from the active-call screen, the first click that finds
    // the call state back at 0 only ends that role; the next one redials.
    void theRightButtonAfterANewCall() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        QPushButton* right = w.dialer()->navigationController()->navigationBar()->rightButton();
        Post("newCallFromActiveCall");
        QCOMPARE(right->text(), QStringLiteral("Cancel"));
        w.takePosts();
        USER_CLICK(right);
        QCOMPARE(w.takeSent(), QStringList());
        QCOMPARE(w.takePosts(), QStringList());
        USER_CLICK(right);
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_REDIAL")});
    }

    void cancelEndsOrCancelsTheDialTone_data() {
        QTest::addColumn<int>("callState");
        QTest::addColumn<QString>("dialToneState");
        QTest::newRow("further call") << 1 << QStringLiteral("2;DIAL_TONE");
        QTest::newRow("transfer") << 2 << QStringLiteral("2;TRANSFERRING_DIAL_TONE");
    }
    void cancelEndsOrCancelsTheDialTone() {
        QFETCH(int, callState);
        QFETCH(QString, dialToneState);
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        w.routing().setCallState(callState);
        Post("newCallFromActiveCall");
        w.feedParty(dialToneState.toStdString());
        w.takeSent();
        w.takePosts();
        w.pad()->setState(DialPadViewController::NewCallState);
        w.sip()->setState(DialPadViewController::NewCallState);
        USER_CLICK(w.dialer()->navigationController()->navigationBar()->rightButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 2")});
        QCOMPARE(w.routing().callState(), CallRouting::Normal);
        QCOMPARE(w.pad()->state(), DialPadViewController::NormalState);
        QCOMPARE(w.sip()->state(), DialPadViewController::NormalState);
        QCOMPARE(w.takePosts(), QStringList{QStringLiteral("backToActiveCallView")});
    }

private:
    // Why a shown button of the bar cannot be clicked at its centre; empty when all can.
    static QString blockedBarButtons(KTNavigationBarController* bar) {
        QString why;
        for (QPushButton* button : {bar->leftButton(), bar->optionalButton(), bar->rightButton()}) {
            if (button->isVisible()) {
                why += UserInput::whyNotClickable(button, button->rect().center());
            }
        }
        return why;
    }

    std::unique_ptr<CallingWindow> m_window;
};

TESSMARK_QTEST(DialerTest)
#include "DialerTest.moc"
