#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "App/WeakDelegate.h"

#include <QPointer>
#include <QRect>
#include <QTimer>

#include <vector>

class KTNavigationBarController;
class QLabel;
class QParallelAnimationGroup;

// A stack of pages under a bar: the top page's view fills the content area below the bar.
// Pushing and popping slide the pages sideways over 0.2 s; the slide moves two pictures of the
// pages, never the live views, and a 200 ms timer ends it. Pages are not owned: their owners
// keep them.
class KTNavigationController final : public ViewController {
    Q_OBJECT

public:
    static constexpr int slideMilliseconds = 200;

    // A stack of the given frame with the root page (a plain empty page when null).
    KTNavigationController(const QRect& frame, ViewController* rootViewController, QObject* parent = nullptr);
    ~KTNavigationController() override;

    KTNavigationBarController* navigationBar() const { return m_navigationBar; }
    QWidget* contentView() const { return m_contentView; }

    // Not owned; a delegate that is destroyed is forgotten.
    KTNavigationControllerDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(KTNavigationControllerDelegate* delegate) { m_delegate.reset(delegate); }

    std::vector<ViewController*> viewControllers() const;
    void setViewControllers(const std::vector<ViewController*>& viewControllers, bool animated = false);
    ViewController* topViewController() const;
    ViewController* visibleViewController() const { return topViewController(); }

    void pushViewController(ViewController* viewController, bool animated);
    // The removed page, or null when only the root is left.
    ViewController* popViewControllerAnimated(bool animated);
    // The removed pages, the former top first.
    std::vector<ViewController*> popToRootViewControllerAnimated(bool animated);
    std::vector<ViewController*> popToViewController(ViewController* viewController, bool animated);

    // The stack's view went on screen: the top page hears it.
    void viewWillAppearInWindow() override;

    // Ends a running slide at once (the 200 ms timer's action); nothing when none runs.
    void finishPendingSlide();
    bool hasPendingSlide() const { return m_slide.active; }

protected:
    QWidget* buildView() override;

private:
    struct Slide {
        bool active = false;
        QPointer<ViewController> from;
        QPointer<ViewController> to;
        bool animated = false;
        QPointer<QLabel> fromImage;
        QPointer<QLabel> toImage;
        QPointer<QParallelAnimationGroup> animation;
    };

    void changePage(ViewController* from, ViewController* to, bool animated, bool push);
    void completePageChange(ViewController* from, ViewController* to, bool animated);
    void showTitleOf(ViewController* page);
    void handBarTo(ViewController* page, bool clearOtherwise);

    QRect m_frame;
    KTNavigationBarController* m_navigationBar = nullptr;
    QWidget* m_contentView = nullptr;
    std::vector<QPointer<ViewController>> m_stack;
    WeakDelegate<KTNavigationControllerDelegate> m_delegate;
    QTimer m_slideTimer;
    Slide m_slide;
};
