#include "ui/support/TextFit.h"

#include "ui/support/PaintRecording.h"
#include "ui/support/UserInput.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <cmath>

namespace {

// Advances include the side bearings of the first and last letter; a run that overshoots its
// clip by less than this has lost no ink.
constexpr qreal toleratedOvershoot = 1.0;

// Fields the user types into scroll their text inside their frame by design.
bool scrollsItsText(const QWidget* widget) {
    for (const QWidget* at = widget; at != nullptr && !at->isWindow(); at = at->parentWidget()) {
        if (qobject_cast<const QLineEdit*>(at) != nullptr || qobject_cast<const QTextEdit*>(at) != nullptr ||
            qobject_cast<const QPlainTextEdit*>(at) != nullptr ||
            qobject_cast<const QAbstractSpinBox*>(at) != nullptr) {
            return true;
        }
    }
    return false;
}

} // namespace

QStringList TextFit::cutTexts(QWidget* widget) {
    const PaintRecording::Recording recording = PaintRecording::record(widget);
    const qreal ratio = recording.ratio;
    QStringList cut;
    for (const PaintRecording::Drawn& run : recording.texts) {
        // Wholly clipped away is not shown at all; cut only at the top or bottom is a row
        // scrolled half out of its list.
        if (run.visible.isEmpty() || (run.widget != nullptr && scrollsItsText(run.widget))) {
            continue;
        }
        const qreal lost = (run.shown.width() - run.visible.width()) / ratio;
        if (lost <= toleratedOvershoot) {
            continue;
        }
        cut.append(QStringLiteral("%1 \"%2\" needs %3 px, shows %4 px")
                       .arg(UserInput::describe(run.widget), run.text)
                       .arg(std::ceil(run.shown.width() / ratio))
                       .arg(std::floor(run.visible.width() / ratio)));
    }
    cut.removeDuplicates();
    return cut;
}
