#include "App/shell/TabBarController.h"

#include "App/Images.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/Colors.h"
#include "App/controls/FocusOrder.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/bridge/SecuritySettingsManager.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/directory/FavoritesViewController.h"
#include "Screens/directory/LogsViewController.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/settings/SettingsViewController.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QWidget>

namespace {

constexpr int tabBarWidth = 420;
constexpr int tabBarHeight = 680;
constexpr const char* onProperty = "tessmarkOn";
constexpr const char* tagProperty = "tessmarkTag";

struct TabLook {
    const char* title;
    const char* image;
    const char* objectName;
};

constexpr std::array<TabLook, 5> tabs{{
    {"Favorites", "tab_favorites", "favoritesButton"},
    {"Dialer", "tab_dialer", "dialerButton"},
    {"Phone Book", "tab_phone_book", "phoneBookButton"},
    {"Logs", "tab_logs", "logsButton"},
    {"Settings", "tab_settings", "settingsButton"},
}};

// A disabled title fades into the bar, as its faded icon does.
QString titleStyle(uint32_t colour) {
    return Styling::darkBarButtonStyle(
               QStringLiteral("font-size: 11px; color: %1;").arg(Colors::colorWithHexCode(colour).name())) +
           QStringLiteral("QToolButton:disabled { color: #6F7C82; }");
}

} // namespace

TabBarController::TabBarController(QObject* parent) : ViewController(QStringLiteral("TabBar"), parent) {}

QWidget* TabBarController::buildView() {
    auto* tabBar = new QWidget;
    tabBar->resize(tabBarWidth, tabBarHeight);
    m_contentView = new QWidget(tabBar);
    m_contentView->setObjectName(QStringLiteral("contentView"));
    m_contentView->setGeometry(0, 0, tabBarWidth, tabBarHeight - bottomBarHeight);
    m_bottomBarView = new QWidget(tabBar);
    m_bottomBarView->setObjectName(QStringLiteral("bottomBarView"));
    m_bottomBarView->setGeometry(0, tabBarHeight - bottomBarHeight, tabBarWidth, bottomBarHeight);
    FocusOrder::setPart(m_bottomBarView, FocusOrder::Part::TabBar);
    auto* layout = new QHBoxLayout(m_bottomBarView);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(0);
    for (int tag = 0; tag < static_cast<int>(tabs.size()); ++tag) {
        auto* button = new QToolButton(m_bottomBarView);
        button->setObjectName(QLatin1String(tabs[static_cast<size_t>(tag)].objectName));
        button->setText(QLatin1String(tabs[static_cast<size_t>(tag)].title));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(26, 26));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setProperty(tagProperty, tag);
        button->setProperty(onProperty, false);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, button] { bottomButtonClicked(button); });
        m_buttons[static_cast<size_t>(tag)] = button;
    }
    return tabBar;
}

void TabBarController::viewDidLoad() {
    Styling::fillBackground(m_bottomBarView, Colors::colorWithHexCode(Colors::barBackground));
    initViewControllers();
    // The default tab's click dims every other button.
    highlightDefaultButton();
    m_securitySettings = SecuritySettingsManager::securitySettings();
    m_currentSelectedButton = nullptr;
    observeNotifications();
}

void TabBarController::initViewControllers() {
    const QRect bounds = m_contentView->rect();
    m_favoritesViewController = new FavoritesViewController(this);
    m_dialerViewController = new DialerViewController(this);
    m_dialerViewController->setWindowContentView(m_windowContentView);
    m_phoneBookViewController = new PhoneBookViewController(this);
    m_logsViewController = new LogsViewController(this);
    m_settingsViewController = new SettingsViewController(this);
    const std::array<ViewController*, 5> roots{m_favoritesViewController, m_dialerViewController,
                                               m_phoneBookViewController, m_logsViewController,
                                               m_settingsViewController};
    for (ViewController* root : roots) {
        m_viewControllers.push_back(new KTNavigationController(bounds, root, this));
    }
    m_phoneBookViewController2 = new PhoneBookViewController(this);
    m_phoneBookViewController2->setOpenedFromCallForwardingSettingsView(true);
    m_phoneBookNavigationController2 = new KTNavigationController(bounds, m_phoneBookViewController2, this);
}

void TabBarController::observeNotifications() {
    Observe("securitySettingsChanged", this,
            [this](const auto&) { m_securitySettings = SecuritySettingsManager::securitySettings(); });
    Observe("openConnectionSettingsUsingConnectionButton", this, [this](const auto&) {
        m_currentSelectedButton = litButton();
        if (!isOn(settingsButton())) {
            bottomButtonClicked(settingsButton());
        }
        m_settingsViewController->openConnectionSettings();
    });
    Observe("didConnectedAtStartup", this, [this](const auto&) { returnToRecordedTab(); });
    Observe("openPhoneBookFromCallForwardingSettingsView", this, [this](const auto&) {
        setButtonsEnabled({Favorites, Dialer, Logs, Settings}, false);
        m_currentSelectedButton = litButton();
        m_phoneBookViewController2->setOpenedFromCallForwardingSettingsView(true);
        QWidget* phoneBook = m_phoneBookNavigationController2->view();
        phoneBook->setGeometry(m_contentView->rect());
        OverlayHost::of(m_contentView).addSubview(phoneBook);
        m_phoneBookNavigationController2->viewWillAppearInWindow();
    });
    Observe("backToCallForwardingSettingsView", this, [this](const auto&) {
        OverlayHost::removeFromSuperview(m_phoneBookNavigationController2->view());
        setButtonsEnabled({Favorites, Dialer, Logs, Settings}, true);
        returnToRecordedTab();
    });
    Observe("openKeyPadFromActiveCallView", this, [this](const auto&) {
        setButtonsEnabled({Favorites, PhoneBook, Logs, Settings}, false);
        setButtonsEnabled({Dialer}, true);
        m_currentSelectedButton = litButton();
        m_dialerViewController->setOpenedFromActiveCallView(true);
        bottomButtonClicked(dialerButton());
    });
    Observe("backToActiveCallViewFromKeyPad", this, [this](const auto&) {
        setButtonsEnabled({Favorites, PhoneBook, Logs, Settings}, true);
        returnToRecordedTab();
    });
    Observe("openActiveCallView", this, [this](const auto&) { m_currentSelectedButton = litButton(); });
    Observe("backToCurrentTab", this, [this](const auto&) { returnToRecordedTab(); });
}

// Gives the content area back: the tab recorded when it was lent, or the default home screen
// when none was recorded.
void TabBarController::returnToRecordedTab() {
    if (QToolButton* recorded = m_currentSelectedButton.data()) {
        bottomButtonClicked(recorded);
        m_currentSelectedButton = nullptr;
        return;
    }
    highlightDefaultButton();
}

void TabBarController::viewWillAppearInWindow() {
    if (ConnectionSettingsManager::isAutoConnected()) {
        return;
    }
    bottomButtonClicked(settingsButton());
    m_settingsViewController->openConnectionSettings();
}

QToolButton* TabBarController::button(int tag) const {
    if (tag < 0 || tag >= static_cast<int>(m_buttons.size())) {
        return nullptr;
    }
    return m_buttons[static_cast<size_t>(tag)];
}

bool TabBarController::isOn(const QToolButton* button) {
    return button->property(onProperty).toBool();
}

int TabBarController::tagOf(const QToolButton* button) {
    return button->property(tagProperty).toInt();
}

QToolButton* TabBarController::litButton() const {
    for (Tab tab : {Favorites, Dialer, PhoneBook, Logs}) {
        if (isOn(button(tab))) {
            return button(tab);
        }
    }
    return settingsButton();
}

void TabBarController::setButtonsEnabled(std::initializer_list<Tab> tabsToChange, bool enabled) {
    for (Tab tab : tabsToChange) {
        button(tab)->setEnabled(enabled);
    }
}

void TabBarController::highlightButton(QToolButton* tabButton) {
    const size_t tag = static_cast<size_t>(tagOf(tabButton));
    tabButton->setProperty(onProperty, true);
    tabButton->setIcon(Styling::darkBarIcon(
        Images::tinted(QLatin1String(tabs[tag].image), Colors::colorWithHexCode(Colors::selectedTabTint))));
    tabButton->setStyleSheet(titleStyle(Colors::accent));
}

void TabBarController::unhighlightButton(QToolButton* tabButton) {
    const size_t tag = static_cast<size_t>(tagOf(tabButton));
    tabButton->setProperty(onProperty, false);
    tabButton->setIcon(Styling::darkBarIcon(
        Images::tinted(QLatin1String(tabs[tag].image), Colors::colorWithHexCode(Colors::otherTabTint))));
    tabButton->setStyleSheet(titleStyle(Colors::inactiveGrey));
}

void TabBarController::highlightDefaultButton() {
    const PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    const std::string home = preferences != nullptr ? preferences->defaultHomeScreen() : std::string();
    if (home == "Favorites") {
        bottomButtonClicked(favoritesButton());
    } else if (home == "Dialer/Keypad") {
        bottomButtonClicked(dialerButton());
        m_dialerViewController->navigateToDialPadView();
    } else if (home == "Dialer/SIP URI") {
        bottomButtonClicked(dialerButton());
        m_dialerViewController->navigateToSIPURIView();
    } else if (home == "Phone Book") {
        bottomButtonClicked(phoneBookButton());
    } else {
        bottomButtonClicked(logsButton());
    }
}

void TabBarController::bottomButtonClicked(QToolButton* sender) {
    OverlayHost& content = OverlayHost::of(m_contentView);
    // While the forwarding screen picks a number from the phone book, the tabs stay put.
    if (m_phoneBookNavigationController2 != nullptr &&
        content.isTopmost(m_phoneBookNavigationController2->view())) {
        return;
    }
    if (sender == settingsButton() && m_securitySettings != nullptr &&
        m_securitySettings->passwordProtected() && !m_validPassword) {
        if (m_passwordPrompt != nullptr) {
            return;
        }
        m_passwordPrompt = new InputPasswordViewController(this);
        m_passwordPrompt->setDelegate(this);
        presentViewControllerAsModalWindow(m_passwordPrompt);
        return;
    }
    if (sender != settingsButton()) {
        m_validPassword = false;
    }
    for (QToolButton* tabButton : m_buttons) {
        unhighlightButton(tabButton);
    }
    if (QWidget* shown = content.topmost()) {
        content.removeSubview(shown);
    }
    KTNavigationController* selected = m_viewControllers[static_cast<size_t>(tagOf(sender))];
    selected->viewWillAppearInWindow();
    selected->view()->setGeometry(m_contentView->rect());
    content.addSubview(selected->view());
    highlightButton(sender);
}

void TabBarController::setSelectedIndex(int index) {
    if (index >= 0 && index < static_cast<int>(m_viewControllers.size())) {
        setSelectedViewController(m_viewControllers[static_cast<size_t>(index)]);
    }
}

void TabBarController::setSelectedViewController(KTNavigationController* viewController) {
    if (m_delegate != nullptr &&
        !m_delegate->tabBarControllerShouldSelectViewController(this, viewController)) {
        return;
    }
    const auto found = std::find(m_viewControllers.begin(), m_viewControllers.end(), viewController);
    if (found == m_viewControllers.end()) {
        return;
    }
    const auto index = found - m_viewControllers.begin();
    bottomButtonClicked(index < Settings ? button(static_cast<int>(index)) : settingsButton());
    if (m_delegate != nullptr) {
        m_delegate->tabBarControllerDidSelectViewController(this, viewController);
    }
}

void TabBarController::didFinishedInputtingSecurityPassword(InputPasswordViewController*,
                                                            const QString& value) {
    const QString password =
        m_securitySettings != nullptr ? QString::fromStdString(m_securitySettings->password()) : QString();
    m_validPassword = value == password;
    if (!m_validPassword) {
        return;
    }
    dismissPrompt();
    bottomButtonClicked(settingsButton());
}

void TabBarController::didCancelledInputtingSecurityPassword(InputPasswordViewController*) {
    dismissPrompt();
}

void TabBarController::dismissPrompt() {
    if (m_passwordPrompt == nullptr) {
        return;
    }
    dismissViewController(m_passwordPrompt);
    // The prompt is still inside its own button's handler; it goes once that returns.
    m_passwordPrompt->deleteLater();
    m_passwordPrompt = nullptr;
}
