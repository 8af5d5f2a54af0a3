#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/CallLogManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/database/CPPDatabase.h"
#include "Screens/directory/CallLogListModel.h"
#include "Screens/directory/CallLogRowPainter.h"
#include "Screens/directory/ContactDetailViewController.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/ContactNumberViewController.h"
#include "Screens/directory/ContactRowPainter.h"
#include "Screens/directory/FavoritesViewController.h"
#include "Screens/directory/LogsViewController.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "ui/screenshots/Screenshots.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct StoredContact {
    const char* first;
    const char* middle;
    const char* last;
    const char* company;
    std::vector<std::pair<std::string, int64_t>> numbers;
    bool favorite;
    int64_t speedDial;
};

// A small office's phone book and a week of calls.
void fillDirectory() {
    UiHarness::resetStore();
    CPPDatabase& database = CPPDatabase::getInstance();
    database.execute("delete from ContactNumber", nullptr);
    database.execute("delete from Contact", nullptr);
    database.execute("delete from CallLog", nullptr);
    const StoredContact contacts[] = {
        {"Ann", "M", "Lee", "Acme Corp", {{"201", 1}, {"+1 555 0101", 2}}, true, 3},
        {"Alice", "", "Archer", "", {{"202", 0}}, false, -1},
        {"Bob", "", "Brown", "Brown & Sons", {{"203", 1}}, true, 4},
        {"Carla", "", "Diaz", "Northwind", {{"204", 2}}, false, -1},
        {"Dmitri", "", "Ivanov", "", {{"205", 3}}, false, -1},
        {"Emma", "", "Stone", "Globex", {{"206", 1}}, true, -1},
        {"Frank", "", "Miller", "<b>Bold</b> Ltd", {{"207", 1}}, false, -1},
        {"George", "", "Lucas", "", {{"208", 1}}, false, -1},
        {"Hanna", "", "O'Brien", "Initech", {{"209", 4}}, true, -1},
        {"9lives", "", "Cat", "", {{"210", 6}}, false, -1},
        {"\xc3\x89mile", "", "Zola", "", {{"211", 6}}, false, -1},
    };
    for (const StoredContact& stored : contacts) {
        Contact contact(stored.first, stored.middle, stored.last, stored.company);
        contact.numbers().clear();
        for (size_t index = 0; index < stored.numbers.size(); ++index) {
            contact.numbers().push_back(std::make_shared<ContactNumber>(
                stored.numbers[index].first, index == 0 ? stored.speedDial : -1, stored.numbers[index].second,
                index == 0));
        }
        contact.setFavorite(stored.favorite);
        ContactManager::addContact(contact);
    }
    const struct {
        const char* date;
        const char* time;
        int duration;
        const char* number;
        int type;
    } calls[] = {{"2026/12/06", "09:40:12", 125, "201", 1},  {"2026/12/06", "08:15:40", 0, "555 0199", 2},
                 {"2026/12/05", "17:30:02", 3661, "203", 0}, {"2026/12/05", "11:02:45", 59, "206@pbx", 1},
                 {"2026/12/04", "15:45:09", 0, "207", 2},    {"2026/12/04", "10:00:30", 1830, "204", 0},
                 {"2026/12/03", "12:30:00", 42, "208", 1}};
    for (const auto& call : calls) {
        database.execute(std::string("insert into CallLog(callDate, callDuration, callNumber, callType, "
                                     "contactName, company, startTime) values('") +
                             call.date + "', " + std::to_string(call.duration) + ", '" + call.number + "', " +
                             std::to_string(call.type) + ", '', '', '" + call.time + "')",
                         nullptr);
    }
}

// The window over the store as it stands, with the tab shown.
UiHarness& launchedAt(Screenshots::SceneContext& scene, TabBarController::Tab tab) {
    UiHarness& ui = scene.ui();
    ui.launch();
    Screenshots::userStep(UserInput::click(ui.delegate().tabBarController()->button(tab)));
    return ui;
}

// The window over the small office's directory, with the tab shown.
UiHarness& windowAt(Screenshots::SceneContext& scene, TabBarController::Tab tab) {
    fillDirectory();
    return launchedAt(scene, tab);
}

KTNavigationBarController* barOf(UiHarness& ui, TabBarController::Tab tab) {
    return ui.delegate().tabBarController()->viewControllers()[static_cast<size_t>(tab)]->navigationBar();
}

// The redial dialog of the newest call, opened by its row's button in edit mode.
QWidget* redialDialog(UiHarness& ui) {
    Screenshots::userStep(UserInput::click(barOf(ui, TabBarController::Logs)->leftButton()));
    LogsViewController* logs = ui.delegate().tabBarController()->logsViewController();
    RowButtonTableView* table = logs->tableView();
    Screenshots::userStep(UserInput::clickAt(
        table->viewport(),
        CallLogRowPainter::buttonRect(table->visualRect(logs->model()->index(1, 0))).center()));
    return ui.window();
}

int rowOfName(const QAbstractItemModel* model, const QString& name) {
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data(Qt::DisplayRole).toString() == name) {
            return row;
        }
    }
    return -1;
}

} // namespace

TESSMARK_SCREENSHOT_SCENE("phone_book") {
    return windowAt(scene, TabBarController::PhoneBook).window();
}

TESSMARK_SCREENSHOT_SCENE("phone_book_search") {
    UiHarness& ui = windowAt(scene, TabBarController::PhoneBook);
    Screenshots::userStep(UserInput::replaceText(
        ui.delegate().tabBarController()->phoneBookViewController()->searchField(), QStringLiteral("an")));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("phone_book_edit_mode") {
    UiHarness& ui = windowAt(scene, TabBarController::PhoneBook);
    Screenshots::userStep(UserInput::click(barOf(ui, TabBarController::PhoneBook)->leftButton()));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("phone_book_sort_picker") {
    UiHarness& ui = windowAt(scene, TabBarController::PhoneBook);
    Screenshots::userStep(UserInput::click(barOf(ui, TabBarController::PhoneBook)->optionalButton()));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("favorites_add_ticks") {
    UiHarness& ui = windowAt(scene, TabBarController::Favorites);
    Screenshots::userStep(UserInput::click(barOf(ui, TabBarController::Favorites)->rightButton()));
    FavoritesViewController* favorites = ui.delegate().tabBarController()->favoritesViewController();
    RowButtonTableView* table = favorites->tableView();
    for (const QString& name : {QStringLiteral("Alice Archer"), QStringLiteral("Dmitri Ivanov")}) {
        const QRect row =
            table->visualRect(favorites->model()->index(rowOfName(favorites->model(), name), 0));
        Screenshots::userStep(UserInput::clickAt(
            table->viewport(), ContactRowPainter::buttonRect(row, ContactRowPainter::LeftButton).center()));
    }
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("favorites_call_frequency") {
    fillDirectory();
    for (int call = 0; call < 3; ++call) {
        CPPDatabase::getInstance().execute(
            "insert into CallLog(callDate, callDuration, callNumber, callType, "
            "contactName, company, startTime) values('2026/12/06', 30, '205', 1, "
            "'', '', '0" +
                std::to_string(call) + ":00:00')",
            nullptr);
    }
    PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    preferences->setAutomaticallyManagesFavorites(true);
    preferences->setMostFrequentlyCalledNumbers(5);
    PreferencesSettingsManager::updatePreferencesSettings(*preferences);
    UiHarness& ui = scene.ui();
    ui.launch();
    TabBarController* tabs = ui.delegate().tabBarController();
    Screenshots::userStep(UserInput::click(tabs->favoritesButton()));
    FavoritesViewController* favorites = tabs->favoritesViewController();
    KTPickerViewController* picker = favorites->pickerViewController();
    Screenshots::userStep(UserInput::click(barOf(ui, TabBarController::Favorites)->optionalButton()));
    Screenshots::userStep(UserInput::clickAt(
        picker->tableView()->viewport(),
        picker->tableView()->visualRect(picker->tableView()->model()->index(6, 0)).center()));
    Screenshots::userStep(UserInput::click(picker->rightButton()));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("contact_editor_override_sheet") {
    UiHarness& ui = windowAt(scene, TabBarController::PhoneBook);
    TabBarController* tabs = ui.delegate().tabBarController();
    PhoneBookViewController* phoneBook = tabs->phoneBookViewController();
    KTNavigationController* stack = tabs->viewControllers()[TabBarController::PhoneBook];
    Screenshots::userStep(UserInput::click(stack->navigationBar()->leftButton()));
    RowButtonTableView* table = phoneBook->tableView();
    const QRect row = table->visualRect(
        phoneBook->model()->index(rowOfName(phoneBook->model(), QStringLiteral("Ann M Lee")), 0));
    Screenshots::userStep(UserInput::clickAt(
        table->viewport(), ContactRowPainter::buttonRect(row, ContactRowPainter::RightButton).center()));
    stack->finishPendingSlide();
    auto* editor = dynamic_cast<ContactDetailViewController*>(stack->topViewController());
    if (editor == nullptr) {
        return nullptr;
    }
    QComboBox* speedDials = editor->contactNumberControllers().at(1)->speedDialButton();
    Screenshots::userStep(UserInput::choose(speedDials, 4));
    return Screenshots::withSheet(ui.window());
}

TESSMARK_SCREENSHOT_SCENE("call_log") {
    return windowAt(scene, TabBarController::Logs).window();
}

TESSMARK_SCREENSHOT_SCENE("call_log_filter_picker") {
    UiHarness& ui = windowAt(scene, TabBarController::Logs);
    Screenshots::userStep(UserInput::click(barOf(ui, TabBarController::Logs)->optionalButton()));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("call_log_edit_mode") {
    UiHarness& ui = windowAt(scene, TabBarController::Logs);
    Screenshots::userStep(UserInput::click(barOf(ui, TabBarController::Logs)->leftButton()));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("call_log_redial_dialog") {
    return redialDialog(windowAt(scene, TabBarController::Logs));
}

// A caller whose name and SIP address are longer than the redial dialog.
TESSMARK_SCREENSHOT_SCENE("call_log_redial_long_name") {
    fillDirectory();
    Contact contact("Bartholomew", "Q", "Featherstonehaugh-Wolfeschlegelsteinhausen", "Northwind");
    contact.numbers().clear();
    contact.numbers().push_back(std::make_shared<ContactNumber>("4021", -1, 1, true));
    ContactManager::addContact(contact);
    CPPDatabase::getInstance().execute(
        "insert into CallLog(callDate, callDuration, callNumber, callType, contactName, company, startTime) "
        "values('2026/12/06', 75, '4021@very-long-pbx-hostname.example.com', 0, '', '', '10:05:00')",
        nullptr);
    return redialDialog(launchedAt(scene, TabBarController::Logs));
}
