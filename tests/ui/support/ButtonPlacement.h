#pragma once

#include <QStringList>

class QWidget;

// Where the buttons of a widget stand, as its user sees them: no two visible buttons lie over
// each other, and no button's image runs past its own bounds (or past the label inside it that
// shows the image). Buttons and pop-up buttons of the widget's own window count; a view laid
// over others (a pop-up, a dimmed picker, a screen laid over the tabs) hides what lies beneath
// it, so a button it covers overlaps nothing there.
namespace ButtonPlacement {

// One entry per pair: `QPushButton "keypadButton" and QPushButton "endCallButton" overlap by 100x30 px`.
QStringList overlappingButtons(QWidget* widget);
// One entry per image: `QLabel "imageView" in QPushButton "keypadButton": image 24x24 px at (38, -3)
// runs past QLabel "imageView" 100x8 px at (0, 4)`.
QStringList cutImages(QWidget* widget);

} // namespace ButtonPlacement
