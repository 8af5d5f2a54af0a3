#pragma once

#include "App/ViewController.h"

// Placeholder until the screen is built: titled, with the members the shell calls.
class TelcoActiveCallViewController final : public ViewController {
    Q_OBJECT

public:
    explicit TelcoActiveCallViewController(QObject* parent = nullptr);

    // Redraws the party from a fresh line.
    void update();

protected:
    QWidget* buildView() override;
};
