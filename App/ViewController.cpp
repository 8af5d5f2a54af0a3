#include "App/ViewController.h"

#include "App/KTNavigationController.h"

#include <QDialog>
#include <QWidget>

ViewController::ViewController(QString nibName, QObject* parent)
    : QObject(parent), m_nibName(std::move(nibName)) {}

// The view may sit in a container that outlives this controller; it goes with it, unless the
// controller is being deleted as the view's own child.
ViewController::~ViewController() {
    for (QObject* ancestor = parent(); ancestor != nullptr; ancestor = ancestor->parent()) {
        if (ancestor == m_view.data()) {
            return;
        }
    }
    delete m_view.data();
}

QWidget* ViewController::view() {
    if (m_view.isNull()) {
        m_view = buildView();
        m_view->setObjectName(m_nibName);
        viewDidLoad();
    }
    return m_view.data();
}

KTNavigationController* ViewController::navigationController() const {
    return static_cast<KTNavigationController*>(m_navigationController.data());
}

void ViewController::setNavigationController(KTNavigationController* controller) {
    m_navigationController = controller;
}

void ViewController::presentViewControllerAsModalWindow(ViewController* controller) {
    QWidget* modal = controller->view();
    modal->setParent(view()->window(), Qt::Dialog);
    modal->setWindowModality(Qt::WindowModal);
    modal->setWindowTitle(controller->title());
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->open();
        return;
    }
    modal->show();
}

void ViewController::dismissViewController(ViewController* controller) {
    if (controller != nullptr && controller->isViewLoaded()) {
        controller->view()->hide();
    }
}
