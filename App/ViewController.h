#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class KTNavigationController;
class QWidget;

// A screen: a QObject that owns one view, built on first use by buildView() (the layout its nib
// held; the view's object name is the nib name) and then told viewDidLoad().
//
// Appearance is explicit: viewWillAppearInWindow() is called where a view goes on screen (a tab
// switch, an overlay laid over the window, the tab bar added to the window), never from
// showEvent. Roots that reload on appearance forward it to viewWillAppear(true). The navigation
// controller calls the four viewWill/DidAppear/Disappear hooks on push and pop.
class ViewController : public QObject {
    Q_OBJECT

public:
    explicit ViewController(QString nibName, QObject* parent = nullptr);
    ~ViewController() override;

    // The view, built (and viewDidLoad() run) on the first call.
    QWidget* view();
    bool isViewLoaded() const { return !m_view.isNull(); }
    const QString& nibName() const { return m_nibName; }

    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // The stack this page is on, or null; not owned.
    KTNavigationController* navigationController() const;
    void setNavigationController(KTNavigationController* controller);

    // Shows the controller's view as a window-modal window over this one's window (a QDialog
    // view is opened with open(), never exec()); dismissing hides it again.
    void presentViewControllerAsModalWindow(ViewController* controller);
    void dismissViewController(ViewController* controller);

    // Runs once the view is built; bars send it again to restyle themselves.
    virtual void viewDidLoad() {}
    virtual void viewWillAppearInWindow() {}

    // The optional page hooks of the navigation controller; empty unless a page needs them.
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}

protected:
    // Builds the view without a parent; called once, from view().
    virtual QWidget* buildView() = 0;

private:
    QString m_nibName;
    QString m_title;
    QPointer<QWidget> m_view;
    QPointer<QObject> m_navigationController;
};
