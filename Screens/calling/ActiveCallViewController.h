#pragma once

#include "App/ViewController.h"

// Placeholder until the screen is built: titled, with the members the shell calls.
class ActiveCallViewController final : public ViewController {
    Q_OBJECT

public:
    explicit ActiveCallViewController(QObject* parent = nullptr);

    // Redraws the parties from a fresh line.
    void update();

protected:
    QWidget* buildView() override;
};
