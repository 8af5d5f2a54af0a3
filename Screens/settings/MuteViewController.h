#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "Logic/bridge/ConnectionSettings.h"

class QLineEdit;
class QRadioButton;

// The "Mute Button" page of the editor: the box's microphones are muted either through a
// microphone group named here or through four custom command texts. Left with the back button
// it writes every field into the shared profile, then warns, without holding the user back,
// when the chosen way lacks what it needs.
class MuteViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit MuteViewController(QObject* parent = nullptr);

    const ConnectionSettingsPtr& connection() const { return m_connection; }
    void setConnection(ConnectionSettingsPtr connection) { m_connection = std::move(connection); }

    QRadioButton* useMicrophoneGroupButton() const { return m_useMicrophoneGroupButton; }
    QLineEdit* microphoneGroupField() const { return m_microphoneGroupField; }
    QRadioButton* useCustomMuteCommandsButton() const { return m_useCustomMuteCommandsButton; }
    QLineEdit* mutePressField() const { return m_mutePressField; }
    QLineEdit* muteQueryField() const { return m_muteQueryField; }
    QLineEdit* activeStatusField() const { return m_activeStatusField; }
    QLineEdit* inactiveStatusField() const { return m_inactiveStatusField; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void commandModeChanged(QRadioButton* sender);

    // The warning for the profile as written, or an empty text when nothing is missing.
    static QString warningFor(const ConnectionSettings& connection);

protected:
    QWidget* buildView() override;

private:
    ConnectionSettingsPtr m_connection;
    QRadioButton* m_useMicrophoneGroupButton = nullptr;
    QLineEdit* m_microphoneGroupField = nullptr;
    QRadioButton* m_useCustomMuteCommandsButton = nullptr;
    QLineEdit* m_mutePressField = nullptr;
    QLineEdit* m_muteQueryField = nullptr;
    QLineEdit* m_activeStatusField = nullptr;
    QLineEdit* m_inactiveStatusField = nullptr;
};
