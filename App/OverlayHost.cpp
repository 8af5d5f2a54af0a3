#include "App/OverlayHost.h"

#include <QWidget>

#include <algorithm>

OverlayHost::OverlayHost(QWidget* container) : QObject(container), m_container(container) {
    setObjectName(QStringLiteral("OverlayHost"));
}

OverlayHost& OverlayHost::of(QWidget* container) {
    auto* host =
        container->findChild<OverlayHost*>(QStringLiteral("OverlayHost"), Qt::FindDirectChildrenOnly);
    if (host == nullptr) {
        host = new OverlayHost(container);
    }
    return *host;
}

void OverlayHost::removeFromSuperview(QWidget* view) {
    if (view == nullptr) {
        return;
    }
    QWidget* container = view->parentWidget();
    if (container != nullptr) {
        of(container).removeSubview(view);
        return;
    }
    view->hide();
}

bool OverlayHost::liesUnderAnother(const QWidget* view) {
    const QWidget* container = view->parentWidget();
    const auto* host =
        container == nullptr
            ? nullptr
            : container->findChild<OverlayHost*>(QStringLiteral("OverlayHost"), Qt::FindDirectChildrenOnly);
    if (host == nullptr) {
        return false;
    }
    const std::vector<QWidget*> views = host->subviews();
    return std::find(views.begin(), views.end(), view) != views.end() && host->topmost() != view;
}

void OverlayHost::addSubview(QWidget* view) {
    if (view == nullptr) {
        return;
    }
    adopt(view);
    m_stack.emplace_back(view);
    view->show();
    view->raise();
    // A view laid while a pop-up is up goes under it.
    for (const QPointer<QWidget>& popUp : m_popUps) {
        popUp->raise();
    }
}

void OverlayHost::addPopUp(QWidget* view) {
    if (view == nullptr) {
        return;
    }
    adopt(view);
    m_popUps.emplace_back(view);
    view->show();
    view->raise();
}

// Makes the view a child of the container, out of the stack and the pop-ups.
void OverlayHost::adopt(QWidget* view) {
    if (view->parentWidget() != m_container) {
        if (view->parentWidget() != nullptr) {
            removeFromSuperview(view);
        }
        const QRect geometry = view->geometry();
        view->setParent(m_container);
        view->setGeometry(geometry);
    }
    prune();
    const auto isView = [view](const QPointer<QWidget>& entry) { return entry == view; };
    std::erase_if(m_stack, isView);
    std::erase_if(m_popUps, isView);
}

void OverlayHost::removeSubview(QWidget* view) {
    if (view == nullptr) {
        return;
    }
    const auto isView = [view](const QPointer<QWidget>& entry) { return entry == view; };
    std::erase_if(m_stack, isView);
    std::erase_if(m_popUps, isView);
    if (view->parentWidget() == m_container) {
        view->hide();
        view->setParent(nullptr);
    }
}

QWidget* OverlayHost::topmost() const {
    prune();
    return m_stack.empty() ? nullptr : m_stack.back().data();
}

bool OverlayHost::isTopmost(const QWidget* view) const {
    if (view == nullptr) {
        return false;
    }
    prune();
    const auto isView = [view](const QPointer<QWidget>& entry) { return entry == view; };
    if (std::any_of(m_popUps.begin(), m_popUps.end(), isView)) {
        return m_popUps.back() == view;
    }
    return topmost() == view;
}

std::vector<QWidget*> OverlayHost::subviews() const {
    prune();
    std::vector<QWidget*> views;
    for (const QPointer<QWidget>& entry : m_stack) {
        views.push_back(entry.data());
    }
    return views;
}

// Views that were deleted or moved to another container meanwhile are no longer ours.
void OverlayHost::prune() const {
    const auto gone = [this](const QPointer<QWidget>& entry) {
        return entry.isNull() || entry->parentWidget() != m_container;
    };
    std::erase_if(m_stack, gone);
    std::erase_if(m_popUps, gone);
}
