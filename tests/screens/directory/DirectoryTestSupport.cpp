#include "screens/directory/DirectoryTestSupport.h"

#include "ui/support/UserInput.h"

#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/controls/KTPickerViewController.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/common/Codes.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"
#include "Screens/directory/IndexBarViewController.h"

#include <QPushButton>
#include <QTest>

namespace DirectoryTest {

namespace {

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char character : text) {
        out += character == '\'' ? std::string("''") : std::string(1, character);
    }
    return out + "'";
}

} // namespace

void resetStore() {
    UiHarness::resetStore();
    CPPDatabase& database = CPPDatabase::getInstance();
    database.execute("drop trigger if exists failUpdate", nullptr);
    CPPContactTable::getInstance().createTable();
    CPPContactNumberTable::getInstance().createTable();
    CPPContactNumberTable::getInstance().createIndexes();
    CPPCallLogTable::getInstance().createTable();
    database.execute("delete from ContactNumber", nullptr);
    database.execute("delete from Contact", nullptr);
    database.execute("delete from CallLog", nullptr);
    Alert::clearRequests();
}

ContactPtr addContact(const std::string& first, const std::string& last, std::vector<Number> numbers,
                      const std::string& company, bool favorite, const std::string& middle) {
    auto contact = std::make_shared<Contact>(first, middle, last, company);
    contact->numbers().clear();
    const bool anyDefault =
        std::any_of(numbers.begin(), numbers.end(), [](const Number& n) { return n.isDefault; });
    for (size_t index = 0; index < numbers.size(); ++index) {
        const Number& number = numbers[index];
        contact->numbers().push_back(std::make_shared<ContactNumber>(
            number.number, number.speedDial, number.type, anyDefault ? number.isDefault : index == 0));
    }
    contact->setFavorite(favorite);
    if (!ContactManager::addContact(*contact)) {
        qFatal("a test contact could not be stored");
    }
    return contact;
}

void addCallLog(const std::string& date, const std::string& time, int64_t duration, const std::string& number,
                int64_t callType) {
    const std::string statement =
        "insert into CallLog(callDate, callDuration, callNumber, callType, contactName, "
        "company, startTime) values(" +
        quoted(date) + ", " + std::to_string(duration) + ", " + quoted(number) + ", " +
        std::to_string(callType) + ", '', '', " + quoted(time) + ")";
    if (!CPPDatabase::getInstance().execute(statement, nullptr)) {
        qFatal("a test call log row could not be stored");
    }
}

void changePreferences(const std::function<void(PreferencesSettings&)>& change) {
    PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    change(*preferences);
    PreferencesSettingsManager::updatePreferencesSettings(*preferences);
}

std::vector<std::map<std::string, std::string>> sql(const std::string& statement) {
    Rows rows;
    if (!CPPDatabase::getInstance().execute(statement, &rows)) {
        qFatal("test statement failed: %s", statement.c_str());
    }
    return rows;
}

QStringList column(const std::string& statement) {
    QStringList texts;
    for (const auto& row : sql(statement)) {
        texts.append(row.empty() ? QString() : QString::fromStdString(row.begin()->second));
    }
    return texts;
}

int countOf(const std::string& table, const std::string& where) {
    return column("select count(*) from " + table + (where.empty() ? "" : " where " + where))
        .value(0)
        .toInt();
}

QStringList texts(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) {
        list.append(QString::fromUtf8(item));
    }
    return list;
}

QStringList rowTexts(const QAbstractItemModel* model) {
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        const QString text = index.data(Qt::DisplayRole).toString();
        const bool header = index.data(Qt::UserRole + 1).toBool();
        rows.append(header ? QLatin1Char('[') + text + QLatin1Char(']') : text);
    }
    return rows;
}

int rowOf(const QAbstractItemModel* model, const QString& text) {
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data(Qt::DisplayRole).toString() == text) {
            return row;
        }
    }
    return -1;
}

QRect rowRect(QAbstractItemView* view, int row) {
    return view->visualRect(view->model()->index(row, 0));
}

bool clickAt(QAbstractItemView* view, const QPoint& point) {
    return UserInput::clickAt(view->viewport(), point);
}

bool doubleClickAt(QAbstractItemView* view, const QPoint& point) {
    return UserInput::doubleClickAt(view->viewport(), point);
}

bool clickRow(QAbstractItemView* view, int row) {
    if (!UserInput::scrollToItem(view, view->model()->index(row, 0)))
        return false;
    return clickAt(view, rowRect(view, row).center());
}

bool doubleClickRow(QAbstractItemView* view, int row) {
    if (!UserInput::scrollToItem(view, view->model()->index(row, 0)))
        return false;
    return doubleClickAt(view, rowRect(view, row).center());
}

bool clickButton(QAbstractItemView* view, int row, ContactRowPainter::Button which) {
    return clickAt(view, ContactRowPainter::buttonRect(rowRect(view, row), which).center());
}

QPushButton* keyButton(IndexBarViewController* bar, const QString& key) {
    for (int index = 0; index < IndexBarViewController::buttonCount; ++index) {
        if (bar->button(index)->text() == key) {
            return bar->button(index);
        }
    }
    return nullptr;
}

Window::Window() {
    m_ui.launch();
    m_ui.connectProfile(PhoneType::VOIP);
    m_ui.clearSentLines();
}

bool Window::showTab(TabBarController::Tab tab) {
    return UserInput::click(tabs()->button(tab));
}

KTNavigationController* Window::stack(TabBarController::Tab tab) {
    return tabs()->viewControllers()[static_cast<size_t>(tab)];
}

KTNavigationBarController* Window::bar(TabBarController::Tab tab) {
    return stack(tab)->navigationBar();
}

bool chooseInPicker(KTPickerViewController* picker, int index) {
    KTTableView* table = picker->tableView();
    return UserInput::clickAt(table->viewport(),
                              table->visualRect(table->model()->index(index, 0)).center()) &&
           UserInput::click(picker->rightButton());
}

ForwardingPosts::ForwardingPosts() : m_context(std::make_unique<QObject>()) {
    Observe("backToCallForwardingSettingsView", m_context.get(), [this](const auto& notification) {
        const auto found = notification.userInfo.find("selectedNumber");
        m_numbers.append(found == notification.userInfo.end()
                             ? QStringLiteral("<none>")
                             : QString::fromStdString(std::any_cast<std::string>(found->second)));
    });
}

} // namespace DirectoryTest
