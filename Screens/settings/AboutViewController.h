#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"

class QLabel;

// The About page: the program's name and its version, as the build gives it.
class AboutViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit AboutViewController(QObject* parent = nullptr);

    QLabel* versionField() const { return m_versionField; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;

protected:
    QWidget* buildView() override;

private:
    QLabel* m_versionField = nullptr;
};
