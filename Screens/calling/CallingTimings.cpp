#include "Screens/calling/CallingTimings.h"

CallingTimings& CallingTimings::current() {
    static CallingTimings timings;
    return timings;
}
