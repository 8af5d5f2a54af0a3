#pragma once

#include "Screens/directory/ContactListViewController.h"

// The Phone Book tab: every stored contact, lettered, with search, index bar, six orders, an
// edit mode with delete and edit buttons, "Add" for a new contact and a double click to call.
// A second instance serves the call forwarding screen: it hands the number chosen by a single
// click back by notification. During a new call or a transfer from the active-call screen the
// list serves to pick the number, with "Cancel" back to the call.
class PhoneBookViewController final : public ContactListViewController {
    Q_OBJECT

public:
    explicit PhoneBookViewController(QObject* parent = nullptr);

    bool openedFromCallForwardingSettingsView() const { return m_openedFromCallForwardingSettingsView; }
    void setOpenedFromCallForwardingSettingsView(bool opened) {
        m_openedFromCallForwardingSettingsView = opened;
    }

    void viewWillAppear(bool animated) override;
    void loadAndSortContacts() override;

    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void rightButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void leftButtonOfContactCellClicked(int row) override;

protected:
    QString numberPickerOwner() const override { return QStringLiteral("PhoneBook"); }
    int rowMode() const override;
    void numberPicked(const QString& number, bool ownPickerShowing) override;
    void rowPressed(int row) override;

private:
    void setNavigationButtons();
    void showEditButtons(bool editMode);
    // Hands a number back to the call forwarding screen, or nothing (its "Cancel").
    void returnToCallForwarding(const std::optional<QString>& number);

    bool m_openedFromCallForwardingSettingsView = false;
};
