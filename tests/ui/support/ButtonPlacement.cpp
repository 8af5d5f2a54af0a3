#include "ui/support/ButtonPlacement.h"

#include "App/OverlayHost.h"
#include "ui/support/PaintRecording.h"
#include "ui/support/UserInput.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Neighbouring segments and frames may share an edge pixel.
constexpr int toleratedOverlap = 1;
// Images are placed at fractional positions on scaled screens.
constexpr qreal toleratedOvershoot = 1.0;

bool isButton(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr;
}

// In the root's window, not in a window of its own (a sheet or a pop-up list).
bool inRootWindow(const QWidget* widget, const QWidget* root) {
    for (const QWidget* at = widget; at != root; at = at->parentWidget()) {
        if (at == nullptr || at->isWindow()) {
            return false;
        }
    }
    return true;
}

QRect rectIn(const QWidget* widget, const QWidget* root) {
    return {widget->mapTo(root, QPoint(0, 0)), widget->size()};
}

// The part of the widget inside every ancestor up to the root, in the root's coordinates.
QRect shownRect(const QWidget* widget, const QWidget* root) {
    QRect rect = rectIn(widget, root);
    for (const QWidget* at = widget->parentWidget(); at != root; at = at->parentWidget()) {
        rect &= rectIn(at, root);
    }
    return rect & root->rect();
}

// A view laid over its container's other children (a screen over the tabs, a dimmed picker).
bool isLaidOver(const QWidget* view, const QWidget* container) {
    const auto* host =
        container->findChild<OverlayHost*>(QStringLiteral("OverlayHost"), Qt::FindDirectChildrenOnly);
    if (host == nullptr) {
        return false;
    }
    const std::vector<QWidget*> views = host->subviews();
    return host->isTopmost(view) || std::find(views.begin(), views.end(), view) != views.end();
}

// What views laid over the widget, or over one of its ancestors, hide of it.
QRegion hiddenPart(const QWidget* widget, const QWidget* root) {
    QRegion hidden;
    for (const QWidget* at = widget; at != root; at = at->parentWidget()) {
        const QWidget* parent = at->parentWidget();
        const QObjectList& siblings = parent->children();
        for (qsizetype index = siblings.indexOf(at) + 1; index < siblings.size(); ++index) {
            const auto* sibling = qobject_cast<const QWidget*>(siblings[index]);
            if (sibling != nullptr && !sibling->isWindow() && sibling->isVisibleTo(root) &&
                isLaidOver(sibling, parent)) {
                hidden += shownRect(sibling, root);
            }
        }
    }
    return hidden;
}

std::vector<const QWidget*> visibleButtons(QWidget* root) {
    std::vector<const QWidget*> buttons;
    for (const QWidget* child : root->findChildren<QWidget*>()) {
        if (isButton(child) && child->isVisibleTo(root) && inRootWindow(child, root) &&
            !shownRect(child, root).isEmpty()) {
            buttons.push_back(child);
        }
    }
    return buttons;
}

QString sizeText(QSizeF size) {
    return QStringLiteral("%1x%2 px").arg(std::round(size.width())).arg(std::round(size.height()));
}

// The button the painting widget belongs to: itself or an ancestor below the root.
const QWidget* owningButton(const QWidget* painter, const QWidget* root) {
    for (const QWidget* at = painter; at != nullptr && inRootWindow(at, root); at = at->parentWidget()) {
        if (isButton(at)) {
            return at;
        }
        if (at == root) {
            break;
        }
    }
    return nullptr;
}

} // namespace

QStringList ButtonPlacement::overlappingButtons(QWidget* widget) {
    QStringList overlaps;
    if (widget == nullptr) {
        return overlaps;
    }
    const std::vector<const QWidget*> buttons = visibleButtons(widget);
    for (size_t first = 0; first < buttons.size(); ++first) {
        for (size_t second = first + 1; second < buttons.size(); ++second) {
            const QWidget* one = buttons[first];
            const QWidget* other = buttons[second];
            const QRect common = shownRect(one, widget) & shownRect(other, widget);
            if (common.width() <= toleratedOverlap || common.height() <= toleratedOverlap ||
                one->isAncestorOf(other) || other->isAncestorOf(one)) {
                continue;
            }
            const QRegion seen = QRegion(common) - hiddenPart(one, widget) - hiddenPart(other, widget);
            if (!seen.isEmpty()) {
                overlaps.append(QStringLiteral("%1 and %2 overlap by %3")
                                    .arg(UserInput::describe(one), UserInput::describe(other),
                                         sizeText(seen.boundingRect().size())));
            }
        }
    }
    return overlaps;
}

QStringList ButtonPlacement::cutImages(QWidget* widget) {
    QStringList cut;
    const PaintRecording::Recording recording = PaintRecording::record(widget);
    const qreal slack = toleratedOvershoot * recording.ratio;
    for (const PaintRecording::Drawn& image : recording.images) {
        const QWidget* button = owningButton(image.widget, widget);
        if (button == nullptr) {
            continue;
        }
        // The image must lie within the widget that paints it and each one up to the button.
        for (const QWidget* at = image.widget; at != button->parentWidget(); at = at->parentWidget()) {
            const QRect area = rectIn(at, widget);
            const QRectF bounds(QPointF(area.topLeft()) * recording.ratio,
                                QSizeF(area.size()) * recording.ratio);
            if (bounds.adjusted(-slack, -slack, slack, slack).contains(image.shown)) {
                continue;
            }
            const QString past = at == button ? QStringLiteral("its bounds") : UserInput::describe(at);
            cut.append(QStringLiteral("%1: its image of %2 runs past %3 (%4)")
                           .arg(UserInput::describe(button), sizeText(image.shown.size() / recording.ratio),
                                past, sizeText(QSizeF(area.size()))));
            break;
        }
    }
    cut.removeDuplicates();
    return cut;
}
