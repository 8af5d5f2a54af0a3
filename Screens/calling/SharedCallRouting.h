#pragma once

#include "App/CallRouting.h"

// The application delegate's call-routing state, which the dialer screens and the VoIP
// active-call screen read and write. A screen shown without a delegate (a screenshot scene)
// gets a state of its own.
CallRouting& sharedCallRouting();
