#include "ui/support/UiHarness.h"

#include "App/Alert.h"
#include "App/Beep.h"
#include "App/CoalescedRefresh.h"
#include "App/FileDialog.h"
#include "App/KTNavigationController.h"
#include "App/MainQueueBinding.h"
#include "App/NotificationRelay.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/NotificationInfoObject.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/bridge/SecuritySettings.h"
#include "Logic/bridge/SecuritySettingsManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/protocol/CPPNotificationInfo.h"
#include "Platform/MainQueue.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <any>
#include <cstdlib>

namespace {

// Every notification a screen posts or hears.
constexpr const char* screenNotifications[] = {
    "connectionSettingsChanged",
    "didConnectedAtStartup",
    "securitySettingsChanged",
    "dateTimeFormatChanged",
    "backToCurrentTab",
    "openActiveCallView",
    "backToActiveCallView",
    "backToActiveCallViewFromKeyPad",
    "openKeyPadFromActiveCallView",
    "newCallFromActiveCall",
    "dialerNewCallState",
    "dialerNormalState",
    "dialerOffHookState",
    "openPhoneBookFromCallForwardingSettingsView",
    "openConnectionSettingsUsingConnectionButton",
    "backToCallForwardingSettingsView",
    "dismissNumberPickerView",
};

std::time_t screenshotMoment() {
    return static_cast<std::time_t>(QDateTime(QDate(2026, 12, 6), QTime(10, 12, 5)).toSecsSinceEpoch());
}

} // namespace

// The spy's observers live on a QObject of their own, so they go with the spy.
struct PostSpyContext : QObject {};

PostSpy::PostSpy() {
    auto* context = new PostSpyContext;
    m_context.reset(context);
    for (const char* name : screenNotifications) {
        Observe(name, context, [this, name](const auto&) { m_names.append(QLatin1String(name)); });
    }
    Observe("notification", context, [this](const Platform::NotificationCenter::Notification& posted) {
        const auto record = NotificationRelay::recordOf(posted);
        const QString word = record != nullptr ? QString::fromStdString(record->pnStr()) : QString();
        m_names.append(QStringLiteral("notification:") + word);
    });
}

PostSpy::~PostSpy() = default;

QStringList PostSpy::screenPosts() const {
    QStringList posts;
    for (const QString& name : m_names) {
        if (!name.startsWith(QStringLiteral("notification:"))) {
            posts.append(name);
        }
    }
    return posts;
}

DeviceCommunication* UiHarness::core() {
    return TessmarkDialerCore::deviceCommunication().deviceCommunication();
}

void UiHarness::resetStore() {
    openCoreOnce();
    for (const ConnectionSettingsPtr& profile : ConnectionSettingsManager::allConnectionSettings()) {
        ConnectionSettingsManager::removeConnectionSettings(*profile);
    }
    const PreferencesSettingsPtr defaults = PreferencesSettingsManager::preferencesSettings();
    PreferencesSettings preferences;
    preferences.setID(defaults->ID());
    preferences.setExpandsPhoneBookEntries(true);
    PreferencesSettingsManager::updatePreferencesSettings(preferences);
    SecuritySettingsPtr security = SecuritySettingsManager::securitySettings();
    security->setPasswordProtected(false);
    security->setPassword("");
    SecuritySettingsManager::updateSecuritySettings(*security);
}

void UiHarness::openCoreOnce() {
    static bool opened = false;
    if (opened) {
        return;
    }
    opened = true;
    // Removed at exit; the core keeps its file open until then, which Linux allows.
    static QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    static auto* binding = new MainQueueBinding(Platform::MainQueue::shared());
    Q_UNUSED(binding);
    NotificationRelay::instance().start(Platform::NotificationCenter::defaultCenter(),
                                        Platform::MainQueue::shared());
    TessmarkDialerCore::open();
}

UiHarness::UiHarness() : m_clock(screenshotMoment()) {
    openCoreOnce();
    Alert::clearRequests();
    FileDialog::clearRequests();
    Beep::setHook([this] { ++m_beeps; });
    if (DeviceCommunication* device = core()) {
        device->setSerialBridge(&m_bridge);
    }
    m_posts = std::make_unique<PostSpy>();
}

UiHarness::~UiHarness() {
    if (m_delegate != nullptr) {
        m_delegate->applicationWillTerminate();
        m_delegate.reset();
    }
    m_posts.reset();
    drain();
    // The device object puts its own serial bridge back on the core.
    if (DeviceCommunication* device = core()) {
        TessmarkDialerCore::deviceCommunication().setDeviceCommunication(device);
    }
    Beep::setHook({});
}

void UiHarness::launch() {
    m_delegate = std::make_unique<AppDelegate>(AppDelegate::Options{false});
    m_delegate->applicationDidFinishLaunching();
    drain();
    // Clicks and keys are routed through the window, which takes them only once it is exposed.
    if (QWidget* shown = window(); shown != nullptr && shown->isVisible()) {
        if (!QTest::qWaitForWindowExposed(shown)) {
            qFatal("the main window was never exposed");
        }
        // A sheet the start-up opened (the settings password) stays in front, as it would.
        QWidget* front =
            QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : shown;
        front->activateWindow();
        (void)QTest::qWaitForWindowActive(front);
    }
}

std::shared_ptr<ConnectionSettings> UiHarness::testProfile(int64_t phoneType) {
    auto profile = std::make_shared<ConnectionSettings>();
    profile->setRoomName("Board Room");
    profile->setConnectionType(ConnectionType::SERIAL);
    profile->setSerialPath(noPortPath);
    profile->setTelcoVoIPEPN("1");
    profile->setIsEPN(true);
    profile->setPhoneType(phoneType);
    return profile;
}

void UiHarness::connectProfile(const ConnectionSettings& profile) {
    drain();
    const int before = m_posts->count(QStringLiteral("notification:CONNECTING"));
    TessmarkDialerCore::deviceCommunication().connect(profile);
    // The link is made on the core's connect thread; its record comes through the relay.
    const bool connecting = QTest::qWaitFor(
        [this, before] {
            drain();
            return m_posts->count(QStringLiteral("notification:CONNECTING")) > before;
        },
        5000);
    if (!connecting) {
        qFatal("the test profile's CONNECTING record never came");
    }
}

void UiHarness::connectProfile(int64_t phoneType) {
    connectProfile(*testProfile(phoneType));
}

void UiHarness::feed(const std::string& line) {
    if (DeviceCommunication* device = core()) {
        device->serialDataReceived(line);
    }
    drain();
}

void UiHarness::dispatch(std::unique_ptr<CPPNotificationInfo> record) {
    if (DeviceCommunication* device = core()) {
        device->dispatchNotification(std::move(record));
    }
    drain();
}

void UiHarness::dispatchRecord(int32_t notificationType, const std::string& word,
                               const std::string& payload) {
    auto record = std::make_unique<CPPNotificationInfo>();
    record->setCmdType(CommandType::CORE);
    record->setEndPointType(EndPointType::UA);
    record->setPn(word);
    record->setPayload(payload);
    record->setNotificationType(notificationType);
    dispatch(std::move(record));
}

void UiHarness::drain() {
    do {
        DeviceCommandListener::getInstance().waitUntilDelivered();
        Platform::MainQueue::shared().runPending();
    } while (Platform::MainQueue::shared().pendingCount() > 0);
    // The screens as the next frame shows them.
    CoalescedRefresh::runAllPending();
}

bool UiHarness::voipShowing() {
    return OverlayHost::of(m_delegate->contentView())
        .isTopmost(m_delegate->activeCallNavigationController()->view());
}

bool UiHarness::telcoShowing() {
    return OverlayHost::of(m_delegate->contentView())
        .isTopmost(m_delegate->telcoActiveCallNavigationController()->view());
}
