#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"

class KTSwitch;
class QLineEdit;

// The Security page: the password that guards the Settings tab. What is typed lives only in
// the fields until the back button checks it, stores it, tells the tab bar and leaves.
class SecurityViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit SecurityViewController(QObject* parent = nullptr);

    KTSwitch* activateButton() const { return m_activateButton; }
    QLineEdit* enterPasswordField() const { return m_enterPasswordField; }
    QLineEdit* reEnterPasswordField() const { return m_reEnterPasswordField; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void activateButtonClicked();

protected:
    QWidget* buildView() override;

private:
    KTSwitch* m_activateButton = nullptr;
    QLineEdit* m_enterPasswordField = nullptr;
    QLineEdit* m_reEnterPasswordField = nullptr;
};
