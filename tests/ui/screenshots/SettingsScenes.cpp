#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/KTSegmentedControl.h"
#include "App/controls/KTSwitch.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/common/Codes.h"
#include "Platform/Paths.h"
#include "Screens/settings/AboutViewController.h"
#include "Screens/settings/CallForwardingViewController.h"
#include "Screens/settings/ConnectionCellView.h"
#include "Screens/settings/ConnectionInfoViewController.h"
#include "Screens/settings/ConnectionViewController.h"
#include "Screens/settings/CustomButtonViewController.h"
#include "Screens/settings/EditConnectionViewController.h"
#include "Screens/settings/MuteViewController.h"
#include "Screens/settings/PhoneBookSettingsViewController.h"
#include "Screens/settings/PreferencesViewController.h"
#include "Screens/settings/SecurityViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "Screens/settings/VolumeUpDownViewController.h"
#include "support/FakeSerialPortEnumerator.h"
#include "ui/screenshots/Screenshots.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

namespace {

ConnectionSettingsPtr storedProfile(const std::string& roomName, const std::string& ip) {
    auto profile = std::make_shared<ConnectionSettings>();
    profile->setRoomName(roomName);
    profile->setIp(ip);
    profile->setUserName("admin");
    profile->setTelcoVoIPEPN("1");
    ConnectionSettingsManager::addConnectionSettings(*profile);
    return profile;
}

// The window with three stored profiles, "Board Room" the current one, on the Settings tab.
UiHarness& settingsWindow(Screenshots::SceneContext& scene) {
    UiHarness::resetStore();
    const ConnectionSettingsPtr boardRoom = storedProfile("Board Room", "192.168.1.20");
    boardRoom->setIsAutoConnect(true);
    ConnectionSettingsManager::updateConnectionSettings(*boardRoom);
    storedProfile("Lab <b>2</b>", "10.0.0.7");
    storedProfile("Training Centre, North Wing, Second Floor", "10.0.0.9");
    UiHarness& ui = scene.ui();
    ui.launch();
    ui.connectProfile(*boardRoom);
    TabBarController* tabs = ui.delegate().tabBarController();
    Screenshots::userStep(UserInput::click(tabs->settingsButton()));
    return ui;
}

SettingsViewController* settingsList(UiHarness& ui) {
    return ui.delegate().tabBarController()->settingsViewController();
}

QWidget* showPage(UiHarness& ui, ViewController* page) {
    KTNavigationController* stack = settingsList(ui)->navigationController();
    stack->pushViewController(page, false);
    return ui.window();
}

// A user clicks a radio button on its circle: the row around its text takes no clicks.
bool clickIndicator(QRadioButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect circle = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
    return UserInput::clickAt(button, circle.center());
}

// The connection list in edit mode with the editor open on the current profile's row.
EditConnectionViewController* openEditor(UiHarness& ui) {
    SettingsViewController* settings = settingsList(ui);
    ConnectionViewController* list = settings->connectionViewController();
    settings->navigationController()->pushViewController(list, false);
    Screenshots::userStep(UserInput::click(settings->navigationController()->navigationBar()->rightButton()));
    Screenshots::userStep(UserInput::click(list->connectionViews()[1]->rightButton()));
    settings->navigationController()->finishPendingSlide();
    return list->editor();
}

} // namespace

TESSMARK_SCREENSHOT_SCENE("settings_list") {
    return settingsWindow(scene).window();
}

TESSMARK_SCREENSHOT_SCENE("settings_about") {
    // The program sets it as it starts; the scenes run without that start.
    QCoreApplication::setApplicationVersion(QString::fromStdString(Platform::Paths::version()));
    UiHarness& ui = settingsWindow(scene);
    return showPage(ui, settingsList(ui)->aboutViewController());
}

TESSMARK_SCREENSHOT_SCENE("settings_preferences") {
    UiHarness& ui = settingsWindow(scene);
    return showPage(ui, settingsList(ui)->preferencesViewController());
}

TESSMARK_SCREENSHOT_SCENE("settings_security") {
    UiHarness& ui = settingsWindow(scene);
    return showPage(ui, settingsList(ui)->securityViewController());
}

TESSMARK_SCREENSHOT_SCENE("settings_phone_book") {
    UiHarness& ui = settingsWindow(scene);
    return showPage(ui, settingsList(ui)->phoneBookSettingsViewController());
}

TESSMARK_SCREENSHOT_SCENE("settings_connections") {
    UiHarness& ui = settingsWindow(scene);
    return showPage(ui, settingsList(ui)->connectionViewController());
}

TESSMARK_SCREENSHOT_SCENE("settings_connections_edit") {
    UiHarness& ui = settingsWindow(scene);
    ConnectionViewController* list = settingsList(ui)->connectionViewController();
    showPage(ui, list);
    Screenshots::userStep(UserInput::click(list->navigationController()->navigationBar()->rightButton()));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("settings_connection_editor") {
    UiHarness& ui = settingsWindow(scene);
    openEditor(ui);
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("settings_connection_info_telnet") {
    UiHarness& ui = settingsWindow(scene);
    return showPage(ui, openEditor(ui)->connectionInfoViewController());
}

TESSMARK_SCREENSHOT_SCENE("settings_connection_info_serial") {
    // The pop-up is filled as the page shows; the list need not outlive the scene.
    FakeSerialPortEnumerator ports;
    ports.setDevices({Platform::SerialDevice::named("ttyUSB0", "/dev/ttyUSB0", "ftdi_sio"),
                      Platform::SerialDevice::named("ttyUSB1", "/dev/ttyUSB1", "ftdi_sio")});
    UiHarness& ui = settingsWindow(scene);
    EditConnectionViewController* editor = openEditor(ui);
    // The profile keeps a port that has since been unplugged; the user picks Serial, the last segment.
    editor->connection()->setSerialPath("/dev/ttyACM9");
    ConnectionInfoViewController* page = editor->connectionInfoViewController();
    showPage(ui, page);
    KTSegmentedControl* types = page->connectionTypeControl();
    Screenshots::userStep(UserInput::click(types->segmentButton(types->segmentCount() - 1)));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("settings_custom_buttons") {
    UiHarness& ui = settingsWindow(scene);
    CustomButtonViewController* page = openEditor(ui)->customButtonViewController();
    showPage(ui, page);
    QWidget* view = page->view();
    const auto named = [view](const char* name) { return view->findChild<QWidget*>(QLatin1String(name)); };
    Screenshots::userStep(UserInput::click(named("custom1Switch")));
    Screenshots::userStep(UserInput::replaceText(named("custom1LabelField"), QStringLiteral("Lights")));
    Screenshots::userStep(
        UserInput::replaceText(named("custom1PressField"), QStringLiteral("EP LIGHTS PRESS")));
    Screenshots::userStep(
        UserInput::replaceText(named("custom1ReleaseField"), QStringLiteral("EP LIGHTS RELEASE")));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("settings_mute") {
    UiHarness& ui = settingsWindow(scene);
    MuteViewController* page = openEditor(ui)->muteViewController();
    showPage(ui, page);
    Screenshots::userStep(UserInput::replaceText(page->microphoneGroupField(), QStringLiteral("Mics")));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("settings_volume") {
    UiHarness& ui = settingsWindow(scene);
    VolumeUpDownViewController* page = openEditor(ui)->volumeUpDownViewController();
    showPage(ui, page);
    Screenshots::userStep(clickIndicator(page->useCustomCommandsButton()));
    Screenshots::userStep(
        UserInput::replaceText(page->volumeUpPressField(), QStringLiteral("EP SPK LEVEL GAIN 1")));
    Screenshots::userStep(UserInput::replaceText(page->sliderMaxValueField(), QStringLiteral("EP SPK MAX")));
    Screenshots::userStep(UserInput::replaceText(page->sliderMinValueField(), QStringLiteral("EP SPK MIN")));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("call_forwarding_on") {
    UiHarness::resetStore();
    UiHarness& ui = scene.ui();
    ConnectionSettingsPtr profile = UiHarness::testProfile(PhoneType::VOIP);
    profile->setIsAutoConnect(true);
    ConnectionSettingsManager::addConnectionSettings(*profile);
    ui.launch();
    ui.connectProfile(*profile);
    ui.dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
    ui.feed("EP UA 1 INQUIRE_RESULT CFW_STATUS ACTIVE;CFW-UNCONDITIONAL;SIP:200@PBX");
    Screenshots::userStep(UserInput::click(ui.delegate().toolbarController()->forwardingButton()));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("settings_security_mismatch") {
    UiHarness& ui = settingsWindow(scene);
    SecurityViewController* page = settingsList(ui)->securityViewController();
    showPage(ui, page);
    Screenshots::userStep(UserInput::click(page->activateButton()));
    Screenshots::userStep(UserInput::replaceText(page->enterPasswordField(), QStringLiteral("secret")));
    Screenshots::userStep(UserInput::replaceText(page->reEnterPasswordField(), QStringLiteral("Secret")));
    Screenshots::userStep(UserInput::click(page->navigationController()->navigationBar()->leftButton()));
    return Screenshots::withSheet(ui.window());
}

TESSMARK_SCREENSHOT_SCENE("settings_mute_warning") {
    UiHarness& ui = settingsWindow(scene);
    MuteViewController* page = openEditor(ui)->muteViewController();
    showPage(ui, page);
    Screenshots::userStep(clickIndicator(page->useCustomMuteCommandsButton()));
    Screenshots::userStep(
        UserInput::replaceText(page->mutePressField(), QStringLiteral("EP MIC MUTE TOGGLE")));
    Screenshots::userStep(UserInput::click(page->navigationController()->navigationBar()->leftButton()));
    return Screenshots::withSheet(ui.window());
}
