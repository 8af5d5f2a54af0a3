#pragma once

#include "App/ViewController.h"

// Placeholder until the screen is built: titled, with the members the shell calls.
class LogsViewController final : public ViewController {
    Q_OBJECT

public:
    explicit LogsViewController(QObject* parent = nullptr);

protected:
    QWidget* buildView() override;
};
