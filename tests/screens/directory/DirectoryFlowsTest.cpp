#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/KTTableView.h"
#include "Screens/calling/NumberPickerViewController.h"
#include "Screens/directory/ContactDetailViewController.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/ContactNumberViewController.h"
#include "Screens/directory/ContactRowPainter.h"
#include "Screens/directory/FavoritesViewController.h"
#include "Screens/directory/IndexBarViewController.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace DirectoryTest;

namespace {

ContactListViewController* listOf(Window& window, TabBarController::Tab tab) {
    return tab == TabBarController::Favorites
               ? static_cast<ContactListViewController*>(window.tabs()->favoritesViewController())
               : window.tabs()->phoneBookViewController();
}

} // namespace

// The directory's edit mode, number picker, speed-dial take-over and index bar, by clicks.
class DirectoryFlowsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // Catches a "Done" that leaves the rows' delete buttons live: after it the bar reads
    // "Edit" and "Add", and a click where a delete button was asks and removes nothing.
    void doneLeavesEditMode_data() {
        QTest::addColumn<int>("tab");
        QTest::newRow("phone book") << int(TabBarController::PhoneBook);
        QTest::newRow("favorites") << int(TabBarController::Favorites);
    }
    void doneLeavesEditMode() {
        QFETCH(int, tab);
        addContact("Ann", "Lee", {{"201"}}, {}, true);
        Window window;
        window.showTab(TabBarController::Tab(tab));
        KTNavigationBarController* bar = window.bar(TabBarController::Tab(tab));
        RowButtonTableView* table = listOf(window, TabBarController::Tab(tab))->tableView();
        USER_CLICK(bar->leftButton());
        QPushButton* done = bar->rightButton();
        QCOMPARE(done->text(), QStringLiteral("Done"));
        USER_CLICK(done);
        QCOMPARE(bar->leftButton()->text(), QStringLiteral("Edit"));
        QVERIFY(bar->leftButton()->isVisible());
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Add"));
        QVERIFY(clickButton(table, 1, ContactRowPainter::LeftButton));
        QCoreApplication::processEvents();
        QVERIFY(Alert::requests().empty());
        QCOMPARE(countOf("Contact", "isFavorite=1"), 1);
    }

    // Catches a favorites number picker that stays open over the list after a choice.
    void favoritesNumberPickerClosesAfterAChoice() {
        addContact("Bob", "Brown", {{"202"}, {"203"}}, {}, true);
        Window window;
        window.showTab(TabBarController::Favorites);
        auto* favorites = window.tabs()->favoritesViewController();
        RowButtonTableView* table = favorites->tableView();
        USER_DOUBLE_CLICK_AT(table->viewport(), rowRect(table, 1).center());
        const QPointer<NumberPickerViewController> picker = favorites->numberPickerViewController();
        QVERIFY(!picker.isNull() && picker->view()->isVisible());
        KTTableView* numbers = picker->tableView();
        USER_CLICK_AT(numbers->viewport(), numbers->visualRect(numbers->model()->index(1, 0)).center());
        QCoreApplication::processEvents();
        QVERIFY(picker.isNull() || !picker->view()->isVisible());
        QCOMPARE(window.sentLines(), std::vector<std::string>{"EP UA 1 KEY KEY_CALL 203"});
        QCOMPARE(UserInput::whyNotClickable(table->viewport(), rowRect(table, 1).center()), QString());
    }

    // Catches a refused take-over falling back to the slot the row was filled with instead of
    // the one it took over with "Yes".
    void aTakenOverSlotIsTheFallback() {
        addContact("Ann", "Lee", {{"201", 1, 5}});
        addContact("Bob", "Brown", {{"300", 1, 3}});
        addContact("Cid", "Moss", {{"400", 1, 7}});
        Window window;
        window.showTab(TabBarController::PhoneBook);
        auto* phoneBook = window.tabs()->phoneBookViewController();
        KTNavigationBarController* bar = window.bar(TabBarController::PhoneBook);
        USER_CLICK(bar->leftButton());
        RowButtonTableView* table = phoneBook->tableView();
        const int annRow = rowOf(phoneBook->model(), QStringLiteral("Ann Lee"));
        QVERIFY(clickButton(table, annRow, ContactRowPainter::RightButton));
        window.stack(TabBarController::PhoneBook)->finishPendingSlide();
        auto* editor = dynamic_cast<ContactDetailViewController*>(
            window.stack(TabBarController::PhoneBook)->topViewController());
        QVERIFY(editor != nullptr);
        QComboBox* speedDial = editor->contactNumberControllers().at(0)->speedDialButton();
        QCOMPARE(speedDial->currentData().toInt(), 5);
        Alert::setNextAnswer(1);
        USER_CHOOSE(speedDial, speedDial->findData(3));
        QCoreApplication::processEvents();
        QCOMPARE(speedDial->currentData().toInt(), 3);
        Alert::setNextAnswer(0);
        USER_CHOOSE(speedDial, speedDial->findData(7));
        QCoreApplication::processEvents();
        QCOMPARE(Alert::requests().size(), size_t(2));
        QCOMPARE(speedDial->currentData().toInt(), 3);
    }

    // Catches jumps that miss the list's end: the last letter's and the "#" sections, in both
    // orders, come into view whole.
    void indexJumpsReachTheLastSections_data() {
        QTest::addColumn<bool>("descending");
        QTest::newRow("A-Z") << false;
        QTest::newRow("Z-A") << true;
    }
    void indexJumpsReachTheLastSections() {
        QFETCH(bool, descending);
        for (const char letter : std::string("ABCDEFGHIZ")) {
            for (int index = 0; index < 3; ++index) {
                addContact(std::string(1, letter) + "name" + std::to_string(index), "Last",
                           {{std::to_string(400 + (letter - 'A') * 10 + index)}});
            }
        }
        addContact("9lives", "Cat", {{"500"}});
        Window window;
        window.showTab(TabBarController::PhoneBook);
        auto* phoneBook = window.tabs()->phoneBookViewController();
        if (descending) {
            USER_CLICK(window.bar(TabBarController::PhoneBook)->optionalButton());
            chooseInPicker(phoneBook->pickerViewController(), 3);
        }
        RowButtonTableView* table = phoneBook->tableView();
        const ContactListModel* model = phoneBook->model();
        // A section shows when its header and its rows lie inside the visible rows.
        const auto sectionShows = [&](const QString& key) {
            int header = -1;
            for (int row = 0; row < model->rowCount(); ++row) {
                if (model->headerKeyAt(row) == key) {
                    header = row;
                }
            }
            int end = header + 1;
            while (end < model->rowCount() && model->headerKeyAt(end).isEmpty()) {
                ++end;
            }
            const QRect visible = table->viewport()->rect();
            return header >= 0 && visible.contains(rowRect(table, header)) &&
                   visible.contains(rowRect(table, end - 1));
        };
        IndexBarViewController* bar = phoneBook->indexBarController();
        const QString last = descending ? QStringLiteral("A") : QStringLiteral("#");
        const QString beforeLast = descending ? QStringLiteral("B") : QStringLiteral("Z");
        for (const QString& key : {last, beforeLast}) {
            QPushButton* button = keyButton(bar, key);
            QVERIFY(button != nullptr);
            table->scrollToTop();
            USER_CLICK(button);
            QVERIFY2(sectionShows(key), qPrintable(key));
        }
    }
};

TESSMARK_QTEST(DirectoryFlowsTest)
#include "DirectoryFlowsTest.moc"
