#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "Logic/database/CPPDatabase.h"
#include "Screens/calling/NumberPickerCellView.h"
#include "Screens/calling/NumberPickerViewController.h"
#include "Screens/directory/ContactDetailViewController.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/ContactRowPainter.h"
#include "Screens/directory/IndexBarViewController.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace DirectoryTest;

namespace {

constexpr auto PhoneBookTab = TabBarController::PhoneBook;

QStringList barTitles(IndexBarViewController* bar) {
    QStringList titles;
    for (int index = 0; index < IndexBarViewController::buttonCount; ++index) {
        titles.append(bar->button(index)->text());
    }
    return titles;
}

void post(const char* name, const std::string& owner, const std::string& number) {
    Post(name, {{"owner", owner}, {"selectedNumber", number}});
}

} // namespace

// The phone book tab: orders, search, index bar, delete, calling and the forwarding role.
class PhoneBookTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // The sort example: first names alice, Bob, zed, "", 9lives, _under, Emile (accented).
    void ordersListTheHashGroupAndLetterTheBar_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("firstKey");
        QTest::newRow("First Name A-Z") << 2
                                        << texts({"[A]", "alice A", "[B]", "Bob B", "[Z]", "zed Z", "[#]",
                                                  " N", "9lives N", "_under N", "\xc3\x89mile E"})
                                        << QStringLiteral("A");
        QTest::newRow("First Name Z-A") << 3
                                        << texts({"[#]", " N", "9lives N", "_under N", "\xc3\x89mile E",
                                                  "[Z]", "zed Z", "[B]", "Bob B", "[A]", "alice A"})
                                        << QStringLiteral("#");
    }
    void ordersListTheHashGroupAndLetterTheBar() {
        QFETCH(int, method);
        QFETCH(QStringList, rows);
        QFETCH(QString, firstKey);
        const char* first[] = {"alice", "Bob", "zed", "", "9lives", "_under", "\xc3\x89mile"};
        const char* last[] = {"A", "B", "Z", "N", "N", "N", "E"};
        for (size_t index = 0; index < std::size(first); ++index) {
            addContact(first[index], last[index], {{"20" + std::to_string(index)}});
        }
        changePreferences([](PreferencesSettings& preferences) { preferences.setPhoneBookSortingOrder(4); });
        Window window;
        window.showTab(PhoneBookTab);
        auto* phoneBook = window.tabs()->phoneBookViewController();
        // Each start shows "First Name A-Z", whatever the preferences hold.
        QCOMPARE(phoneBook->sortingMethod(), 2);
        USER_CLICK(window.bar(PhoneBookTab)->optionalButton());
        QVERIFY(OverlayHost::of(window.stack(PhoneBookTab)->view())
                    .isTopmost(phoneBook->pickerViewController()->view()));
        chooseInPicker(phoneBook->pickerViewController(), method);
        QCOMPARE(rowTexts(phoneBook->model()), rows);
        QCOMPARE(barTitles(phoneBook->indexBarController()).first(), firstKey);
        QCOMPARE(barTitles(phoneBook->indexBarController()).size(), 27);
    }

    // Names show last name first for the company and last-name orders, and the letter follows the
    // order's field (a contact without company files under "#").
    void namesAndLettersFollowTheOrder_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("Company A-Z") << 0 << texts({"[Z]", "Lee, Ann", "[#]", "Smith, John"});
        QTest::newRow("Company Z-A") << 1 << texts({"[#]", "Smith, John", "[Z]", "Lee, Ann"});
        QTest::newRow("Last Name A-Z") << 4 << texts({"[L]", "Lee, Ann", "[S]", "Smith, John"});
        QTest::newRow("Last Name Z-A") << 5 << texts({"[S]", "Smith, John", "[L]", "Lee, Ann"});
    }
    void namesAndLettersFollowTheOrder() {
        QFETCH(int, method);
        QFETCH(QStringList, rows);
        addContact("Ann", "Lee", {{"201"}}, "Zeta");
        addContact("John", "Smith", {{"202"}});
        Window window;
        window.showTab(PhoneBookTab);
        auto* phoneBook = window.tabs()->phoneBookViewController();
        USER_CLICK(window.bar(PhoneBookTab)->optionalButton());
        chooseInPicker(phoneBook->pickerViewController(), method);
        QCOMPARE(rowTexts(phoneBook->model()), rows);
    }

    // Typing narrows the list to names as shown; the index bar jumps to a key's header, to the
    // nearest earlier key when it has none, or to the end when few rows follow.
    void searchAndIndexJump() {
        for (char letter : std::string("ABDXYZ")) {
            for (int index = 0; index < 6; ++index) {
                addContact(std::string(1, letter) + "name" + std::to_string(index), "Last",
                           {{std::to_string(300 + letter * 10 + index)}});
            }
        }
        Window window;
        window.showTab(PhoneBookTab);
        auto* phoneBook = window.tabs()->phoneBookViewController();
        RowButtonTableView* table = phoneBook->tableView();
        auto topRow = [table] { return table->indexAt(QPoint(1, 1)).row(); };
        IndexBarViewController* bar = phoneBook->indexBarController();
        auto clickKey = [bar](const QString& key) { USER_CLICK(keyButton(bar, key)); };
        clickKey(QStringLiteral("D"));
        QCOMPARE(phoneBook->model()->headerKeyAt(topRow()), QStringLiteral("D"));
        clickKey(QStringLiteral("C"));
        QCOMPARE(phoneBook->model()->headerKeyAt(topRow()), QStringLiteral("B"));
        // "#" has no section: its nearest earlier key, "Z", has too few rows after it.
        clickKey(QStringLiteral("#"));
        QCOMPARE(table->verticalScrollBar()->value(), table->verticalScrollBar()->maximum());

        USER_CLICK(phoneBook->searchField());
        USER_TYPE(QStringLiteral("XNAME3 L"));
        QCOMPARE(rowTexts(phoneBook->model()), texts({"[X]", "Xname3 Last"}));
        phoneBook->searchField()->clear();
        QCOMPARE(phoneBook->model()->rowCount(), 42);
    }

    // A delete button asks with the shown name, exactly as typed; "No" keeps the contact,
    // "Yes" removes it with its numbers and edit mode stays. A double click on the button
    // calls nobody.
    void deleteAsksThenRemovesContactAndNumbers() {
        addContact("<b>Al</b>", "O'Brien", {{"201"}, {"202"}});
        addContact("Bea", "Stone", {{"203"}});
        Window window;
        window.showTab(PhoneBookTab);
        auto* phoneBook = window.tabs()->phoneBookViewController();
        KTNavigationBarController* bar = window.bar(PhoneBookTab);
        USER_CLICK(bar->leftButton());
        QVERIFY(phoneBook->editMode());
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Done"));
        RowButtonTableView* table = phoneBook->tableView();
        const int row = rowOf(phoneBook->model(), QStringLiteral("<b>Al</b> O'Brien"));

        // A double click on the button is two clicks of it; the row body still calls.
        Alert::setNextAnswer(0);
        Alert::setNextAnswer(0);
        doubleClickAt(
            table,
            ContactRowPainter::buttonRect(rowRect(table, row), ContactRowPainter::LeftButton).center());
        QVERIFY(window.sentLines().empty());
        doubleClickRow(table, rowOf(phoneBook->model(), QStringLiteral("Bea Stone")));
        QCOMPARE(window.sentLines(), std::vector<std::string>{"EP UA 1 KEY KEY_CALL 203"});
        QCoreApplication::processEvents();
        Alert::clearRequests();
        Alert::setNextAnswer(0);
        clickButton(table, row, ContactRowPainter::LeftButton);
        QTRY_COMPARE(Alert::requests().size(), size_t(1));
        QCOMPARE(Alert::requests().back().informativeText,
                 QStringLiteral("Are you sure you want to delete contact \"<b>Al</b> O'Brien\"?"));
        QCOMPARE(Alert::requests().back().buttons, texts({"No", "Yes"}));
        QCoreApplication::processEvents();
        QCOMPARE(countOf("Contact"), 2);

        Alert::setNextAnswer(1);
        clickButton(table, row, ContactRowPainter::LeftButton);
        QTRY_COMPARE(countOf("Contact"), 1);
        QCOMPARE(countOf("ContactNumber"), 1);
        QCOMPARE(rowTexts(phoneBook->model()), texts({"[B]", "Bea Stone"}));
        QVERIFY(phoneBook->editMode());

        // A delete the store refuses is not reported: the reload shows the contact still there.
        CPPDatabase::getInstance().execute(
            "create trigger failUpdate before delete on Contact begin select raise(abort, 'refused'); end",
            nullptr);
        Alert::setNextAnswer(1);
        clickButton(table, 1, ContactRowPainter::LeftButton);
        QTRY_COMPARE(Alert::requests().size(), size_t(3));
        QCoreApplication::processEvents();
        QCOMPARE(rowTexts(phoneBook->model()), texts({"[B]", "Bea Stone"}));
    }

    // One number calls it; several open the picker, whose "PhoneBook" choice is called and a
    // "Favorites" one ignored; none does nothing.
    void doubleClickCallsTheContact() {
        addContact("Ann", "Lee", {{"201"}});
        addContact("Bob", "Brown", {{"202"}, {"203"}});
        addContact("Cid", "Null");
        Window window;
        window.showTab(PhoneBookTab);
        auto* phoneBook = window.tabs()->phoneBookViewController();
        RowButtonTableView* table = phoneBook->tableView();

        doubleClickRow(table, rowOf(phoneBook->model(), QStringLiteral("Ann Lee")));
        QCOMPARE(window.sentLines(), std::vector<std::string>{"EP UA 1 KEY KEY_CALL 201"});
        doubleClickRow(table, rowOf(phoneBook->model(), QStringLiteral("Cid Null")));
        doubleClickRow(table, 0);
        QCOMPARE(window.sentLines().size(), size_t(1));

        doubleClickRow(table, rowOf(phoneBook->model(), QStringLiteral("Bob Brown")));
        QVERIFY(phoneBook->numberPickerViewController() != nullptr);
        QVERIFY(
            OverlayHost::of(phoneBook->view()).isTopmost(phoneBook->numberPickerViewController()->view()));
        // A choice for the favorites leaves this picker open.
        post("dismissNumberPickerView", "Favorites", "202");
        QVERIFY(
            OverlayHost::of(phoneBook->view()).isTopmost(phoneBook->numberPickerViewController()->view()));
        // The picker's second row is the second number.
        NumberPickerViewController* picker = phoneBook->numberPickerViewController();
        QCOMPARE(picker->cellViews().size(), size_t(2));
        USER_CLICK(picker->cellViews().at(1));
        QCOMPARE(window.sentLines().back(), std::string("EP UA 1 KEY KEY_CALL 203"));
        QVERIFY(OverlayHost::of(phoneBook->view()).topmost() == nullptr ||
                !OverlayHost::of(phoneBook->view()).topmost()->isVisible());
        // Its picker gone, the same choice again calls nobody.
        const size_t sent = window.sentLines().size();
        post("dismissNumberPickerView", "PhoneBook", "203");
        QCOMPARE(window.sentLines().size(), sent);
    }

    // In the forwarding role a press hands the number back; several numbers go through the
    // picker; "Cancel" hands nothing back. No call is made.
    void forwardingRoleHandsTheNumberBack() {
        addContact("Ann", "Lee", {{"201"}});
        addContact("Bob", "Brown", {{"202"}, {"203"}});
        Window window;
        ForwardingPosts posts;
        auto* phoneBook = window.tabs()->phoneBookViewController2();
        auto open = [] { Post("openPhoneBookFromCallForwardingSettingsView"); };

        open();
        QVERIFY(phoneBook->tableView()->isVisible());
        QCOMPARE(window.tabs()->phoneBookNavigationController2()->navigationBar()->rightButton()->text(),
                 QStringLiteral("Cancel"));
        clickRow(phoneBook->tableView(), rowOf(phoneBook->model(), QStringLiteral("Ann Lee")));
        QCOMPARE(posts.numbers(), texts({"201"}));
        QVERIFY(!phoneBook->openedFromCallForwardingSettingsView());

        open();
        clickRow(phoneBook->tableView(), rowOf(phoneBook->model(), QStringLiteral("Bob Brown")));
        QVERIFY(phoneBook->numberPickerViewController() != nullptr);
        post("dismissNumberPickerView", "PhoneBook", "203");
        QCOMPARE(posts.numbers().last(), QStringLiteral("203"));

        open();
        USER_CLICK(window.tabs()->phoneBookNavigationController2()->navigationBar()->rightButton());
        QCOMPARE(posts.numbers().last(), QStringLiteral("<none>"));
        QCOMPARE(posts.numbers().size(), 3);
        QVERIFY(window.sentLines().empty());
        // Outside the role a press does nothing.
        window.showTab(PhoneBookTab);
        clickRow(window.tabs()->phoneBookViewController()->tableView(), 1);
        QCOMPARE(posts.numbers().size(), 3);
    }

    // "Add" opens an empty editor; the editor's Cancel comes back with the sort button shown.
    void addOpensTheEditorAndTheSortButtonComesBack() {
        Window window;
        window.showTab(PhoneBookTab);
        KTNavigationBarController* bar = window.bar(PhoneBookTab);
        USER_CLICK(bar->rightButton());
        window.stack(PhoneBookTab)->finishPendingSlide();
        auto* editor =
            dynamic_cast<ContactDetailViewController*>(window.stack(PhoneBookTab)->topViewController());
        QVERIFY(editor != nullptr);
        QCOMPARE(bar->barTitle()->text(), QStringLiteral("New Contact"));
        QVERIFY(bar->optionalButton()->isHidden());
        USER_CLICK(bar->leftButton());
        window.stack(PhoneBookTab)->finishPendingSlide();
        QVERIFY(!bar->optionalButton()->isHidden());
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Add"));
        QCOMPARE(countOf("Contact"), 0);
    }
};

TESSMARK_QTEST(PhoneBookTest)
#include "PhoneBookTest.moc"
