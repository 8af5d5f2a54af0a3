#include "App/shell/ToolbarController.h"

#include "App/Alert.h"
#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/NotificationRelay.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/VolumeSliderViewController.h"
#include "App/controls/Colors.h"
#include "App/controls/ElidingLabel.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/Line.h"
#include "Logic/bridge/NotificationInfoObject.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "Platform/Log.h"
#include "Screens/settings/CallForwardingViewController.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QToolButton>
#include <QWidget>

#include <any>
#include <cmath>

namespace {

constexpr int stripWidth = 420;
constexpr int stripHeight = 64;
constexpr int buttonSize = 36;
// Where the texts start: right of the status light.
constexpr int textBaseX = 48;
constexpr int rightButtonsX = stripWidth - 4 * (buttonSize + 2) - 6;
constexpr int statusPixelSize = 15;
constexpr int displayNamePixelSize = 21;
constexpr const char* imageProperty = "tessmarkImage";

QToolButton* makeButton(QWidget* parent, const char* name, const QString& accessibleName, int x) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    button->setAutoRaise(true);
    button->setIconSize(QSize(32, 32));
    button->setGeometry(x, (stripHeight - buttonSize) / 2, buttonSize, buttonSize);
    button->setStyleSheet(Styling::darkBarButtonStyle());
    return button;
}

void log(const std::string& line) {
    Platform::Log::out("[NOTIFI] <<< " + line);
}

QString textOf(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

ToolbarController::ToolbarController(QObject* parent) : ViewController(QStringLiteral("Toolbar"), parent) {
    m_volumeSliderTimer.setSingleShot(true);
    m_volumeSliderTimer.setInterval(volumeSliderMilliseconds);
    connect(&m_volumeSliderTimer, &QTimer::timeout, this, &ToolbarController::hideVolumeSlider);
}

QWidget* ToolbarController::buildView() {
    auto* strip = new QWidget;
    strip->resize(stripWidth, stripHeight);
    m_connectionButton = makeButton(strip, "connectionButton", QStringLiteral("Connection"), 8);
    m_forwardingButton = makeButton(strip, "forwardingButton", QStringLiteral("Call Forwarding"), textBaseX);
    setImage(m_forwardingButton, QStringLiteral("btn_call_forwarding"));
    // A display name or room name longer than the strip shows shortened with "…".
    m_callerIDField = new ElidingLabel(strip);
    m_callerIDField->setObjectName(QStringLiteral("callerIDField"));
    m_roomNameField = new ElidingLabel(strip);
    m_roomNameField->setObjectName(QStringLiteral("roomNameField"));
    m_roomNameField->setStyleSheet(QStringLiteral("color: #FFFFFF; font-size: 13px;"));
    m_doNotDisturbButton =
        makeButton(strip, "doNotDisturbButton", QStringLiteral("Do Not Disturb"), rightButtonsX);
    m_volumeDownButton =
        makeButton(strip, "volumeDownButton", QStringLiteral("Volume Down"), rightButtonsX + buttonSize + 2);
    setImage(m_volumeDownButton, QStringLiteral("btn_volume_down"));
    m_volumeUpButton = makeButton(strip, "volumeUpButton", QStringLiteral("Volume Up"),
                                  rightButtonsX + 2 * (buttonSize + 2));
    setImage(m_volumeUpButton, QStringLiteral("btn_volume_up"));
    m_muteButton =
        makeButton(strip, "muteButton", QStringLiteral("Mute"), rightButtonsX + 3 * (buttonSize + 2));
    setImage(m_muteButton, QStringLiteral("btn_mute_off"));
    setImage(m_doNotDisturbButton, QStringLiteral("btn_do_not_disturb_off"));
    setImage(m_connectionButton, QStringLiteral("btn_connection_grey"));

    QWidget::setTabOrder(m_connectionButton, m_forwardingButton);
    QWidget::setTabOrder(m_forwardingButton, m_doNotDisturbButton);
    QWidget::setTabOrder(m_doNotDisturbButton, m_volumeDownButton);
    QWidget::setTabOrder(m_volumeDownButton, m_volumeUpButton);
    QWidget::setTabOrder(m_volumeUpButton, m_muteButton);

    connect(m_connectionButton, &QToolButton::clicked, this, &ToolbarController::connectionButtonClicked);
    connect(m_forwardingButton, &QToolButton::clicked, this, &ToolbarController::forwardingButtonClicked);
    connect(m_doNotDisturbButton, &QToolButton::clicked, this, &ToolbarController::doNotDisturbButtonClicked);
    // The volume buttons act once when pressed and once when released.
    connect(m_volumeDownButton, &QToolButton::pressed, this, &ToolbarController::volumeDownButtonClicked);
    connect(m_volumeDownButton, &QToolButton::released, this, &ToolbarController::volumeDownButtonClicked);
    connect(m_volumeUpButton, &QToolButton::pressed, this, &ToolbarController::volumeUpButtonClicked);
    connect(m_volumeUpButton, &QToolButton::released, this, &ToolbarController::volumeUpButtonClicked);
    connect(m_muteButton, &QToolButton::clicked, this, &ToolbarController::muteButtonClicked);
    return strip;
}

void ToolbarController::viewDidLoad() {
    Styling::fillBackground(view(), Colors::colorWithHexCode(Colors::barBackground));

    m_volumeSliderController = new VolumeSliderViewController(this);
    const int contentHeight = m_windowContentView != nullptr ? m_windowContentView->height() : 0;
    m_volumeSliderController->view()->setGeometry(35, contentHeight - 650, 350, 80);
    m_volumeDownButtonPressed = false;
    m_volumeUpButtonPressed = false;
    m_atStartup = true;
    m_lineIdle = true;
    showNotConnectedState(QStringLiteral("NOT CONNECTED"));

    Observe("notification", this, [this](const Platform::NotificationCenter::Notification& posted) {
        if (const auto record = NotificationRelay::recordOf(posted)) {
            didReceivedNotification(*record);
        }
    });
    Observe("backToCallForwardingSettingsView", this,
            [this](const Platform::NotificationCenter::Notification& posted) {
                std::optional<QString> selected;
                const auto found = posted.userInfo.find("selectedNumber");
                if (found != posted.userInfo.end()) {
                    if (const auto* text = std::any_cast<std::string>(&found->second)) {
                        selected = QString::fromStdString(*text);
                    } else if (const auto* qtText = std::any_cast<QString>(&found->second)) {
                        selected = *qtText;
                    }
                }
                backToCallForwardingSettingsView(selected);
            });
}

void ToolbarController::setImage(QToolButton* button, const QString& name) {
    button->setProperty(imageProperty, name);
    button->setIcon(Styling::darkBarIcon(Images::named(name)));
}

QString ToolbarController::imageNameOf(const QToolButton* button) const {
    return button->property(imageProperty).toString();
}

void ToolbarController::setForwardingTint(uint32_t colour) {
    m_forwardingTint = Colors::colorWithHexCode(colour);
    m_forwardingButton->setIcon(Images::tinted(QStringLiteral("btn_call_forwarding"), m_forwardingTint));
}

void ToolbarController::setCallerIDText(const QString& text, int pixelSize) {
    m_callerIDField->setText(text);
    m_callerIDField->setStyleSheet(QStringLiteral("color: %1; font-size: %2px;")
                                       .arg(Colors::colorWithHexCode(Colors::accent).name())
                                       .arg(pixelSize));
}

// The texts start right of the status light, further right when the forwarding button shows.
void ToolbarController::layoutTexts() {
    const int callerX = textBaseX + m_callerIDLeftConstraint;
    // Alone, the status word sits in the middle of the strip; above a room name, at the top.
    const int callerHeight = m_callerIDTopConstraint >= 12 ? stripHeight - 2 * m_callerIDTopConstraint : 30;
    m_callerIDField->setGeometry(callerX, m_callerIDTopConstraint, rightButtonsX - callerX - 4, callerHeight);
    const int roomX = textBaseX + m_roomNameLeftConstraint;
    m_roomNameField->setGeometry(roomX, 36, rightButtonsX - roomX - 4, 22);
}

void ToolbarController::showNotConnectedState(const QString& status) {
    setCallerIDText(status, statusPixelSize);
    m_roomNameField->setText(QString());
    m_callerIDLeftConstraint = 10;
    m_callerIDTopConstraint = 12;
    m_roomNameLeftConstraint = 10;
    m_forwardingButton->hide();
    layoutTexts();
}

void ToolbarController::showConnectedState(const QString& roomName) {
    applyConnectedState(roomName,
                        TessmarkDialerCore::deviceCommunication().currentPhoneType() == PhoneType::VOIP);
}

void ToolbarController::showCurrentProfileConnected() {
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    applyConnectedState(textOf(device.currentRoomName()), device.currentPhoneType() == PhoneType::VOIP);
}

void ToolbarController::applyConnectedState(const QString& roomName, bool voip) {
    m_roomNameField->setText(roomName);
    m_callerIDTopConstraint = 3;
    if (voip) {
        changeToVoIPMode();
    } else {
        changeToTelcoMode();
    }
}

void ToolbarController::changeToVoIPMode() {
    m_callerIDLeftConstraint = 42;
    m_roomNameLeftConstraint = 42;
    setForwardingTint(Colors::inactiveGrey);
    m_forwardingButton->show();
    m_doNotDisturbButton->show();
    m_doNotDisturbButton->setEnabled(true);
    layoutTexts();
}

void ToolbarController::changeToTelcoMode() {
    m_callerIDLeftConstraint = 10;
    m_roomNameLeftConstraint = 10;
    m_forwardingButton->hide();
    m_doNotDisturbButton->hide();
    layoutTexts();
}

void ToolbarController::didReceivedNotification(const NotificationInfoObject& info) {
    if (!info.originCmdStr().empty()) {
        log(info.originCmdStr());
    }
    switch (info.notificationType()) {
    case NotificationType::CONNECTION:
        handleConnectionNotification(info);
        break;
    case NotificationType::SYSTEM_MESSAGE:
        handleMessageNotification(info);
        break;
    case NotificationType::REGISTRATION:
        handleSIPProxyNotification(info);
        break;
    case NotificationType::LINE_NAME:
        handleDisplayNameNotification(info);
        break;
    case NotificationType::PARTY_STATE:
        handleCallStatusNotification(info);
        break;
    case NotificationType::CALL_FORWARDING:
        handleCallForwardingStatusNotification(info);
        break;
    case NotificationType::CALL_FORWARDING_ERROR:
        handleCallForwardingErrorNotification(info);
        break;
    case NotificationType::ERROR_INFO:
        handleErrorInfoNotification(info);
        break;
    case NotificationType::MUTE:
        handleMuteCommandNotification(info);
        break;
    case NotificationType::VOLUME:
        handleVolumeCommandNotification(info);
        break;
    case NotificationType::DO_NOT_DISTURB:
        handleDoNotDisturbNotification(info);
        break;
    default:
        break;
    }
}

void ToolbarController::handleConnectionNotification(const NotificationInfoObject& info) {
    const std::string& word = info.pnStr();
    log("Connection: " + word);
    const ConnectionSettingsPtr settings =
        TessmarkDialerCore::deviceCommunication().currentConnectionSettings();
    const bool voip = settings != nullptr && settings->phoneType() == PhoneType::VOIP;
    const QString roomName = settings != nullptr ? textOf(settings->roomName()) : QString();
    if (word == "CONNECTING") {
        showNotConnectedState(QStringLiteral("CONNECTING"));
        setImage(m_connectionButton, QStringLiteral("btn_connection_grey"));
        for (QToolButton* button :
             {m_doNotDisturbButton, m_volumeUpButton, m_volumeDownButton, m_muteButton}) {
            button->setEnabled(false);
        }
    } else if (word == "LOGIN_SUCCESS") {
        showNotConnectedState(QStringLiteral("LOGGED IN"));
        setImage(m_connectionButton,
                 voip ? QStringLiteral("btn_connection_red") : QStringLiteral("btn_connection_orange"));
    } else if (word == "CONNECTED") {
        applyConnectedState(roomName, voip);
        setImage(m_connectionButton,
                 voip ? QStringLiteral("btn_connection_red") : QStringLiteral("btn_connection_orange"));
    } else if (word == "TIMEOUT") {
        showNotConnectedState(QStringLiteral("TIMEOUT"));
        setImage(m_connectionButton, QStringLiteral("btn_connection_grey"));
    } else if (word == "CLOSE" || word == "LOGIN_FAILED" || word == "ERROR") {
        // A link that is gone must not go on showing a lit room.
        showNotConnectedState(QStringLiteral("NOT CONNECTED"));
        setImage(m_connectionButton, QStringLiteral("btn_connection_grey"));
    }
}

void ToolbarController::handleMessageNotification(const NotificationInfoObject& info) {
    log("Message: " + info.payLoadStr());
}

void ToolbarController::handleSIPProxyNotification(const NotificationInfoObject&) {
    log("SIP Proxy");
    const int64_t status = TessmarkDialerCore::deviceCommunication().line()->sipProxyStatus();
    if (status < 2 || status > 4) {
        return;
    }
    showCurrentProfileConnected();
    setImage(m_connectionButton,
             status == 2 ? QStringLiteral("btn_connection_red") : QStringLiteral("btn_connection_green"));
}

void ToolbarController::handleDisplayNameNotification(const NotificationInfoObject& info) {
    log("Display Name: " + info.payLoadStr());
    showCurrentProfileConnected();
    const bool invalidEndPoint = info.payLoadStr() == "INVALID END POINT";
    setCallerIDText(textOf(info.payLoadStr()), invalidEndPoint ? statusPixelSize : displayNamePixelSize);
    setForwardingTint(info.pnStr() == "ENABLE" ? Colors::accent : Colors::inactiveGrey);
}

void ToolbarController::handleCallStatusNotification(const NotificationInfoObject&) {
    switch (TessmarkDialerCore::deviceCommunication().lineWithoutContacts()->lineState()) {
    case LineState::IDLE:
        log("Call Status: Idle");
        m_lineIdle = true;
        break;
    case LineState::COLLECTING_DIGITS:
        log("Call Status: Off-Hook");
        m_lineIdle = false;
        break;
    case LineState::IN_CALL:
        log("Call Status: In Call");
        m_lineIdle = false;
        break;
    default:
        break;
    }
}

void ToolbarController::handleCallForwardingStatusNotification(const NotificationInfoObject& info) {
    log("Call Forwarding Status: " + info.pnStr());
    if (info.pnStr() == "DISABLE") {
        changeToTelcoMode();
    } else {
        changeToVoIPMode();
    }
}

void ToolbarController::handleCallForwardingErrorNotification(const NotificationInfoObject&) {
    log("Call Forwarding Error");
    setForwardingTint(Colors::inactiveGrey);
}

void ToolbarController::handleErrorInfoNotification(const NotificationInfoObject&) {
    log("Error Info");
}

void ToolbarController::handleMuteCommandNotification(const NotificationInfoObject& info) {
    log("Mute Command: " + info.pnStr());
    if (info.pnStr() == "DISABLE") {
        m_muteButton->setEnabled(false);
        return;
    }
    m_muteButton->setEnabled(true);
    const bool muted = TessmarkDialerCore::deviceCommunication().line()->isMuteActivated();
    setImage(m_muteButton, muted ? QStringLiteral("btn_mute_on") : QStringLiteral("btn_mute_off"));
}

std::optional<int> ToolbarController::volumeLevelOf(const QString& text) {
    static const QRegularExpression leadingNumber(
        QStringLiteral("^\\s*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)"));
    const QRegularExpressionMatch match = leadingNumber.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(match.captured(1), &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return static_cast<int>(std::trunc(std::clamp(value, 0.0, 100.0)));
}

void ToolbarController::handleVolumeCommandNotification(const NotificationInfoObject& info) {
    log("Volume Command: " + info.pnStr());
    if (info.pnStr() == "DISABLE") {
        m_volumeUpButton->setEnabled(false);
        m_volumeDownButton->setEnabled(false);
        return;
    }
    m_volumeUpButton->setEnabled(true);
    m_volumeDownButton->setEnabled(true);
    // A report without a number ("ENABLE") keeps the level last shown.
    if (const std::optional<int> level = volumeLevelOf(textOf(info.pnStr()))) {
        m_volumeSliderController->setSliderValue(*level);
    }
    if (m_atStartup) {
        return;
    }
    if (!m_volumeSliderController->presenting()) {
        m_volumeSliderController->setPresenting(true);
        startVolumeSliderTimer();
        if (m_windowContentView != nullptr) {
            OverlayHost::of(m_windowContentView).addPopUp(m_volumeSliderController->view());
        }
        return;
    }
    if (m_volumeSliderTimer.isActive()) {
        m_volumeSliderTimer.stop();
        startVolumeSliderTimer();
    }
}

void ToolbarController::handleDoNotDisturbNotification(const NotificationInfoObject& info) {
    const std::string& word = info.pnStr();
    log("Do Not Disturb: " + word);
    if (word == "DISABLE") {
        changeToTelcoMode();
    } else {
        changeToVoIPMode();
    }
    const bool on = word == "DND_CALL_MUTE" || word == "DND_CALL_REJECT";
    setImage(m_doNotDisturbButton,
             on ? QStringLiteral("btn_do_not_disturb_on") : QStringLiteral("btn_do_not_disturb_off"));
}

void ToolbarController::startVolumeSliderTimer() {
    m_volumeSliderTimer.start(volumeSliderMilliseconds);
}

void ToolbarController::hideVolumeSlider() {
    m_volumeSliderController->setPresenting(false);
    OverlayHost::removeFromSuperview(m_volumeSliderController->view());
}

void ToolbarController::connectionButtonClicked() {
    if (m_lineIdle) {
        Post("openConnectionSettingsUsingConnectionButton");
    }
}

void ToolbarController::forwardingButtonClicked() {
    if (!m_lineIdle) {
        return;
    }
    if (m_callForwardingNavigationController != nullptr) {
        OverlayHost::removeFromSuperview(m_callForwardingNavigationController->view());
        m_callForwardingNavigationController->deleteLater();
    }
    if (m_callForwardingViewController != nullptr) {
        m_callForwardingViewController->deleteLater();
    }
    auto* forwarding = new CallForwardingViewController(this);
    forwarding->setStandalone(true);
    const QRect frame = m_windowContentView != nullptr ? m_windowContentView->rect() : QRect();
    auto* navigation = new KTNavigationController(frame, forwarding, this);
    navigation->navigationBar()->setDelegate(forwarding);
    m_callForwardingViewController = forwarding;
    m_callForwardingNavigationController = navigation;
    if (m_windowContentView != nullptr) {
        OverlayHost::of(m_windowContentView).addSubview(navigation->view());
        navigation->viewWillAppearInWindow();
    }
}

void ToolbarController::backToCallForwardingSettingsView(const std::optional<QString>& selectedNumber) {
    // Only a forwarding screen this toolbar opened can be put back.
    if (m_callForwardingNavigationController == nullptr || m_callForwardingViewController == nullptr) {
        return;
    }
    if (selectedNumber) {
        m_callForwardingViewController->forwardCallsToField()->setText(*selectedNumber);
    }
    if (m_windowContentView != nullptr) {
        OverlayHost::of(m_windowContentView).addSubview(m_callForwardingNavigationController->view());
    }
}

void ToolbarController::doNotDisturbButtonClicked() {
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    if (device.line()->doNotDisturbState() != 0) {
        device.changeDoNotDisturbMode(0);
        return;
    }
    Alert::show(view(), QString(), QStringLiteral("Are you sure you want to turn on Do Not Disturb mode?"),
                {QStringLiteral("No"), QStringLiteral("Yes")}, [](int answer) {
                    if (answer != 1) {
                        return;
                    }
                    const PreferencesSettingsPtr preferences =
                        PreferencesSettingsManager::preferencesSettings();
                    if (preferences != nullptr) {
                        TessmarkDialerCore::deviceCommunication().changeDoNotDisturbMode(
                            preferences->doNotDisturbMode());
                    }
                });
}

void ToolbarController::volumeButtonAction(bool up) {
    bool& pressed = up ? m_volumeUpButtonPressed : m_volumeDownButtonPressed;
    pressed = !pressed;
    m_atStartup = false;
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    if (pressed) {
        device.volumePress(up);
    } else {
        device.volumeRelease(up);
    }
}

void ToolbarController::volumeDownButtonClicked() {
    volumeButtonAction(false);
}

void ToolbarController::volumeUpButtonClicked() {
    volumeButtonAction(true);
}

void ToolbarController::muteButtonClicked() {
    TessmarkDialerCore::deviceCommunication().mutePress();
}
