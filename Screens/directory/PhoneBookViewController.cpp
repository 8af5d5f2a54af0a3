#include "Screens/directory/PhoneBookViewController.h"

#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/Observe.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/directory/ActiveCallPick.h"
#include "Screens/directory/ContactListModel.h"

#include <QPushButton>

namespace {

const QStringList phoneBookSortingMethods{QStringLiteral("Company A-Z"),    QStringLiteral("Company Z-A"),
                                          QStringLiteral("First Name A-Z"), QStringLiteral("First Name Z-A"),
                                          QStringLiteral("Last Name A-Z"),  QStringLiteral("Last Name Z-A")};

} // namespace

PhoneBookViewController::PhoneBookViewController(QObject* parent)
    : ContactListViewController(QStringLiteral("PhoneBookView"), QStringLiteral("Phone Book"),
                                phoneBookSortingMethods, parent) {}

int PhoneBookViewController::rowMode() const {
    return editMode() ? ContactListModel::Edit : ContactListModel::Plain;
}

void PhoneBookViewController::setNavigationButtons() {
    KTNavigationBarController* bar = navigationBar();
    if (bar == nullptr) {
        return;
    }
    if (ActiveCallPick::isPicking()) {
        ActiveCallPick::showPickButtons(bar);
        return;
    }
    bar->optionalButton()->show();
    bar->rightButton()->show();
    if (m_openedFromCallForwardingSettingsView) {
        bar->leftButton()->hide();
        bar->rightButton()->setText(QStringLiteral("Cancel"));
    } else if (editMode()) {
        bar->leftButton()->hide();
        bar->rightButton()->setText(QStringLiteral("Done"));
    } else {
        bar->leftButton()->show();
        bar->leftButton()->setText(QStringLiteral("Edit"));
        bar->rightButton()->setText(QStringLiteral("Add"));
    }
}

void PhoneBookViewController::viewWillAppear(bool /*animated*/) {
    setNavigationButtons();
    if (KTNavigationBarController* bar = navigationBar()) {
        bar->viewDidLoad();
    }
    reloadOnAppearance();
}

void PhoneBookViewController::loadAndSortContacts() {
    const ContactSortMethod method = contactSortMethod(sortingMethod());
    std::vector<ContactPtr> contacts;
    switch (method.field) {
    case ContactSortField::Company:
        contacts = ContactManager::allContactsSortedByCompany(method.ascending);
        break;
    case ContactSortField::LastName:
        contacts = ContactManager::allContactsSortedByLastName(method.ascending);
        break;
    default:
        contacts = ContactManager::allContactsSortedByFirstName(method.ascending);
        break;
    }
    showContacts(std::move(contacts), method);
}

void PhoneBookViewController::showEditButtons(bool on) {
    KTNavigationBarController* bar = navigationBar();
    if (bar == nullptr) {
        return;
    }
    bar->leftButton()->setVisible(!on);
    if (!on) {
        bar->leftButton()->setText(QStringLiteral("Edit"));
    }
    bar->rightButton()->show();
    bar->rightButton()->setText(on ? QStringLiteral("Done") : QStringLiteral("Add"));
    bar->viewDidLoad();
}

void PhoneBookViewController::leftButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    setEditMode(!editMode());
    showEditButtons(editMode());
    loadContactViews(searchText());
}

void PhoneBookViewController::rightButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    if (rightButtonEndsPick()) {
        return;
    }
    if (m_openedFromCallForwardingSettingsView) {
        returnToCallForwarding(std::nullopt);
        return;
    }
    if (editMode()) {
        setEditMode(false);
        showEditButtons(false);
    } else {
        pushContactDetail(nullptr);
        if (KTNavigationBarController* bar = navigationBar()) {
            bar->viewDidLoad();
        }
    }
    loadContactViews(searchText());
}

void PhoneBookViewController::leftButtonOfContactCellClicked(int row) {
    const ContactListEntry* entry = model()->entryAt(row);
    if (entry == nullptr) {
        return;
    }
    const ContactPtr contact = entry->contact;
    Alert::show(view(), QString(),
                QStringLiteral("Are you sure you want to delete contact \"%1\"?").arg(entry->name),
                {QStringLiteral("No"), QStringLiteral("Yes")}, [this, contact](int answer) {
                    if (answer != 1) {
                        return;
                    }
                    // A delete that fails shows itself: the reload brings the contact back.
                    ContactManager::removeContact(*contact);
                    reload();
                });
}

void PhoneBookViewController::rowPressed(int row) {
    if (m_openedFromCallForwardingSettingsView) {
        useNumberOfRow(row, [this](const std::string& number) {
            returnToCallForwarding(QString::fromStdString(number));
        });
    }
}

void PhoneBookViewController::numberPicked(const QString& number, bool ownPickerShowing) {
    if (!ownPickerShowing) {
        return;
    }
    closeNumberPicker();
    if (m_openedFromCallForwardingSettingsView) {
        returnToCallForwarding(number);
    } else {
        TessmarkDialerCore::deviceCommunication().call(number.toStdString());
    }
}

void PhoneBookViewController::returnToCallForwarding(const std::optional<QString>& number) {
    m_openedFromCallForwardingSettingsView = false;
    Platform::NotificationCenter::UserInfo userInfo;
    if (number) {
        userInfo["selectedNumber"] = number->toStdString();
    }
    Post("backToCallForwardingSettingsView", std::move(userInfo));
}
