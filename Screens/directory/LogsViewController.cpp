#include "Screens/directory/LogsViewController.h"

#include "App/Alert.h"
#include "App/CoalescedRefresh.h"
#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/CallLogManager.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "Screens/directory/ActiveCallPick.h"
#include "Screens/directory/CallLogListModel.h"
#include "Screens/directory/CallLogRowPainter.h"
#include "Screens/directory/DirectoryLook.h"
#include "Screens/directory/EditCallLogViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "Screens/directory/ScreenBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The call type each filter loads; "All" (and anything else) loads every type.
std::vector<CallLogPtr> callLogsOfFilter(int method) {
    switch (method) {
    case 1:
        return CallLogManager::allCallLogsFilteredBy(CallType::MISSED);
    case 2:
        return CallLogManager::allCallLogsFilteredBy(CallType::PLACED);
    case 3:
        return CallLogManager::allCallLogsFilteredBy(CallType::RECEIVED);
    default:
        return CallLogManager::allCallLogs();
    }
}

} // namespace

LogsViewController::LogsViewController(QObject* parent)
    : ViewController(QStringLiteral("LogsView"), parent),
      m_appearanceRefresh(new CoalescedRefresh([this] { reload(); }, this)) {
    setTitle(QStringLiteral("Call Log"));
}

LogsViewController::~LogsViewController() = default;

QWidget* LogsViewController::buildView() {
    auto* root = new QWidget;
    root->resize(420, 580);
    auto* layout = new QVBoxLayout(root);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_searchView = DirectoryLook::makeSearchView(root, m_searchField);
    layout->addWidget(m_searchView);
    auto* contentView = new QWidget(root);
    contentView->setObjectName(QStringLiteral("contentView"));
    auto* content = new QVBoxLayout(contentView);
    content->setContentsMargins(0, 0, 0, 0);
    m_tableView = new RowButtonTableView(contentView);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    content->addWidget(m_tableView);
    layout->addWidget(contentView, 1);
    return root;
}

void LogsViewController::viewDidLoad() {
    Styling::fillBackground(view(), Qt::white);

    if (KTNavigationBarController* bar = navigationBar()) {
        bar->setDelegate(this);
        bar->leftButton()->show();
        bar->leftButton()->setText(QStringLiteral("Edit"));
        bar->rightButton()->show();
        bar->rightButton()->setText(QStringLiteral("Clear"));
        bar->optionalButton()->setIcon(QIcon(Images::named(QStringLiteral("btn_filter"), QSize(22, 22))));
        bar->optionalButton()->setIconSize(QSize(22, 22));
        bar->optionalButton()->setAccessibleName(QStringLiteral("Filter By"));
        bar->optionalButton()->show();
        bar->viewDidLoad();
    }

    m_model = new CallLogListModel(this);
    m_tableView->setModel(m_model);
    m_tableView->setRowButtonPainter(new CallLogRowPainter);
    connect(m_tableView, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_tableView->isVisible()) {
            cellDoubleClicked(index.row());
        }
    });
    connect(m_tableView, &RowButtonTableView::rowButtonClicked, this, [this](int row, int /*button*/) {
        if (const CallLogEntry* entry = m_model->entryAt(row)) {
            editCallLogCell(entry->callLog);
        }
    });
    connect(m_searchField, &QLineEdit::textChanged, this, [this] { searchFieldChanged(); });

    m_sortingMethods = {QStringLiteral("All"), QStringLiteral("Missed Calls"), QStringLiteral("Placed Calls"),
                        QStringLiteral("Received Calls")};
    m_pickerViewController = new KTPickerViewController(this);
    m_pickerViewController->setDelegate(this);
    m_pickerViewController->setLeftTitle(QStringLiteral("Cancel"));
    m_pickerViewController->setRightTitle(QStringLiteral("Done"));
    m_pickerViewController->setBarTitlte(QStringLiteral("Filter By"));
    m_pickerViewController->setItems(m_sortingMethods);
    m_pickerViewController->setSelectedIndex(0);

    Observe("dateTimeFormatChanged", this, [this](const auto&) { dateTimeFormatChanged(); });
    Observe("newCallFromActiveCall", this, [this](const auto&) { newCallFromActiveCall(); });
}

KTNavigationBarController* LogsViewController::navigationBar() const {
    return ScreenBar::of(this);
}

QString LogsViewController::searchText() const {
    return m_searchField != nullptr ? m_searchField->text() : QString();
}

void LogsViewController::showNormalButtons() {
    KTNavigationBarController* bar = navigationBar();
    bar->barTitle()->setText(QStringLiteral("Call Log"));
    bar->leftButton()->show();
    bar->leftButton()->setText(QStringLiteral("Edit"));
    bar->rightButton()->show();
    bar->rightButton()->setText(QStringLiteral("Clear"));
}

void LogsViewController::showEditButtons() {
    KTNavigationBarController* bar = navigationBar();
    bar->barTitle()->setText(QStringLiteral("Edit Call Log"));
    bar->leftButton()->hide();
    bar->rightButton()->show();
    bar->rightButton()->setText(QStringLiteral("Done"));
}

void LogsViewController::viewWillAppear(bool /*animated*/) {
    view();
    if (KTNavigationBarController* bar = navigationBar()) {
        if (ActiveCallPick::isPicking()) {
            ActiveCallPick::showPickButtons(bar);
        } else if (m_editMode) {
            showEditButtons();
        } else {
            showNormalButtons();
        }
        bar->viewDidLoad();
    }
    if (m_shown) {
        m_appearanceRefresh->request();
    }
}

void LogsViewController::loadAndSortCallLogs() {
    m_callLogs = callLogsOfFilter(m_sortingMethod);
    m_model->setCallLogs(m_callLogs);
    if (KTNavigationBarController* bar = navigationBar()) {
        // Nothing to edit, clear or cancel into: a pick's "Cancel" goes too.
        bar->leftButton()->setEnabled(!m_callLogs.empty());
        bar->rightButton()->setEnabled(!m_callLogs.empty());
        bar->viewDidLoad();
    }
}

void LogsViewController::loadCallLogViews(const QString& searchText) {
    m_model->setEditMode(m_editMode);
    m_model->rebuild(searchText);
}

void LogsViewController::reload() {
    loadAndSortCallLogs();
    loadCallLogViews(searchText());
}

void LogsViewController::searchFieldChanged() {
    loadCallLogViews(searchText());
}

void LogsViewController::doneSelectingSortingMethod() {
    reload();
}

void LogsViewController::rightButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    if (ActiveCallPick::takeRightButton(m_openedFromActiveCall)) {
        return;
    }
    if (!m_editMode) {
        Alert::show(view(), QString(), QStringLiteral("Are you sure you want to clear the Call Log?"),
                    {QStringLiteral("No"), QStringLiteral("Yes")}, [this](int answer) {
                        if (answer == 1) {
                            // Every entry goes, whatever the filter or search shows.
                            CallLogManager::removeAll();
                            reload();
                        }
                    });
        reload();
        return;
    }
    showNormalButtons();
    navigationBar()->viewDidLoad();
    m_editMode = false;
    reload();
}

void LogsViewController::leftButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    showEditButtons();
    navigationBar()->viewDidLoad();
    m_editMode = true;
    loadCallLogViews(searchText());
}

void LogsViewController::middleButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    ScreenBar::showPicker(this, m_pickerViewController);
}

void LogsViewController::leftButtonOfPickerViewClicked(KTPickerViewController* picker) {
    ScreenBar::hidePicker(picker);
}

void LogsViewController::rightButtonOfPickerViewClicked(KTPickerViewController* picker) {
    ScreenBar::hidePicker(picker);
    // An index outside the filters reads as the last one.
    const int last = static_cast<int>(m_sortingMethods.size()) - 1;
    const int chosen = picker->selectedIndex();
    m_sortingMethod = chosen >= 0 && chosen < last ? chosen : last;
    reload();
}

void LogsViewController::cellDoubleClicked(int row) {
    if (const CallLogEntry* entry = m_model->entryAt(row)) {
        TessmarkDialerCore::deviceCommunication().call(entry->callLog->callNumber());
    }
}

void LogsViewController::editCallLogCell(const CallLogPtr& callLog) {
    auto* dialog = new EditCallLogViewController(this);
    dialog->setCallLog(callLog);
    QWidget* dialogView = dialog->view();
    dialogView->setGeometry(view()->rect());
    OverlayHost::of(view()).addSubview(dialogView);
    dialog->viewWillAppearInWindow();
    m_editCallLogViewController = dialog;
}

void LogsViewController::dateTimeFormatChanged() {
    m_model->refreshFormats();
}

void LogsViewController::newCallFromActiveCall() {
    m_openedFromActiveCall = true;
    ActiveCallPick::showPickButtons(navigationBar());
}
