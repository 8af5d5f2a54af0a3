#pragma once

#include "App/ViewController.h"
#include "App/WeakDelegate.h"

class QPushButton;

// Hears the choice of the transfer type picker; it takes the picker's view away and acts.
class TransferTypePickerDelegate {
public:
    virtual ~TransferTypePickerDelegate() = default;
    virtual void assistedTransferSelected() = 0;
    virtual void blindTransferSelected() = 0;
    virtual void cancelledSelectingTransferType() = 0;
};

// The small pop-up that asks which kind of transfer to start: assisted, blind, or none. It dims
// what lies beneath it and only reports the choice; it sends nothing to the box.
class TransferTypePickerViewController final : public ViewController {
    Q_OBJECT

public:
    explicit TransferTypePickerViewController(QObject* parent = nullptr);

    // Not owned; a delegate that is destroyed is forgotten.
    TransferTypePickerDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(TransferTypePickerDelegate* delegate) { m_delegate.reset(delegate); }

    QWidget* transferTypeView() const { return m_transferTypeView; }
    QPushButton* assistedTransferButton() const { return m_assistedTransferButton; }
    QPushButton* blindTransferButton() const { return m_blindTransferButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    void viewDidLoad() override;

    void assistedTransferButtonClicked();
    void blindTransferButtonClicked();
    void cancelButtonClicked();

protected:
    QWidget* buildView() override;

private:
    WeakDelegate<TransferTypePickerDelegate> m_delegate;
    QWidget* m_transferTypeView = nullptr;
    QPushButton* m_assistedTransferButton = nullptr;
    QPushButton* m_blindTransferButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
