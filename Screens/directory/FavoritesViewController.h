#pragma once

#include "Screens/directory/ContactListViewController.h"

// The Favorites tab: the favorite contacts (or, when the preferences say so, the most called
// ones), lettered like the phone book or by call frequency, with search and index bar. Edit
// mode removes contacts from the favorites; add mode lists the others with tick boxes and
// marks the ticked ones as favorites on "Done". A double click calls.
class FavoritesViewController final : public ContactListViewController {
    Q_OBJECT

public:
    explicit FavoritesViewController(QObject* parent = nullptr);

    bool addMode() const { return m_addMode; }
    bool automanaged() const { return m_automanaged; }

    void viewWillAppear(bool animated) override;
    void loadAndSortContacts() override;

    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void rightButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void leftButtonOfContactCellClicked(int row) override;

protected:
    QString numberPickerOwner() const override { return QStringLiteral("Favorites"); }
    int rowMode() const override;
    void numberPicked(const QString& number, bool ownPickerShowing) override;

private:
    // The bar outside edit and add mode: "Edit", and "Add" unless the list is managed.
    void showPlainButtons();
    // The bar in edit mode: "Done" alone beside the sort button.
    void showEditButtons();
    void leaveAddMode();
    void setBarTitle(const QString& title);

    bool m_addMode = false;
    bool m_automanaged = false;
};
