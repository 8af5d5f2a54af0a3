#pragma once

#include "App/ViewController.h"

// Placeholder until the screen is built: titled, with the members the shell calls.
class SettingsViewController final : public ViewController {
    Q_OBJECT

public:
    explicit SettingsViewController(QObject* parent = nullptr);

    // Shows the connection list: back to the root, then the list pushed on it.
    void openConnectionSettings();

protected:
    QWidget* buildView() override;

private:
    ViewController* m_connectionList = nullptr;
};
