#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"

#include <string>

class KTSwitch;
class QPushButton;

// The Phone Book page: imports a phone book CSV file into the stored phone book, optionally in
// place of stored contacts of the same names, and exports the whole phone book to such a file.
class PhoneBookSettingsViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit PhoneBookSettingsViewController(QObject* parent = nullptr);

    KTSwitch* overwriteSwitch() const { return m_overwriteSwitch; }
    QPushButton* importButton() const { return m_importButton; }
    QPushButton* exportButton() const { return m_exportButton; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void importButtonClicked();
    void exportButtonClicked();

protected:
    QWidget* buildView() override;

private:
    void importFile(const std::string& path);
    void exportFile(const std::string& path);

    KTSwitch* m_overwriteSwitch = nullptr;
    QPushButton* m_importButton = nullptr;
    QPushButton* m_exportButton = nullptr;
};
