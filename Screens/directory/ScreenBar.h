#pragma once

class KTNavigationBarController;
class KTPickerViewController;
class ViewController;

// What the directory screens do with the bar of their stack.
namespace ScreenBar {

// The bar of the stack the screen is on, or null while it is on none.
KTNavigationBarController* of(const ViewController* screen);

// Lays the list picker over the screen's whole stack, bar included, unless it is on top there
// already, and brings its buttons and chosen row up to date.
void showPicker(const ViewController* screen, KTPickerViewController* picker);
void hidePicker(KTPickerViewController* picker);

} // namespace ScreenBar
