#pragma once

#include "App/ViewController.h"

#include "App/KTNavigationProtocols.h"

class QLineEdit;

// Placeholder until the screen is built: titled, with the members the shell calls.
class CallForwardingViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit CallForwardingViewController(QObject* parent = nullptr);

    bool standalone() const { return m_standalone; }
    void setStandalone(bool standalone) { m_standalone = standalone; }
    QLineEdit* forwardCallsToField();

protected:
    QWidget* buildView() override;

private:
    bool m_standalone = false;
    QLineEdit* m_forwardCallsToField = nullptr;
};
