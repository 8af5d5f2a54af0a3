#pragma once

#include "App/ViewController.h"

// Placeholder until the screen is built: titled, with the members the shell calls.
class FavoritesViewController final : public ViewController {
    Q_OBJECT

public:
    explicit FavoritesViewController(QObject* parent = nullptr);

protected:
    QWidget* buildView() override;
};
