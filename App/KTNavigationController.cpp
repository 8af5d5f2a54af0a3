#include "App/KTNavigationController.h"

#include "App/KTNavigationBarController.h"
#include "App/KTNavigationProtocols.h"
#include "App/controls/Flatten.h"

#include <QLabel>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QWidget>

namespace {

// The page made when a stack gets no root: an empty view.
class PlainViewController final : public ViewController {
public:
    explicit PlainViewController(QObject* parent) : ViewController(QString(), parent) {}

protected:
    QWidget* buildView() override { return new QWidget; }
};

void detach(QWidget* view) {
    if (view != nullptr) {
        view->hide();
        view->setParent(nullptr);
    }
}

} // namespace

KTNavigationController::KTNavigationController(const QRect& frame, ViewController* rootViewController,
                                               QObject* parent)
    : ViewController(QString(), parent), m_frame(frame) {
    m_slideTimer.setSingleShot(true);
    m_slideTimer.setInterval(slideMilliseconds);
    connect(&m_slideTimer, &QTimer::timeout, this, &KTNavigationController::finishPendingSlide);

    // The stack's view, bar and content area exist from the start, as the root goes in now.
    view();
    if (rootViewController == nullptr) {
        rootViewController = new PlainViewController(this);
    }
    m_stack.emplace_back(rootViewController);
    rootViewController->setNavigationController(this);
    QWidget* rootView = rootViewController->view();
    rootView->setParent(m_contentView);
    rootView->setGeometry(m_contentView->rect());
    rootView->show();
    showTitleOf(rootViewController);
    rootViewController->viewWillAppear(false);
}

KTNavigationController::~KTNavigationController() {
    // Pages belong to their owners: take their views out before the stack's view goes.
    if (m_slide.active) {
        delete m_slide.animation.data();
    }
    for (const QPointer<ViewController>& page : m_stack) {
        if (!page.isNull() && page->isViewLoaded() && page->view()->parentWidget() == m_contentView) {
            detach(page->view());
        }
    }
}

QWidget* KTNavigationController::buildView() {
    auto* stackView = new QWidget;
    stackView->setGeometry(m_frame);
    m_navigationBar = new KTNavigationBarController(this);
    QWidget* bar = m_navigationBar->view();
    bar->setParent(stackView);
    m_navigationBar->layoutForWidth(m_frame.width());
    bar->move(0, 0);
    m_contentView = new QWidget(stackView);
    m_contentView->setObjectName(QStringLiteral("navigationContentView"));
    m_contentView->setGeometry(0, bar->height(), m_frame.width(), m_frame.height() - bar->height());
    return stackView;
}

std::vector<ViewController*> KTNavigationController::viewControllers() const {
    std::vector<ViewController*> pages;
    for (const QPointer<ViewController>& page : m_stack) {
        if (!page.isNull()) {
            pages.push_back(page.data());
        }
    }
    return pages;
}

ViewController* KTNavigationController::topViewController() const {
    const std::vector<ViewController*> pages = viewControllers();
    return pages.empty() ? nullptr : pages.back();
}

void KTNavigationController::setViewControllers(const std::vector<ViewController*>& viewControllers,
                                                bool animated) {
    if (viewControllers.empty()) {
        return;
    }
    ViewController* from = topViewController();
    ViewController* to = viewControllers.back();
    const std::vector<ViewController*> current = this->viewControllers();
    bool toIsBelowTop = false;
    for (size_t index = 0; index + 1 < current.size(); ++index) {
        toIsBelowTop = toIsBelowTop || current[index] == to;
    }
    m_stack.clear();
    for (ViewController* page : viewControllers) {
        m_stack.emplace_back(page);
        page->setNavigationController(this);
    }
    changePage(from, to, animated, !toIsBelowTop);
}

void KTNavigationController::pushViewController(ViewController* viewController, bool animated) {
    if (viewController == nullptr) {
        return;
    }
    ViewController* from = topViewController();
    m_stack.emplace_back(viewController);
    viewController->setNavigationController(this);
    changePage(from, viewController, animated, true);
    showTitleOf(viewController);
    handBarTo(viewController, false);
}

ViewController* KTNavigationController::popViewControllerAnimated(bool animated) {
    if (viewControllers().size() <= 1) {
        return nullptr;
    }
    ViewController* removed = topViewController();
    m_stack.pop_back();
    ViewController* top = topViewController();
    showTitleOf(top);
    changePage(removed, top, animated, false);
    removed->setNavigationController(nullptr);
    handBarTo(top, true);
    return removed;
}

std::vector<ViewController*> KTNavigationController::popToRootViewControllerAnimated(bool animated) {
    const std::vector<ViewController*> pages = viewControllers();
    if (pages.size() <= 1) {
        return {};
    }
    return popToViewController(pages.front(), animated);
}

std::vector<ViewController*> KTNavigationController::popToViewController(ViewController* viewController,
                                                                         bool animated) {
    const std::vector<ViewController*> pages = viewControllers();
    const auto found = std::find(pages.begin(), pages.end(), viewController);
    if (found == pages.end() || found + 1 == pages.end()) {
        return {};
    }
    std::vector<ViewController*> removed(found + 1, pages.end());
    std::reverse(removed.begin(), removed.end());
    m_stack.assign(pages.begin(), found + 1);
    showTitleOf(viewController);
    changePage(removed.front(), viewController, animated, false);
    for (ViewController* page : removed) {
        page->setNavigationController(nullptr);
    }
    return removed;
}

void KTNavigationController::viewWillAppearInWindow() {
    if (ViewController* top = topViewController()) {
        top->viewWillAppearInWindow();
    }
}

void KTNavigationController::changePage(ViewController* from, ViewController* to, bool animated, bool push) {
    // A change while a slide is still running first lands that slide.
    finishPendingSlide();
    QWidget* toView = to->view();
    if (KTNavigationControllerDelegate* target = delegate()) {
        target->navigationControllerWillShowViewController(this, to, animated);
    }
    to->viewWillAppear(animated);
    if (from != nullptr) {
        from->viewWillDisappear(animated);
    }
    QWidget* fromView = (from != nullptr && from != to && from->isViewLoaded()) ? from->view() : nullptr;
    const QRect bounds = m_contentView->rect();

    if (!animated) {
        toView->setParent(m_contentView);
        toView->setGeometry(bounds);
        toView->show();
        detach(fromView);
        completePageChange(from, to, animated);
        return;
    }

    const int width = bounds.width();
    const QRect toStart = bounds.translated(push ? width : -width, 0);
    const QRect fromEnd = bounds.translated(push ? -width : width, 0);
    detach(toView);
    toView->setGeometry(toStart);
    detach(fromView);

    // Both pages are drawn once, while off the window, and only their pictures move.
    auto* fromImage = new QLabel(m_contentView);
    fromImage->setPixmap(flattenWithSubviews(fromView));
    fromImage->setGeometry(bounds);
    fromImage->show();
    auto* toImage = new QLabel(m_contentView);
    toImage->setPixmap(flattenWithSubviews(toView));
    toImage->setGeometry(toStart);
    toImage->show();
    toImage->raise();

    auto* animation = new QParallelAnimationGroup(this);
    auto* fromSlide = new QPropertyAnimation(fromImage, "geometry", animation);
    fromSlide->setDuration(slideMilliseconds);
    fromSlide->setEndValue(fromEnd);
    auto* toSlide = new QPropertyAnimation(toImage, "geometry", animation);
    toSlide->setDuration(slideMilliseconds);
    toSlide->setEndValue(bounds);
    animation->addAnimation(fromSlide);
    animation->addAnimation(toSlide);
    animation->start();

    m_slide = {true, from, to, animated, fromImage, toImage, animation};
    m_slideTimer.start();
}

void KTNavigationController::finishPendingSlide() {
    if (!m_slide.active) {
        return;
    }
    m_slideTimer.stop();
    const Slide slide = m_slide;
    m_slide = {};
    delete slide.animation.data();
    delete slide.fromImage.data();
    if (!slide.to.isNull()) {
        QWidget* toView = slide.to->view();
        toView->setParent(m_contentView);
        // The page takes its picture's place among the content view's children.
        if (!slide.toImage.isNull()) {
            toView->stackUnder(slide.toImage.data());
        }
        toView->setGeometry(m_contentView->rect());
        toView->show();
    }
    delete slide.toImage.data();
    if (!slide.to.isNull()) {
        completePageChange(slide.from.data(), slide.to.data(), slide.animated);
    }
}

void KTNavigationController::completePageChange(ViewController* from, ViewController* to, bool animated) {
    if (KTNavigationControllerDelegate* target = delegate()) {
        target->navigationControllerDidShowViewController(this, to, animated);
    }
    to->viewDidAppear(animated);
    if (from != nullptr) {
        from->viewDidDisappear(animated);
    }
}

void KTNavigationController::showTitleOf(ViewController* page) {
    m_navigationBar->barTitle()->setText(page != nullptr ? page->title() : QString());
}

void KTNavigationController::handBarTo(ViewController* page, bool clearOtherwise) {
    if (auto* barDelegate = dynamic_cast<KTNavigationBarDelegate*>(page)) {
        m_navigationBar->setDelegate(barDelegate);
    } else if (clearOtherwise) {
        m_navigationBar->setDelegate(nullptr);
    }
}
