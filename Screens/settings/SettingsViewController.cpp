#include "Screens/settings/SettingsViewController.h"

#include "Screens/PlaceholderView.h"

#include <QWidget>

SettingsViewController::SettingsViewController(QObject* parent)
    : ViewController(QStringLiteral("SettingsView"), parent) {
    setTitle(QStringLiteral("Settings"));
}

QWidget* SettingsViewController::buildView() {
    return makePlaceholderView(title());
}

void SettingsViewController::openConnectionSettings() {}
