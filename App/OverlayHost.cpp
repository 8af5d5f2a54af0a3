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

void OverlayHost::addSubview(QWidget* view) {
    if (view == nullptr) {
        return;
    }
    if (view->parentWidget() != m_container) {
        if (view->parentWidget() != nullptr) {
            removeFromSuperview(view);
        }
        const QRect geometry = view->geometry();
        view->setParent(m_container);
        view->setGeometry(geometry);
    }
    prune();
    std::erase_if(m_stack, [view](const QPointer<QWidget>& entry) { return entry == view; });
    m_stack.emplace_back(view);
    view->show();
    view->raise();
}

void OverlayHost::removeSubview(QWidget* view) {
    if (view == nullptr) {
        return;
    }
    std::erase_if(m_stack, [view](const QPointer<QWidget>& entry) { return entry == view; });
    if (view->parentWidget() == m_container) {
        view->hide();
        view->setParent(nullptr);
    }
}

QWidget* OverlayHost::topmost() const {
    prune();
    return m_stack.empty() ? nullptr : m_stack.back().data();
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
    std::erase_if(m_stack, [this](const QPointer<QWidget>& entry) {
        return entry.isNull() || entry->parentWidget() != m_container;
    });
}
