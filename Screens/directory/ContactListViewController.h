#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "App/controls/KTPickerViewController.h"
#include "Logic/bridge/Contact.h"
#include "Platform/NotificationCenter.h"
#include "Screens/calling/NumberPickerViewController.h"
#include "Screens/directory/ContactDetailViewController.h"
#include "Screens/directory/ContactListOrdering.h"
#include "Screens/directory/IndexBarViewController.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class CoalescedRefresh;
class ContactListModel;
class KTNavigationBarController;
class QLineEdit;
class RowButtonTableView;

// Told of the clicks on a contact row's painted buttons (edit mode: delete on the left, edit on
// the right; pick mode: the tick box on the left), with the row.
class ContactCellDelegate {
public:
    virtual ~ContactCellDelegate() = default;
    virtual void leftButtonOfContactCellClicked(int row) = 0;
    virtual void rightButtonOfContactCellClicked(int row) = 0;
};

// What the phone book and the favorites share: a search strip over a lettered list with its
// index bar, a "Sort By" picker, the number picker for contacts with several numbers, the
// contact editor for a row's edit button and calling a contact by a double click. Each store
// read builds the list once; the search narrows it in memory.
class ContactListViewController : public ViewController,
                                  public KTNavigationBarDelegate,
                                  public KTPickerViewDelegate,
                                  public IndexBarDelegate,
                                  public ContactCellDelegate {
    Q_OBJECT

public:
    ~ContactListViewController() override;

    QWidget* searchView() const { return m_searchView; }
    QLineEdit* searchField() const { return m_searchField; }
    RowButtonTableView* tableView() const { return m_tableView; }
    QWidget* indexBarView() const { return m_indexBarView; }
    ContactListModel* model() const { return m_model; }
    IndexBarViewController* indexBarController() const { return m_indexBarController; }
    KTPickerViewController* pickerViewController() const { return m_pickerViewController; }
    // The number picker opened last, while it lives.
    NumberPickerViewController* numberPickerViewController() const { return m_numberPickerViewController; }
    // The contact editor pushed last, while it lives.
    ContactDetailViewController* contactDetailViewController() const { return m_contactDetailViewController; }

    const QStringList& sortingMethods() const { return m_sortingMethods; }
    int sortingMethod() const { return m_sortingMethod; }
    bool editMode() const { return m_editMode; }
    bool openedFromActiveCall() const { return m_openedFromActiveCall; }

    void viewDidLoad() override;
    // The roots reload each time their tab is shown.
    void viewWillAppearInWindow() override;

    void searchFieldChanged();
    void indexButtonClicked(const QString& key) override;
    void middleButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void leftButtonOfPickerViewClicked(KTPickerViewController* picker) override;
    // "Done": the chosen order, then a fresh read.
    void rightButtonOfPickerViewClicked(KTPickerViewController* picker) override;
    void rightButtonOfContactCellClicked(int row) override;
    // The call log's sorting chooser would call this; it reloads with the current method.
    void doneSelectingSortingMethod();
    void contactDoubleClicked(int row);
    void newCallFromActiveCall();

    // Reads the contacts of the current method from the store.
    virtual void loadAndSortContacts() = 0;
    // Rebuilds the rows from the loaded contacts for the search text.
    void loadContactViews(const QString& searchText);

protected:
    ContactListViewController(const QString& nibName, const QString& title, QStringList sortingMethods,
                              QObject* parent);

    QWidget* buildView() override;

    KTNavigationBarController* navigationBar() const;
    QString searchText() const;
    // Loaded contacts to the model: the "#" group moved, the index bar set for the method.
    void showContacts(std::vector<ContactPtr> contacts, const ContactSortMethod& method);
    // Loads and rebuilds: the common end of every action that changes what is listed.
    void reload();
    // The reload of an appearance. The stack's first call, made while the list was never on
    // screen, reads nothing: the list is read when it is first shown, so whatever changed
    // before then is there.
    void reloadOnAppearance();
    void setSortingMethod(int method) { m_sortingMethod = method; }
    void setEditMode(bool on) { m_editMode = on; }
    // The right button's rules of a pick from the active-call screen; true when they used it.
    bool rightButtonEndsPick();

    // The name the number picker carries back in "dismissNumberPickerView".
    virtual QString numberPickerOwner() const = 0;
    // The mode of every contact row (plain, edit or pick).
    virtual int rowMode() const = 0;
    // A number chosen in this list's picker ("dismissNumberPickerView" with our owner name).
    virtual void numberPicked(const QString& number, bool ownPickerShowing) = 0;
    // A single left press on a row; only the forwarding phone book acts on it.
    virtual void rowPressed(int /*row*/) {}

    // The number of a row's contact: its only number goes to `use`; with several the number
    // picker opens, and the choice comes back through numberPicked.
    void useNumberOfRow(int row, const std::function<void(const std::string& number)>& use);
    void openNumberPicker(const ContactPtr& contact);
    bool isNumberPickerShowing() const;
    void closeNumberPicker();
    void pushContactDetail(const ContactPtr& contact);

private:
    void dismissNumberPickerView(const Platform::NotificationCenter::Notification& notification);

    QStringList m_sortingMethods;
    int m_sortingMethod = 2;
    bool m_editMode = false;
    bool m_openedFromActiveCall = false;
    bool m_shown = false;
    // A burst of call records re-shows the tab once per call; the list is read once per frame.
    CoalescedRefresh* m_appearanceRefresh = nullptr;

    QWidget* m_rootView = nullptr;
    QWidget* m_searchView = nullptr;
    QLineEdit* m_searchField = nullptr;
    RowButtonTableView* m_tableView = nullptr;
    QWidget* m_indexBarView = nullptr;
    ContactListModel* m_model = nullptr;
    IndexBarViewController* m_indexBarController = nullptr;
    KTPickerViewController* m_pickerViewController = nullptr;
    QPointer<NumberPickerViewController> m_numberPickerViewController;
    QPointer<ContactDetailViewController> m_contactDetailViewController;
};

// The text of a string value of a notification's userInfo, or null when missing or not text.
std::optional<QString> userInfoText(const Platform::NotificationCenter::Notification& notification,
                                    const std::string& key);
