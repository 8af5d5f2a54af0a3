#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

// The views laid over one container, bottom first. A view counts as showing when it is its
// container's last (topmost) subview. QObject::children() also holds non-widget children and
// changes order on reparenting, so the order is kept here explicitly.
// Pop-ups (the volume strip) float above the stack: they stay on top of every view laid
// after them, and no view counts as covered by one.
class OverlayHost final : public QObject {
    Q_OBJECT

public:
    // The host of a container, made on first use and owned by the container.
    static OverlayHost& of(QWidget* container);
    // Takes the view off its container, if it has one: it is hidden and left without a parent
    // (its owner keeps it).
    static void removeFromSuperview(QWidget* view);
    // The view is one its container holds, with another view laid over it.
    static bool liesUnderAnother(const QWidget* view);

    // Puts the view on top of the container (also when it is there already), at its current
    // geometry, shown.
    void addSubview(QWidget* view);
    // Puts the view above the stack as a pop-up, at its current geometry, shown.
    void addPopUp(QWidget* view);
    void removeSubview(QWidget* view);
    // The topmost subview, or null when the container holds none; pop-ups do not count.
    QWidget* topmost() const;
    // For a pop-up: it is the last pop-up laid.
    bool isTopmost(const QWidget* view) const;
    std::vector<QWidget*> subviews() const;

private:
    explicit OverlayHost(QWidget* container);
    void adopt(QWidget* view);
    void prune() const;

    QWidget* m_container;
    mutable std::vector<QPointer<QWidget>> m_stack;
    mutable std::vector<QPointer<QWidget>> m_popUps;
};
