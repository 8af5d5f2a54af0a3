#include "Screens/calling/TelcoActiveCallViewController.h"

#include "App/Images.h"
#include "App/KTNavigationController.h"
#include "App/controls/Colors.h"
#include "App/controls/ElidingLabel.h"
#include "App/controls/FunctionButtonView.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/Line.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallFrame.h"
#include "Screens/calling/CallingLook.h"
#include "Screens/calling/CallingTimings.h"
#include "Screens/calling/CustomKeyButtons.h"
#include "Screens/calling/ElidedTitleButton.h"
#include "Screens/calling/PartyContactTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QSize callImageSize(96, 96);
constexpr uint32_t secondaryText = 0x6B6B6B;

} // namespace

TelcoActiveCallViewController::TelcoActiveCallViewController(QObject* parent)
    : ViewController(QStringLiteral("TelcoActiveCallView"), parent) {
    setTitle(QStringLiteral("Active Calls"));
}

QWidget* TelcoActiveCallViewController::buildView() {
    auto* root = new QWidget;
    root->resize(420, 636);
    auto* content = new QWidget(root);
    content->setObjectName(QStringLiteral("contentView"));

    m_callImageView = new QLabel(content);
    m_callImageView->setObjectName(QStringLiteral("callImageView"));
    m_callImageView->setFixedSize(callImageSize);
    m_callImageView->setAlignment(Qt::AlignCenter);
    // A long name shortens at its end, a SIP address in its middle so its host shows.
    m_contactNameField =
        CallingLook::makeElidingField(content, QStringLiteral("contactNameField"), 22, true, 0x000000);
    m_numberTypeField =
        CallingLook::makeElidingField(content, QStringLiteral("numberTypeField"), 13, false, secondaryText);
    m_numberField = CallingLook::makeElidingField(content, QStringLiteral("numberField"), 16, false, 0x000000,
                                                  Qt::ElideMiddle);
    m_callStateField =
        CallingLook::makeTextField(content, QStringLiteral("callStateField"), 14, true, Colors::accent);
    for (QLabel* field : {m_contactNameField, m_numberTypeField, m_numberField, m_callStateField}) {
        field->setAlignment(Qt::AlignCenter);
    }

    m_callTimeView = new QWidget(content);
    m_callTimeView->setObjectName(QStringLiteral("callTimeView"));
    m_callTimeImageView = new QLabel(m_callTimeView);
    m_callTimeImageView->setObjectName(QStringLiteral("callTimeImageView"));
    m_callTimeImageView->setPixmap(Images::named(QStringLiteral("icon_active_time")));
    m_callTimeField =
        CallingLook::makeTextField(m_callTimeView, QStringLiteral("callTimeField"), 16, false, 0x000000);
    auto* timeLayout = new QHBoxLayout(m_callTimeView);
    timeLayout->setContentsMargins(0, 0, 0, 0);
    timeLayout->setSpacing(6);
    timeLayout->addStretch(1);
    timeLayout->addWidget(m_callTimeImageView);
    timeLayout->addWidget(m_callTimeField);
    timeLayout->addStretch(1);

    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(16, 24, 16, 24);
    contentLayout->setSpacing(4);
    contentLayout->addStretch(1);
    contentLayout->addWidget(m_callImageView, 0, Qt::AlignHCenter);
    contentLayout->addSpacing(18);
    contentLayout->addWidget(m_contactNameField);
    contentLayout->addWidget(m_numberTypeField);
    contentLayout->addWidget(m_numberField);
    contentLayout->addSpacing(18);
    contentLayout->addWidget(m_callStateField);
    contentLayout->addWidget(m_callTimeView);
    contentLayout->addStretch(2);

    const ActiveCallFrame::Bars bars = ActiveCallFrame::build(root, content, this);
    m_functionButtonsView = bars.functionButtonsView;
    m_customButtonsView = bars.customButtonsView;
    m_customKeys = bars.customKeys;
    m_endCallButton = CallingLook::makeFunctionButton(m_functionButtonsView, QStringLiteral("endCallButton"));
    m_middleSpace = new QWidget(m_functionButtonsView);
    m_middleSpace->setObjectName(QStringLiteral("middleSpace"));
    m_keypadButton = CallingLook::makeFunctionButton(m_functionButtonsView, QStringLiteral("keypadButton"));
    bars.functionButtonsLayout->addWidget(m_endCallButton, 1);
    bars.functionButtonsLayout->addWidget(m_middleSpace, 1);
    bars.functionButtonsLayout->addWidget(m_keypadButton, 1);
    CallingLook::chainTabOrder({m_endCallButton, m_keypadButton, customButton(0), customButton(1),
                                customButton(2), customButton(3), customButton(4)});

    connect(m_endCallButton, &QPushButton::clicked, this,
            &TelcoActiveCallViewController::endCallButtonClicked);
    connect(m_keypadButton, &QPushButton::clicked, this, &TelcoActiveCallViewController::keypadButtonClicked);
    return root;
}

void TelcoActiveCallViewController::viewDidLoad() {
    CallingLook::setLayerColour(view(), 0xFFFFFF);
    ActiveCallFrame::setUpNavigationBar(navigationController(), this);
    CallingLook::setFunctionButtonState(m_endCallButton, true, Colors::functionButton);
    m_endCallButtonView = CallingLook::loadFunctionButtonViewWithImage(QStringLiteral("btn_end_call"),
                                                                       QStringLiteral("END CALL"));
    CallingLook::installFunctionButtonView(m_endCallButton, m_endCallButtonView);
    CallingLook::setFunctionButtonState(m_keypadButton, true, Colors::functionButton);
    m_keypadButtonView =
        CallingLook::loadFunctionButtonViewWithImage(QStringLiteral("btn_keypad"), QStringLiteral("KEYPAD"));
    CallingLook::installFunctionButtonView(m_keypadButton, m_keypadButtonView);
    CallingLook::setLayerColour(m_middleSpace, Colors::functionButton);

    connect(&m_durationTimer, &QTimer::timeout, this, &TelcoActiveCallViewController::updateTime);
    // Device events need no observer here: the delegate calls update() for each call record.
    observeProfileChanges(this, [this] { loadCustomButtons(); });
}

void TelcoActiveCallViewController::viewWillAppearInWindow() {
    viewWillAppear(true);
}

void TelcoActiveCallViewController::viewWillAppear(bool) {
    loadCustomButtons();
}

ElidedTitleButton* TelcoActiveCallViewController::customButton(int tag) const {
    return m_customKeys->button(tag);
}

void TelcoActiveCallViewController::update() {
    view();
    const std::vector<LinePartyPtr> parties = TessmarkDialerCore::deviceCommunication().line()->lineParties();
    if (parties.empty()) {
        return;
    }
    const LinePartyPtr& party = parties.front();
    // The delegate starts a new call before it lays the screen; otherwise the same call goes
    // on, also while the screen is lent to the keypad.
    const bool continuesActiveCall = m_lineParty != nullptr && m_previousState == StateId::ACTIVE;
    party->setActiveDuration(continuesActiveCall ? m_lineParty->activeDuration() : 0);
    m_previousState = party->state();
    setLineParty(party);
    updateFunctionButtons();

    if (party->state() == StateId::INCOMING) {
        setCallImage(QStringLiteral("btn_new_call_large"));
        m_callStateField->setText(QStringLiteral("INCOMING"));
        m_callTimeImageView->hide();
        m_callTimeField->hide();
    } else if (party->state() == StateId::ACTIVE) {
        setCallImage(QStringLiteral("btn_active_call_large"));
        m_callStateField->setText(QStringLiteral("ACTIVE"));
        m_callTimeImageView->show();
        m_callTimeField->show();
        m_durationTimer.start(CallingTimings::current().durationTickMilliseconds);
    }
}

void TelcoActiveCallViewController::setLineParty(LinePartyPtr party) {
    m_lineParty = std::move(party);
    if (m_lineParty == nullptr) {
        return;
    }
    const PartyContactTexts texts = PartyContactTexts::of(*m_lineParty);
    m_numberField->setText(texts.number);
    m_contactNameField->setText(texts.name);
    if (texts.typeName.has_value()) {
        m_numberTypeField->setText(*texts.typeName);
    }
    updateActiveTime();
}

void TelcoActiveCallViewController::updateTime() {
    if (m_lineParty == nullptr) {
        return;
    }
    m_lineParty->setActiveDuration(m_lineParty->activeDuration() + 1);
    updateActiveTime();
}

void TelcoActiveCallViewController::updateActiveTime() {
    CallingLook::queueTimeText(m_callTimeField, m_lineParty, &LineParty::activeDuration);
}

void TelcoActiveCallViewController::updateFunctionButtons() {
    const LineParty* party = m_lineParty.get();
    const auto shows = [party](bool (LineParty::*flag)() const) {
        return party != nullptr && (party->*flag)();
    };
    const char* title = "END CALL";
    bool enabled = true;
    if (shows(&LineParty::showsEndCall)) {
        title = "END CALL";
    } else if (shows(&LineParty::showsReject)) {
        title = "REJECT";
    } else if (shows(&LineParty::showsCancelTransfer)) {
        title = "CANCEL";
    } else if (shows(&LineParty::showsAnswer)) {
        title = "ANSWER";
    } else {
        enabled = false;
    }
    // The image stays the end-call one, whatever the title.
    CallingLook::setFunctionButtonTitle(m_endCallButton, m_endCallButtonView, QLatin1String(title));
    CallingLook::setFunctionButtonState(m_endCallButton, enabled,
                                        enabled ? Colors::functionButton : Colors::disabled);
    const bool keypad = shows(&LineParty::showsKeyPad);
    CallingLook::setFunctionButtonState(m_keypadButton, keypad,
                                        keypad ? Colors::functionButton : Colors::disabled);
}

void TelcoActiveCallViewController::loadCustomButtons() {
    view();
    const ConnectionSettingsPtr profile =
        TessmarkDialerCore::deviceCommunication().currentConnectionSettings();
    m_customButtonsView->setVisible(m_customKeys->load(profile.get()));
}

void TelcoActiveCallViewController::endCallButtonClicked() {
    if (m_lineParty == nullptr) {
        return;
    }
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    const int64_t id = m_lineParty->ID();
    const QString title = m_endCallButtonView->title();
    if (title == QLatin1String("END CALL")) {
        device.endCall(id);
    } else if (title == QLatin1String("REJECT")) {
        device.reject(id);
    } else if (title == QLatin1String("CANCEL")) {
        device.cancelTransfer(id);
    } else if (title == QLatin1String("ANSWER")) {
        device.answer(id);
    }
    m_durationTimer.stop();
}

void TelcoActiveCallViewController::keypadButtonClicked() {
    ActiveCallFrame::lendWindowToKeyPad(navigationController());
}

void TelcoActiveCallViewController::customButtonClicked(int tag) {
    m_customKeys->customButtonClicked(tag);
}

void TelcoActiveCallViewController::setCallImage(const QString& name) {
    m_callImageName = name;
    m_callImageView->setPixmap(Images::named(name, callImageSize));
}
