#pragma once

#include "App/CallRouting.h"

#include <functional>

// The application delegate's call-routing state, which the dialer screens and the VoIP
// active-call screen read and write. A screen shown without a delegate (a screenshot scene)
// gets a state of its own.
CallRouting& sharedCallRouting();

// Drops the call being dialled on behalf of the active-call screen: cancels the transfer on the
// party holding dial tone when a transfer target was being dialled, else ends that party's
// call; the routing state goes back to normal.
void endDialToneCall();

// The Cancel of a further call or transfer being dialled: endDialToneCall(), then the caller's
// own steps, then "backToActiveCallView" asks for the active-call screen again.
void cancelActiveCallPick(const std::function<void()>& beforeReturning = {});
