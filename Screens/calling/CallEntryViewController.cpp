#include "Screens/calling/CallEntryViewController.h"

#include "App/Images.h"
#include "App/Observe.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/calling/SharedCallRouting.h"

#include <QPushButton>

namespace {

constexpr QSize callButtonSize(64, 64);

} // namespace

void CallEntryViewController::changeToNormalMode() {
    m_state = NormalState;
    updateCallButton();
}

void CallEntryViewController::changeToNewCallMode() {
    m_state = NewCallState;
    updateCallButton();
}

void CallEntryViewController::changeToOffHookMode() {
    m_state = OffHookState;
    updateCallButton();
}

QPushButton* CallEntryViewController::makeCallButton(QWidget* parent) {
    m_callButton = new QPushButton(parent);
    m_callButton->setObjectName(QStringLiteral("callButton"));
    m_callButton->setFlat(true);
    m_callButton->setFocusPolicy(Qt::TabFocus);
    m_callButton->setCursor(Qt::PointingHandCursor);
    m_callButton->setAccessibleName(QStringLiteral("Call"));
    m_callButton->setIconSize(callButtonSize);
    m_callButton->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    m_callButton->resize(callButtonSize);
    setCallButtonImage(QStringLiteral("btn_call_on"));
    connect(m_callButton, &QPushButton::clicked, this, [this] { callButtonClicked(); });
    return m_callButton;
}

void CallEntryViewController::observeModeNotifications() {
    Observe("dialerNormalState", this, [this](const auto&) { changeToNormalMode(); });
    Observe("dialerNewCallState", this, [this](const auto&) { changeToNewCallMode(); });
    Observe("dialerOffHookState", this, [this](const auto&) { changeToOffHookMode(); });
}

void CallEntryViewController::updateCallButton() {
    if (m_state == NormalState) {
        setCallButtonImage(QStringLiteral("btn_call_on"));
    } else if (m_state == NewCallState || m_state == OffHookState) {
        setCallButtonImage(QStringLiteral("btn_call_off"));
    }
}

void CallEntryViewController::callOrEndDialTone(const QString& text) {
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    switch (m_state) {
    case NormalState:
        // Sent as typed; the core strips line breaks and NULs.
        device.call(text.toStdString());
        break;
    case NewCallState:
        endDialToneCall();
        setState(NormalState);
        break;
    case OffHookState:
        device.endCall(sharedCallRouting().dialToneLineParty());
        break;
    default:
        break;
    }
}

void CallEntryViewController::setCallButtonImage(const QString& name) {
    m_callButtonImageName = name;
    m_callButton->setIcon(QIcon(Images::named(name, callButtonSize)));
}
