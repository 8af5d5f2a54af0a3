#include "Screens/calling/SharedCallRouting.h"

#include "App/AppDelegate.h"

CallRouting& sharedCallRouting() {
    if (AppDelegate* delegate = AppDelegate::instance()) {
        return delegate->callRouting();
    }
    static CallRouting standalone;
    return standalone;
}
