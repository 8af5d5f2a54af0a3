#include "Screens/calling/SharedCallRouting.h"

#include "App/AppDelegate.h"
#include "App/Observe.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"

CallRouting& sharedCallRouting() {
    if (AppDelegate* delegate = AppDelegate::instance()) {
        return delegate->callRouting();
    }
    static CallRouting standalone;
    return standalone;
}

void endDialToneCall() {
    CallRouting& routing = sharedCallRouting();
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    if (routing.callState() == CallRouting::Transfer) {
        device.cancelTransfer(routing.dialToneLineParty());
    } else {
        device.endCall(routing.dialToneLineParty());
    }
    routing.setCallState(CallRouting::Normal);
}

void cancelActiveCallPick(const std::function<void()>& beforeReturning) {
    endDialToneCall();
    if (beforeReturning) {
        beforeReturning();
    }
    Post("backToActiveCallView");
}
