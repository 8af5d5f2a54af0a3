#pragma once

#include "App/KTNavigationController.h"
#include "App/ViewController.h"
#include "Screens/settings/CallForwardingViewController.h"

#include <QColor>
#include <QPointer>
#include <QTimer>

#include <optional>

class NotificationInfoObject;
class QLabel;
class QToolButton;
class VolumeSliderViewController;

// The strip across the window above the tab bar: the link's status light, the room name and
// the status word or the line's display name, and the buttons for call forwarding,
// do-not-disturb, volume down, volume up and mute. It is the interface's main reader of device
// records: each one changes images, texts and enabled states, or opens the volume pop-up.
class ToolbarController final : public ViewController {
    Q_OBJECT

public:
    static constexpr int volumeSliderMilliseconds = 3000;

    explicit ToolbarController(QObject* parent = nullptr);

    // The window's content area, over which the volume pop-up and the forwarding screen are laid.
    void setWindowContentView(QWidget* view) { m_windowContentView = view; }

    QLabel* callerIDField() const { return m_callerIDField; }
    QLabel* roomNameField() const { return m_roomNameField; }
    QToolButton* connectionButton() const { return m_connectionButton; }
    QToolButton* forwardingButton() const { return m_forwardingButton; }
    QToolButton* doNotDisturbButton() const { return m_doNotDisturbButton; }
    QToolButton* volumeDownButton() const { return m_volumeDownButton; }
    QToolButton* volumeUpButton() const { return m_volumeUpButton; }
    QToolButton* muteButton() const { return m_muteButton; }
    int callerIDTopConstraint() const { return m_callerIDTopConstraint; }
    int callerIDLeftConstraint() const { return m_callerIDLeftConstraint; }
    int roomNameLeftConstraint() const { return m_roomNameLeftConstraint; }
    // The name of the image each button shows now (tests and screenshots read these).
    QString imageNameOf(const QToolButton* button) const;
    // The tint of the forwarding image now.
    QColor forwardingTint() const { return m_forwardingTint; }

    VolumeSliderViewController* volumeSliderController() const { return m_volumeSliderController; }
    QTimer& volumeSliderTimer() { return m_volumeSliderTimer; }
    CallForwardingViewController* callForwardingViewController() const {
        return m_callForwardingViewController;
    }
    KTNavigationController* callForwardingNavigationController() const {
        return m_callForwardingNavigationController;
    }
    bool atStartup() const { return m_atStartup; }
    // Both dialogs open only while the line is idle.
    bool shouldShowConnectionDialog() const { return m_lineIdle; }
    bool shouldShowCallForwardingDialog() const { return m_lineIdle; }

    void viewDidLoad() override;

    void showNotConnectedState(const QString& status);
    void showConnectedState(const QString& roomName);
    void changeToVoIPMode();
    void changeToTelcoMode();
    void startVolumeSliderTimer();
    void hideVolumeSlider();

    // One record, by its type.
    void didReceivedNotification(const NotificationInfoObject& info);
    void handleConnectionNotification(const NotificationInfoObject& info);
    void handleMessageNotification(const NotificationInfoObject& info);
    void handleSIPProxyNotification(const NotificationInfoObject& info);
    void handleDisplayNameNotification(const NotificationInfoObject& info);
    void handleCallStatusNotification(const NotificationInfoObject& info);
    void handleCallForwardingStatusNotification(const NotificationInfoObject& info);
    void handleCallForwardingErrorNotification(const NotificationInfoObject& info);
    void handleErrorInfoNotification(const NotificationInfoObject& info);
    void handleMuteCommandNotification(const NotificationInfoObject& info);
    void handleVolumeCommandNotification(const NotificationInfoObject& info);
    void handleDoNotDisturbNotification(const NotificationInfoObject& info);

    void connectionButtonClicked();
    void forwardingButtonClicked();
    void doNotDisturbButtonClicked();
    void volumeDownButtonClicked();
    void volumeUpButtonClicked();
    void muteButtonClicked();
    // selectedNumber: the number the phone book picked, if it picked one.
    void backToCallForwardingSettingsView(const std::optional<QString>& selectedNumber);

    // A volume report's level: the leading number of the text (C locale), held to 0-100 and cut
    // to an integer; nullopt when the text holds no finite number.
    static std::optional<int> volumeLevelOf(const QString& text);

protected:
    QWidget* buildView() override;

private:
    // showConnectedState with the phone type the handler already read.
    void applyConnectedState(const QString& roomName, bool voip);
    // The connected state under the current profile's room name (none without a profile).
    void showCurrentProfileConnected();
    void setImage(QToolButton* button, const QString& name);
    void setForwardingTint(uint32_t colour);
    void setCallerIDText(const QString& text, int pixelSize);
    void layoutTexts();
    void volumeButtonAction(bool up);

    QPointer<QWidget> m_windowContentView;
    QLabel* m_callerIDField = nullptr;
    QLabel* m_roomNameField = nullptr;
    QToolButton* m_connectionButton = nullptr;
    QToolButton* m_forwardingButton = nullptr;
    QToolButton* m_doNotDisturbButton = nullptr;
    QToolButton* m_volumeDownButton = nullptr;
    QToolButton* m_volumeUpButton = nullptr;
    QToolButton* m_muteButton = nullptr;
    int m_callerIDTopConstraint = 12;
    int m_callerIDLeftConstraint = 10;
    int m_roomNameLeftConstraint = 10;
    QColor m_forwardingTint;

    VolumeSliderViewController* m_volumeSliderController = nullptr;
    QTimer m_volumeSliderTimer;
    QPointer<CallForwardingViewController> m_callForwardingViewController;
    QPointer<KTNavigationController> m_callForwardingNavigationController;
    bool m_volumeDownButtonPressed = false;
    bool m_volumeUpButtonPressed = false;
    bool m_atStartup = true;
    // The last call-status record found the line idle (or none came yet).
    bool m_lineIdle = true;
};
