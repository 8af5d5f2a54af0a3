#pragma once

#include "App/ViewController.h"
#include "App/WeakDelegate.h"

class QComboBox;
class QPushButton;

// Told when the call log sorting chooser closes with "Done".
class CallLogSortingViewControllerDelegate {
public:
    virtual ~CallLogSortingViewControllerDelegate() = default;
    virtual void doneSelectingSortingMethod() = 0;
};

// A small chooser of a call log filter ("All", "Missed Calls", "Placed Calls", "Received
// Calls", tagged 1 to 4). No screen shows it at present; the call log answers its delegate call.
class CallLogSortingViewController final : public ViewController {
    Q_OBJECT

public:
    explicit CallLogSortingViewController(QObject* parent = nullptr);

    // The method of a pop-up tag: 1-4 give 0-3, any other tag 0.
    static int methodForTag(int tag);

    int method() const { return m_method; }
    // Not owned; a delegate that is destroyed is forgotten.
    void setDelegate(CallLogSortingViewControllerDelegate* delegate) { m_delegate.reset(delegate); }

    QComboBox* sortingMethodButton() const { return m_sortingMethodButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QPushButton* doneButton() const { return m_doneButton; }

    void viewDidLoad() override;
    void cancelButtonClicked();
    void doneButtonClicked();

protected:
    QWidget* buildView() override;

private:
    WeakDelegate<CallLogSortingViewControllerDelegate> m_delegate;
    int m_method = 0;
    QComboBox* m_sortingMethodButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_doneButton = nullptr;
};
