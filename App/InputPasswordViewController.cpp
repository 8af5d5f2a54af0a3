#include "App/InputPasswordViewController.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Escape and the window's close button cancel through the controller, which leaves closing to
// the delegate.
class PasswordDialog final : public QDialog {
public:
    explicit PasswordDialog(InputPasswordViewController* controller) : m_controller(controller) {}
    void reject() override { m_controller->cancelButtonClicked(); }

private:
    InputPasswordViewController* m_controller;
};

} // namespace

InputPasswordViewController::InputPasswordViewController(QObject* parent)
    : ViewController(QStringLiteral("InputPasswordView"), parent) {}

QWidget* InputPasswordViewController::buildView() {
    auto* dialog = new PasswordDialog(this);
    auto* label = new QLabel(QStringLiteral("Password:"), dialog);
    m_passwordField = new QLineEdit(dialog);
    m_passwordField->setObjectName(QStringLiteral("passwordField"));
    m_passwordField->setEchoMode(QLineEdit::Password);
    m_passwordField->setMinimumWidth(220);
    label->setBuddy(m_passwordField);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), dialog);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);
    m_okButton = new QPushButton(QStringLiteral("OK"), dialog);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_okButton);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(label);
    layout->addWidget(m_passwordField);
    layout->addLayout(buttons);

    // Focus runs in visual order: the field, then the buttons from left to right.
    QWidget::setTabOrder(m_passwordField, m_cancelButton);
    QWidget::setTabOrder(m_cancelButton, m_okButton);
    connect(m_okButton, &QPushButton::clicked, this, &InputPasswordViewController::okButtonClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &InputPasswordViewController::cancelButtonClicked);
    m_passwordField->setFocus();
    return dialog;
}

void InputPasswordViewController::viewDidLoad() {
    setTitle(QString());
}

void InputPasswordViewController::okButtonClicked() {
    if (InputPasswordViewDelegate* delegate = m_delegate.get()) {
        delegate->didFinishedInputtingSecurityPassword(this, m_passwordField->text());
    }
}

void InputPasswordViewController::cancelButtonClicked() {
    if (InputPasswordViewDelegate* delegate = m_delegate.get()) {
        delegate->didCancelledInputtingSecurityPassword(this);
    }
}
