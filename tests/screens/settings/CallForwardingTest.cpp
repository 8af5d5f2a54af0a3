#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/OverlayHost.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/Contact.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/common/Codes.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "Screens/settings/CallForwardingViewController.h"
#include "Screens/settings/SettingsWidgets.h"
#include "screens/settings/SettingsFixture.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QTest>

using namespace SettingsFixture;

namespace {

// The toolbar's forwarding screen, opened by its button, over a window connected to a VoIP
// line whose forwarding the box has reported.
class ForwardingScreen {
public:
    explicit ForwardingScreen(UiHarness& ui, const std::string& status) : m_ui(ui) {
        ui.launch();
        ui.connectProfile(PhoneType::VOIP);
        // Connected to a VoIP line, the toolbar shows the forwarding button.
        ui.dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        ui.feed("EP UA 1 INQUIRE_RESULT CFW_STATUS " + status);
        ui.clearSentLines();
        // A refused click has recorded its failure; the test's next check fails on it too.
        (void)UserInput::click(ui.delegate().toolbarController()->forwardingButton());
    }

    CallForwardingViewController* screen() const {
        return m_ui.delegate().toolbarController()->callForwardingViewController();
    }
    KTNavigationController* stack() const {
        return m_ui.delegate().toolbarController()->callForwardingNavigationController();
    }
    bool isShown() const { return OverlayHost::of(m_ui.delegate().contentView()).isTopmost(stack()->view()); }
    [[nodiscard]] bool update(std::source_location caller = std::source_location::current()) const {
        return clickRight(stack(), caller);
    }
    [[nodiscard]] bool back(std::source_location caller = std::source_location::current()) const {
        return clickBack(stack(), caller);
    }
    QStringList sent() const {
        QStringList lines;
        for (const std::string& line : m_ui.sentLines()) {
            lines.append(QString::fromStdString(line));
        }
        return lines;
    }

private:
    UiHarness& m_ui;
};

} // namespace

// The call forwarding screen: what it shows of the line, what "Update" sends, the question on
// leaving and the number picked from the phone book.
class CallForwardingTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // The line's type, its title and the box's command type are three numberings.
    void showsTheLineAndSendsItsType_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("all calls") << text("ACTIVE;CFW-UNCONDITIONAL;SIP:200@PBX") << true << text("200@PBX")
                                   << text("All Calls")
                                   << texts({"EP UA 1 KEY KEY_FORWARD 0", "EP UA 1 KEY KEY_FORWARD 1",
                                             "EP UA 1 KEY KEY_CALL 200@PBX"});
        QTest::newRow("busy") << text("ACTIVE;CFW-BUSY;SIP:300@PBX") << true << text("300@PBX")
                              << text("Forward On Busy")
                              << texts({"EP UA 1 KEY KEY_FORWARD 0", "EP UA 1 KEY KEY_FORWARD 2",
                                        "EP UA 1 KEY KEY_CALL 300@PBX"});
        QTest::newRow("no reply") << text("ACTIVE;CFW-NO_REPLY;SIP:400@PBX") << true << text("400@PBX")
                                  << text("Forward On No Answer")
                                  << texts({"EP UA 1 KEY KEY_FORWARD 0", "EP UA 1 KEY KEY_FORWARD 3",
                                            "EP UA 1 KEY KEY_CALL 400@PBX"});
        QTest::newRow("inactive") << text("INACTIVE") << false << text("") << text("All Calls")
                                  << texts({"EP UA 1 KEY KEY_FORWARD 0"});
    }
    void showsTheLineAndSendsItsType() {
        QFETCH(QString, status);
        QFETCH(bool, on);
        QFETCH(QString, number);
        QFETCH(QString, title);
        QFETCH(QStringList, sent);
        UiHarness ui;
        ForwardingScreen forwarding(ui, status.toStdString());
        CallForwardingViewController* screen = forwarding.screen();
        QVERIFY(forwarding.isShown());
        QCOMPARE(forwarding.stack()->navigationBar()->rightButton()->text(), QStringLiteral("Update"));
        QCOMPARE(screen->activateSwitch()->state(), on ? KTSwitch::On : KTSwitch::Off);
        QCOMPARE(screen->forwardCallsToField()->text(), number);
        QCOMPARE(screen->forwardingTypeButton()->currentText(), title);
        QCOMPARE(screen->forwardCallsToField()->isEnabled(), on);
        QCOMPARE(screen->openPhoneBookButton()->isEnabled(), on);
        QCOMPARE(screen->forwardingTypeButton()->isEnabled(), on);
        QVERIFY(screen->changesSaved());
        QCOMPARE(tabOrder(screen->view()), readingOrder(tabOrder(screen->view())));
        QVERIFY(forwarding.update());
        QCOMPARE(forwarding.sent(), sent);
        QVERIFY(forwarding.isShown());
    }

    // Leaving asks only after a change not sent: "No" stays, "Yes" takes the screen away.
    void leavingAsksAfterAChange() {
        UiHarness ui;
        ForwardingScreen forwarding(ui, "INACTIVE");
        CallForwardingViewController* screen = forwarding.screen();
        USER_CLICK(screen->activateSwitch());
        QVERIFY(!screen->changesSaved());
        Alert::setNextAnswer(0);
        QVERIFY(forwarding.back());
        QCOMPARE(lastSheetText(), QStringLiteral("Changes are not updated. Are you sure you want to leave?"));
        QCOMPARE(Alert::requests().back().buttons,
                 (QStringList{QStringLiteral("No"), QStringLiteral("Yes")}));
        runQueued();
        QVERIFY(forwarding.isShown());
        Alert::setNextAnswer(1);
        QVERIFY(forwarding.back());
        runQueued();
        QVERIFY(!forwarding.isShown());
        QCOMPARE(sheetCount(), 2);
    }

    // "Update" counts as saved even when, switched on with no number, it sends nothing.
    void updateWithoutANumberSendsNothingYetSaves() {
        UiHarness ui;
        ForwardingScreen forwarding(ui, "INACTIVE");
        CallForwardingViewController* screen = forwarding.screen();
        USER_CLICK(screen->activateSwitch());
        QVERIFY(forwarding.update());
        QVERIFY(forwarding.sent().isEmpty());
        QVERIFY(screen->changesSaved());
        QVERIFY(forwarding.back());
        QCOMPARE(sheetCount(), 0);
        QVERIFY(!forwarding.isShown());
    }

    // The field refills from the last typed or picked number, never from the line's; typing
    // alone is no change, the field's action is.
    void theFieldRemembersWhatWasTyped() {
        UiHarness ui;
        ForwardingScreen forwarding(ui, "ACTIVE;CFW-UNCONDITIONAL;SIP:200@PBX");
        CallForwardingViewController* screen = forwarding.screen();
        QLineEdit* field = screen->forwardCallsToField();
        USER_CLICK(screen->activateSwitch());
        USER_CLICK(screen->activateSwitch());
        QCOMPARE(field->text(), QString());
        QVERIFY(forwarding.update());
        USER_CLICK(field);
        USER_TYPE(QStringLiteral("300"));
        QCOMPARE(screen->forwardCallsTo(), QStringLiteral("300"));
        QVERIFY(screen->changesSaved());
        USER_PRESS(Qt::Key_Return);
        QVERIFY(!screen->changesSaved());
        USER_CLICK(screen->activateSwitch());
        USER_CLICK(screen->activateSwitch());
        QCOMPARE(field->text(), QStringLiteral("300"));
        QVERIFY(forwarding.update());
        QCOMPARE(forwarding.sent().last(), QStringLiteral("EP UA 1 KEY KEY_CALL 300"));
    }

    // The phone book round trip: the screen steps aside, the contact clicked there comes back
    // into the field and into what the switch refills, and leaving then asks.
    void pickingANumberFromThePhoneBook() {
        Contact contact("Ann", "", "Lee", "");
        contact.numbers().front()->setNumber("555");
        QVERIFY(ContactManager::addContact(contact));
        UiHarness ui;
        ForwardingScreen forwarding(ui, "ACTIVE;CFW-BUSY;SIP:300@PBX");
        CallForwardingViewController* screen = forwarding.screen();
        ui.posts().clear();
        USER_CLICK(screen->openPhoneBookButton());
        QVERIFY(!forwarding.isShown());
        QCOMPARE(ui.posts().screenPosts(),
                 QStringList{QStringLiteral("openPhoneBookFromCallForwardingSettingsView")});
        PhoneBookViewController* phoneBook = ui.delegate().tabBarController()->phoneBookViewController2();
        int row = 0;
        while (row < phoneBook->model()->rowCount() &&
               phoneBook->model()->index(row, 0).data().toString() != QStringLiteral("Ann Lee")) {
            ++row;
        }
        QVERIFY(row < phoneBook->model()->rowCount());
        QVERIFY(clickRow(phoneBook->tableView(), row));
        QVERIFY(forwarding.isShown());
        QCOMPARE(screen->forwardCallsToField()->text(), QStringLiteral("555"));
        QCOMPARE(screen->forwardCallsTo(), QStringLiteral("555"));
        QCOMPARE(screen->forwardingTypeButton()->currentText(), QStringLiteral("Forward On Busy"));
        Alert::setNextAnswer(0);
        QVERIFY(forwarding.back());
        QCOMPARE(sheetCount(), 1);
        runQueued();
        QVERIFY(forwarding.update());
        QCOMPARE(forwarding.sent().last(), QStringLiteral("EP UA 1 KEY KEY_CALL 555"));
    }
};

TESSMARK_QTEST(CallForwardingTest)
#include "CallForwardingTest.moc"
