#pragma once

#include "App/ViewController.h"
#include "App/WeakDelegate.h"

#include <QPointer>

class InputPasswordViewController;
class QLineEdit;
class QPushButton;

// Hears the settings password prompt. The prompt neither compares nor closes itself.
class InputPasswordViewDelegate {
public:
    virtual ~InputPasswordViewDelegate() = default;
    virtual void didFinishedInputtingSecurityPassword(InputPasswordViewController* prompt,
                                                      const QString& value) = 0;
    virtual void didCancelledInputtingSecurityPassword(InputPasswordViewController* prompt) = 0;
};

// The settings password prompt: a hidden-text field with OK (the Return key) and Cancel (the
// Escape key, and closing the window). OK hands the typed text, unchanged and maybe empty, to
// the delegate, which dismisses the prompt or leaves it open with the text still typed.
class InputPasswordViewController final : public ViewController {
    Q_OBJECT

public:
    explicit InputPasswordViewController(QObject* parent = nullptr);

    void setDelegate(InputPasswordViewDelegate* delegate) { m_delegate.reset(delegate); }
    QLineEdit* passwordField() const { return m_passwordField; }
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    void viewDidLoad() override;
    void okButtonClicked();
    void cancelButtonClicked();

protected:
    QWidget* buildView() override;

private:
    WeakDelegate<InputPasswordViewDelegate> m_delegate;
    QLineEdit* m_passwordField = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
