#include "Screens/calling/SharedCallRouting.h"

#include "App/Observe.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"

namespace {

CallRouting*& lentRouting() {
    static CallRouting* routing = nullptr;
    return routing;
}

} // namespace

CallRouting& sharedCallRouting() {
    if (CallRouting* lent = lentRouting()) {
        return *lent;
    }
    static CallRouting standalone;
    return standalone;
}

void lendSharedCallRouting(CallRouting* routing) {
    lentRouting() = routing;
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
