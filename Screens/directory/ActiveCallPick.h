#pragma once

class KTNavigationBarController;

// While a further call or a transfer target is being dialled from the active-call screen, the
// favorites, the phone book and the call log serve to pick the number; their right bar button
// then reads "Cancel".
namespace ActiveCallPick {

// The call-routing state says a pick is under way (a new call or a transfer).
bool isPicking();

// The first rules of a list's right button: during a pick it is "Cancel" (cancelActiveCallPick);
// after a pick the screen's flag of it takes one press to clear. True when either took the press.
bool takeRightButton(bool& openedFromActiveCall);

// The bar during a pick: the left button hidden, the right one reading "Cancel" without image;
// the bar restyled. Nothing without a bar.
void showPickButtons(KTNavigationBarController* bar);

} // namespace ActiveCallPick
