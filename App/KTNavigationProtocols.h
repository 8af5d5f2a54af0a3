#pragma once

class KTNavigationController;
class QAbstractButton;
class ViewController;

// What a page on top of a navigation stack hears of its bar's buttons. Every method is
// optional: the empty default does nothing.
class KTNavigationBarDelegate {
public:
    virtual ~KTNavigationBarDelegate() = default;
    virtual void leftButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {}
    virtual void rightButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {}
    virtual void middleButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {}
};

// Told before and after each page change of a navigation controller.
class KTNavigationControllerDelegate {
public:
    virtual ~KTNavigationControllerDelegate() = default;
    virtual void navigationControllerWillShowViewController(KTNavigationController* /*navigationController*/,
                                                            ViewController* /*viewController*/,
                                                            bool /*animated*/) {}
    virtual void navigationControllerDidShowViewController(KTNavigationController* /*navigationController*/,
                                                           ViewController* /*viewController*/,
                                                           bool /*animated*/) {}
};
