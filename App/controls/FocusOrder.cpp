#include "App/controls/FocusOrder.h"

#include "App/OverlayHost.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* partProperty = "focusPart";

FocusOrder::Part partOf(const QWidget* widget, const QWidget* window) {
    for (const QWidget* at = widget; at != nullptr && at != window; at = at->parentWidget()) {
        const QVariant part = at->property(partProperty);
        if (part.isValid()) {
            return static_cast<FocusOrder::Part>(part.toInt());
        }
    }
    return FocusOrder::Part::Page;
}

// What Qt's own Tab would stop at, less what a view laid over it hides.
bool takesTab(const QWidget* widget, const QWidget* window) {
    if ((widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || widget->window() != window ||
        !widget->isVisibleTo(window) || !widget->isEnabled() || widget->focusProxy() != nullptr) {
        return false;
    }
    for (const QWidget* at = widget; at != window; at = at->parentWidget()) {
        if (OverlayHost::liesUnderAnother(at)) {
            return false;
        }
    }
    return true;
}

} // namespace

void FocusOrder::setPart(QWidget* container, Part part) {
    container->setProperty(partProperty, static_cast<int>(part));
}

QWidget* FocusOrder::next(QWidget* window, bool forward) {
    std::vector<QWidget*> chain;
    for (QWidget* at = window->nextInFocusChain(); at != window && at != nullptr;
         at = at->nextInFocusChain()) {
        chain.push_back(at);
    }
    std::stable_sort(chain.begin(), chain.end(), [window](const QWidget* one, const QWidget* other) {
        return partOf(one, window) < partOf(other, window);
    });
    const auto count = static_cast<std::ptrdiff_t>(chain.size());
    const auto found = std::find(chain.begin(), chain.end(), window->focusWidget());
    // From nowhere, Tab starts at the top and Backtab at the bottom.
    std::ptrdiff_t at = found != chain.end() ? found - chain.begin() : (forward ? -1 : count);
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        at = ((forward ? at + 1 : at - 1) % count + count) % count;
        if (takesTab(chain[static_cast<size_t>(at)], window)) {
            return chain[static_cast<size_t>(at)];
        }
    }
    return nullptr;
}

bool FocusOrder::Window::focusNextPrevChild(bool forward) {
    QWidget* target = FocusOrder::next(this, forward);
    if (target == nullptr) {
        return false;
    }
    target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
