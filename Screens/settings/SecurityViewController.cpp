#include "Screens/settings/SecurityViewController.h"

#include "App/Alert.h"
#include "App/Observe.h"
#include "App/controls/KTSwitch.h"
#include "Logic/bridge/SecuritySettingsManager.h"
#include "Screens/settings/SettingsWidgets.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

SecurityViewController::SecurityViewController(QObject* parent)
    : ViewController(QStringLiteral("SecurityView"), parent) {}

QWidget* SecurityViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    QVBoxLayout* layout = SettingsWidgets::pageLayout(view);
    m_activateButton = SettingsWidgets::onOffSwitch(QStringLiteral("activateButton"));
    m_enterPasswordField = SettingsWidgets::textField(QStringLiteral("enterPasswordField"), true);
    m_reEnterPasswordField = SettingsWidgets::textField(QStringLiteral("reEnterPasswordField"), true);

    layout->addWidget(SettingsWidgets::heading(QStringLiteral("Settings Password")));
    QFormLayout* form = SettingsWidgets::addForm(layout);
    form->addRow(SettingsWidgets::caption(QStringLiteral("Password Protection")), m_activateButton);
    form->addRow(SettingsWidgets::caption(QStringLiteral("Password")), m_enterPasswordField);
    form->addRow(SettingsWidgets::caption(QStringLiteral("Re-enter Password")), m_reEnterPasswordField);
    layout->addStretch(1);

    SettingsWidgets::setTabChain({m_activateButton, m_enterPasswordField, m_reEnterPasswordField});
    connect(m_activateButton, &KTSwitch::clicked, this, &SecurityViewController::activateButtonClicked);
    return view;
}

void SecurityViewController::viewDidLoad() {
    setTitle(QStringLiteral("Security"));
}

// The fields' enabled state follows the user's clicks on the switch only, never the stored
// value: a revisit shows the fields as the last click left them.
void SecurityViewController::viewWillAppear(bool) {
    SettingsWidgets::showBackButtonOnly(this);
    const SecuritySettingsPtr security = SecuritySettingsManager::securitySettings();
    m_activateButton->setState(security->passwordProtected() ? KTSwitch::On : KTSwitch::Off);
    const QString password = QString::fromStdString(security->password());
    m_enterPasswordField->setText(password);
    m_reEnterPasswordField->setText(password);
}

void SecurityViewController::activateButtonClicked() {
    const bool on = m_activateButton->state() == KTSwitch::On;
    m_enterPasswordField->setEnabled(on);
    m_reEnterPasswordField->setEnabled(on);
}

void SecurityViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    const bool on = m_activateButton->state() == KTSwitch::On;
    const QString password = m_enterPasswordField->text();
    if (on && (password.isEmpty() || m_reEnterPasswordField->text().isEmpty())) {
        Alert::show(view(), QStringLiteral("Invalid Password"),
                    QStringLiteral("Please enter security password"), {QStringLiteral("OK")});
        return;
    }
    if (on && password != m_reEnterPasswordField->text()) {
        Alert::show(view(), QStringLiteral("Password Mismatched"),
                    QStringLiteral("Please re-enter security password"), {QStringLiteral("OK")});
        return;
    }
    const SecuritySettingsPtr security = SecuritySettingsManager::securitySettings();
    security->setPasswordProtected(on);
    security->setPassword(password.toStdString());
    // A write that did not happen must not pass for one: the tab bar would keep guarding (or
    // not) by the old record while the page said nothing.
    if (!SecuritySettingsManager::updateSecuritySettings(*security)) {
        Alert::show(view(), QString(), QStringLiteral("Failed to save security settings"),
                    {QStringLiteral("OK")});
        return;
    }
    Post("securitySettingsChanged");
    SettingsWidgets::popPage(this);
}
