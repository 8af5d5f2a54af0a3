#pragma once

#include "Logic/bridge/ConnectionSettings.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class ConnectionViewController;
class EditConnectionViewController;
class KTNavigationBarController;
class KTNavigationController;
class KTTableView;
class SettingsViewController;
class UiHarness;
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

// A press on a row of a table, as the user makes it (on the row's own view, not a button).
void pressRow(KTTableView* table, int row, bool doubleClick = false);
// The widgets that Tab visits from the first one, in order, and the same widgets in reading
// order (top to bottom, then left to right) on the page.
QList<QWidget*> tabOrder(QWidget* page);
QList<QWidget*> readingOrder(QList<QWidget*> widgets);

// The Settings tab of a launched window, with its list at the root.
class SettingsTab {
public:
    explicit SettingsTab(UiHarness& ui);

    SettingsViewController* list() const { return m_list; }
    KTNavigationController* stack() const;
    KTNavigationBarController* bar() const;
    ViewController* top() const;
    // Pushes without sliding; settle() ends a slide a click started.
    void push(ViewController* page);
    void settle();
    void clickLeft();
    void clickRight();
    void clickMiddle();

    // The connection list pushed, not standalone.
    ConnectionViewController* openConnections();
    // The list in edit mode, then the editor of row `row` (0 is "New Connection").
    EditConnectionViewController* openEditor(int row);

private:
    SettingsViewController* m_list;
};

} // namespace SettingsFixture
