#pragma once

#include <QString>

class QWidget;

// Focus frames as desktop programs show them: only after the user moved focus with the
// keyboard (Tab, Backtab, a shortcut), and no longer once they press a mouse button. One filter
// on the application marks the focus widget while its frame is to show; style sheets select on
// that mark and painted controls ask shows().
namespace FocusFrames {

// Installs the filter on the running application; later calls do nothing.
void install();
// The widget has focus and its frame is to show.
bool shows(const QWidget* widget);
// A style sheet selector for a control of the type while its frame shows:
// selector("QToolButton") + " { border-color: ... }".
QString selector(const QString& type);

} // namespace FocusFrames
