#include "Screens/calling/ActiveCallViewController.h"

#include "Screens/PlaceholderView.h"

#include <QWidget>

ActiveCallViewController::ActiveCallViewController(QObject* parent)
    : ViewController(QStringLiteral("ActiveCallView"), parent) {
    setTitle(QStringLiteral("Active Calls"));
}

QWidget* ActiveCallViewController::buildView() {
    return makePlaceholderView(title());
}

void ActiveCallViewController::update() {}
