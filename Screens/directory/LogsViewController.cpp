#include "Screens/directory/LogsViewController.h"

#include "Screens/PlaceholderView.h"

#include <QWidget>

LogsViewController::LogsViewController(QObject* parent) : ViewController(QStringLiteral("LogsView"), parent) {
    setTitle(QStringLiteral("Call Log"));
}

QWidget* LogsViewController::buildView() {
    return makePlaceholderView(title());
}
