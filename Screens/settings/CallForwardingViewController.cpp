#include "Screens/settings/CallForwardingViewController.h"

#include "Screens/PlaceholderView.h"

#include <QLineEdit>
#include <QWidget>

CallForwardingViewController::CallForwardingViewController(QObject* parent)
    : ViewController(QStringLiteral("CallForwardingView"), parent) {
    setTitle(QStringLiteral("Call Forwarding"));
}

QWidget* CallForwardingViewController::buildView() {
    return makePlaceholderView(title());
}

QLineEdit* CallForwardingViewController::forwardCallsToField() {
    if (m_forwardCallsToField == nullptr) {
        m_forwardCallsToField = new QLineEdit(view());
        m_forwardCallsToField->setObjectName(QStringLiteral("forwardCallsToField"));
        m_forwardCallsToField->hide();
    }
    return m_forwardCallsToField;
}
