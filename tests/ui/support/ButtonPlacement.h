#pragma once

#include <QStringList>

class QWidget;

// Where the buttons of a widget stand, as its user sees them: no two visible buttons lie over
// each other, and no button's image runs past its own bounds (or past the label inside it that
// shows the image). Buttons and pop-up buttons of the widget's own window count; a view laid
// over others (a pop-up, a dimmed picker, a screen laid over the tabs) hides what lies beneath
// it, so a button it covers overlaps nothing there.
namespace ButtonPlacement {

// One entry per pair: `QPushButton "endCallButton" and QPushButton "keypadButton" overlap by 100x29 px`.
QStringList overlappingButtons(QWidget* widget);
// One entry per image: `QPushButton "keypadButton": its image of 26x26 px runs past QLabel
// "imageView" (100x10 px)`, or past "its bounds" when the button itself is too small.
QStringList cutImages(QWidget* widget);

} // namespace ButtonPlacement
