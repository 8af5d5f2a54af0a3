#include "Screens/calling/DialerViewController.h"

#include "Screens/PlaceholderView.h"

#include <QWidget>

DialerViewController::DialerViewController(QObject* parent)
    : ViewController(QStringLiteral("DialerView"), parent) {
    setTitle(QStringLiteral("Dialer"));
}

QWidget* DialerViewController::buildView() {
    return makePlaceholderView(title());
}

void DialerViewController::navigateToDialPadView() {}

void DialerViewController::navigateToSIPURIView() {}
