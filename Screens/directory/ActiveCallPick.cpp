#include "Screens/directory/ActiveCallPick.h"

#include "App/CallRouting.h"
#include "App/KTNavigationBarController.h"
#include "App/Observe.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/calling/SharedCallRouting.h"

#include <QPushButton>

namespace ActiveCallPick {

bool isPicking() {
    const int64_t state = sharedCallRouting().callState();
    return state == CallRouting::NewCall || state == CallRouting::Transfer;
}

void cancel() {
    CallRouting& routing = sharedCallRouting();
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    if (routing.callState() == CallRouting::NewCall) {
        device.endCall(routing.dialToneLineParty());
    } else {
        device.cancelTransfer(routing.dialToneLineParty());
    }
    routing.setCallState(CallRouting::Normal);
    Post("backToActiveCallView");
}

bool takeRightButton(bool& openedFromActiveCall) {
    if (isPicking()) {
        cancel();
        return true;
    }
    if (openedFromActiveCall) {
        openedFromActiveCall = false;
        return true;
    }
    return false;
}

void showPickButtons(KTNavigationBarController* bar) {
    if (bar == nullptr) {
        return;
    }
    bar->leftButton()->hide();
    bar->rightButton()->show();
    bar->rightButton()->setText(QStringLiteral("Cancel"));
    bar->rightButton()->setIcon(QIcon());
    bar->viewDidLoad();
}

} // namespace ActiveCallPick
