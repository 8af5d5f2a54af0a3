#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "Screens/directory/ContactDetailViewController.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/ContactRowPainter.h"
#include "Screens/directory/FavoritesViewController.h"
#include "Screens/directory/IndexBarViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace DirectoryTest;

namespace {

constexpr auto FavoritesTab = TabBarController::Favorites;

QStringList favoriteNames() {
    return column("select firstName from Contact where isFavorite=1 order by firstName");
}

} // namespace

// The favorites tab: add mode with its ticks, edit mode's remove, and the most-called list.
class FavoritesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // Ticks are kept across a search; "Done" stores exactly the ticked contacts, "Cancel" none.
    void addModeStoresTheTickedContacts_data() {
        QTest::addColumn<bool>("done");
        QTest::newRow("Done") << true;
        QTest::newRow("Cancel") << false;
    }
    void addModeStoresTheTickedContacts() {
        QFETCH(bool, done);
        addContact("Ann", "Lee", {{"201"}}, {}, true);
        addContact("Bob", "Brown", {{"202"}});
        addContact("Cid", "Cole", {{"203"}});
        addContact("Dan", "Dale", {{"204"}});
        Window window;
        window.showTab(FavoritesTab);
        auto* favorites = window.tabs()->favoritesViewController();
        KTNavigationBarController* bar = window.bar(FavoritesTab);
        QCOMPARE(rowTexts(favorites->model()), texts({"[A]", "Ann Lee"}));

        USER_CLICK(bar->rightButton());
        QVERIFY(favorites->addMode());
        QCOMPARE(bar->barTitle()->text(), QStringLiteral("Add to Favorites"));
        QCOMPARE(bar->leftButton()->text(), QStringLiteral("Cancel"));
        RowButtonTableView* table = favorites->tableView();
        clickButton(table, rowOf(favorites->model(), QStringLiteral("Bob Brown")),
                    ContactRowPainter::LeftButton);
        clickButton(table, rowOf(favorites->model(), QStringLiteral("Dan Dale")),
                    ContactRowPainter::LeftButton);
        USER_CLICK(favorites->searchField());
        USER_TYPE(QStringLiteral("dan"));
        QCOMPARE(rowTexts(favorites->model()), texts({"[D]", "Dan Dale"}));
        QVERIFY(favorites->model()->isTicked(1));
        // A single click on a row (not its box) ticks nothing.
        clickRow(table, 1);
        QVERIFY(favorites->model()->isTicked(1));

        USER_CLICK(done ? bar->rightButton() : bar->leftButton());
        QVERIFY(!favorites->addMode());
        QCOMPARE(bar->barTitle()->text(), QStringLiteral("Favorites"));
        const QStringList expected = done ? texts({"Ann", "Bob", "Dan"}) : texts({"Ann"});
        QCOMPARE(favoriteNames(), expected);
    }

    // Edit mode's remove stores the contact with its mark off; the row goes.
    void removeStoresTheMarkOff() {
        addContact("Ann", "Lee", {{"201"}}, {}, true);
        addContact("Bob", "Brown", {{"202"}}, {}, true);
        Window window;
        window.showTab(FavoritesTab);
        auto* favorites = window.tabs()->favoritesViewController();
        USER_CLICK(window.bar(FavoritesTab)->leftButton());
        QVERIFY(favorites->editMode());
        clickButton(favorites->tableView(), rowOf(favorites->model(), QStringLiteral("Ann Lee")),
                    ContactRowPainter::LeftButton);
        QCOMPARE(favoriteNames(), texts({"Bob"}));
        QCOMPARE(countOf("Contact"), 2);
        QCOMPARE(rowTexts(favorites->model()), texts({"[B]", "Bob Brown"}));
    }

    // Managed favorites: the two most called placed numbers, the unknown one as a row named by
    // its number. "Call Frequency" drops headers and the bar; a letter order brings them back.
    void managedFavoritesListTheMostCalled() {
        addContact("Ann", "Lee", {{"100"}});
        for (int call = 0; call < 3; ++call) {
            addCallLog("2026/12/0" + std::to_string(call + 1), "09:00:00", 10, "100", 1);
        }
        for (int call = 0; call < 2; ++call) {
            addCallLog("2026/12/0" + std::to_string(call + 4), "09:00:00", 10, "200@pbx", 1);
        }
        addCallLog("2026/12/06", "09:00:00", 10, "300", 1);
        changePreferences([](PreferencesSettings& preferences) {
            preferences.setAutomaticallyManagesFavorites(true);
            preferences.setMostFrequentlyCalledNumbers(2);
        });
        Window window;
        window.showTab(FavoritesTab);
        auto* favorites = window.tabs()->favoritesViewController();
        KTNavigationBarController* bar = window.bar(FavoritesTab);
        QVERIFY(bar->rightButton()->isHidden());

        USER_CLICK(bar->optionalButton());
        chooseInPicker(favorites->pickerViewController(), 6);
        QCOMPARE(favorites->sortingMethod(), 6);
        QCOMPARE(rowTexts(favorites->model()), texts({"Ann Lee", "200 "}));
        QVERIFY(favorites->indexBarController()->view()->isHidden());
        QVERIFY(!favorites->indexBarController()->reversed());

        doubleClickRow(favorites->tableView(), 1);
        QCOMPARE(window.sentLines(), std::vector<std::string>{"EP UA 1 KEY KEY_CALL 200"});
        // Removing the number that no contact holds stores no contact.
        USER_CLICK(bar->leftButton());
        clickButton(favorites->tableView(), 1, ContactRowPainter::LeftButton);
        QCOMPARE(countOf("Contact"), 1);

        USER_CLICK(bar->optionalButton());
        chooseInPicker(favorites->pickerViewController(), 3);
        QVERIFY(!favorites->indexBarController()->view()->isHidden());
        QCOMPARE(favorites->indexBarController()->button(0)->text(), QStringLiteral("#"));
        QCOMPARE(rowTexts(favorites->model()).first(), QStringLiteral("[#]"));
    }

    // The editor opened from the managed list stores what the list computed: the number no
    // contact held becomes a new contact, and a call count the store lacked is written.
    void savingFromTheManagedListStoresTheComputedContact() {
        addContact("Ann", "Lee", {{"100"}});
        for (int call = 0; call < 3; ++call) {
            addCallLog("2026/12/0" + std::to_string(call + 1), "09:00:00", 10, "100", 1);
        }
        addCallLog("2026/12/04", "09:00:00", 10, "200", 1);
        changePreferences(
            [](PreferencesSettings& preferences) { preferences.setAutomaticallyManagesFavorites(true); });
        Window window;
        window.showTab(FavoritesTab);
        auto* favorites = window.tabs()->favoritesViewController();
        KTNavigationBarController* bar = window.bar(FavoritesTab);
        KTNavigationController* stack = window.stack(FavoritesTab);
        USER_CLICK(bar->leftButton());
        const auto edit = [&](const QString& name) {
            clickButton(favorites->tableView(), rowOf(favorites->model(), name),
                        ContactRowPainter::RightButton);
            stack->finishPendingSlide();
            return dynamic_cast<ContactDetailViewController*>(stack->topViewController());
        };
        ContactDetailViewController* editor = edit(QStringLiteral("200 "));
        QVERIFY(editor != nullptr);
        USER_CLICK(editor->lastNameField());
        USER_TYPE(QStringLiteral("Desk"));
        USER_CLICK(bar->rightButton());
        stack->finishPendingSlide();
        QCOMPARE(
            column("select firstName || ' ' || lastName || ':' || callFrequency from Contact order by id"),
            texts({"Ann Lee:0", "200 Desk:1"}));
        editor = edit(QStringLiteral("Ann Lee"));
        QVERIFY(editor != nullptr);
        USER_CLICK(bar->rightButton());
        QCOMPARE(column("select callFrequency from Contact where firstName='Ann'"), texts({"3"}));
    }

    // Shown again while in add mode, the bar reads "Edit"/"Add" and add mode goes on: "Add"
    // stores the ticks as "Done" would.
    void reshownInAddModeKeepsAddingFavorites() {
        addContact("Bob", "Brown", {{"202"}});
        Window window;
        window.showTab(FavoritesTab);
        auto* favorites = window.tabs()->favoritesViewController();
        KTNavigationBarController* bar = window.bar(FavoritesTab);
        USER_CLICK(bar->rightButton());
        clickButton(favorites->tableView(), 1, ContactRowPainter::LeftButton);
        window.showTab(TabBarController::Logs);
        window.showTab(FavoritesTab);
        QCOMPARE(bar->leftButton()->text(), QStringLiteral("Edit"));
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Add"));
        QVERIFY(favorites->addMode());
        USER_CLICK(bar->rightButton());
        QCOMPARE(favoriteNames(), texts({"Bob"}));
        QVERIFY(!favorites->addMode());
    }

    // A picker opened here is answered to whatever is on top: the owner name alone decides.
    void numberPickerChoiceCallsByOwner() {
        addContact("Bob", "Brown", {{"202"}, {"203"}}, {}, true);
        Window window;
        window.showTab(FavoritesTab);
        auto* favorites = window.tabs()->favoritesViewController();
        doubleClickRow(favorites->tableView(), 1);
        QVERIFY(favorites->numberPickerViewController() != nullptr);
        Post("dismissNumberPickerView",
             {{"owner", std::string("PhoneBook")}, {"selectedNumber", std::string("202")}});
        QVERIFY(window.sentLines().empty());
        Post("dismissNumberPickerView",
             {{"owner", std::string("Favorites")}, {"selectedNumber", std::string("203")}});
        Post("dismissNumberPickerView", {{"owner", std::string("Favorites")}});
        QCOMPARE(window.sentLines(), std::vector<std::string>{"EP UA 1 KEY KEY_CALL 203"});
    }
};

TESSMARK_QTEST(FavoritesTest)
#include "FavoritesTest.moc"
