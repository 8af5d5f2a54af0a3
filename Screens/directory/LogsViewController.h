#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "App/controls/KTPickerViewController.h"
#include "Logic/bridge/CallLog.h"
#include "Screens/directory/CallLogSortingViewController.h"
#include "Screens/directory/EditCallLogViewController.h"

#include <QPointer>
#include <QStringList>

class CoalescedRefresh;
class CallLogListModel;
class KTNavigationBarController;
class QLineEdit;
class RowButtonTableView;

// Told of the edit button of a call log row, with its entry.
class CallLogCellDelegate {
public:
    virtual ~CallLogCellDelegate() = default;
    virtual void editCallLogCell(const CallLogPtr& callLog) = 0;
};

// The Logs tab: the call log newest first under one header per date, with search, a "Filter
// By" picker, "Clear" for the whole log, an edit mode whose rows open the redial dialog, and
// call back by double click. During a new call or a transfer from the active-call screen the
// right button reads "Cancel".
class LogsViewController final : public ViewController,
                                 public KTNavigationBarDelegate,
                                 public KTPickerViewDelegate,
                                 public CallLogCellDelegate,
                                 public CallLogSortingViewControllerDelegate {
    Q_OBJECT

public:
    explicit LogsViewController(QObject* parent = nullptr);
    ~LogsViewController() override;

    QWidget* searchView() const { return m_searchView; }
    QLineEdit* searchField() const { return m_searchField; }
    RowButtonTableView* tableView() const { return m_tableView; }
    CallLogListModel* model() const { return m_model; }
    KTPickerViewController* pickerViewController() const { return m_pickerViewController; }
    // The redial dialog shown last, while it lives.
    EditCallLogViewController* editCallLogViewController() const { return m_editCallLogViewController; }

    const std::vector<CallLogPtr>& callLogs() const { return m_callLogs; }
    const QStringList& sortingMethods() const { return m_sortingMethods; }
    int sortingMethod() const { return m_sortingMethod; }
    bool editMode() const { return m_editMode; }
    bool openedFromActiveCall() const { return m_openedFromActiveCall; }

    void viewDidLoad() override;
    // The root reloads each time its tab is shown; the log is first read then, not when the
    // stack is built.
    void viewWillAppearInWindow() override {
        m_shown = true;
        viewWillAppear(true);
    }
    void viewWillAppear(bool animated) override;

    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void rightButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void middleButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void leftButtonOfPickerViewClicked(KTPickerViewController* picker) override;
    void rightButtonOfPickerViewClicked(KTPickerViewController* picker) override;
    void editCallLogCell(const CallLogPtr& callLog) override;
    void doneSelectingSortingMethod() override;
    void searchFieldChanged();
    void cellDoubleClicked(int row);
    void dateTimeFormatChanged();
    void newCallFromActiveCall();

    // Reads the entries of the current filter; both bar buttons work only when there are some.
    void loadAndSortCallLogs();
    void loadCallLogViews(const QString& searchText);

protected:
    QWidget* buildView() override;

private:
    KTNavigationBarController* navigationBar() const;
    QString searchText() const;
    void reload();
    void showNormalButtons();
    // The bar in edit mode: its title and "Done" alone.
    void showEditButtons();

    std::vector<CallLogPtr> m_callLogs;
    QStringList m_sortingMethods;
    int m_sortingMethod = 0;
    bool m_editMode = false;
    bool m_openedFromActiveCall = false;
    bool m_shown = false;
    // A burst of call records re-shows the tab once per call; the log is read once per frame.
    CoalescedRefresh* m_appearanceRefresh = nullptr;

    QWidget* m_searchView = nullptr;
    QLineEdit* m_searchField = nullptr;
    RowButtonTableView* m_tableView = nullptr;
    CallLogListModel* m_model = nullptr;
    KTPickerViewController* m_pickerViewController = nullptr;
    QPointer<EditCallLogViewController> m_editCallLogViewController;
};
