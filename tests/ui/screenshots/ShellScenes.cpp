#include "App/InputPasswordViewController.h"
#include "App/KTNavigationBarController.h"
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
#include "Screens/settings/SettingsViewController.h"
#include "ui/screenshots/Screenshots.h"
#include "ui/support/TabWalk.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QMap>
#include <QPainter>
#include <QToolButton>

#include <algorithm>

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

// The Tab walk of a tab's page, a strip of the window around each stop in the order reached.
QWidget* tabWalkPicture(UiHarness& ui, int tab, int settingsRow = -1) {
    TabBarController* tabs = ui.delegate().tabBarController();
    Screenshots::userStep(UserInput::click(tabs->button(tab)));
    if (settingsRow >= 0) {
        KTTableView* rows = tabs->settingsViewController()->tableView();
        Screenshots::userStep(UserInput::clickAt(
            rows->viewport(), rows->visualRect(rows->model()->index(settingsRow, 0)).center()));
        tabs->settingsViewController()->navigationController()->finishPendingSlide();
    }
    QWidget* window = ui.window();
    QMap<QWidget*, QPixmap> pictures;
    const QList<QWidget*> stops = TabWalk::walk(80, [&](QWidget* stop) {
        const QRect around = QRect(stop->mapTo(window, QPoint(0, 0)), stop->size()).adjusted(-6, -6, 6, 6);
        // Of a tall stop (a list) its top, where the frame turns, is enough.
        pictures[stop] =
            window->grab((around & window->rect()).adjusted(0, 0, 0, std::min(0, 90 - around.height())));
    });
    Screenshots::userStep(!stops.isEmpty());
    QList<QPixmap> strips;
    for (QWidget* stop : TabWalk::enteringAt(stops, ui.delegate().toolbarView())) {
        strips.append(pictures[stop]);
    }
    QSize size(window->width(), 0);
    for (const QPixmap& strip : strips) {
        size.rheight() += strip.deviceIndependentSize().toSize().height() + 4;
    }
    const qreal ratio = window->devicePixelRatioF();
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&picture);
    int top = 0;
    for (const QPixmap& strip : strips) {
        painter.drawPixmap(QPointF(0, top), strip);
        top += strip.deviceIndependentSize().toSize().height() + 4;
    }
    painter.end();
    auto* label = new QLabel(window, Qt::Window);
    label->setPixmap(picture);
    label->resize(size);
    return label;
}

} // namespace

TESSMARK_SCREENSHOT_SCENE("focus_walk_logs") {
    UiHarness& ui = launchedWindow(scene);
    registered(ui);
    return tabWalkPicture(ui, TabBarController::Logs);
}

TESSMARK_SCREENSHOT_SCENE("focus_walk_dialer") {
    UiHarness& ui = launchedWindow(scene);
    registered(ui);
    return tabWalkPicture(ui, TabBarController::Dialer);
}

TESSMARK_SCREENSHOT_SCENE("focus_walk_preferences") {
    UiHarness& ui = launchedWindow(scene);
    registered(ui);
    return tabWalkPicture(ui, TabBarController::Settings, 1);
}

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
