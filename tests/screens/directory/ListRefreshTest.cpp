#include "App/OverlayHost.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Platform/MainQueue.h"
#include "Screens/directory/CallLogListModel.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/FavoritesViewController.h"
#include "Screens/directory/LogsViewController.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"

#include <QScrollBar>
#include <QTest>

using namespace DirectoryTest;

namespace {

// What happens between the start-up and the first showing of a list.
enum class Change { StoreContact, MarkFavorite, EndCall };

} // namespace

Q_DECLARE_METATYPE(Change)

// The lists show what the store holds: those not on screen at start-up are read when first
// shown, so what changed before then is listed; a burst of records that re-shows a tab many
// times redraws it once, with every call of the burst.
class ListRefreshTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // A list read while the window was built, and not again at its first showing, would miss a
    // contact stored by an import, a favorite marked elsewhere or the row of a call that ended.
    void changesBeforeTheFirstShowingAreListed_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("phone book: an imported contact")
            << Change::StoreContact << int(TabBarController::PhoneBook)
            << texts({"[A]", "Ann Lee", "[B]", "Bob Ray"});
        QTest::newRow("favorites: a contact marked")
            << Change::MarkFavorite << int(TabBarController::Favorites) << texts({"[A]", "Ann Lee"});
        QTest::newRow("call log: a missed call") << Change::EndCall << int(TabBarController::Logs)
                                                 << texts({"[Sunday, December 6, 2026]", "Ann  Lee"});
    }
    void changesBeforeTheFirstShowingAreListed() {
        QFETCH(Change, change);
        QFETCH(int, tab);
        QFETCH(QStringList, rows);
        const ContactPtr ann = addContact("Ann", "Lee", {{"201"}});
        // The window opens on the dialer, so none of the three lists is on screen.
        changePreferences(
            [](PreferencesSettings& preferences) { preferences.setDefaultHomeScreen("Dialer/Keypad"); });
        Window window;
        switch (change) {
        case Change::StoreContact:
            addContact("Bob", "Ray", {{"301"}});
            break;
        case Change::MarkFavorite:
            ann->setFavorite(true);
            ContactManager::updateContact(*ann);
            break;
        case Change::EndCall:
            window.ui().feed("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:201");
            window.ui().feed("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;IDLE");
            QCOMPARE(countOf("CallLog"), 1);
            break;
        }
        window.showTab(static_cast<TabBarController::Tab>(tab));
        const QAbstractItemModel* model = nullptr;
        switch (change) {
        case Change::StoreContact:
            model = window.tabs()->phoneBookViewController()->model();
            break;
        case Change::MarkFavorite:
            model = window.tabs()->favoritesViewController()->model();
            break;
        case Change::EndCall:
            model = window.tabs()->logsViewController()->model();
            break;
        }
        QCOMPARE(rowTexts(model), rows);
    }

    // Three calls that ring, are taken and end in a row lay the active-call screen over the
    // tab and take it away three times; the call log, redrawn once for them, lists every call,
    // newest first.
    void aBurstOfCallsIsListedWhole() {
        addContact("Ann", "Lee", {{"201"}});
        Window window;
        window.showTab(TabBarController::Logs);
        // Each record reaches the screens before the next line, with no frame drawn between.
        const auto handOver = [](const std::string& line) {
            UiHarness::core()->serialDataReceived("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;" + line);
            DeviceCommandListener::getInstance().waitUntilDelivered();
            Platform::MainQueue::shared().runPending();
        };
        for (const std::string number : {"201", "202", "203"}) {
            handOver("INCOMING:" + number);
            handOver("ACTIVE:" + number + ":0:0");
            handOver("IDLE");
            window.ui().clock().advanceSeconds(60);
        }
        window.ui().drain();
        QCOMPARE(countOf("CallLog"), 3);
        QCOMPARE(window.ui().posts().count(QStringLiteral("backToCurrentTab")), 3);
        const CallLogListModel* model = window.tabs()->logsViewController()->model();
        QStringList numbers;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!model->isHeaderRow(row)) {
                numbers << model->index(row, 0).data(CallLogListModel::NumberRole).toString();
            }
        }
        QCOMPARE(numbers, texts({"203", "202", "201"}));
    }

    // The first showing of a long list is the whole list from its top, as every later one.
    void aLongListOpensWholeAtItsTop() {
        QStringList rows;
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string first = std::string(1, letter) + "nn";
            addContact(first, "Lee", {{"2" + std::to_string(letter)}});
            rows << QStringLiteral("[%1]").arg(QLatin1Char(letter)) << QString::fromStdString(first + " Lee");
        }
        Window window;
        window.showTab(TabBarController::PhoneBook);
        PhoneBookViewController* phoneBook = window.tabs()->phoneBookViewController();
        QCOMPARE(rowTexts(phoneBook->model()), rows);
        QCOMPARE(phoneBook->tableView()->verticalScrollBar()->value(), 0);
        window.showTab(TabBarController::Logs);
        window.showTab(TabBarController::PhoneBook);
        QCOMPARE(rowTexts(phoneBook->model()), rows);
    }
};

TESSMARK_QTEST(ListRefreshTest)
#include "ListRefreshTest.moc"
