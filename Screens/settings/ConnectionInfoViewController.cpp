#include "Screens/settings/ConnectionInfoViewController.h"

#include "App/controls/KTSegmentedControl.h"
#include "App/controls/KTSwitch.h"
#include "Logic/common/Codes.h"
#include "Screens/settings/SerialPortList.h"
#include "Screens/settings/SettingsWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString textOf(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

ConnectionInfoViewController::ConnectionInfoViewController(QObject* parent)
    : ViewController(QStringLiteral("ConnectionInfoView"), parent) {}

QWidget* ConnectionInfoViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    QVBoxLayout* layout = SettingsWidgets::pageLayout(view);

    m_connectionNameField = SettingsWidgets::textField(QStringLiteral("connectionNameField"));
    m_connectionTypeControl = SettingsWidgets::segments({QStringLiteral("Telnet"), QStringLiteral("Serial")},
                                                        QStringLiteral("connectionTypeControl"));
    m_telnetIPAddressLabel = SettingsWidgets::caption(QStringLiteral("IP Address"));
    m_telnetIPAddressField = SettingsWidgets::textField(QStringLiteral("telnetIPAddressField"));
    m_telnetUsernameLabel = SettingsWidgets::caption(QStringLiteral("Username"));
    m_telnetUsernameField = SettingsWidgets::textField(QStringLiteral("telnetUsernameField"));
    m_telnetPasswordLabel = SettingsWidgets::caption(QStringLiteral("Password"));
    m_telnetPasswordField = SettingsWidgets::textField(QStringLiteral("telnetPasswordField"), true);
    m_serialPortLabel = SettingsWidgets::caption(QStringLiteral("Serial Port"));
    m_serialPortButton = SettingsWidgets::popUp(QStringLiteral("serialPortButton"));
    m_phoneTypeControl = SettingsWidgets::segments({QStringLiteral("VoIP"), QStringLiteral("Telco")},
                                                   QStringLiteral("phoneTypeControl"));
    m_telcoVoIPEPNButton =
        SettingsWidgets::radio(QStringLiteral("End Point Number"), QStringLiteral("telcoVoIPEPNButton"));
    m_telcoVoIPEPNField = SettingsWidgets::textField(QStringLiteral("telcoVoIPEPNField"));
    m_labelButton = SettingsWidgets::radio(QStringLiteral("Label"), QStringLiteral("labelButton"));
    m_labelField = SettingsWidgets::textField(QStringLiteral("labelField"));
    m_autoConnectSwitch = SettingsWidgets::onOffSwitch(QStringLiteral("autoConnectSwitch"));

    layout->addWidget(SettingsWidgets::heading(QStringLiteral("Link")));
    QFormLayout* link = SettingsWidgets::addForm(layout);
    link->addRow(SettingsWidgets::caption(QStringLiteral("Room Name")), m_connectionNameField);
    link->addRow(SettingsWidgets::caption(QStringLiteral("Connection Type")), m_connectionTypeControl);
    link->addRow(m_telnetIPAddressLabel, m_telnetIPAddressField);
    link->addRow(m_telnetUsernameLabel, m_telnetUsernameField);
    link->addRow(m_telnetPasswordLabel, m_telnetPasswordField);
    link->addRow(m_serialPortLabel, m_serialPortButton);
    layout->addWidget(SettingsWidgets::heading(QStringLiteral("Phone")));
    QFormLayout* phone = SettingsWidgets::addForm(layout);
    phone->addRow(SettingsWidgets::caption(QStringLiteral("Phone Type")), m_phoneTypeControl);
    phone->addRow(m_telcoVoIPEPNButton, m_telcoVoIPEPNField);
    phone->addRow(m_labelButton, m_labelField);
    phone->addRow(SettingsWidgets::caption(QStringLiteral("Auto Connect")), m_autoConnectSwitch);
    layout->addStretch(1);
    SettingsWidgets::alignCaptions({link, phone});

    SettingsWidgets::setTabChain({m_connectionNameField, m_connectionTypeControl->segmentButton(0),
                                  m_connectionTypeControl->segmentButton(1), m_telnetIPAddressField,
                                  m_telnetUsernameField, m_telnetPasswordField, m_serialPortButton,
                                  m_phoneTypeControl->segmentButton(0), m_phoneTypeControl->segmentButton(1),
                                  m_telcoVoIPEPNButton, m_telcoVoIPEPNField, m_labelButton, m_labelField,
                                  m_autoConnectSwitch});

    connect(m_connectionTypeControl, &KTSegmentedControl::segmentClicked, this,
            &ConnectionInfoViewController::connectionTypeChanged);
    connect(m_telcoVoIPEPNButton, &QRadioButton::clicked, this,
            &ConnectionInfoViewController::telcoVoIPEPNSelected);
    connect(m_labelButton, &QRadioButton::clicked, this, &ConnectionInfoViewController::labelSelected);
    connect(m_telcoVoIPEPNField, &QLineEdit::textEdited, this,
            &ConnectionInfoViewController::controlTextDidChange);
    connect(m_labelField, &QLineEdit::textEdited, this, &ConnectionInfoViewController::controlTextDidChange);
    return view;
}

void ConnectionInfoViewController::viewDidLoad() {
    setTitle(QStringLiteral("Connection Info"));
}

void ConnectionInfoViewController::viewWillAppear(bool) {
    SettingsWidgets::showBackButtonOnly(this);
    const ConnectionSettings& connection = *m_connection;
    m_connectionNameField->setText(textOf(connection.roomName()));
    const bool telnetLink = connection.connectionType() == ConnectionType::TELNET;
    m_connectionTypeControl->setSelectedSegment(telnetLink ? 0 : 1);
    m_telnetIPAddressField->setText(textOf(connection.ip()));
    m_telnetUsernameField->setText(textOf(connection.userName()));
    m_telnetPasswordField->setText(textOf(connection.password()));
    m_phoneTypeControl->setSelectedSegment(connection.phoneType() == PhoneType::VOIP ? 0 : 1);
    m_telcoVoIPEPNButton->setChecked(connection.isEPN());
    m_labelButton->setChecked(!connection.isEPN());
    m_epnString = textOf(connection.telcoVoIPEPN());
    m_telcoVoIPEPNField->setText(m_epnString);
    m_telcoVoIPEPNField->setEnabled(connection.isEPN());
    m_labelString = textOf(connection.label());
    m_labelField->setText(m_labelString);
    m_labelField->setEnabled(!connection.isEPN());
    m_autoConnectSwitch->setState(connection.isAutoConnect() ? KTSwitch::On : KTSwitch::Off);
    // Also fills the serial port pop-up of a serial profile.
    changeToConnectionType(connection.connectionType());
}

void ConnectionInfoViewController::changeToConnectionType(int64_t type) {
    const bool isTelnet = type == ConnectionType::TELNET;
    for (QWidget* control : std::initializer_list<QWidget*>{m_telnetIPAddressLabel, m_telnetIPAddressField,
                                                            m_telnetUsernameLabel, m_telnetUsernameField,
                                                            m_telnetPasswordLabel, m_telnetPasswordField}) {
        control->setVisible(isTelnet);
    }
    m_serialPortLabel->setVisible(!isTelnet);
    m_serialPortButton->setVisible(!isTelnet);
    if (type == ConnectionType::SERIAL) {
        fillSerialPortButton();
    }
}

void ConnectionInfoViewController::connectionTypeChanged() {
    changeToConnectionType(m_connectionTypeControl->selectedSegment() != 0 ? ConnectionType::SERIAL
                                                                           : ConnectionType::TELNET);
}

// Each item carries its port's path. A stored port that is not plugged in keeps an item of its
// own, selected, so that leaving the page never swaps it silently for whichever port is first;
// with no stored port the first one is offered.
void ConnectionInfoViewController::fillSerialPortButton() {
    m_serialPortButton->clear();
    const QString storedPath = textOf(m_connection->serialPath());
    int selected = -1;
    for (const SerialPortItem& port : availableSerialPorts()) {
        m_serialPortButton->addItem(port.name, port.path);
        if (selected < 0 && port.path == storedPath) {
            selected = m_serialPortButton->count() - 1;
        }
    }
    if (selected < 0 && !storedPath.isEmpty()) {
        m_serialPortButton->addItem(QStringLiteral("%1 (not present)").arg(storedPath), storedPath);
        selected = m_serialPortButton->count() - 1;
    }
    m_serialPortButton->setCurrentIndex(selected >= 0 ? selected : 0);
}

void ConnectionInfoViewController::telcoVoIPEPNSelected() {
    m_labelButton->setChecked(false);
    m_labelField->setText(m_labelString);
    m_labelField->setEnabled(false);
    m_telcoVoIPEPNField->setText(m_epnString);
    m_telcoVoIPEPNField->setEnabled(true);
    m_telcoVoIPEPNButton->setChecked(true);
}

void ConnectionInfoViewController::labelSelected() {
    m_telcoVoIPEPNButton->setChecked(false);
    m_telcoVoIPEPNField->setText(m_epnString);
    m_telcoVoIPEPNField->setEnabled(false);
    m_labelField->setText(m_labelString);
    m_labelField->setEnabled(true);
    m_labelButton->setChecked(true);
}

void ConnectionInfoViewController::controlTextDidChange() {
    m_epnString = m_telcoVoIPEPNField->text();
    m_labelString = m_labelField->text();
}

void ConnectionInfoViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    ConnectionSettings& connection = *m_connection;
    connection.setRoomName(m_connectionNameField->text().toStdString());
    connection.setConnectionType(m_connectionTypeControl->selectedSegment() == 0 ? ConnectionType::TELNET
                                                                                 : ConnectionType::SERIAL);
    connection.setIp(m_telnetIPAddressField->text().toStdString());
    connection.setUserName(m_telnetUsernameField->text().toStdString());
    connection.setPassword(m_telnetPasswordField->text().toStdString());
    if (connection.connectionType() == ConnectionType::SERIAL) {
        connection.setSerialPath(m_serialPortButton->currentData().toString().toStdString());
    } else {
        connection.setPort(telnetPort);
    }
    connection.setPhoneType(m_phoneTypeControl->selectedSegment() == 0 ? PhoneType::VOIP : PhoneType::TELCO);
    connection.setTelcoVoIPEPN(m_telcoVoIPEPNField->text().toStdString());
    connection.setLabel(m_labelField->text().toStdString());
    connection.setIsEPN(m_telcoVoIPEPNButton->isChecked());
    connection.setIsAutoConnect(m_autoConnectSwitch->state() == KTSwitch::On);
    SettingsWidgets::popPage(this);
}
