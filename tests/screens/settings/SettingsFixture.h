#pragma once

#include "Logic/bridge/ConnectionSettings.h"
#include "ui/support/UiHarness.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <source_location>
#include <string>
#include <vector>

class ConnectionViewController;
class EditConnectionViewController;
class KTNavigationBarController;
class KTNavigationController;
class KTTableView;
class SettingsViewController;
class ViewController;

// What the settings tests share: a store emptied before each test, the Settings tab of a
// launched window, and short ways to reach the pages and read the sheets.
namespace SettingsFixture {

// Texts of the tests' data tables.
QString text(const char* utf8);
QStringList texts(std::initializer_list<const char*> utf8);

// Runs a statement on the one database; false when it failed.
bool runSql(const std::string& statement);
// No profiles, contacts or call log; preferences and password as a new file has them; the
// database writable.
void resetStore();
// Reopens the core, so that the device communication holds no current profile.
void forgetCurrentProfile();

// A stored Telnet profile (its ids written back).
ConnectionSettingsPtr storeProfile(const std::string& roomName, uint16_t port = 23, bool autoConnect = false);

// The last sheet's text (the informative text, which carries the sheets' messages).
QString lastSheetText();
int sheetCount();
// Runs the queued calls that answer preset sheets and panels.
void runQueued();
// The sheet on screen, closed with a click on its button of that title as the user closes it;
// gives the sheet's text, or a null string (a failure recorded) when no sheet shows or the
// click is refused.
QString closeSheet(const QString& button = QStringLiteral("OK"),
                   std::source_location caller = std::source_location::current());
// Clicks the widget and closes the sheet the click brought up, if one came, with its "OK";
// gives the sheet's text, empty when none came.
QString clickClosingSheet(QWidget* widget, std::source_location caller = std::source_location::current());

// A click (or a double click) on the middle of a table's row, where its name is.
[[nodiscard]] bool clickRow(KTTableView* table, int row, bool doubleClick = false,
                            std::source_location caller = std::source_location::current());
// Clicks on a navigation bar's back, right and middle buttons; each ends the slide it started.
[[nodiscard]] bool clickBack(KTNavigationController* stack,
                             std::source_location caller = std::source_location::current());
[[nodiscard]] bool clickRight(KTNavigationController* stack,
                              std::source_location caller = std::source_location::current());
[[nodiscard]] bool clickMiddle(KTNavigationController* stack,
                               std::source_location caller = std::source_location::current());

// The widgets that Tab visits from the first one, in order, and the same widgets in reading
// order (top to bottom, then left to right) on the page.
QList<QWidget*> tabOrder(QWidget* page);
QList<QWidget*> readingOrder(QList<QWidget*> widgets);

// The Settings tab of a launched window, reached and driven by clicks: the tab's button, the
// rows of the list and of the connection editor, the bar's buttons.
class SettingsTab {
public:
    // Clicks the Settings tab and backs out to the list at its root; `password` answers the
    // settings password prompt whenever it comes up.
    explicit SettingsTab(UiHarness& ui, const QString& password = {});

    SettingsViewController* list() const { return m_list; }
    KTNavigationController* stack() const;
    KTNavigationBarController* bar() const;
    ViewController* top() const;
    // Ends a slide a click started.
    void settle();

    // Clicks the Settings tab's button (typing the password when asked) unless it is shown.
    [[nodiscard]] bool show(std::source_location caller = std::source_location::current());
    // Shows the tab, then the back button until the list at the root is on top. A list the
    // window opened directly first hands the window back to the tab the user came from.
    [[nodiscard]] bool showRoot(std::source_location caller = std::source_location::current());
    [[nodiscard]] bool clickBack(std::source_location caller = std::source_location::current());
    [[nodiscard]] bool clickRight(std::source_location caller = std::source_location::current());
    [[nodiscard]] bool clickMiddle(std::source_location caller = std::source_location::current());
    // From the root: the list's row of the page, clicked; true when the page came on top.
    [[nodiscard]] bool open(ViewController* page,
                            std::source_location caller = std::source_location::current());
    // The editor's row of one of its four pages, clicked; true when the page came on top.
    [[nodiscard]] bool open(EditConnectionViewController* editor, ViewController* page,
                            std::source_location caller = std::source_location::current());

    // The connection list opened from the root by its row; null when it did not come on top.
    ConnectionViewController* openConnections(std::source_location caller = std::source_location::current());
    // The list in edit mode, then the edit button of row `row` (0 is "New Connection"); null
    // when the editor did not come on top.
    EditConnectionViewController* openEditor(int row,
                                             std::source_location caller = std::source_location::current());

private:
    UiHarness& m_ui;
    QString m_password;
    SettingsViewController* m_list;
};

// A launched window whose Settings tab shows the connection editor of a list row (0 is "New
// Connection"), reached by clicks; a null editor when a click was refused.
struct EditorWindow {
    explicit EditorWindow(int row);

    UiHarness ui;
    SettingsTab tab;
    EditConnectionViewController* editor;
};

} // namespace SettingsFixture
