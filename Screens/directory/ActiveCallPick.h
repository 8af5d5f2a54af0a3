#pragma once

class KTNavigationBarController;

// While a further call or a transfer target is being dialled from the active-call screen, the
// favorites, the phone book and the call log serve to pick the number; their right bar button
// then reads "Cancel".
namespace ActiveCallPick {

// The call-routing state says a pick is under way (a new call or a transfer).
bool isPicking();

// "Cancel" of a pick: ends the party holding dial tone (new call) or cancels the transfer on
// it, returns the routing state to normal and asks for the active-call screen again.
void cancel();

// The bar during a pick: the left button hidden, the right one reading "Cancel" without image.
void showPickButtons(KTNavigationBarController* bar);

} // namespace ActiveCallPick
