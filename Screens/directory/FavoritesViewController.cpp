#include "Screens/directory/FavoritesViewController.h"

#include "App/KTNavigationBarController.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/directory/ActiveCallPick.h"
#include "Screens/directory/ContactListModel.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QStringList favoritesSortingMethods{QStringLiteral("Company A-Z"),    QStringLiteral("Company Z-A"),
                                          QStringLiteral("First Name A-Z"), QStringLiteral("First Name Z-A"),
                                          QStringLiteral("Last Name A-Z"),  QStringLiteral("Last Name Z-A"),
                                          QStringLiteral("Call Frequency")};

std::vector<ContactPtr> fetch(const ContactSortMethod& method, bool nonFavorites) {
    const bool ascending = method.ascending;
    switch (method.field) {
    case ContactSortField::Company:
        return nonFavorites ? ContactManager::allNonFavoriteContactsSortedByCompany(ascending)
                            : ContactManager::allFavoriteContactsSortedByCompany(ascending);
    case ContactSortField::FirstName:
        return nonFavorites ? ContactManager::allNonFavoriteContactsSortedByFirstName(ascending)
                            : ContactManager::allFavoriteContactsSortedByFirstName(ascending);
    case ContactSortField::LastName:
        return nonFavorites ? ContactManager::allNonFavoriteContactsSortedByLastName(ascending)
                            : ContactManager::allFavoriteContactsSortedByLastName(ascending);
    case ContactSortField::CallFrequency:
        break;
    }
    return nonFavorites ? ContactManager::allNonFavoriteContactsSortedByCallFrequency(ascending)
                        : ContactManager::allFavoriteContactsSortedByCallFrequency(ascending);
}

} // namespace

FavoritesViewController::FavoritesViewController(QObject* parent)
    : ContactListViewController(QStringLiteral("FavoritesView"), QStringLiteral("Favorites"),
                                favoritesSortingMethods, parent) {}

int FavoritesViewController::rowMode() const {
    if (editMode()) {
        return ContactListModel::Edit;
    }
    return m_addMode ? ContactListModel::Pick : ContactListModel::Plain;
}

void FavoritesViewController::setBarTitle(const QString& title) {
    if (KTNavigationBarController* bar = navigationBar()) {
        bar->barTitle()->setText(title);
    }
}

void FavoritesViewController::showPlainButtons() {
    KTNavigationBarController* bar = navigationBar();
    bar->leftButton()->show();
    bar->leftButton()->setText(QStringLiteral("Edit"));
    bar->rightButton()->setText(QStringLiteral("Add"));
    bar->rightButton()->setVisible(!m_automanaged);
    bar->optionalButton()->show();
}

void FavoritesViewController::showEditButtons() {
    KTNavigationBarController* bar = navigationBar();
    bar->leftButton()->hide();
    bar->rightButton()->show();
    bar->rightButton()->setText(QStringLiteral("Done"));
    bar->optionalButton()->show();
}

void FavoritesViewController::viewWillAppear(bool /*animated*/) {
    m_automanaged = PreferencesSettingsManager::preferencesSettings()->automaticallyManagesFavorites();
    KTNavigationBarController* bar = navigationBar();
    if (bar == nullptr) {
        return;
    }
    if (ActiveCallPick::isPicking()) {
        ActiveCallPick::showPickButtons(bar);
    } else if (editMode()) {
        showEditButtons();
    } else {
        showPlainButtons();
    }
    bar->viewDidLoad();
    reloadOnAppearance();
}

void FavoritesViewController::loadAndSortContacts() {
    const ContactSortMethod method = contactSortMethod(sortingMethod());
    // "Call Frequency" has no sections: the bar goes and the rows take its room.
    indexBarController()->view()->setVisible(method.hasSections());
    indexBarView()->setVisible(method.hasSections());
    showContacts(fetch(method, m_addMode), method);
}

void FavoritesViewController::leaveAddMode() {
    m_addMode = false;
    model()->clearTicks();
    showPlainButtons();
    setBarTitle(QStringLiteral("Favorites"));
}

void FavoritesViewController::leftButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    KTNavigationBarController* bar = navigationBar();
    if (m_addMode) {
        leaveAddMode();
        // "Cancel" ends add mode: the right button reads "Add" even while the list is managed.
        bar->rightButton()->show();
    } else if (!editMode()) {
        setEditMode(true);
        showEditButtons();
    }
    bar->viewDidLoad();
    reload();
}

void FavoritesViewController::rightButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    if (rightButtonEndsPick()) {
        return;
    }
    KTNavigationBarController* bar = navigationBar();
    if (editMode()) {
        setEditMode(false);
        showPlainButtons();
    } else if (m_addMode) {
        // The ticks are kept by ID across searches, so a ticked contact that the search hides
        // is stored too; in list order.
        for (const ContactListEntry& entry : model()->entries()) {
            if (model()->tickedIds().count(entry.contact->ID()) != 0) {
                entry.contact->setFavorite(true);
                ContactManager::updateContact(*entry.contact);
            }
        }
        leaveAddMode();
        bar->rightButton()->show();
    } else {
        m_addMode = true;
        model()->clearTicks();
        bar->leftButton()->show();
        bar->leftButton()->setText(QStringLiteral("Cancel"));
        bar->rightButton()->show();
        bar->rightButton()->setText(QStringLiteral("Done"));
        setBarTitle(QStringLiteral("Add to Favorites"));
    }
    bar->viewDidLoad();
    reload();
}

void FavoritesViewController::leftButtonOfContactCellClicked(int row) {
    const ContactListEntry* entry = model()->entryAt(row);
    if (entry == nullptr) {
        return;
    }
    if (editMode()) {
        const ContactPtr contact = entry->contact;
        contact->setFavorite(false);
        // A most-called number outside the phone book is no contact to unmark.
        if (contact->ID() != -1) {
            ContactManager::updateContact(*contact);
        }
        reload();
    } else if (m_addMode) {
        model()->toggleTicked(row);
    }
}

void FavoritesViewController::numberPicked(const QString& number, bool ownPickerShowing) {
    if (ownPickerShowing) {
        closeNumberPicker();
    }
    TessmarkDialerCore::deviceCommunication().call(number.toStdString());
}
