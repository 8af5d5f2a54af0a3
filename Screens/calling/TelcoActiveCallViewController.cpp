#include "Screens/calling/TelcoActiveCallViewController.h"

#include "Screens/PlaceholderView.h"

#include <QWidget>

TelcoActiveCallViewController::TelcoActiveCallViewController(QObject* parent)
    : ViewController(QStringLiteral("TelcoActiveCallView"), parent) {
    setTitle(QStringLiteral("Active Call"));
}

QWidget* TelcoActiveCallViewController::buildView() {
    return makePlaceholderView(title());
}

void TelcoActiveCallViewController::update() {}
