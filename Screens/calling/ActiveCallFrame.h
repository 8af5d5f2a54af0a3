#pragma once

class CustomKeyButtons;
class KTNavigationBarDelegate;
class KTNavigationController;
class QHBoxLayout;
class QObject;
class QWidget;

// The frame both active-call screens share: their content on top, the bar of function buttons
// below it, and the bar of custom keys at the bottom; a navigation bar with the title alone.
namespace ActiveCallFrame {

struct Bars {
    QWidget* functionButtonsView = nullptr;
    // The screen adds its function buttons here, each with stretch 1.
    QHBoxLayout* functionButtonsLayout = nullptr;
    QWidget* customButtonsView = nullptr;
    CustomKeyButtons* customKeys = nullptr;
};

// Lays content and the two bars (light grey) into root; the keys belong to owner.
Bars build(QWidget* root, QWidget* content, QObject* owner);
// The screen hears its bar, which shows no buttons.
void setUpNavigationBar(KTNavigationController* navigation, KTNavigationBarDelegate* screen);
// The KEYPAD button: the screen's stack steps off the window and the dial pad is asked for as
// the call's keypad ("openKeyPadFromActiveCallView").
void lendWindowToKeyPad(KTNavigationController* navigation);

} // namespace ActiveCallFrame
