#pragma once

#include "App/shell/TabBarController.h"
#include "Logic/bridge/Contact.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Screens/directory/ContactRowPainter.h"
#include "ui/support/UiHarness.h"

#include <QAbstractItemView>
#include <QPoint>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class IndexBarViewController;
class KTNavigationBarController;
class KTNavigationController;
class KTPickerViewController;
class QPushButton;

// What the directory screens' tests share: a store emptied per test and stored through the
// managers, a launched window with a VoIP profile whose sent lines are captured, and clicks on
// the real lists.
namespace DirectoryTest {

// Empties the phone book and the call log (recreating a table a test dropped), resets
// profiles, preferences and the settings password, and forgets the sheets shown so far.
void resetStore();

struct Number {
    std::string number;
    int64_t type = 1;
    int64_t speedDial = -1;
    bool isDefault = false;
};
// Stores a contact through the manager; the first number is the default unless one says so.
ContactPtr addContact(const std::string& first, const std::string& last, std::vector<Number> numbers = {},
                      const std::string& company = {}, bool favorite = false, const std::string& middle = {});
// A call log row as the core writes it: "yyyy/MM/dd", "HH:mm:ss".
void addCallLog(const std::string& date, const std::string& time, int64_t duration, const std::string& number,
                int64_t callType);
void changePreferences(const std::function<void(PreferencesSettings&)>& change);

// Rows of a statement, each column to its text.
std::vector<std::map<std::string, std::string>> sql(const std::string& statement);
// The first column of every row.
QStringList column(const std::string& statement);
int countOf(const std::string& table, const std::string& where = {});

// UTF-8 literals as a list of texts.
QStringList texts(std::initializer_list<const char*> items);

// The texts of a list, headers in brackets: "[A]", "Ann Lee".
QStringList rowTexts(const QAbstractItemModel* model);
// The first row showing the text, or -1.
int rowOf(const QAbstractItemModel* model, const QString& text);

// A left click, or a double click, at a row's centre (scrolled to first) or at a point of the
// list's viewport, through the window; false (and a recorded failure) when a user could not.
bool clickRow(QAbstractItemView* view, int row);
bool doubleClickRow(QAbstractItemView* view, int row);
bool clickAt(QAbstractItemView* view, const QPoint& point);
bool doubleClickAt(QAbstractItemView* view, const QPoint& point);
QRect rowRect(QAbstractItemView* view, int row);
// A click on a contact row's left or right button.
bool clickButton(QAbstractItemView* view, int row, ContactRowPainter::Button which);
// The index bar's button that shows the key; null when none does.
QPushButton* keyButton(IndexBarViewController* bar, const QString& key);

// A launched window with the VoIP test profile ("EP UA 1 " lines) made current.
class Window {
public:
    Window();
    UiHarness& ui() { return m_ui; }
    TabBarController* tabs() { return m_ui.delegate().tabBarController(); }
    // Clicks the tab's button.
    bool showTab(TabBarController::Tab tab);
    KTNavigationController* stack(TabBarController::Tab tab);
    KTNavigationBarController* bar(TabBarController::Tab tab);
    std::vector<std::string> sentLines() const { return m_ui.sentLines(); }
    void clearSentLines() { m_ui.clearSentLines(); }

private:
    UiHarness m_ui;
};

// Chooses an item of a list picker the way a user does: its row, then its right button.
bool chooseInPicker(KTPickerViewController* picker, int index);

// Each "backToCallForwardingSettingsView" with its "selectedNumber" ("<none>" without one).
class ForwardingPosts {
public:
    ForwardingPosts();
    const QStringList& numbers() const { return m_numbers; }

private:
    QStringList m_numbers;
    std::unique_ptr<QObject> m_context;
};

} // namespace DirectoryTest
