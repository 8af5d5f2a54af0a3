#include "App/KTNavigationController.h"
#include "App/OverlayHost.h"
#include "App/controls/FunctionButtonView.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallCellView.h"
#include "Screens/calling/ActiveCallViewController.h"
#include "Screens/calling/ElidedTitleButton.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

QRgb backgroundOf(QWidget* widget) {
    return widget->grab().toImage().pixel(2, 2);
}

LinePartyPtr partyIn(int64_t state, const std::string& callParty = "201",
                     const std::string& displayName = "FRONT DESK") {
    return std::make_shared<LineParty>(1, state, 0, 1, callParty, 0, 0, displayName, nullptr);
}

} // namespace

// The VoIP active-call screen: the rows, the function buttons and the custom keys.
class ActiveCallTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<CallingWindow>(); }
    void cleanup() { m_window.reset(); }

    void theRowLooksByState_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("activeShown");
        QTest::addColumn<bool>("holdShown");
        QTest::addColumn<int>("top");
        QTest::newRow("ringing") << 4 << QStringLiteral("RINGING") << QStringLiteral("btn_active_call")
                                 << false << false << 36;
        for (const int state : {6, 9, 12}) {
            QTest::addRow("active %d", state)
                << state << QString() << QStringLiteral("btn_active_call") << true << false << 36;
        }
        QTest::newRow("transferring active") << 17 << QStringLiteral("TRANFERRING ACTIVE")
                                             << QStringLiteral("btn_active_call") << true << false << 36;
        for (const int state : {7, 10, 11, 18, 19}) {
            QTest::addRow("hold %d", state)
                << state << QString() << QStringLiteral("btn_hold") << true << true << 19;
        }
        QTest::newRow("incoming") << 8 << QStringLiteral("INCOMING") << QStringLiteral("btn_new_call")
                                  << false << false << 36;
        QTest::newRow("unknown") << 99 << QString() << QStringLiteral("btn_active_call") << true << false
                                 << 36;
    }
    void theRowLooksByState() {
        QFETCH(int, state);
        QFETCH(QString, text);
        QFETCH(QString, image);
        QFETCH(bool, activeShown);
        QFETCH(bool, holdShown);
        QFETCH(int, top);
        ActiveCallCellView row;
        row.setLineParty(partyIn(state));
        if (!text.isNull() || state == 99) {
            QCOMPARE(row.stateNameField()->text(), text);
        }
        QCOMPARE(row.stateImageName(), image);
        QCOMPARE(!row.callTimeView()->isHidden(), activeShown);
        QCOMPARE(!row.holdTimeView()->isHidden(), holdShown);
        QCOMPARE(row.topCallTimeViewConstraint(), top);
    }

    // The name and type come from the phone book by the part of the number before "@"; the
    // number is shown whole. Without a contact, the box's name, taken as plain text.
    void theRowNamesTheCaller() {
        storeContact("Ann", "Lee", "", {{"555", 0}, {"201", 2}});
        ActiveCallCellView row;
        row.setLineParty(partyIn(StateId::ACTIVE, "201@pbx.example"));
        QCOMPARE(row.phoneNumberField()->text(), QStringLiteral("201@pbx.example"));
        QCOMPARE(row.contactNameField()->text(), QStringLiteral("Ann Lee"));
        QCOMPARE(row.companyField()->text(), QString());
        QCOMPARE(row.phoneTypeField()->text(), QStringLiteral("Mobile"));

        ActiveCallCellView stranger;
        stranger.setLineParty(partyIn(StateId::ACTIVE, "999", "<b>x</b>"));
        QCOMPARE(stranger.contactNameField()->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(stranger.contactNameField()->textFormat(), Qt::PlainText);
        QCOMPARE(stranger.phoneTypeField()->text(), QString());
    }

    // The first matching flag decides each button; RESUME has its own colour.
    void theButtonsFollowTheSelectedParty_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("hold");
        QTest::addColumn<QString>("endCall");
        QTest::addColumn<QString>("transfer");
        QTest::addColumn<QRgb>("holdColour");
        const QRgb enabled = qRgb(0xF4, 0xF5, 0xF7);
        QTest::newRow("all") << QStringLiteral("hold resume answer end reject cancel transfer complete")
                             << QStringLiteral("HOLD") << QStringLiteral("END CALL")
                             << QStringLiteral("TRANSFER") << enabled;
        QTest::newRow("second") << QStringLiteral("resume answer reject cancel complete")
                                << QStringLiteral("RESUME") << QStringLiteral("REJECT")
                                << QStringLiteral("COMPLETE") << qRgb(0xF5, 0x78, 0x5C);
        QTest::newRow("third") << QStringLiteral("answer cancel") << QStringLiteral("ANSWER")
                               << QStringLiteral("CANCEL") << QStringLiteral("-TRANSFER") << enabled;
        QTest::newRow("none") << QString() << QStringLiteral("-HOLD") << QStringLiteral("-END CALL")
                              << QStringLiteral("-TRANSFER") << qRgb(0xDD, 0xDD, 0xDD);
    }
    void theButtonsFollowTheSelectedParty() {
        QFETCH(QString, flags);
        QFETCH(QString, hold);
        QFETCH(QString, endCall);
        QFETCH(QString, transfer);
        QFETCH(QRgb, holdColour);
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        ActiveCallViewController* screen = w.voip();
        LineParty& party = *screen->selectedLineParty();
        const QStringList set = flags.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        party.setShowsHold(set.contains(QStringLiteral("hold")));
        party.setShowsResume(set.contains(QStringLiteral("resume")));
        party.setShowsAnswer(set.contains(QStringLiteral("answer")));
        party.setShowsEndCall(set.contains(QStringLiteral("end")));
        party.setShowsReject(set.contains(QStringLiteral("reject")));
        party.setShowsCancelTransfer(set.contains(QStringLiteral("cancel")));
        party.setShowsTransfer(set.contains(QStringLiteral("transfer")));
        party.setShowsCompleteTransfer(set.contains(QStringLiteral("complete")));
        screen->updateFunctionButtons();

        // A title with "-" in front belongs to a disabled button.
        const auto check = [](QPushButton* button, FunctionButtonView* view, const QString& expected) {
            const bool disabled = expected.startsWith(QLatin1Char('-'));
            return button->isEnabled() == !disabled && view->title() == expected.mid(disabled ? 1 : 0);
        };
        QVERIFY(check(screen->holdButton(), screen->holdButtonView(), hold));
        QVERIFY(check(screen->endCallButton(), screen->endCallButtonView(), endCall));
        QVERIFY(check(screen->transferButton(), screen->transferButtonView(), transfer));
        QCOMPARE(backgroundOf(screen->holdButton()), holdColour);
    }

    // Each record selects the last listed party, whatever the user chose; a record that lists
    // no party leaves the selection and the buttons alone.
    void theLastPartyIsSelectedAfterEachRecord() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        w.feedParty("2;INCOMING:202");
        ActiveCallViewController* screen = w.voip();
        screen->didClickedRow(screen->tableView(), 0);
        QCOMPARE(screen->selectedLineParty()->ID(), 1);
        QVERIFY(screen->cellViews().front()->selected());
        w.feedParty("2;INCOMING:202:1:0");
        w.feedParty("1;HOLD:201:0:0");
        QCOMPARE(screen->selectedLineParty()->ID(), 2);
        QVERIFY(screen->cellViews().back()->selected());
        QVERIFY(!screen->cellViews().front()->selected());
        QCOMPARE(screen->holdButtonView()->title(), QStringLiteral("ANSWER"));

        w.feedParty("1;IDLE");
        w.feedParty("2;IDLE");
        screen->update();
        QVERIFY(screen->cellViews().empty());
        QCOMPARE(screen->selectedLineParty()->ID(), 2);
        QCOMPARE(screen->holdButtonView()->title(), QStringLiteral("ANSWER"));
    }

    // The core's transferring states reach the rows renumbered: an assisted target dialling
    // shows as plain dialling, a blind target's states as the assisted ones.
    void transferTargetsShowTheirStates_data() {
        QTest::addColumn<QString>("fed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("assisted dialling")
            << QStringLiteral("2;TRANSFERRING_DIALING:202") << QStringLiteral("DIALING");
        QTest::newRow("blind dialling")
            << QStringLiteral("2;BLIND_TRANSFERRING_DIALING:202") << QStringLiteral("TRANSFERRING DIALING");
        QTest::newRow("blind busy") << QStringLiteral("2;BLIND_TRANSFERRING_BUSY:202")
                                    << QStringLiteral("TRANSFERRING BUSY");
    }
    void transferTargetsShowTheirStates() {
        QFETCH(QString, fed);
        QFETCH(QString, shown);
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty(fed.toStdString());
        w.voip()->update();
        QCOMPARE(w.voip()->cellViews().back()->stateNameField()->text(), shown);
    }

    // Back from hold a party keeps its active time; its hold time stops and hides.
    void backFromHoldKeepsTheActiveTime() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        ActiveCallViewController* screen = w.voip();
        w.feedParty("1;ACTIVE:201:0:0");
        tick(4);
        w.feedParty("1;HOLD:201:4:0");
        tick(2);
        w.feedParty("1;ACTIVE:201:6:0");
        tick(1);
        const ActiveCallCellView* row = screen->cellViews().front();
        QCOMPARE(row->callTimeField()->text(), QStringLiteral("00:00:07"));
        QVERIFY(row->holdTimeView()->isHidden());
        QCOMPARE(row->lineParty()->holdDuration(), 2);
    }

    // END CALL ends every listed party in list order; a held party's state sends nothing.
    void endCallEndsEveryListedParty() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("3;ACTIVE:203:0:0");
        w.feedParty("1;ACTIVE:201:0:0");
        w.feedParty("2;ACTIVE:202:0:0");
        w.takeSent();
        USER_CLICK(w.voip()->endCallButton());
        QCOMPARE(w.takeSent(),
                 (QStringList{QStringLiteral("KEY KEY_PARTY 1"), QStringLiteral("KEY KEY_PARTY 2"),
                              QStringLiteral("KEY KEY_PARTY 3")}));
        w.feedParty("1;HOLD:201:0:0");
        w.feedParty("3;IDLE");
        w.takeSent();
        USER_CLICK(w.voip()->endCallButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 2")});
    }

    // Before any record lists a party, the buttons act on no one; KEYPAD still lends the window.
    void withoutASelectedPartyTheButtonsDoNothing() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        ActiveCallViewController* screen = w.voip();
        QVERIFY(screen->selectedLineParty() == nullptr);
        screen->holdButtonClicked();
        screen->transferButtonClicked();
        screen->assistedTransferSelected();
        screen->blindTransferSelected();
        screen->conferenceButtonClicked();
        screen->endCallButtonClicked();
        screen->makeCallButtonClicked();
        QCOMPARE(w.takeSent(), QStringList());
        QCOMPARE(w.takePosts(), QStringList());
        QCOMPARE(w.routing().callState(), CallRouting::Normal);
        screen->keypadButtonClicked();
        QCOMPARE(w.takePosts(), QStringList{QStringLiteral("openKeyPadFromActiveCallView")});
    }

    void theKeyBarTakesRoomOnlyWhenShown() {
        CallingWindow& w = *m_window;
        ActiveCallViewController* screen = w.voip();
        QVERIFY(screen->customButtonsView()->isHidden());
        QCOMPARE(screen->bottomContentViewConstraint(), 0);
        ConnectionSettings profile = w.connectWithKeys(PhoneType::VOIP, 2);
        profile.customKeys()[1]->setReleaseCommand("");
        ConnectionSettingsManager::updateConnectionSettings(profile);
        w.feedParty("1;ACTIVE:201:0:0");
        QVERIFY(!screen->customButtonsView()->isHidden());
        QCOMPARE(screen->bottomContentViewConstraint(), 40);
        w.takeSent();
        USER_CLICK(screen->customButton(1));
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("PRESS 2")});
        USER_CLICK(screen->customButton(0));
        QCOMPARE(w.takeSent(), (QStringList{QStringLiteral("PRESS 1"), QStringLiteral("RELEASE 1")}));
    }

    void cancellingTheTransferPickerSendsNothing() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;ACTIVE:201:0:0");
        w.takeSent();
        w.takePosts();
        ActiveCallViewController* screen = w.voip();
        USER_CLICK(screen->transferButton());
        QVERIFY(OverlayHost::of(screen->navigationController()->view())
                    .isTopmost(screen->transferTypePicker()->view()));
        USER_CLICK(screen->transferTypePicker()->cancelButton());
        QVERIFY(!screen->transferTypePicker()->view()->isVisible());
        QCOMPARE(w.takeSent(), QStringList());
        QCOMPARE(w.takePosts(), QStringList());
        QCOMPARE(w.routing().callState(), CallRouting::Normal);
    }

private:
    void tick(int seconds) {
        for (int second = 0; second < seconds; ++second) {
            m_window->voip()->updateTime();
        }
        m_window->settle();
    }

    std::unique_ptr<CallingWindow> m_window;
};

TESSMARK_QTEST(ActiveCallTest)
#include "ActiveCallTest.moc"
