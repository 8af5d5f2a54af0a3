#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/shell/AppDelegate.h"
#include "Screens/directory/CallLogListModel.h"
#include "Screens/directory/CallLogRowPainter.h"
#include "Screens/directory/EditCallLogViewController.h"
#include "Screens/directory/LogsViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace DirectoryTest;

namespace {

constexpr auto LogsTab = TabBarController::Logs;

QString textOf(const QAbstractItemModel* model, int row, int role) {
    return model->index(row, 0).data(role).toString();
}

} // namespace

// The call log tab: headers by date, filter and search, Clear, edit mode with the redial
// dialog, and call back.
class CallLogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // One header per date before its first entry, in the chosen date format; the row texts.
    void entriesUnderTheirDates() {
        addContact("Ann", "Lee", {{"201"}}, "Acme");
        addCallLog("2026/01/01", "09:00:00", 0, "201", 0);
        addCallLog("2026/01/02", "08:00:00", 3661, "999", 1);
        addCallLog("2026/01/02", "17:30:00", 59, "201@pbx", 2);
        changePreferences([](PreferencesSettings& preferences) {
            preferences.setDateFormat("DD/MM/YY");
            preferences.setTimeFormat("HH:MM (24 Hour Clock)");
        });
        Window window;
        window.showTab(LogsTab);
        CallLogListModel* model = window.tabs()->logsViewController()->model();
        QCOMPARE(rowTexts(model), texts({"[02/01/26]", "Ann  Lee", "  ", "[01/01/26]", "Ann  Lee"}));
        QCOMPARE(textOf(model, 1, CallLogListModel::NumberRole), QStringLiteral("201@pbx"));
        QCOMPARE(textOf(model, 1, CallLogListModel::CompanyRole), QStringLiteral("Acme"));
        const QStringList times{textOf(model, 1, CallLogListModel::TimeRole),
                                textOf(model, 2, CallLogListModel::TimeRole),
                                textOf(model, 4, CallLogListModel::TimeRole)};
        QCOMPARE(times, texts({"17:30", "08:00", "09:00"}));
        const QStringList durations{textOf(model, 1, CallLogListModel::DurationRole),
                                    textOf(model, 2, CallLogListModel::DurationRole),
                                    textOf(model, 4, CallLogListModel::DurationRole)};
        QCOMPARE(durations, texts({"00:00:59", "01:01:01", "--|--|--"}));
        QCOMPARE(textOf(model, 1, CallLogListModel::TypeRole), QStringLiteral("Missed"));
    }

    // A filter loads its call type; the search keeps its text across filters and looks in name,
    // company and number. A name without middle initial has two blanks between its names.
    void filterAndSearch() {
        addContact("Ann", "Lee", {{"201"}}, "Acme");
        addCallLog("2026/01/01", "09:00:00", 10, "201", 0);
        addCallLog("2026/01/02", "09:00:00", 10, "202", 2);
        addCallLog("2026/01/03", "09:00:00", 10, "201", 1);
        Window window;
        window.showTab(LogsTab);
        LogsViewController* logs = window.tabs()->logsViewController();
        USER_CLICK(window.bar(LogsTab)->optionalButton());
        chooseInPicker(logs->pickerViewController(), 1);
        QCOMPARE(logs->sortingMethod(), 1);
        QCOMPARE(rowTexts(logs->model()), texts({"[Friday, January 2, 2026]", "  "}));
        USER_CLICK(window.bar(LogsTab)->optionalButton());
        chooseInPicker(logs->pickerViewController(), 0);
        const struct {
            const char* text;
            int rows;
        } searches[] = {{"ACME", 4}, {"202", 2}, {"ann  lee", 4}, {"Ann Lee", 0}, {"lee", 4}, {"", 6}};
        for (const auto& search : searches) {
            USER_REPLACE_TEXT(logs->searchField(), QString::fromUtf8(search.text));
            QVERIFY2(logs->model()->rowCount() == search.rows, search.text);
        }
        USER_REPLACE_TEXT(logs->searchField(), QStringLiteral("lee"));
        USER_CLICK(window.bar(LogsTab)->optionalButton());
        chooseInPicker(logs->pickerViewController(), 3);
        QCOMPARE(rowTexts(logs->model()), texts({"[Thursday, January 1, 2026]", "Ann  Lee"}));
    }

    // "Clear" asks; "No" keeps everything, "Yes" deletes every entry whatever the filter shows.
    // An empty list disables both buttons.
    void clearAsksThenDeletesEveryType() {
        addCallLog("2026/01/01", "09:00:00", 10, "201", 0);
        addCallLog("2026/01/02", "09:00:00", 10, "202", 2);
        Window window;
        window.showTab(LogsTab);
        LogsViewController* logs = window.tabs()->logsViewController();
        KTNavigationBarController* bar = window.bar(LogsTab);
        // Each start shows "All".
        QCOMPARE(logs->sortingMethod(), 0);
        USER_CLICK(bar->optionalButton());
        chooseInPicker(logs->pickerViewController(), 1);
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Clear"));
        // The list is read again at once, under the sheet.
        addCallLog("2026/01/03", "09:00:00", 10, "203", 2);
        Alert::setNextAnswer(0);
        USER_CLICK(bar->rightButton());
        QCOMPARE(logs->model()->rowCount(), 4);
        QTRY_COMPARE(Alert::requests().size(), size_t(1));
        QCOMPARE(Alert::requests().back().informativeText,
                 QStringLiteral("Are you sure you want to clear the Call Log?"));
        QCOMPARE(Alert::requests().back().messageText, QString());
        QCoreApplication::processEvents();
        QCOMPARE(countOf("CallLog"), 3);
        Alert::setNextAnswer(1);
        USER_CLICK(bar->rightButton());
        QTRY_COMPARE(countOf("CallLog"), 0);
        QTRY_COMPARE(logs->model()->rowCount(), 0);
        QVERIFY(!bar->leftButton()->isEnabled());
        QVERIFY(!bar->rightButton()->isEnabled());
        QVERIFY(bar->optionalButton()->isEnabled());
    }

    // With nothing to list, a pick's "Cancel" is disabled too.
    void emptyLogDisablesAPicksCancel() {
        Window window;
        window.ui().delegate().setCallState(CallRouting::NewCall);
        window.showTab(LogsTab);
        KTNavigationBarController* bar = window.bar(LogsTab);
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Cancel"));
        QVERIFY(!bar->rightButton()->isEnabled());
    }

    // Edit mode swaps each row's texts for its edit button, which opens the redial dialog. Its
    // number may be changed before "Dial"; "Cancel" and the dimmed area dial nothing.
    void editModeOpensTheRedialDialog() {
        addContact("Ann", "Lee", {{"201"}});
        addCallLog("2026/01/01", "09:00:00", 10, "201", 0);
        Window window;
        window.showTab(LogsTab);
        LogsViewController* logs = window.tabs()->logsViewController();
        KTNavigationBarController* bar = window.bar(LogsTab);
        RowButtonTableView* table = logs->tableView();
        const QPoint editButton = CallLogRowPainter::buttonRect(rowRect(table, 1)).center();
        // Outside edit mode the button is not there: a click is a plain press.
        clickAt(table, editButton);
        QVERIFY(logs->editCallLogViewController() == nullptr);

        USER_CLICK(bar->leftButton());
        QCOMPARE(bar->barTitle()->text(), QStringLiteral("Edit Call Log"));
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Done"));
        QVERIFY(bar->leftButton()->isHidden());
        clickAt(table, editButton);
        QPointer<EditCallLogViewController> dialog = logs->editCallLogViewController();
        QVERIFY(dialog != nullptr);
        QVERIFY(OverlayHost::of(logs->view()).isTopmost(dialog->view()));
        QCOMPARE(dialog->nameField()->text(), QStringLiteral("Ann  Lee"));
        QCOMPARE(dialog->numberField()->text(), QStringLiteral("201"));
        USER_CLICK_AT(dialog->view(), QPoint(5, 5));
        QVERIFY(dialog->view()->isVisible());
        USER_CLICK(dialog->cancelButton());
        QVERIFY(window.sentLines().empty());

        clickAt(table, editButton);
        dialog = logs->editCallLogViewController();
        USER_REPLACE_TEXT(dialog->numberField(), QStringLiteral("9201"));
        USER_CLICK(dialog->dialButton());
        QCOMPARE(window.sentLines(), std::vector<std::string>{"EP UA 1 KEY KEY_CALL 9201"});
        QVERIFY(dialog.isNull() || !dialog->view()->isVisible());
        // Call back works in edit mode too, beside the button.
        doubleClickAt(table, rowRect(table, 1).topLeft() + QPoint(40, 20));
        QCOMPARE(window.sentLines().back(), std::string("EP UA 1 KEY KEY_CALL 201"));

        USER_CLICK(bar->rightButton());
        QCOMPARE(bar->barTitle()->text(), QStringLiteral("Call Log"));
        QCOMPARE(bar->rightButton()->text(), QStringLiteral("Clear"));
        QVERIFY(!logs->model()->index(1).data(CallLogListModel::EditModeRole).toBool());
    }

    // A double click calls the number as stored; on a header it does nothing.
    void doubleClickCallsBack() {
        addCallLog("2026/01/01", "09:00:00", 10, "201@pbx", 0);
        Window window;
        window.showTab(LogsTab);
        RowButtonTableView* table = window.tabs()->logsViewController()->tableView();
        doubleClickRow(table, 0);
        QVERIFY(window.sentLines().empty());
        doubleClickRow(table, 1);
        QCOMPARE(window.sentLines(), std::vector<std::string>{"EP UA 1 KEY KEY_CALL 201@pbx"});
    }

    // A format change redraws the rows' times at once; the headers follow at the next load.
    void formatChangeRedrawsTimesAtOnceAndHeadersLater() {
        addCallLog("2026/12/06", "22:07:00", 10, "201", 0);
        Window window;
        window.showTab(LogsTab);
        CallLogListModel* model = window.tabs()->logsViewController()->model();
        QCOMPARE(textOf(model, 1, CallLogListModel::TimeRole), QStringLiteral("10:07 PM"));
        changePreferences([](PreferencesSettings& preferences) {
            preferences.setDateFormat("MM/DD/YYYY");
            preferences.setTimeFormat("HH:MM (24 Hour Clock)");
        });
        Post("dateTimeFormatChanged");
        QCOMPARE(textOf(model, 1, CallLogListModel::TimeRole), QStringLiteral("22:07"));
        QCOMPARE(rowTexts(model).first(), QStringLiteral("[Sunday, December 6, 2026]"));
        window.showTab(TabBarController::PhoneBook);
        window.showTab(LogsTab);
        QCOMPARE(rowTexts(model).first(), QStringLiteral("[12/06/2026]"));
    }
};

TESSMARK_QTEST(CallLogTest)
#include "CallLogTest.moc"
