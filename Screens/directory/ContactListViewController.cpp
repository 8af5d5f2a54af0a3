#include "Screens/directory/ContactListViewController.h"

#include "App/CoalescedRefresh.h"
#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/calling/NumberPickerViewController.h"
#include "Screens/directory/ActiveCallPick.h"
#include "Screens/directory/ContactDetailViewController.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/ContactRowPainter.h"
#include "Screens/directory/DirectoryLook.h"
#include "Screens/directory/RowButtonTableView.h"
#include "Screens/directory/ScreenBar.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ContactListViewController::ContactListViewController(const QString& nibName, const QString& title,
                                                     QStringList sortingMethods, QObject* parent)
    : ViewController(nibName, parent), m_sortingMethods(std::move(sortingMethods)),
      m_appearanceRefresh(new CoalescedRefresh([this] { reload(); }, this)) {
    setTitle(title);
}

ContactListViewController::~ContactListViewController() = default;

QWidget* ContactListViewController::buildView() {
    auto* root = new QWidget;
    m_rootView = root;
    root->resize(420, 580);
    Styling::fillBackground(root, Qt::white);

    auto* layout = new QVBoxLayout(root);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_searchView = DirectoryLook::makeSearchView(root, m_searchField);
    layout->addWidget(m_searchView);

    auto* content = new QWidget(root);
    content->setObjectName(QStringLiteral("contentView"));
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_tableView = new RowButtonTableView(content);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    row->addWidget(m_tableView, 1);
    m_indexBarView = new QWidget(content);
    m_indexBarView->setObjectName(QStringLiteral("indexBarView"));
    m_indexBarView->setFixedWidth(IndexBarViewController::barWidth);
    row->addWidget(m_indexBarView);
    layout->addWidget(content, 1);
    return root;
}

void ContactListViewController::viewDidLoad() {
    if (KTNavigationBarController* bar = navigationBar()) {
        bar->setDelegate(this);
        // The bar itself gives its middle button no face; here it opens the "Sort By" picker.
        bar->optionalButton()->setIcon(QIcon(Images::named(QStringLiteral("btn_sort"), QSize(22, 22))));
        bar->optionalButton()->setIconSize(QSize(22, 22));
        bar->optionalButton()->setAccessibleName(QStringLiteral("Sort By"));
    }

    m_model = new ContactListModel(this);
    m_tableView->setModel(m_model);
    m_tableView->setRowButtonPainter(new ContactRowPainter);
    connect(m_tableView, &QAbstractItemView::pressed, this,
            [this](const QModelIndex& index) { rowPressed(index.row()); });
    connect(m_tableView, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        // The second press of a double click that took the list away finds it hidden.
        if (m_tableView->isVisible()) {
            contactDoubleClicked(index.row());
        }
    });
    connect(m_tableView, &RowButtonTableView::rowButtonClicked, this, [this](int row, int button) {
        if (button == ContactRowPainter::LeftButton) {
            leftButtonOfContactCellClicked(row);
        } else {
            rightButtonOfContactCellClicked(row);
        }
    });
    connect(m_searchField, &QLineEdit::textChanged, this, [this] { searchFieldChanged(); });

    m_indexBarController = new IndexBarViewController(this);
    m_indexBarController->setDelegate(this);
    auto* barLayout = new QVBoxLayout(m_indexBarView);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->addWidget(m_indexBarController->view());

    m_pickerViewController = new KTPickerViewController(this);
    m_pickerViewController->setDelegate(this);
    m_pickerViewController->setLeftTitle(QStringLiteral("Cancel"));
    m_pickerViewController->setRightTitle(QStringLiteral("Done"));
    m_pickerViewController->setBarTitlte(QStringLiteral("Sort By"));
    m_pickerViewController->setItems(m_sortingMethods);
    m_pickerViewController->setSelectedIndex(2);

    Observe("newCallFromActiveCall", this, [this](const auto&) { newCallFromActiveCall(); });
    Observe("dismissNumberPickerView", this,
            [this](const auto& notification) { dismissNumberPickerView(notification); });
}

KTNavigationBarController* ContactListViewController::navigationBar() const {
    return ScreenBar::of(this);
}

QString ContactListViewController::searchText() const {
    return m_searchField != nullptr ? m_searchField->text() : QString();
}

void ContactListViewController::showContacts(std::vector<ContactPtr> contacts,
                                             const ContactSortMethod& method) {
    if (method.hasSections()) {
        orderContactsBySection(contacts, method.field, method.ascending);
    }
    m_indexBarController->setReversed(method.reversedIndex());
    m_model->setContacts(std::move(contacts), method);
}

void ContactListViewController::loadContactViews(const QString& searchText) {
    m_model->setMode(rowMode());
    m_model->rebuild(searchText);
}

void ContactListViewController::reload() {
    loadAndSortContacts();
    loadContactViews(searchText());
}

void ContactListViewController::viewWillAppearInWindow() {
    m_shown = true;
    viewWillAppear(true);
}

void ContactListViewController::reloadOnAppearance() {
    if (m_shown) {
        m_appearanceRefresh->request();
    }
}

void ContactListViewController::searchFieldChanged() {
    loadContactViews(searchText());
}

void ContactListViewController::doneSelectingSortingMethod() {
    reload();
}

void ContactListViewController::indexButtonClicked(const QString& key) {
    const int rowCount = m_model->rowCount();
    int visibleRows = 0;
    if (rowCount > 0) {
        const QRect viewport = m_tableView->viewport()->rect();
        const QModelIndex top = m_tableView->indexAt(QPoint(1, viewport.top()));
        const QModelIndex bottom = m_tableView->indexAt(QPoint(1, viewport.bottom()));
        const int first = top.isValid() ? top.row() : 0;
        const int last = bottom.isValid() ? bottom.row() : rowCount - 1;
        visibleRows = last - first + 1;
    }
    const IndexJump jump = indexJumpTarget(
        key, m_model->headerRows(), sectionLetters(m_indexBarController->reversed()), rowCount, visibleRows);
    switch (jump.kind) {
    case IndexJump::Kind::Top:
        m_tableView->scrollToTop();
        break;
    case IndexJump::Kind::Bottom:
        m_tableView->scrollToBottom();
        break;
    case IndexJump::Kind::AtRow:
        m_tableView->scrollTo(m_model->index(jump.row), QAbstractItemView::PositionAtTop);
        break;
    }
}

void ContactListViewController::middleButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    ScreenBar::showPicker(this, m_pickerViewController);
}

void ContactListViewController::leftButtonOfPickerViewClicked(KTPickerViewController* picker) {
    ScreenBar::hidePicker(picker);
}

void ContactListViewController::rightButtonOfPickerViewClicked(KTPickerViewController* picker) {
    ScreenBar::hidePicker(picker);
    // An index outside the list's methods reads as the last method.
    const int last = static_cast<int>(m_sortingMethods.size()) - 1;
    const int chosen = picker->selectedIndex();
    setSortingMethod(chosen >= 0 && chosen < last ? chosen : last);
    reload();
}

void ContactListViewController::rightButtonOfContactCellClicked(int row) {
    if (const ContactListEntry* entry = m_model->entryAt(row)) {
        pushContactDetail(entry->contact);
    }
}

void ContactListViewController::contactDoubleClicked(int row) {
    useNumberOfRow(row,
                   [](const std::string& number) { TessmarkDialerCore::deviceCommunication().call(number); });
}

void ContactListViewController::useNumberOfRow(int row,
                                               const std::function<void(const std::string& number)>& use) {
    const ContactListEntry* entry = m_model->entryAt(row);
    if (entry == nullptr) {
        return;
    }
    const ContactPtr contact = entry->contact;
    const std::vector<ContactNumberPtr>& numbers = contact->numbers();
    if (numbers.size() == 1 && numbers.front() != nullptr) {
        use(numbers.front()->number());
    } else if (numbers.size() > 1) {
        openNumberPicker(contact);
    }
}

void ContactListViewController::newCallFromActiveCall() {
    m_openedFromActiveCall = true;
    ActiveCallPick::showPickButtons(navigationBar());
}

bool ContactListViewController::rightButtonEndsPick() {
    return ActiveCallPick::takeRightButton(m_openedFromActiveCall);
}

void ContactListViewController::openNumberPicker(const ContactPtr& contact) {
    if (m_numberPickerViewController != nullptr && !isNumberPickerShowing()) {
        m_numberPickerViewController->deleteLater();
    }
    auto* picker = new NumberPickerViewController(this);
    picker->setOwner(numberPickerOwner());
    picker->setContact(contact);
    QWidget* pickerView = picker->view();
    pickerView->setGeometry(view()->rect());
    OverlayHost::of(view()).addSubview(pickerView);
    picker->viewWillAppearInWindow();
    m_numberPickerViewController = picker;
}

bool ContactListViewController::isNumberPickerShowing() const {
    return m_numberPickerViewController != nullptr && m_numberPickerViewController->isViewLoaded() &&
           OverlayHost::of(m_rootView).isTopmost(m_numberPickerViewController->view());
}

void ContactListViewController::closeNumberPicker() {
    if (m_numberPickerViewController == nullptr) {
        return;
    }
    // The picker posted from its own mouse handling: it goes once that has returned.
    OverlayHost::removeFromSuperview(m_numberPickerViewController->view());
    m_numberPickerViewController->deleteLater();
    m_numberPickerViewController = nullptr;
}

void ContactListViewController::pushContactDetail(const ContactPtr& contact) {
    KTNavigationController* stack = navigationController();
    if (stack == nullptr) {
        return;
    }
    auto* detail = new ContactDetailViewController(this);
    detail->setContact(contact);
    m_contactDetailViewController = detail;
    stack->pushViewController(detail, true);
}

void ContactListViewController::dismissNumberPickerView(
    const Platform::NotificationCenter::Notification& notification) {
    const std::optional<QString> owner = userInfoText(notification, "owner");
    const std::optional<QString> number = userInfoText(notification, "selectedNumber");
    if (!owner || *owner != numberPickerOwner() || !number) {
        return;
    }
    numberPicked(*number, isNumberPickerShowing());
}

std::optional<QString> userInfoText(const Platform::NotificationCenter::Notification& notification,
                                    const std::string& key) {
    const auto found = notification.userInfo.find(key);
    if (found == notification.userInfo.end()) {
        return std::nullopt;
    }
    if (const auto* text = std::any_cast<std::string>(&found->second)) {
        return QString::fromStdString(*text);
    }
    if (const auto* text = std::any_cast<QString>(&found->second)) {
        return *text;
    }
    return std::nullopt;
}
