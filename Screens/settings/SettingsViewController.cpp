#include "Screens/settings/SettingsViewController.h"

#include "App/KTNavigationController.h"
#include "Screens/PlaceholderView.h"

#include <QWidget>

namespace {

class ConnectionListPlaceholder final : public ViewController {
public:
    explicit ConnectionListPlaceholder(QObject* parent)
        : ViewController(QStringLiteral("ConnectionView"), parent) {
        setTitle(QStringLiteral("Connections"));
    }

protected:
    QWidget* buildView() override { return makePlaceholderView(title()); }
};

} // namespace

SettingsViewController::SettingsViewController(QObject* parent)
    : ViewController(QStringLiteral("SettingsView"), parent) {
    setTitle(QStringLiteral("Settings"));
}

QWidget* SettingsViewController::buildView() {
    return makePlaceholderView(title());
}

void SettingsViewController::openConnectionSettings() {
    KTNavigationController* stack = navigationController();
    if (stack == nullptr) {
        return;
    }
    if (m_connectionList == nullptr) {
        m_connectionList = new ConnectionListPlaceholder(this);
    }
    stack->popToRootViewControllerAnimated(false);
    stack->pushViewController(m_connectionList, false);
}
