#pragma once

// The program's one focus frame: the accent colour, 2 px wide with rounded corners, along the
// border of the focused widget, whatever its kind (a list gets it around the whole list). It
// shows as desktop programs show theirs: only after the user moved focus with the keyboard (Tab,
// Backtab, a shortcut), and no longer once they press a mouse button. One filter on the
// application follows focus and lays the frame over the focused widget while it is to show; it
// also keeps the style from drawing focus frames of its own, so no second frame shows.
namespace FocusFrames {

// Installs the filter on the running application; later calls do nothing.
void install();

} // namespace FocusFrames
