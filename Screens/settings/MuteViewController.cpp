#include "Screens/settings/MuteViewController.h"

#include "Screens/settings/SettingsWidgets.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

MuteViewController::MuteViewController(QObject* parent)
    : ViewController(QStringLiteral("MuteView"), parent) {}

QWidget* MuteViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    QVBoxLayout* layout = SettingsWidgets::pageLayout(view);
    m_useMicrophoneGroupButton = SettingsWidgets::radio(QStringLiteral("Use Microphone Group"),
                                                        QStringLiteral("useMicrophoneGroupButton"));
    m_microphoneGroupField = SettingsWidgets::textField(QStringLiteral("microphoneGroupField"));
    m_useCustomMuteCommandsButton = SettingsWidgets::radio(QStringLiteral("Use Custom Mute Commands"),
                                                           QStringLiteral("useCustomMuteCommandsButton"));
    m_mutePressField = SettingsWidgets::textField(QStringLiteral("mutePressField"));
    m_muteQueryField = SettingsWidgets::textField(QStringLiteral("muteQueryField"));
    m_activeStatusField = SettingsWidgets::textField(QStringLiteral("activeStatusField"));
    m_inactiveStatusField = SettingsWidgets::textField(QStringLiteral("inactiveStatusField"));

    QFormLayout* group = SettingsWidgets::addForm(layout);
    group->addRow(m_useMicrophoneGroupButton, m_microphoneGroupField);
    layout->addSpacing(6);
    layout->addWidget(m_useCustomMuteCommandsButton);
    QFormLayout* custom = SettingsWidgets::addForm(layout);
    custom->addRow(SettingsWidgets::caption(QStringLiteral("Press Command")), m_mutePressField);
    custom->addRow(SettingsWidgets::caption(QStringLiteral("Query Command")), m_muteQueryField);
    custom->addRow(SettingsWidgets::caption(QStringLiteral("Active Status")), m_activeStatusField);
    custom->addRow(SettingsWidgets::caption(QStringLiteral("Inactive Status")), m_inactiveStatusField);
    layout->addStretch(1);
    SettingsWidgets::alignCaptions({group, custom});

    SettingsWidgets::setTabChain({m_useMicrophoneGroupButton, m_microphoneGroupField,
                                  m_useCustomMuteCommandsButton, m_mutePressField, m_muteQueryField,
                                  m_activeStatusField, m_inactiveStatusField});
    connect(m_useMicrophoneGroupButton, &QRadioButton::clicked, this,
            [this] { commandModeChanged(m_useMicrophoneGroupButton); });
    connect(m_useCustomMuteCommandsButton, &QRadioButton::clicked, this,
            [this] { commandModeChanged(m_useCustomMuteCommandsButton); });
    return view;
}

void MuteViewController::viewDidLoad() {
    setTitle(QStringLiteral("Mute Button"));
}

void MuteViewController::viewWillAppear(bool) {
    SettingsWidgets::showBackButtonOnly(this);
    commandModeChanged(m_connection->usesMicrophoneGroup() ? m_useMicrophoneGroupButton
                                                           : m_useCustomMuteCommandsButton);
    const MuteCommand& mute = *m_connection->muteCommand();
    m_microphoneGroupField->setText(QString::fromStdString(m_connection->microphoneGroupName()));
    m_mutePressField->setText(QString::fromStdString(mute.pressCommand()));
    m_muteQueryField->setText(QString::fromStdString(mute.queryCommand()));
    m_activeStatusField->setText(QString::fromStdString(mute.activeNotificationFormat()));
    m_inactiveStatusField->setText(QString::fromStdString(mute.inactiveNotificationFormat()));
}

void MuteViewController::commandModeChanged(QRadioButton* sender) {
    const bool group = sender == m_useMicrophoneGroupButton;
    m_useMicrophoneGroupButton->setChecked(group);
    m_useCustomMuteCommandsButton->setChecked(!group);
    m_microphoneGroupField->setEnabled(group);
    for (QLineEdit* field :
         {m_mutePressField, m_muteQueryField, m_activeStatusField, m_inactiveStatusField}) {
        field->setEnabled(!group);
    }
}

void MuteViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    m_connection->setUsesMicrophoneGroup(m_useMicrophoneGroupButton->isChecked());
    m_connection->setMicrophoneGroupName(m_microphoneGroupField->text().toStdString());
    MuteCommand& mute = *m_connection->muteCommand();
    mute.setPressCommand(m_mutePressField->text().toStdString());
    mute.setQueryCommand(m_muteQueryField->text().toStdString());
    mute.setActiveNotificationFormat(m_activeStatusField->text().toStdString());
    mute.setInactiveNotificationFormat(m_inactiveStatusField->text().toStdString());
    SettingsWidgets::popPageAfterWarning(this, warningFor(*m_connection));
}

QString MuteViewController::warningFor(const ConnectionSettings& connection) {
    if (connection.usesMicrophoneGroup()) {
        return connection.microphoneGroupName().empty()
                   ? QStringLiteral("To enable Microphone, Use Microphone Group must be filled.")
                   : QString();
    }
    const MuteCommand& mute = *connection.muteCommand();
    QString missing;
    const std::pair<const std::string&, const char*> commands[] = {
        {mute.pressCommand(), "Press Command"},
        {mute.queryCommand(), "Query Command"},
        {mute.activeNotificationFormat(), "Active Status"},
        {mute.inactiveNotificationFormat(), "Inactive Status"}};
    for (const auto& [text, name] : commands) {
        if (text.empty()) {
            missing += QStringLiteral("\n* %1").arg(QLatin1String(name));
        }
    }
    return missing.isEmpty()
               ? QString()
               : QStringLiteral("To enable Microphone, all of the following fields must be filled:") +
                     missing;
}
