#include "Screens/settings/VolumeUpDownViewController.h"

#include "Screens/settings/SettingsWidgets.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>
#include <vector>

VolumeUpDownViewController::VolumeUpDownViewController(QObject* parent)
    : ViewController(QStringLiteral("VolumeUpDownView"), parent) {}

QWidget* VolumeUpDownViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    QVBoxLayout* layout = SettingsWidgets::pageLayout(view);
    layout->setSpacing(10);
    m_useSpeakerGroupButton =
        SettingsWidgets::radio(QStringLiteral("Use Speaker Group"), QStringLiteral("useSpeakerGroupButton"));
    m_speakerGroupField = SettingsWidgets::textField(QStringLiteral("speakerGroupField"));
    m_useCustomCommandsButton = SettingsWidgets::radio(QStringLiteral("Use Custom Commands"),
                                                       QStringLiteral("useCustomCommandsButton"));
    m_volumeUpPressField = SettingsWidgets::textField(QStringLiteral("volumeUpPressField"));
    m_volumeUpReleaseField = SettingsWidgets::textField(QStringLiteral("volumeUpReleaseField"));
    m_volumeDownPressField = SettingsWidgets::textField(QStringLiteral("volumeDownPressField"));
    m_volumeDownReleaseField = SettingsWidgets::textField(QStringLiteral("volumeDownReleaseField"));
    m_sliderNotificationField = SettingsWidgets::textField(QStringLiteral("sliderNotificationField"));
    m_sliderQueryField = SettingsWidgets::textField(QStringLiteral("sliderQueryField"));
    m_sliderMaxValueField = SettingsWidgets::textField(QStringLiteral("sliderMaxValueField"));
    m_sliderMinValueField = SettingsWidgets::textField(QStringLiteral("sliderMinValueField"));

    QFormLayout* group = SettingsWidgets::addForm(layout);
    group->addRow(m_useSpeakerGroupButton, m_speakerGroupField);
    layout->addSpacing(4);
    layout->addWidget(m_useCustomCommandsButton);
    // The custom commands in three captioned groups, so their captions stay short and the
    // fields keep room for a command line.
    const struct {
        const char* title;
        std::vector<std::pair<const char*, QLineEdit*>> rows;
    } groups[] = {
        {"Volume Up", {{"Press Command", m_volumeUpPressField}, {"Release Command", m_volumeUpReleaseField}}},
        {"Volume Down",
         {{"Press Command", m_volumeDownPressField}, {"Release Command", m_volumeDownReleaseField}}},
        {"Volume Slider",
         {{"Notification", m_sliderNotificationField},
          {"Query", m_sliderQueryField},
          {"Max Value", m_sliderMaxValueField},
          {"Min Value", m_sliderMinValueField}}}};
    std::vector<QFormLayout*> customForms;
    for (const auto& [title, rows] : groups) {
        layout->addWidget(SettingsWidgets::subheading(QLatin1String(title)));
        QFormLayout* form = SettingsWidgets::addForm(layout);
        for (const auto& [name, field] : rows) {
            form->addRow(SettingsWidgets::caption(QLatin1String(name)), field);
        }
        customForms.push_back(form);
    }
    layout->addStretch(1);
    SettingsWidgets::alignCaptions(customForms);

    SettingsWidgets::setTabChain({m_useSpeakerGroupButton, m_speakerGroupField, m_useCustomCommandsButton,
                                  m_volumeUpPressField, m_volumeUpReleaseField, m_volumeDownPressField,
                                  m_volumeDownReleaseField, m_sliderNotificationField, m_sliderQueryField,
                                  m_sliderMaxValueField, m_sliderMinValueField});
    connect(m_useSpeakerGroupButton, &QRadioButton::clicked, this,
            [this] { commandModeChanged(m_useSpeakerGroupButton); });
    connect(m_useCustomCommandsButton, &QRadioButton::clicked, this,
            [this] { commandModeChanged(m_useCustomCommandsButton); });
    return view;
}

void VolumeUpDownViewController::viewDidLoad() {
    setTitle(QStringLiteral("Volume Slider"));
}

void VolumeUpDownViewController::viewWillAppear(bool) {
    SettingsWidgets::showBackButtonOnly(this);
    commandModeChanged(m_connection->usesSpeakerGroup() ? m_useSpeakerGroupButton
                                                        : m_useCustomCommandsButton);
    const ConnectionSettings& connection = *m_connection;
    m_speakerGroupField->setText(QString::fromStdString(connection.speakerGroupName()));
    m_volumeUpPressField->setText(QString::fromStdString(connection.volumeUpCommand()->pressCommand()));
    m_volumeUpReleaseField->setText(QString::fromStdString(connection.volumeUpCommand()->releaseCommand()));
    m_volumeDownPressField->setText(QString::fromStdString(connection.volumeDownCommand()->pressCommand()));
    m_volumeDownReleaseField->setText(
        QString::fromStdString(connection.volumeDownCommand()->releaseCommand()));
    m_sliderNotificationField->setText(QString::fromStdString(connection.notificationFormat()));
    m_sliderQueryField->setText(QString::fromStdString(connection.queryVolumeCommand()));
    m_sliderMaxValueField->setText(QString::fromStdString(connection.maxVolumeValueCommand()));
    m_sliderMinValueField->setText(QString::fromStdString(connection.minVolumeValueCommand()));
}

void VolumeUpDownViewController::commandModeChanged(QRadioButton* sender) {
    const bool group = sender == m_useSpeakerGroupButton;
    m_useSpeakerGroupButton->setChecked(group);
    m_useCustomCommandsButton->setChecked(!group);
    m_speakerGroupField->setEnabled(group);
    for (QLineEdit* field :
         {m_volumeUpPressField, m_volumeUpReleaseField, m_volumeDownPressField, m_volumeDownReleaseField,
          m_sliderNotificationField, m_sliderQueryField, m_sliderMaxValueField, m_sliderMinValueField}) {
        field->setEnabled(!group);
    }
}

void VolumeUpDownViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    ConnectionSettings& connection = *m_connection;
    connection.setUsesSpeakerGroup(m_useSpeakerGroupButton->isChecked());
    connection.setSpeakerGroupName(m_speakerGroupField->text().toStdString());
    connection.volumeUpCommand()->setPressCommand(m_volumeUpPressField->text().toStdString());
    connection.volumeUpCommand()->setReleaseCommand(m_volumeUpReleaseField->text().toStdString());
    connection.volumeDownCommand()->setPressCommand(m_volumeDownPressField->text().toStdString());
    connection.volumeDownCommand()->setReleaseCommand(m_volumeDownReleaseField->text().toStdString());
    connection.setNotificationFormat(m_sliderNotificationField->text().toStdString());
    connection.setQueryVolumeCommand(m_sliderQueryField->text().toStdString());
    connection.setMaxVolumeValueCommand(m_sliderMaxValueField->text().toStdString());
    connection.setMinVolumeValueCommand(m_sliderMinValueField->text().toStdString());
    SettingsWidgets::popPageAfterWarning(this, warningFor(connection));
}

// The slider needs its value range and at least one way to step the volume; its notification
// format and query command are not asked for.
QString VolumeUpDownViewController::warningFor(const ConnectionSettings& connection) {
    if (connection.usesSpeakerGroup()) {
        return connection.speakerGroupName().empty()
                   ? QStringLiteral("To enable Volume Slider, Use Speaker Group must be filled.")
                   : QString();
    }
    if (connection.maxVolumeValueCommand().empty() || connection.minVolumeValueCommand().empty()) {
        return QStringLiteral(
            "To enable Volume Slider, Slider Max Value and Slider Min Value must be filled.");
    }
    const VolumeCommand& up = *connection.volumeUpCommand();
    const VolumeCommand& down = *connection.volumeDownCommand();
    if (up.pressCommand().empty() && up.releaseCommand().empty() && down.pressCommand().empty() &&
        down.releaseCommand().empty()) {
        return QStringLiteral("To enable Volume Slider, one of the following fields must be filled:\n"
                              "* Volume Up Press Command\n* Volume Up Release Command\n"
                              "* Volume Down Press Command\n* Volume Down Release Command");
    }
    return {};
}
