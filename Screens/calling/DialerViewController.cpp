#include "Screens/calling/DialerViewController.h"

#include "App/Alert.h"
#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/NotificationRelay.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/Colors.h"
#include "App/controls/FocusOrder.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/Line.h"
#include "Logic/bridge/NotificationInfoObject.h"
#include "Logic/bridge/SpeedDialManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/CallingLook.h"
#include "Screens/calling/CustomKeyButtons.h"
#include "Screens/calling/DialPadViewController.h"
#include "Screens/calling/ElidedTitleButton.h"
#include "Screens/calling/FillingView.h"
#include "Screens/calling/SIPURIViewController.h"
#include "Screens/calling/SharedCallRouting.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int customButtonsHeight = 40;
constexpr int speedDialSlots = 9;

QPushButton* makeSwitch(QWidget* parent, const QString& name, const QString& title) {
    auto* button = new QPushButton(title, parent);
    button->setObjectName(name);
    button->setFlat(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    return button;
}

bool isTelco(const ConnectionSettings* profile) {
    return profile != nullptr && profile->phoneType() == PhoneType::TELCO;
}

} // namespace

DialerViewController::DialerViewController(QObject* parent)
    : ViewController(QStringLiteral("DialerView"), parent) {
    setTitle(QStringLiteral("Dialer"));
}

QWidget* DialerViewController::buildView() {
    auto* root = new QWidget;
    root->resize(420, 580);
    m_contentView = new FillingView(root);
    m_contentView->setObjectName(QStringLiteral("contentView"));
    m_customButtonsView = new QWidget(root);
    m_customButtonsView->setObjectName(QStringLiteral("customButtonsView"));
    m_customButtonsView->setFixedHeight(customButtonsHeight);
    m_customKeys = new CustomKeyButtons(m_customButtonsView, this);
    m_bottomBarView = new QWidget(root);
    m_bottomBarView->setObjectName(QStringLiteral("bottomBarView"));
    m_dialPadButton = makeSwitch(m_bottomBarView, QStringLiteral("dialPadButton"), QStringLiteral("Keypad"));
    m_sipURIButton = makeSwitch(m_bottomBarView, QStringLiteral("sipURIButton"), QStringLiteral("SIP URI"));
    auto* switches = new QHBoxLayout(m_bottomBarView);
    switches->setContentsMargins(0, 1, 0, 0);
    switches->setSpacing(1);
    switches->addWidget(m_dialPadButton, 1);
    switches->addWidget(m_sipURIButton, 1);

    auto* layout = new QVBoxLayout(root);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_contentView, 1);
    layout->addWidget(m_customButtonsView);
    layout->addWidget(m_bottomBarView);
    // The keypad and SIP URI pages are made after these strips; Tab still reaches them last.
    FocusOrder::setPart(m_customButtonsView, FocusOrder::Part::PageFoot);
    FocusOrder::setPart(m_bottomBarView, FocusOrder::Part::PageFoot);
    setBottomCustomButtonsViewConstraint(bottomBarHeight);

    connect(m_dialPadButton, &QPushButton::clicked, this, &DialerViewController::dialPadButtonClicked);
    connect(m_sipURIButton, &QPushButton::clicked, this, &DialerViewController::sipURIButtonClicked);
    return root;
}

void DialerViewController::viewDidLoad() {
    CallingLook::setLayerColour(view(), 0xFFFFFF);

    if (KTNavigationController* navigation = navigationController()) {
        KTNavigationBarController* bar = navigation->navigationBar();
        bar->setDelegate(this);
        QPushButton* left = bar->leftButton();
        left->setText(QStringLiteral("Speed Dial  "));
        left->setIcon(QIcon(Images::named(QStringLiteral("btn_navigate_forward"))));
        left->setIconSize(Images::defaultSize(QStringLiteral("btn_navigate_forward")));
        // The arrow sits after the title.
        left->setLayoutDirection(Qt::RightToLeft);
        showRedialButton();
        bar->optionalButton()->hide();
        relayoutBar();
        // The arrow follows the title closely rather than the far edge of the button's slot.
        left->resize(qMin(left->sizeHint().width(), left->width()), left->height());
    }

    CallingLook::setLayerColour(m_contentView, 0xFFFFFF);
    Styling::fillBackground(m_customButtonsView, Colors::lightGrayColor());
    Styling::fillBackground(m_bottomBarView, Colors::lightGrayColor());

    m_dialpadController = new DialPadViewController(this);
    m_sipURIController = new SIPURIViewController(this);
    dialPadButtonClicked();
    m_openedFromActiveCall = false;

    m_pickerViewController = new KTPickerViewController(this);
    m_pickerViewController->setDelegate(this);
    m_pickerViewController->setLeftTitle(QStringLiteral("Cancel"));
    m_pickerViewController->setRightTitle(QStringLiteral("Call"));
    m_pickerViewController->setBarTitlte(QStringLiteral("Speed Dial"));
    m_pickerViewController->setSelectedIndex(0);

    // Device events come through the relay on the GUI thread, in the order they were made.
    Observe(NotificationRelay::notificationName, this, [this](const auto& posted) {
        if (const auto record = NotificationRelay::recordOf(posted)) {
            receivedNotification(*record);
        }
    });
    observeProfileChanges(this, [this] { reloadFromProfile(); });
    Observe("newCallFromActiveCall", this, [this](const auto&) { newCallFromActiveCall(); });
}

void DialerViewController::viewWillAppearInWindow() {
    viewWillAppear(true);
    const QWidget* shown = OverlayHost::of(m_contentView).topmost();
    if (shown == m_dialpadController->view()) {
        m_dialpadController->viewWillAppearInWindow();
    } else if (shown == m_sipURIController->view()) {
        m_sipURIController->viewWillAppearInWindow();
    }
}

void DialerViewController::viewWillAppear(bool) {
    view();
    const int64_t callState = sharedCallRouting().callState();
    if (navigationController() != nullptr) {
        KTNavigationBarController* bar = navigationController()->navigationBar();
        if (callState == CallRouting::NewCall || callState == CallRouting::Transfer) {
            bar->leftButton()->hide();
            showRightButtonTitle(QStringLiteral("Cancel"));
        } else if (m_openedFromActiveCallView) {
            bar->leftButton()->hide();
            showRightButtonTitle(QStringLiteral("Close"));
        } else {
            bar->leftButton()->show();
            showRedialButton();
        }
        bar->rightButton()->show();
        relayoutBar();
    }
    reloadFromProfile();
}

void DialerViewController::setOpenedFromActiveCallView(bool opened) {
    m_openedFromActiveCallView = opened;
    if (m_dialpadController != nullptr) {
        m_dialpadController->setOpenedFromActiveCallView(opened);
    }
}

void DialerViewController::navigateToDialPadView() {
    view();
    dialPadButtonClicked();
}

void DialerViewController::navigateToSIPURIView() {
    view();
    sipURIButtonClicked();
}

ElidedTitleButton* DialerViewController::customButton(int tag) const {
    return m_customKeys->button(tag);
}

void DialerViewController::reloadFromProfile() {
    const ConnectionSettingsPtr profile =
        TessmarkDialerCore::deviceCommunication().currentConnectionSettings();
    loadCustomButtons(profile.get());
    loadBottomBar(profile.get());
    changeDialPadMode(profile.get());
}

void DialerViewController::loadCustomButtons() {
    loadCustomButtons(TessmarkDialerCore::deviceCommunication().currentConnectionSettings().get());
}

void DialerViewController::loadBottomBar() {
    loadBottomBar(TessmarkDialerCore::deviceCommunication().currentConnectionSettings().get());
}

void DialerViewController::changeDialPadMode() {
    changeDialPadMode(TessmarkDialerCore::deviceCommunication().currentConnectionSettings().get());
}

void DialerViewController::loadCustomButtons(const ConnectionSettings* profile) {
    m_customButtonsView->setVisible(m_customKeys->load(profile));
}

// A telephone line has no SIP addresses, and a call's keypad needs no choice: both get the
// dial pad alone.
void DialerViewController::loadBottomBar(const ConnectionSettings* profile) {
    if (isTelco(profile) || m_openedFromActiveCallView) {
        m_bottomBarView->hide();
        setBottomCustomButtonsViewConstraint(0);
        dialPadButtonClicked();
        return;
    }
    m_bottomBarView->show();
    setBottomCustomButtonsViewConstraint(bottomBarHeight);
}

void DialerViewController::changeDialPadMode(const ConnectionSettings* profile) {
    m_dialpadController->setMode(isTelco(profile) ? 1 : 0);
}

void DialerViewController::setBottomCustomButtonsViewConstraint(int constant) {
    m_bottomCustomButtonsViewConstraint = constant;
    m_bottomBarView->setFixedHeight(constant);
}

void DialerViewController::dialPadButtonClicked() {
    CallingLook::setButtonFace(m_dialPadButton, 0xFFFFFF, true);
    CallingLook::setButtonFace(m_sipURIButton, 0xFFFFFF, false);
    showEntryView(m_dialpadController, m_sipURIController);
}

void DialerViewController::sipURIButtonClicked() {
    CallingLook::setButtonFace(m_sipURIButton, 0xFFFFFF, true);
    CallingLook::setButtonFace(m_dialPadButton, 0xFFFFFF, false);
    showEntryView(m_sipURIController, m_dialpadController);
}

void DialerViewController::showEntryView(CallEntryViewController* chosen, CallEntryViewController* other) {
    OverlayHost& content = OverlayHost::of(m_contentView);
    // Already shown, it does not appear again: that would empty the number being typed.
    if (content.isTopmost(chosen->view())) {
        return;
    }
    if (content.isTopmost(other->view())) {
        content.removeSubview(other->view());
    }
    QWidget* entry = chosen->view();
    entry->setGeometry(m_contentView->rect());
    content.addSubview(entry);
    // Tab leaves the entry view for the keys and the switches below it.
    CallingLook::chainTabOrder({chosen->callButton(), customButton(0), customButton(1), customButton(2),
                                customButton(3), customButton(4), m_dialPadButton, m_sipURIButton});
    chosen->viewWillAppearInWindow();
}

void DialerViewController::customButtonClicked(int tag) {
    m_customKeys->customButtonClicked(tag);
}

void DialerViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    if (SpeedDialManager::assignedSpeedDials().empty()) {
        Alert::show(nullptr, QString(), QStringLiteral("No speed dial numbers"), {QStringLiteral("OK")});
        return;
    }
    QStringList rows;
    for (int slot = 1; slot <= speedDialSlots; ++slot) {
        const ContactNumberPtr number = SpeedDialManager::contactNumberBySpeedDial(slot);
        if (number == nullptr) {
            rows.append(QStringLiteral("%1 -").arg(slot));
            continue;
        }
        // A number left without its contact still shows, with empty names.
        const ContactPtr contact = SpeedDialManager::contactBySpeedDial(slot);
        const QString first = contact != nullptr ? QString::fromStdString(contact->firstName()) : QString();
        const QString last = contact != nullptr ? QString::fromStdString(contact->lastName()) : QString();
        rows.append(QStringLiteral("%1 - %2 %3 (%4)")
                        .arg(QString::number(slot), first, last, QString::fromStdString(number->number())));
    }
    m_pickerViewController->setItems(rows);
    QWidget* stack = navigationController()->view();
    QWidget* picker = m_pickerViewController->view();
    picker->setGeometry(stack->rect());
    OverlayHost::of(stack).addSubview(picker);
    m_pickerViewController->viewWillAppearInWindow();
}

void DialerViewController::leftButtonOfPickerViewClicked(KTPickerViewController* picker) {
    OverlayHost::removeFromSuperview(picker->view());
}

// The picker stays open after a call; only Cancel takes it away.
void DialerViewController::rightButtonOfPickerViewClicked(KTPickerViewController* picker) {
    const ContactNumberPtr number = SpeedDialManager::contactNumberBySpeedDial(picker->selectedIndex() + 1);
    if (number != nullptr) {
        TessmarkDialerCore::deviceCommunication().call(number->number());
    }
}

void DialerViewController::rightButtonOfNavigationBarClicked(QAbstractButton*) {
    const int64_t callState = sharedCallRouting().callState();
    if (callState == CallRouting::NewCall || callState == CallRouting::Transfer) {
        cancelActiveCallPick([this] {
            m_dialpadController->setState(CallEntryViewController::NormalState);
            m_sipURIController->setState(CallEntryViewController::NormalState);
        });
        return;
    }
    if (m_openedFromActiveCall) {
        m_openedFromActiveCall = false;
        return;
    }
    if (m_openedFromActiveCallView) {
        setOpenedFromActiveCallView(false);
        Post("backToActiveCallViewFromKeyPad");
        return;
    }
    TessmarkDialerCore::deviceCommunication().redial();
}

void DialerViewController::newCallFromActiveCall() {
    m_openedFromActiveCall = true;
    if (navigationController() == nullptr) {
        return;
    }
    navigationController()->navigationBar()->leftButton()->hide();
    showRightButtonTitle(QStringLiteral("Cancel"));
    relayoutBar();
}

void DialerViewController::receivedNotification(const NotificationInfoObject& info) {
    if (info.notificationType() == NotificationType::CONNECTION) {
        reloadFromProfile();
        return;
    }
    if (info.notificationType() != NotificationType::PARTY_STATE) {
        return;
    }
    // The flag first: most records find the pad no call's keypad, and need no copy of the line.
    if (m_openedFromActiveCallView &&
        TessmarkDialerCore::deviceCommunication().lineWithoutContacts()->lineState() == LineState::IDLE) {
        setOpenedFromActiveCallView(false);
        Post("backToActiveCallViewFromKeyPad");
    }
}

void DialerViewController::showRightButtonTitle(const QString& title) {
    QPushButton* right = navigationController()->navigationBar()->rightButton();
    right->setText(title);
    right->setIcon(QIcon());
    right->show();
}

void DialerViewController::showRedialButton() {
    QPushButton* right = navigationController()->navigationBar()->rightButton();
    right->setText(QStringLiteral("  Redial"));
    right->setIcon(QIcon(Images::named(QStringLiteral("btn_redial"))));
    right->setIconSize(Images::defaultSize(QStringLiteral("btn_redial")));
    right->show();
}

// Titles and images changed: the bar restyles itself.
void DialerViewController::relayoutBar() {
    navigationController()->navigationBar()->viewDidLoad();
}
