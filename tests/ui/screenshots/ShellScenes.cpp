#include "App/InputPasswordViewController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/SecuritySettings.h"
#include "Logic/bridge/SecuritySettingsManager.h"
#include "Logic/common/Codes.h"
#include "Logic/protocol/CommandParser.h"
#include "ui/screenshots/Screenshots.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QToolButton>

namespace {

// The window as a user with an auto-connect VoIP profile sees it.
UiHarness& launchedWindow(Screenshots::SceneContext& scene, const std::string& home = "Favorites",
                          int64_t phoneType = PhoneType::VOIP) {
    UiHarness::resetStore();
    return Screenshots::launchAutoConnected(scene, *UiHarness::testProfile(phoneType), home);
}

void registered(UiHarness& ui) {
    ui.dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
    ui.feed("EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY");
    ui.dispatchRecord(NotificationType::LINE_NAME, "DISABLE", "FRONT DESK");
    ui.dispatchRecord(NotificationType::VOLUME, "40");
    ui.dispatch(CommandParser().makeMuteNotification(false, "ENABLE"));
    ui.feed("EP UA 1 INQUIRE_RESULT DND_STATUS DND_OFF");
}

} // namespace

TESSMARK_SCREENSHOT_SCENE("window") {
    UiHarness& ui = launchedWindow(scene);
    registered(ui);
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("window_startup_connection_list") {
    UiHarness::resetStore();
    UiHarness& ui = scene.ui();
    ui.launch();
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("toolbar_not_connected") {
    UiHarness::resetStore();
    UiHarness& ui = scene.ui();
    ui.launch();
    return ui.delegate().toolbarController()->view();
}

TESSMARK_SCREENSHOT_SCENE("toolbar_connecting") {
    UiHarness& ui = launchedWindow(scene);
    return ui.delegate().toolbarController()->view();
}

TESSMARK_SCREENSHOT_SCENE("toolbar_voip_registered") {
    UiHarness& ui = launchedWindow(scene);
    registered(ui);
    return ui.delegate().toolbarController()->view();
}

TESSMARK_SCREENSHOT_SCENE("toolbar_voip_forwarding_dnd_mute") {
    UiHarness& ui = launchedWindow(scene);
    registered(ui);
    ui.feed("EP UA 1 INQUIRE_RESULT DND_STATUS DND_CALL_MUTE");
    ui.dispatch(CommandParser().makeMuteNotification(true, "ENABLE"));
    ui.dispatchRecord(NotificationType::LINE_NAME, "ENABLE", "300");
    return ui.delegate().toolbarController()->view();
}

TESSMARK_SCREENSHOT_SCENE("toolbar_telco_logged_in") {
    UiHarness& ui = launchedWindow(scene, "Favorites", PhoneType::TELCO);
    ui.dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
    ui.dispatchRecord(NotificationType::CONNECTION, "LOGIN_SUCCESS");
    return ui.delegate().toolbarController()->view();
}

TESSMARK_SCREENSHOT_SCENE("tabs_phone_book") {
    UiHarness& ui = launchedWindow(scene, "Phone Book");
    registered(ui);
    return ui.delegate().tabBarController()->view();
}

TESSMARK_SCREENSHOT_SCENE("tabs_dialer_keypad_borrowed") {
    UiHarness& ui = launchedWindow(scene);
    registered(ui);
    ui.feed("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;ACTIVE:201:0:0");
    // The active-call screen steps aside for the keypad it borrows.
    OverlayHost::removeFromSuperview(ui.delegate().activeCallNavigationController()->view());
    Post("openKeyPadFromActiveCallView");
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("window_volume_popup") {
    UiHarness& ui = launchedWindow(scene);
    registered(ui);
    ToolbarController* toolbar = ui.delegate().toolbarController();
    Screenshots::userStep(UserInput::click(toolbar->volumeUpButton()));
    ui.dispatchRecord(NotificationType::VOLUME, "63");
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("window_password_prompt") {
    UiHarness::resetStore();
    SecuritySettingsPtr security = SecuritySettingsManager::securitySettings();
    security->setPasswordProtected(true);
    security->setPassword("Secret");
    SecuritySettingsManager::updateSecuritySettings(*security);
    UiHarness& ui = scene.ui();
    ui.launch();
    return ui.delegate().tabBarController()->passwordPrompt()->view();
}

// A room name and a display name longer than the strip: both shorten with "…".
TESSMARK_SCREENSHOT_SCENE("toolbar_long_names") {
    UiHarness::resetStore();
    ConnectionSettings profile = *UiHarness::testProfile(PhoneType::VOIP);
    profile.setRoomName("Executive Boardroom on the Seventh Floor, North Wing");
    UiHarness& ui = Screenshots::launchAutoConnected(scene, profile, "Favorites");
    ui.dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
    ui.feed("EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY");
    ui.dispatchRecord(NotificationType::LINE_NAME, "DISABLE", "RECEPTION DESK AND VISITOR LOUNGE");
    return ui.delegate().toolbarController()->view();
}
