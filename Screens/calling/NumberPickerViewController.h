#pragma once

#include "App/ViewController.h"
#include "Logic/bridge/Contact.h"

#include <QString>

#include <vector>

class KTTableView;
class NumberPickerCellView;
class NumberPickerView;
class WidgetRowsModel;

// The pop-up listing the numbers of one contact so that the user picks one. It neither calls
// nor stores: a press on a number posts "dismissNumberPickerView" with userInfo
// {"selectedNumber": the number, "owner": the opener's name}, both std::string, and the opener acts
// on it and takes the picker away. A press beside the list closes the picker without a post.
//
// The opener makes a new controller each time, sets owner and contact, gives the view a frame,
// lays it over its own views and calls viewWillAppearInWindow(), which builds the rows.
class NumberPickerViewController final : public ViewController {
    Q_OBJECT

public:
    explicit NumberPickerViewController(QObject* parent = nullptr);

    const ContactPtr& contact() const { return m_contact; }
    void setContact(ContactPtr contact) { m_contact = std::move(contact); }
    // "Favorites" or "PhoneBook"; handed back in every post.
    QString owner() const { return m_owner; }
    void setOwner(const QString& owner) { m_owner = owner; }

    QWidget* numberTableView() const;
    KTTableView* tableView() const { return m_tableView; }
    // The list's height: the rows' heights plus 2.
    int tableViewHeightConstraint() const { return m_tableViewHeightConstraint; }
    const std::vector<NumberPickerCellView*>& cellViews() const { return m_cellViews; }

    // The view goes on screen: the rows are rebuilt from the contact's current numbers.
    void viewWillAppearInWindow() override;
    void loadCellViews();
    NumberPickerCellView* loadCellView();

protected:
    QWidget* buildView() override;

private:
    void setTableViewHeightConstraint(int height);

    ContactPtr m_contact;
    QString m_owner;
    NumberPickerView* m_pickerView = nullptr;
    KTTableView* m_tableView = nullptr;
    WidgetRowsModel* m_model = nullptr;
    int m_tableViewHeightConstraint = 2;
    std::vector<NumberPickerCellView*> m_cellViews;
};
