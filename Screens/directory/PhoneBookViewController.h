#pragma once

#include "App/ViewController.h"

// Placeholder until the screen is built: titled, with the members the shell calls.
class PhoneBookViewController final : public ViewController {
    Q_OBJECT

public:
    explicit PhoneBookViewController(QObject* parent = nullptr);

    bool openedFromCallForwardingSettingsView() const { return m_openedFromCallForwardingSettingsView; }
    void setOpenedFromCallForwardingSettingsView(bool opened) {
        m_openedFromCallForwardingSettingsView = opened;
    }

protected:
    QWidget* buildView() override;

private:
    bool m_openedFromCallForwardingSettingsView = false;
};
