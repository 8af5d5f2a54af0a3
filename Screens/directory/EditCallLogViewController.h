#pragma once

#include "App/ViewController.h"
#include "Logic/bridge/CallLog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The redial dialog over the call log: the entry's name and its number, which may be changed
// before "Dial". The dimmed area around the panel swallows clicks. It goes away after "Dial"
// or "Cancel".
class EditCallLogViewController final : public ViewController {
    Q_OBJECT

public:
    explicit EditCallLogViewController(QObject* parent = nullptr);

    const CallLogPtr& callLog() const { return m_callLog; }
    void setCallLog(const CallLogPtr& callLog) { m_callLog = callLog; }

    QWidget* dialogView() const { return m_dialogView; }
    QLabel* nameField() const { return m_nameField; }
    QLineEdit* numberField() const { return m_numberField; }
    QPushButton* dialButton() const { return m_dialButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    void viewDidLoad() override;
    // Laid over the call log: shows the entry.
    void viewWillAppearInWindow() override;
    void dialButtonClicked();
    void cancelButtonClicked();

protected:
    QWidget* buildView() override;

private:
    void close();

    CallLogPtr m_callLog;
    QWidget* m_dialogView = nullptr;
    QLabel* m_nameField = nullptr;
    QLineEdit* m_numberField = nullptr;
    QPushButton* m_dialButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
