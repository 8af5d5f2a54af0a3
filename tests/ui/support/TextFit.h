#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Finds single-line texts cut mid-letter. The widget is painted (children included) into a
// device that records every text run with the clip it was drawn under; a run that is partly
// visible but wider than what its clip lets through is cut. Texts that fit, and texts elided
// with "…" to fit, pass. Fields the user types into scroll their text and are left out, and so
// are runs cut only at the top or bottom (rows scrolled half out of a list).
namespace TextFit {

// One entry per cut text: `QLabel "roomName" "Conference Roo" needs 180 px, shows 120 px`.
QStringList cutTexts(QWidget* widget);

} // namespace TextFit
