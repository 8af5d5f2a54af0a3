#include "Screens/directory/ActiveCallPick.h"

#include "App/AppDelegate.h"
#include "App/CallRouting.h"
#include "App/KTNavigationBarController.h"
#include "App/Observe.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"

#include <QPushButton>

namespace ActiveCallPick {

bool isPicking() {
    const CallRouting& routing = AppDelegate::instance()->callRouting();
    return routing.callState() == CallRouting::NewCall || routing.callState() == CallRouting::Transfer;
}

void cancel() {
    CallRouting& routing = AppDelegate::instance()->callRouting();
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    if (routing.callState() == CallRouting::NewCall) {
        device.endCall(routing.dialToneLineParty());
    } else {
        device.cancelTransfer(routing.dialToneLineParty());
    }
    routing.setCallState(CallRouting::Normal);
    Post("backToActiveCallView");
}

void showPickButtons(KTNavigationBarController* bar) {
    bar->leftButton()->hide();
    bar->rightButton()->show();
    bar->rightButton()->setText(QStringLiteral("Cancel"));
    bar->rightButton()->setIcon(QIcon());
}

} // namespace ActiveCallPick
