#pragma once

#include "App/CallRouting.h"

#include <functional>

// The call-routing state the dialer screens and the VoIP active-call screen read and write: the
// one the shell lends (its delegate's), or, for a screen shown without a shell (a screenshot
// scene), a state of its own.
CallRouting& sharedCallRouting();
// The shell lends its state while it runs and gives it back (nullptr) when it goes.
void lendSharedCallRouting(CallRouting* routing);

// Drops the call being dialled on behalf of the active-call screen: cancels the transfer on the
// party holding dial tone when a transfer target was being dialled, else ends that party's
// call; the routing state goes back to normal.
void endDialToneCall();

// The Cancel of a further call or transfer being dialled: endDialToneCall(), then the caller's
// own steps, then "backToActiveCallView" asks for the active-call screen again.
void cancelActiveCallPick(const std::function<void()>& beforeReturning = {});
