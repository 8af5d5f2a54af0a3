#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "App/controls/KTPickerViewController.h"
#include "Logic/bridge/ConnectionSettings.h"

#include <QPointer>

class CallEntryViewController;
class CustomKeyButtons;
class DialPadViewController;
class ElidedTitleButton;
class NotificationInfoObject;
class QPushButton;
class SIPURIViewController;

// The root screen of the Dialer tab. Its content area shows the dial pad or the SIP URI entry,
// chosen by two switches in the bottom bar (VoIP profiles only); above that bar sit the
// profile's custom keys. The navigation bar offers Speed Dial and Redial. The same screen serves
// while a call is up: to dial a further call or a transfer target started on the VoIP
// active-call screen (the right button then reads "Cancel"), and as a running call's keypad
// (it then reads "Close").
class DialerViewController final : public ViewController,
                                   public KTNavigationBarDelegate,
                                   public KTPickerViewDelegate {
    Q_OBJECT

public:
    // The room the custom keys leave below them for the bottom bar.
    static constexpr int bottomBarHeight = 30;

    explicit DialerViewController(QObject* parent = nullptr);

    // The window's content area, handed on by the tab bar; not owned, not read here.
    void setWindowContentView(QWidget* view) { m_windowContentView = view; }
    QWidget* windowContentView() const { return m_windowContentView; }
    // The screen is a running call's keypad; also sets the dial pad's flag.
    bool openedFromActiveCallView() const { return m_openedFromActiveCallView; }
    void setOpenedFromActiveCallView(bool opened);
    // A further call or a transfer was started from the active-call screen and not yet ended
    // by a right-button click.
    bool openedFromActiveCall() const { return m_openedFromActiveCall; }

    // The same as a click on the Keypad or the SIP URI switch.
    void navigateToDialPadView();
    void navigateToSIPURIView();

    QWidget* contentView() const { return m_contentView; }
    QWidget* customButtonsView() const { return m_customButtonsView; }
    ElidedTitleButton* customButton(int tag) const;
    QWidget* bottomBarView() const { return m_bottomBarView; }
    QPushButton* dialPadButton() const { return m_dialPadButton; }
    QPushButton* sipURIButton() const { return m_sipURIButton; }
    int bottomCustomButtonsViewConstraint() const { return m_bottomCustomButtonsViewConstraint; }
    DialPadViewController* dialpadController() const { return m_dialpadController; }
    SIPURIViewController* sipURIController() const { return m_sipURIController; }
    KTPickerViewController* pickerViewController() const { return m_pickerViewController; }

    void viewDidLoad() override;
    // The tab is shown: the bar, keys and pad are brought up to date, and the entry view on top
    // hears that it appears.
    void viewWillAppearInWindow() override;
    void viewWillAppear(bool animated) override;

    // Each reads the current profile once.
    void loadCustomButtons();
    void loadBottomBar();
    void changeDialPadMode();

    void dialPadButtonClicked();
    void sipURIButtonClicked();
    void customButtonClicked(int tag);

    // Speed Dial, and Redial / Cancel / Close.
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void rightButtonOfNavigationBarClicked(QAbstractButton* button) override;
    // The speed-dial picker's Cancel and Call.
    void leftButtonOfPickerViewClicked(KTPickerViewController* picker) override;
    void rightButtonOfPickerViewClicked(KTPickerViewController* picker) override;

    // The observers' work.
    void newCallFromActiveCall();
    void receivedNotification(const NotificationInfoObject& info);

protected:
    QWidget* buildView() override;

private:
    void reloadFromProfile();
    void loadCustomButtons(const ConnectionSettings* profile);
    void loadBottomBar(const ConnectionSettings* profile);
    void changeDialPadMode(const ConnectionSettings* profile);
    void showEntryView(CallEntryViewController* chosen, CallEntryViewController* other);
    void setBottomCustomButtonsViewConstraint(int constant);
    // The right button as a plain title ("Cancel", "Close") or as Redial with its image.
    void showRightButtonTitle(const QString& title);
    void showRedialButton();
    void relayoutBar();

    QPointer<QWidget> m_windowContentView;
    bool m_openedFromActiveCallView = false;
    bool m_openedFromActiveCall = false;
    int m_bottomCustomButtonsViewConstraint = bottomBarHeight;

    QWidget* m_contentView = nullptr;
    QWidget* m_customButtonsView = nullptr;
    QWidget* m_bottomBarView = nullptr;
    QPushButton* m_dialPadButton = nullptr;
    QPushButton* m_sipURIButton = nullptr;
    CustomKeyButtons* m_customKeys = nullptr;
    DialPadViewController* m_dialpadController = nullptr;
    SIPURIViewController* m_sipURIController = nullptr;
    KTPickerViewController* m_pickerViewController = nullptr;
};
