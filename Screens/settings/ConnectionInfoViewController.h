#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "Logic/bridge/ConnectionSettings.h"

class KTSegmentedControl;
class KTSwitch;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The "Connection Info" page of the editor: room name, Telnet or serial link with its address,
// login or port, VoIP or Telco, how the endpoint is addressed, and auto-connect. It fills its
// controls from the shared profile whenever it shows and writes them back, unchecked, when it
// is left with the back button.
class ConnectionInfoViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    // Telnet profiles always leave this page with the box's Telnet port.
    static constexpr uint64_t telnetPort = 23;

    explicit ConnectionInfoViewController(QObject* parent = nullptr);

    const ConnectionSettingsPtr& connection() const { return m_connection; }
    void setConnection(ConnectionSettingsPtr connection) { m_connection = std::move(connection); }

    QLineEdit* connectionNameField() const { return m_connectionNameField; }
    KTSegmentedControl* connectionTypeControl() const { return m_connectionTypeControl; }
    QLabel* telnetIPAddressLabel() const { return m_telnetIPAddressLabel; }
    QLineEdit* telnetIPAddressField() const { return m_telnetIPAddressField; }
    QLabel* telnetUsernameLabel() const { return m_telnetUsernameLabel; }
    QLineEdit* telnetUsernameField() const { return m_telnetUsernameField; }
    QLabel* telnetPasswordLabel() const { return m_telnetPasswordLabel; }
    QLineEdit* telnetPasswordField() const { return m_telnetPasswordField; }
    QLabel* serialPortLabel() const { return m_serialPortLabel; }
    QComboBox* serialPortButton() const { return m_serialPortButton; }
    KTSegmentedControl* phoneTypeControl() const { return m_phoneTypeControl; }
    QRadioButton* telcoVoIPEPNButton() const { return m_telcoVoIPEPNButton; }
    QLineEdit* telcoVoIPEPNField() const { return m_telcoVoIPEPNField; }
    QRadioButton* labelButton() const { return m_labelButton; }
    QLineEdit* labelField() const { return m_labelField; }
    KTSwitch* autoConnectSwitch() const { return m_autoConnectSwitch; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;

    // Shows the address, login and password controls for a Telnet link, the port for any other.
    void changeToConnectionType(int64_t type);
    void connectionTypeChanged();
    void telcoVoIPEPNSelected();
    void labelSelected();
    void controlTextDidChange();

protected:
    QWidget* buildView() override;

private:
    void fillSerialPortButton();

    ConnectionSettingsPtr m_connection;
    QString m_epnString;
    QString m_labelString;

    QLineEdit* m_connectionNameField = nullptr;
    KTSegmentedControl* m_connectionTypeControl = nullptr;
    QLabel* m_telnetIPAddressLabel = nullptr;
    QLineEdit* m_telnetIPAddressField = nullptr;
    QLabel* m_telnetUsernameLabel = nullptr;
    QLineEdit* m_telnetUsernameField = nullptr;
    QLabel* m_telnetPasswordLabel = nullptr;
    QLineEdit* m_telnetPasswordField = nullptr;
    QLabel* m_serialPortLabel = nullptr;
    QComboBox* m_serialPortButton = nullptr;
    KTSegmentedControl* m_phoneTypeControl = nullptr;
    QRadioButton* m_telcoVoIPEPNButton = nullptr;
    QLineEdit* m_telcoVoIPEPNField = nullptr;
    QRadioButton* m_labelButton = nullptr;
    QLineEdit* m_labelField = nullptr;
    KTSwitch* m_autoConnectSwitch = nullptr;
};
