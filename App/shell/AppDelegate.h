#pragma once

#include "App/CallRouting.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>

class ActiveCallViewController;
class CoalescedRefresh;
class KTNavigationController;
class NotificationInfoObject;
class QWidget;
class TabBarController;
class TelcoActiveCallViewController;
class TitleBarController;
class ToolbarController;

// The application's delegate: it opens the core, builds the window (the clock strip, the
// toolbar, the tab bar), starts the auto-connect, and keeps the window in step with the call:
// on every call-status record it lays the VoIP or Telco active-call screen over the tab bar,
// takes it away, and tells the dialer screens which mode to show. It owns the call-routing
// state the screens share. One per process; GUI thread only.
class AppDelegate final : public QObject {
    Q_OBJECT

public:
    static constexpr int windowWidth = 420;
    static constexpr int titleBarHeight = 26;
    static constexpr int toolbarHeight = 64;
    static constexpr int contentHeight = 680;

    struct Options {
        // Tests keep one core open for their whole process and launch a fresh window per test.
        bool managesCore = true;
    };

    // The delegate of the running application, or null.
    static AppDelegate* instance();

    explicit AppDelegate(Options options);
    AppDelegate() : AppDelegate(Options{}) {}
    ~AppDelegate() override;
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // The start-up sequence: open the core, the clock strip, toolbar and tab bar, the
    // auto-connect, then the two active-call screens and the observers.
    void applicationDidFinishLaunching();
    // Removes the delegate's observers and closes the core (joining its threads).
    void applicationWillTerminate();
    static bool applicationShouldTerminateAfterLastWindowClosed() { return true; }

    void initTitleBar();
    void initToolbar();
    void initTabBar();

    // The call-view routing of one record (call-status records only).
    void receivedNotification(const NotificationInfoObject& info);
    void backToActiveCallView();
    void backToActiveCallViewFromKeyPad();
    void newCallFromActiveCall();

    CallRouting& callRouting() { return m_callRouting; }
    int64_t callState() const { return m_callRouting.callState(); }
    void setCallState(int64_t state) { m_callRouting.setCallState(state); }
    int64_t dialToneLineParty() const { return m_callRouting.dialToneLineParty(); }
    void setDialToneLineParty(int64_t party) { m_callRouting.setDialToneLineParty(party); }

    QWidget* window() const { return m_window.data(); }
    QWidget* toolbarView() const { return m_toolbarView; }
    // The area below the toolbar: the tab bar's view and, over it, an active-call screen.
    QWidget* contentView() const { return m_contentView; }
    TitleBarController* titleBarController() const { return m_titleBarController; }
    ToolbarController* toolbarController() const { return m_toolbarController; }
    TabBarController* tabBarController() const { return m_tabBarController; }
    ActiveCallViewController* activeCallController() const { return m_activeCallController; }
    KTNavigationController* activeCallNavigationController() const {
        return m_activeCallNavigationController;
    }
    TelcoActiveCallViewController* telcoActiveCallController() const { return m_telcoActiveCallController; }
    KTNavigationController* telcoActiveCallNavigationController() const {
        return m_telcoActiveCallNavigationController;
    }

private:
    void buildWindow();
    // The current profile's phone type; 0 (a telephone line) without a profile.
    static int64_t currentPhoneType();
    KTNavigationController* overlayFor(int64_t phoneType) const;
    bool isShowing(KTNavigationController* overlay) const;
    void layOverlay(KTNavigationController* overlay);
    void removeOverlay(KTNavigationController* overlay);
    // The dialer is a running call's keypad: the active-call screen is lent to it.
    bool keypadLent() const;
    void layCurrentOverlayWhileInCall();

    Options m_options;
    CallRouting m_callRouting;
    QPointer<QWidget> m_window;
    QWidget* m_titleBarView = nullptr;
    QWidget* m_toolbarView = nullptr;
    QWidget* m_contentView = nullptr;
    TitleBarController* m_titleBarController = nullptr;
    ToolbarController* m_toolbarController = nullptr;
    TabBarController* m_tabBarController = nullptr;
    ActiveCallViewController* m_activeCallController = nullptr;
    KTNavigationController* m_activeCallNavigationController = nullptr;
    TelcoActiveCallViewController* m_telcoActiveCallController = nullptr;
    KTNavigationController* m_telcoActiveCallNavigationController = nullptr;
    // The active-call screens redraw once per frame however many records a burst brings.
    CoalescedRefresh* m_activeCallRefresh = nullptr;
    CoalescedRefresh* m_telcoActiveCallRefresh = nullptr;
    // The context of the delegate's observers; destroying it removes them.
    std::unique_ptr<QObject> m_observers;
};
