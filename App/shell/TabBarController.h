#pragma once

#include "App/InputPasswordViewController.h"
#include "App/ViewController.h"
#include "Logic/bridge/SecuritySettings.h"

#include <QPointer>
#include <QToolButton>

#include <array>
#include <vector>

class DialerViewController;
class FavoritesViewController;
class KTNavigationController;
class LogsViewController;
class PhoneBookViewController;
class QToolButton;
class SettingsViewController;
class TabBarController;

// Asked and told by programmatic selection; the program sets none.
class TabBarControllerDelegate {
public:
    virtual ~TabBarControllerDelegate() = default;
    virtual bool tabBarControllerShouldSelectViewController(TabBarController* tabBar,
                                                            KTNavigationController* viewController) = 0;
    virtual void tabBarControllerDidSelectViewController(TabBarController* tabBar,
                                                         KTNavigationController* viewController) = 0;
};

// The main screen of the window: five tabs (Favorites, Dialer, Phone Book, Logs, Settings) at
// the bottom and, above them, the navigation stack of the selected tab. It guards Settings with
// the settings password and lends the content area to other screens for a while (the
// forwarding phone book, the keypad during a call, the active-call screen), taking the
// selected tab back afterwards.
class TabBarController final : public ViewController, public InputPasswordViewDelegate {
    Q_OBJECT

public:
    static constexpr int bottomBarHeight = 56;
    enum Tab { Favorites = 0, Dialer = 1, PhoneBook = 2, Logs = 3, Settings = 4 };

    explicit TabBarController(QObject* parent = nullptr);

    // The window's content area (set before the view loads), handed on to the dialer.
    void setWindowContentView(QWidget* view) { m_windowContentView = view; }
    QWidget* windowContentView() const { return m_windowContentView; }

    QWidget* contentView() const { return m_contentView; }
    QWidget* bottomBarView() const { return m_bottomBarView; }
    QToolButton* favoritesButton() const { return m_buttons[Favorites]; }
    QToolButton* dialerButton() const { return m_buttons[Dialer]; }
    QToolButton* phoneBookButton() const { return m_buttons[PhoneBook]; }
    QToolButton* logsButton() const { return m_buttons[Logs]; }
    QToolButton* settingsButton() const { return m_buttons[Settings]; }
    // The tab button with the tag (0 to 4).
    QToolButton* button(int tag) const;
    // A button's on state (lit).
    static bool isOn(const QToolButton* button);
    static int tagOf(const QToolButton* button);

    const std::vector<KTNavigationController*>& viewControllers() const { return m_viewControllers; }
    FavoritesViewController* favoritesViewController() const { return m_favoritesViewController; }
    DialerViewController* dialerViewController() const { return m_dialerViewController; }
    PhoneBookViewController* phoneBookViewController() const { return m_phoneBookViewController; }
    LogsViewController* logsViewController() const { return m_logsViewController; }
    SettingsViewController* settingsViewController() const { return m_settingsViewController; }
    PhoneBookViewController* phoneBookViewController2() const { return m_phoneBookViewController2; }
    KTNavigationController* phoneBookNavigationController2() const {
        return m_phoneBookNavigationController2;
    }

    bool validPassword() const { return m_validPassword; }
    QToolButton* currentSelectedButton() const { return m_currentSelectedButton; }
    // The prompt on screen, or null.
    InputPasswordViewController* passwordPrompt() const { return m_passwordPrompt; }

    void setDelegate(TabBarControllerDelegate* delegate) { m_delegate = delegate; }

    void viewDidLoad() override;
    // The tab bar went into the window: without an auto-connect profile, open the connection list.
    void viewWillAppearInWindow() override;

    void bottomButtonClicked(QToolButton* sender);
    void highlightButton(QToolButton* button);
    void unhighlightButton(QToolButton* button);
    void highlightDefaultButton();
    void setSelectedIndex(int index);
    void setSelectedViewController(KTNavigationController* viewController);

    void didFinishedInputtingSecurityPassword(InputPasswordViewController* prompt,
                                              const QString& value) override;
    void didCancelledInputtingSecurityPassword(InputPasswordViewController* prompt) override;

protected:
    QWidget* buildView() override;

private:
    void initViewControllers();
    void observeNotifications();
    // The first lit tab of Favorites, Dialer, Phone Book and Logs, else Settings.
    QToolButton* litButton() const;
    void setButtonsEnabled(std::initializer_list<Tab> tabs, bool enabled);
    void returnToRecordedTab();
    void dismissPrompt();

    QPointer<QWidget> m_windowContentView;
    QWidget* m_contentView = nullptr;
    QWidget* m_bottomBarView = nullptr;
    std::array<QToolButton*, 5> m_buttons{};
    std::vector<KTNavigationController*> m_viewControllers;
    FavoritesViewController* m_favoritesViewController = nullptr;
    DialerViewController* m_dialerViewController = nullptr;
    PhoneBookViewController* m_phoneBookViewController = nullptr;
    LogsViewController* m_logsViewController = nullptr;
    SettingsViewController* m_settingsViewController = nullptr;
    PhoneBookViewController* m_phoneBookViewController2 = nullptr;
    KTNavigationController* m_phoneBookNavigationController2 = nullptr;
    SecuritySettingsPtr m_securitySettings;
    bool m_validPassword = false;
    QPointer<QToolButton> m_currentSelectedButton;
    QPointer<InputPasswordViewController> m_passwordPrompt;
    TabBarControllerDelegate* m_delegate = nullptr;
};
