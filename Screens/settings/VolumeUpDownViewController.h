#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "Logic/bridge/ConnectionSettings.h"

class QLineEdit;
class QRadioButton;

// The "Volume Slider" page of the editor: the box's speaker level is set either through a
// speaker group named here or through custom commands (volume up and down, and the slider's
// notification, query and maximum and minimum value commands). Left with the back button it
// writes every field into the shared profile, then warns, without holding the user back, when
// the chosen way lacks what the slider needs.
class VolumeUpDownViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit VolumeUpDownViewController(QObject* parent = nullptr);

    const ConnectionSettingsPtr& connection() const { return m_connection; }
    void setConnection(ConnectionSettingsPtr connection) { m_connection = std::move(connection); }

    QRadioButton* useSpeakerGroupButton() const { return m_useSpeakerGroupButton; }
    QLineEdit* speakerGroupField() const { return m_speakerGroupField; }
    QRadioButton* useCustomCommandsButton() const { return m_useCustomCommandsButton; }
    QLineEdit* volumeUpPressField() const { return m_volumeUpPressField; }
    QLineEdit* volumeUpReleaseField() const { return m_volumeUpReleaseField; }
    QLineEdit* volumeDownPressField() const { return m_volumeDownPressField; }
    QLineEdit* volumeDownReleaseField() const { return m_volumeDownReleaseField; }
    QLineEdit* sliderNotificationField() const { return m_sliderNotificationField; }
    QLineEdit* sliderQueryField() const { return m_sliderQueryField; }
    QLineEdit* sliderMaxValueField() const { return m_sliderMaxValueField; }
    QLineEdit* sliderMinValueField() const { return m_sliderMinValueField; }

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
    QRadioButton* m_useSpeakerGroupButton = nullptr;
    QLineEdit* m_speakerGroupField = nullptr;
    QRadioButton* m_useCustomCommandsButton = nullptr;
    QLineEdit* m_volumeUpPressField = nullptr;
    QLineEdit* m_volumeUpReleaseField = nullptr;
    QLineEdit* m_volumeDownPressField = nullptr;
    QLineEdit* m_volumeDownReleaseField = nullptr;
    QLineEdit* m_sliderNotificationField = nullptr;
    QLineEdit* m_sliderQueryField = nullptr;
    QLineEdit* m_sliderMaxValueField = nullptr;
    QLineEdit* m_sliderMinValueField = nullptr;
};
