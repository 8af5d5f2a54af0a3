#include "App/shell/AppDelegate.h"

#include "App/Alert.h"
#include "App/CoalescedRefresh.h"
#include "App/Images.h"
#include "App/KTNavigationController.h"
#include "App/NotificationRelay.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/FocusFrames.h"
#include "App/controls/FocusOrder.h"
#include "App/shell/TabBarController.h"
#include "App/shell/TitleBarController.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/Line.h"
#include "Logic/bridge/NotificationInfoObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallViewController.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/calling/SharedCallRouting.h"
#include "Screens/calling/TelcoActiveCallViewController.h"

#include <QIcon>
#include <QVBoxLayout>
#include <QWidget>

namespace {

AppDelegate*& runningDelegate() {
    static AppDelegate* delegate = nullptr;
    return delegate;
}

bool isDialToneState(int64_t state) {
    return state == StateId::DIAL_TONE || state == StateId::TRANSFERRING_DIAL_TONE ||
           state == StateId::BLIND_TRANSFERRING_DIAL_TONE;
}

bool isInProcessState(int64_t state) {
    return state == StateId::INPROCESS || state == StateId::TRANSFERRING_INPROCESS ||
           state == StateId::BLIND_TRANSFERRING_INPROCESS;
}

} // namespace

AppDelegate* AppDelegate::instance() {
    return runningDelegate();
}

AppDelegate::AppDelegate(Options options) : m_options(options) {
    runningDelegate() = this;
    lendSharedCallRouting(&m_callRouting);
    buildWindow();
}

AppDelegate::~AppDelegate() {
    m_observers.reset();
    delete m_window.data();
    if (runningDelegate() == this) {
        runningDelegate() = nullptr;
        lendSharedCallRouting(nullptr);
    }
}

// The window: the clock strip on top, the toolbar under it, and the content area that holds
// the tab bar and, while a call is up, an active-call screen over it. Its size is fixed, as
// the screens are laid out for it.
void AppDelegate::buildWindow() {
    FocusFrames::install();
    auto* window = new FocusOrder::Window;
    window->setObjectName(QStringLiteral("MainWindow"));
    window->setWindowTitle(QStringLiteral("TessmarkDialer"));
    window->setWindowIcon(QIcon(Images::named(QStringLiteral("app_icon"), QSize(128, 128))));
    window->setFixedSize(windowWidth, titleBarHeight + toolbarHeight + contentHeight);
    m_titleBarView = new QWidget(window);
    m_titleBarView->setObjectName(QStringLiteral("titleBarView"));
    m_titleBarView->setGeometry(0, 0, windowWidth, titleBarHeight);
    m_toolbarView = new QWidget(window);
    m_toolbarView->setObjectName(QStringLiteral("toolbarView"));
    m_toolbarView->setGeometry(0, titleBarHeight, windowWidth, toolbarHeight);
    FocusOrder::setPart(m_toolbarView, FocusOrder::Part::Toolbar);
    m_contentView = new QWidget(window);
    m_contentView->setObjectName(QStringLiteral("contentView"));
    m_contentView->setGeometry(0, titleBarHeight + toolbarHeight, windowWidth, contentHeight);
    m_window = window;
    Alert::setMainWindow(window);
}

void AppDelegate::applicationDidFinishLaunching() {
    m_window->show();
    if (m_options.managesCore) {
        TessmarkDialerCore::open();
    }
    initTitleBar();
    initToolbar();
    initTabBar();
    if (m_options.managesCore) {
        TessmarkDialerCore::postDidLaunch();
    }

    m_activeCallController = new ActiveCallViewController(this);
    m_activeCallNavigationController =
        new KTNavigationController(m_contentView->rect(), m_activeCallController, this);
    m_telcoActiveCallController = new TelcoActiveCallViewController(this);
    m_telcoActiveCallNavigationController =
        new KTNavigationController(m_contentView->rect(), m_telcoActiveCallController, this);
    m_activeCallRefresh = new CoalescedRefresh([this] { m_activeCallController->update(); }, this);
    m_telcoActiveCallRefresh = new CoalescedRefresh([this] { m_telcoActiveCallController->update(); }, this);

    m_callRouting.setDialToneLineParty(CallRouting::NoParty);
    m_callRouting.setNewCallFromActiveCall(false);

    m_observers = std::make_unique<QObject>();
    Observe("notification", m_observers.get(), [this](const auto& posted) {
        if (const auto record = NotificationRelay::recordOf(posted)) {
            receivedNotification(*record);
        }
    });
    Observe("backToActiveCallView", m_observers.get(), [this](const auto&) { backToActiveCallView(); });
    Observe("backToActiveCallViewFromKeyPad", m_observers.get(),
            [this](const auto&) { backToActiveCallViewFromKeyPad(); });
    Observe("newCallFromActiveCall", m_observers.get(), [this](const auto&) { newCallFromActiveCall(); });
}

void AppDelegate::applicationWillTerminate() {
    m_observers.reset();
    if (m_options.managesCore) {
        TessmarkDialerCore::close();
    }
}

void AppDelegate::initTitleBar() {
    m_titleBarController = new TitleBarController(this);
    QWidget* strip = m_titleBarController->view();
    strip->setParent(m_titleBarView);
    strip->setGeometry(m_titleBarView->rect());
    strip->show();
}

void AppDelegate::initToolbar() {
    m_toolbarController = new ToolbarController(this);
    m_toolbarController->setWindowContentView(m_contentView);
    QWidget* strip = m_toolbarController->view();
    strip->setParent(m_toolbarView);
    strip->setGeometry(m_toolbarView->rect());
    strip->show();
}

void AppDelegate::initTabBar() {
    m_tabBarController = new TabBarController(this);
    m_tabBarController->setWindowContentView(m_contentView);
    QWidget* tabBar = m_tabBarController->view();
    tabBar->setGeometry(m_contentView->rect());
    OverlayHost::of(m_contentView).addSubview(tabBar);
    m_tabBarController->viewWillAppearInWindow();
}

int64_t AppDelegate::currentPhoneType() {
    return TessmarkDialerCore::deviceCommunication().currentPhoneType();
}

KTNavigationController* AppDelegate::overlayFor(int64_t phoneType) const {
    return phoneType == PhoneType::VOIP ? m_activeCallNavigationController
                                        : m_telcoActiveCallNavigationController;
}

bool AppDelegate::isShowing(KTNavigationController* overlay) const {
    return OverlayHost::of(m_contentView).isTopmost(overlay->view());
}

// Laying an active-call screen over the window is where it appears.
void AppDelegate::layOverlay(KTNavigationController* overlay) {
    overlay->view()->setGeometry(m_contentView->rect());
    OverlayHost::of(m_contentView).addSubview(overlay->view());
    overlay->viewWillAppearInWindow();
}

void AppDelegate::removeOverlay(KTNavigationController* overlay) {
    OverlayHost::removeFromSuperview(overlay->view());
}

bool AppDelegate::keypadLent() const {
    return m_tabBarController != nullptr && m_tabBarController->dialerViewController() != nullptr &&
           m_tabBarController->dialerViewController()->openedFromActiveCallView();
}

void AppDelegate::receivedNotification(const NotificationInfoObject& info) {
    if (info.notificationType() != NotificationType::PARTY_STATE) {
        return;
    }
    // Read here, on the GUI thread, with the rest: one profile and one line per record.
    const int64_t phoneType = currentPhoneType();
    const bool voip = phoneType == PhoneType::VOIP;
    KTNavigationController* overlay = overlayFor(phoneType);
    // The routing looks at states only: no contacts, so no store read per record.
    const LinePtr line = TessmarkDialerCore::deviceCommunication().lineWithoutContacts();

    // The first party a rule matches ends the walk.
    for (const LinePartyPtr& party : line->lineParties()) {
        const int64_t state = party->state();
        if (isDialToneState(state) && m_callRouting.newCallFromActiveCall()) {
            m_callRouting.setDialToneLineParty(party->ID());
            m_callRouting.setNewCallFromActiveCall(false);
            removeOverlay(overlay);
            Post("backToCurrentTab");
            Post("dialerNewCallState");
            break;
        }
        if (isInProcessState(state) && party->ID() == m_callRouting.dialToneLineParty()) {
            m_callRouting.setDialToneLineParty(CallRouting::NoParty);
            m_callRouting.setNewCallFromActiveCall(false);
            m_callRouting.setCallState(CallRouting::Normal);
            layOverlay(overlay);
            Post("dialerNormalState");
            Post("openActiveCallView");
            break;
        }
        if (state == StateId::DIAL_TONE && m_callRouting.dialToneLineParty() == CallRouting::NoParty) {
            m_callRouting.setDialToneLineParty(party->ID());
            break;
        }
    }

    const bool showing = isShowing(overlay);
    switch (line->lineState()) {
    case LineState::IDLE:
        m_callRouting.setCallState(CallRouting::Idle);
        // A party left holding dial tone for the dialer would be ended by its Cancel later.
        m_callRouting.setDialToneLineParty(CallRouting::NoParty);
        if (showing) {
            m_callRouting.setNewCallFromActiveCall(false);
            if (voip) {
                m_activeCallRefresh->request();
            }
            removeOverlay(overlay);
            Post("backToCurrentTab");
        }
        // The call's pickers go with it, whether or not its screen was on top.
        m_activeCallController->lineWentIdle();
        Post("dialerNormalState");
        break;
    case LineState::COLLECTING_DIGITS:
        if (showing && voip) {
            m_activeCallRefresh->request();
        }
        Post("dialerOffHookState");
        break;
    case LineState::IN_CALL:
        // While the dialer is the call's keypad the screen follows the call from aside: taking
        // the window back would cover the keypad at every digit.
        if (showing || keypadLent()) {
            if (voip) {
                m_activeCallRefresh->request();
            } else {
                m_telcoActiveCallRefresh->request();
            }
        } else if (m_callRouting.callState() == CallRouting::Normal ||
                   m_callRouting.callState() == CallRouting::Idle) {
            m_callRouting.setNewCallFromActiveCall(false);
            m_callRouting.setCallState(CallRouting::Normal);
            if (!voip) {
                m_telcoActiveCallController->startNewCall();
                m_telcoActiveCallController->update();
            }
            layOverlay(overlay);
            Post("openActiveCallView");
        }
        break;
    default:
        break;
    }
}

// Lays the active-call screen back only while a call is still up: over an idle line it would
// show a screen with nothing to act on and no way back.
void AppDelegate::layCurrentOverlayWhileInCall() {
    if (TessmarkDialerCore::deviceCommunication().line()->lineState() == LineState::IDLE) {
        return;
    }
    layOverlay(overlayFor(currentPhoneType()));
}

void AppDelegate::backToActiveCallView() {
    layCurrentOverlayWhileInCall();
}

void AppDelegate::backToActiveCallViewFromKeyPad() {
    layCurrentOverlayWhileInCall();
}

void AppDelegate::newCallFromActiveCall() {
    m_callRouting.setNewCallFromActiveCall(true);
    m_callRouting.setDialToneLineParty(CallRouting::NoParty);
}
