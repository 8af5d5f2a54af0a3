#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "Logic/database/CPPDatabase.h"
#include "Screens/directory/ContactDetailViewController.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/ContactNumberViewController.h"
#include "Screens/directory/ContactRowPainter.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace DirectoryTest;

namespace {

constexpr auto PhoneBookTab = TabBarController::PhoneBook;

// The phone book tab with its editor pushed: a new contact, or the contact of the named row.
class Editor {
public:
    explicit Editor(Window& window, const QString& rowName = {}) : m_window(window) {
        window.showTab(PhoneBookTab);
        auto* phoneBook = window.tabs()->phoneBookViewController();
        KTNavigationBarController* bar = window.bar(PhoneBookTab);
        if (rowName.isEmpty()) {
            (void)UserInput::click(bar->rightButton());
        } else {
            if (!phoneBook->editMode()) {
                (void)UserInput::click(bar->leftButton());
            }
            RowButtonTableView* table = phoneBook->tableView();
            const int row = rowOf(phoneBook->model(), rowName);
            (void)clickButton(table, row, ContactRowPainter::RightButton);
        }
        window.stack(PhoneBookTab)->finishPendingSlide();
        m_editor =
            dynamic_cast<ContactDetailViewController*>(window.stack(PhoneBookTab)->topViewController());
        if (m_editor == nullptr) {
            qFatal("no editor was pushed");
        }
    }
    ContactDetailViewController* operator->() const { return m_editor; }
    ContactNumberViewController* row(size_t index) const {
        return m_editor->contactNumberControllers().at(index);
    }
    // Save and Cancel: the bar's buttons.
    bool save() { return leave(m_window.bar(PhoneBookTab)->rightButton()); }
    bool cancel() { return leave(m_window.bar(PhoneBookTab)->leftButton()); }
    bool isShowing() const { return m_window.stack(PhoneBookTab)->topViewController() == m_editor; }

private:
    bool leave(QWidget* barButton) {
        const bool clicked = UserInput::click(barButton);
        m_window.stack(PhoneBookTab)->finishPendingSlide();
        return clicked;
    }

    Window& m_window;
    ContactDetailViewController* m_editor = nullptr;
};

// The form scrolls: a control below the fold is first scrolled to, as a user does.
bool clickInForm(QWidget* control) {
    return UserInput::scrollTo(control) && UserInput::click(control);
}

bool chooseInForm(QComboBox* popUp, int index) {
    return UserInput::scrollTo(popUp) && UserInput::choose(popUp, index);
}

bool typeInForm(QLineEdit* field, const QString& text) {
    return UserInput::scrollTo(field) && UserInput::replaceText(field, text);
}

// A number's stored row; empty when none was stored.
std::map<std::string, std::string> numberRow(const std::string& number) {
    const auto rows = sql("select * from ContactNumber where number='" + number + "'");
    return rows.empty() ? std::map<std::string, std::string>{} : rows.front();
}

// Runs the queued answers of preset sheets.
void answerSheets() {
    QCoreApplication::processEvents();
}

// The sheet asked last: its informative text.
QString lastSheet() {
    return Alert::requests().empty() ? QString() : Alert::requests().back().informativeText;
}

} // namespace

// The contact editor and its number rows.
class ContactEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // Names, middle initial and company as the form requires them; an empty number row too.
    void saveRequiresNamesAndNumbers_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("saved");
        QTest::newRow("all there") << "Ann"
                                   << "Lee"
                                   << "201" << true;
        QTest::newRow("no first name") << ""
                                       << "Lee"
                                       << "201" << false;
        QTest::newRow("no last name") << "Ann"
                                      << ""
                                      << "201" << false;
        QTest::newRow("empty number row") << "Ann"
                                          << "Lee"
                                          << "" << false;
    }
    void saveRequiresNamesAndNumbers() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, number);
        QFETCH(bool, saved);
        Window window;
        Editor editor(window);
        QCOMPARE(editor->contactNumberControllers().size(), size_t(1));
        QVERIFY(editor.row(0)->isDefaultNumber());
        QVERIFY(typeInForm(editor->firstNameField(), first));
        QVERIFY(typeInForm(editor->lastNameField(), last));
        QVERIFY(typeInForm(editor.row(0)->numberField(), number));
        Alert::setNextAnswer(0);
        QVERIFY(editor.save());
        QCOMPARE(editor.isShowing(), !saved);
        QCOMPARE(countOf("Contact"), saved ? 1 : 0);
        if (!saved) {
            QTRY_COMPARE(lastSheet(), QStringLiteral("Required fields * must be filled"));
            QCOMPARE(Alert::requests().back().buttons, texts({"OK"}));
            return;
        }
        // Stored with the row's defaults (Home, no slot, default) and listed on return.
        QCOMPARE(numberRow("201").at("type"), std::string("0"));
        QCOMPARE(numberRow("201").at("speedDial"), std::string("-1"));
        QCOMPARE(numberRow("201").at("isDefault"), std::string("1"));
        QVERIFY(rowOf(window.tabs()->phoneBookViewController()->model(), QStringLiteral("Ann Lee")) >= 0);
    }

    // The default mark: one row at a time; deleting the default hands it to the first row;
    // a contact whose rows are all deleted saves without numbers.
    void defaultMarkFollowsTheRows() {
        addContact("Ann", "Lee", {{"201"}, {"202"}, {"203"}});
        Window window;
        Editor editor(window, QStringLiteral("Ann Lee"));
        QCOMPARE(editor->contactNumberControllers().size(), size_t(3));
        QVERIFY(clickInForm(editor.row(2)->defaultNumberButton()));
        QVERIFY(!editor.row(0)->isDefaultNumber());
        QVERIFY(editor.row(2)->isDefaultNumber());
        QVERIFY(clickInForm(editor.row(2)->defaultNumberButton()));
        QVERIFY(editor.row(2)->isDefaultNumber());
        QVERIFY(clickInForm(editor.row(1)->deleteButton()));
        QVERIFY(editor.row(1)->isDefaultNumber());
        QVERIFY(clickInForm(editor.row(1)->deleteButton()));
        QVERIFY(editor.row(0)->isDefaultNumber());
        QVERIFY(editor.save());
        QCOMPARE(column("select number || ':' || isDefault from ContactNumber"), texts({"201:1"}));

        Editor again(window, QStringLiteral("Ann Lee"));
        QVERIFY(clickInForm(again.row(0)->deleteButton()));
        QVERIFY(again->contactNumberControllers().empty());
        QVERIFY(again.save());
        QVERIFY(!again.isShowing());
        QCOMPARE(countOf("ContactNumber"), 0);
        QCOMPARE(countOf("Contact"), 1);
    }

    // Choosing a held slot asks; "No" goes back to the row's slot, "Yes" frees it on the owner
    // at once (so Cancel leaves it free). Re-choosing the held slot asks again.
    void speedDialTakeOver_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("thenSave");
        QTest::addColumn<QString>("ownerSlot");
        QTest::addColumn<QString>("annSlot");
        QTest::newRow("No") << 0 << true << "3"
                            << "5";
        QTest::newRow("Yes, Save") << 1 << true << "-1"
                                   << "3";
        QTest::newRow("Yes, Cancel") << 1 << false << "-1"
                                     << "5";
    }
    void speedDialTakeOver() {
        QFETCH(int, answer);
        QFETCH(bool, thenSave);
        QFETCH(QString, ownerSlot);
        QFETCH(QString, annSlot);
        addContact("Bob", "Brown", {{"300", 1, 3}});
        addContact("Ann", "Lee", {{"201", 1, 5}});
        Window window;
        Editor editor(window, QStringLiteral("Ann Lee"));
        QComboBox* speedDials = editor.row(0)->speedDialButton();
        QCOMPARE(speedDials->currentText(), QStringLiteral("5 - Ann Lee"));
        QCOMPARE(speedDials->itemText(3), QStringLiteral("3 - Bob Brown"));
        QCOMPARE(speedDials->itemText(4), QStringLiteral("4"));
        // A free slot asks nothing; re-choosing the row's own stored slot asks, as it is held.
        QVERIFY(chooseInForm(speedDials, 4));
        QVERIFY(Alert::requests().empty());
        Alert::setNextAnswer(0);
        QVERIFY(chooseInForm(speedDials, 5));
        QCOMPARE(lastSheet(), QStringLiteral("Speed dial 5 already in use. Override?"));
        answerSheets();
        QCOMPARE(speedDials->currentData().toInt(), 5);
        Alert::setNextAnswer(answer);
        QVERIFY(chooseInForm(speedDials, 3));
        QCOMPARE(lastSheet(), QStringLiteral("Speed dial 3 already in use. Override?"));
        QCOMPARE(Alert::requests().back().buttons, texts({"No", "Yes"}));
        answerSheets();
        QCOMPARE(speedDials->currentData().toInt(), answer == 1 ? 3 : 5);
        QCOMPARE(QString::fromStdString(numberRow("300").at("speedDial")), ownerSlot);
        // The titles keep the former owner's name until the editor opens again.
        QCOMPARE(speedDials->itemText(3), QStringLiteral("3 - Bob Brown"));
        QVERIFY(thenSave ? editor.save() : editor.cancel());
        QCOMPARE(QString::fromStdString(numberRow("201").at("speedDial")), annSlot);
    }

    // Fault: after "Add Number" the keys went where focus was, not into the new row. A row
    // added to the form has no slot: "No" to a take-over leaves "None", stored as -1. A stored
    // slot outside 1-9 shows "None" too.
    void anAddedRowTakesTheTypingAndHasNoSlot() {
        addContact("Bob", "Brown", {{"300", 1, 3}});
        addContact("Ann", "Lee", {{"201", 1, 12}});
        Window window;
        Editor editor(window, QStringLiteral("Ann Lee"));
        QCOMPARE(editor.row(0)->speedDialButton()->currentText(), QStringLiteral("None"));
        QVERIFY(clickInForm(editor->addNumberButton()));
        ContactNumberViewController* added = editor.row(1);
        USER_TYPE(QStringLiteral("202"));
        QCOMPARE(added->numberField()->text(), QStringLiteral("202"));
        QCOMPARE(added->speedDialButton()->currentText(), QStringLiteral("None"));
        Alert::setNextAnswer(0);
        QVERIFY(chooseInForm(added->speedDialButton(), 3));
        QTRY_COMPARE(added->speedDialButton()->currentIndex(), 0);
        QVERIFY(editor.save());
        QCOMPARE(numberRow("202").at("speedDial"), std::string("-1"));
        QCOMPARE(numberRow("202").at("isDefault"), std::string("0"));
        QCOMPARE(numberRow("201").at("speedDial"), std::string("-1"));
    }

    // A take-over the store refuses says so and goes back as on "No".
    void refusedTakeOverKeepsTheOldSlot() {
        addContact("Bob", "Brown", {{"300", 1, 3}});
        addContact("Ann", "Lee", {{"201", 1, 5}});
        Window window;
        Editor editor(window, QStringLiteral("Ann Lee"));
        CPPDatabase::getInstance().execute("create trigger failUpdate before update on ContactNumber begin "
                                           "select raise(abort, 'refused'); end",
                                           nullptr);
        Alert::setNextAnswer(1);
        Alert::setNextAnswer(0);
        QVERIFY(chooseInForm(editor.row(0)->speedDialButton(), 3));
        QTRY_COMPARE(lastSheet(), QStringLiteral("Failed to save contact"));
        QCOMPARE(editor.row(0)->speedDialButton()->currentData().toInt(), 5);
        QCOMPARE(numberRow("300").at("speedDial"), std::string("3"));
    }

    // A stored type without a pop-up item is kept; any text, quotes included, round-trips.
    void storedTextAndUnknownTypeRoundTrip() {
        addContact("Ann", "Lee", {{"201", 9}});
        Window window;
        Editor editor(window, QStringLiteral("Ann Lee"));
        QCOMPARE(editor.row(0)->typeButton()->currentIndex(), -1);
        QVERIFY(typeInForm(editor->lastNameField(), QStringLiteral("O'Brien")));
        QVERIFY(typeInForm(editor->companyField(), QStringLiteral("<b>Al</b> & Co")));
        QVERIFY(clickInForm(editor->favoriteButton()));
        QVERIFY(editor.save());
        QCOMPARE(numberRow("201").at("type"), std::string("9"));
        QCOMPARE(column("select lastName || '|' || company || '|' || isFavorite from Contact"),
                 texts({"O'Brien|<b>Al</b> & Co|1"}));
        Editor again(window, QStringLiteral("Ann O'Brien"));
        QCOMPARE(again->lastNameField()->text(), QStringLiteral("O'Brien"));
        QCOMPARE(again->companyField()->text(), QStringLiteral("<b>Al</b> & Co"));
        QVERIFY(again->isFavorite());
    }

    // A save the store refuses says so and keeps the form as typed.
    void refusedSaveKeepsTheForm_data() {
        QTest::addColumn<bool>("dropNumbers");
        QTest::addColumn<QString>("first");
        QTest::newRow("numbers table gone") << true << "Ann";
        QTest::newRow("a NUL in a name") << false << QStringLiteral("A") + QChar(0) + QStringLiteral("n");
    }
    void refusedSaveKeepsTheForm() {
        QFETCH(bool, dropNumbers);
        QFETCH(QString, first);
        Window window;
        Editor editor(window);
        // Pasted: no key types a NUL.
        QVERIFY(clickInForm(editor->firstNameField()));
        USER_PASTE(first);
        QVERIFY(typeInForm(editor->lastNameField(), QStringLiteral("Lee")));
        QVERIFY(typeInForm(editor.row(0)->numberField(), QStringLiteral("201")));
        if (dropNumbers) {
            CPPDatabase::getInstance().execute("drop table ContactNumber", nullptr);
        }
        Alert::setNextAnswer(0);
        QVERIFY(editor.save());
        QTRY_COMPARE(lastSheet(), QStringLiteral("Failed to save contact"));
        QCOMPARE(Alert::requests().back().buttons, texts({"OK"}));
        QVERIFY(editor.isShowing());
        QCOMPARE(editor->firstNameField()->text(), first);
        QCOMPARE(editor.row(0)->numberField()->text(), QStringLiteral("201"));
    }

    // Tab walks the form in visual order: star, names, company, each row, "Add Number".
    void tabFollowsTheForm() {
        addContact("Ann", "Lee", {{"201"}, {"202"}});
        Window window;
        Editor editor(window, QStringLiteral("Ann Lee"));
        std::vector<QWidget*> expected{editor->favoriteButton(), editor->firstNameField(),
                                       editor->middleInitialField(), editor->lastNameField(),
                                       editor->companyField()};
        for (size_t index = 0; index < 2; ++index) {
            ContactNumberViewController* row = editor.row(index);
            expected.insert(expected.end(), {row->numberField(), row->deleteButton(), row->typeButton(),
                                             row->speedDialButton(), row->defaultNumberButton()});
        }
        expected.push_back(editor->addNumberButton());
        QVERIFY(clickInForm(editor->firstNameField()));
        USER_PRESS(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), expected.front());
        for (size_t index = 1; index < expected.size(); ++index) {
            USER_PRESS(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected[index]);
        }
    }
};

TESSMARK_QTEST(ContactEditorTest)
#include "ContactEditorTest.moc"
