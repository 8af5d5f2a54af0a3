#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "Logic/bridge/ConnectionSettings.h"

#include <array>

class KTSwitch;
class QLineEdit;
class QScrollArea;

// The "Custom Buttons" page of the editor: the five custom keys of the shared profile, each an
// on/off switch, a label and the commands sent on press and release. Filled whenever it shows,
// written back, unchecked, when left with the back button.
class CustomButtonViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    static constexpr size_t keyCount = 5;

    // The controls of key N (element N-1 of the profile's custom keys).
    struct KeyControls {
        KTSwitch* enabledSwitch = nullptr;
        QLineEdit* labelField = nullptr;
        QLineEdit* pressField = nullptr;
        QLineEdit* releaseField = nullptr;
    };

    explicit CustomButtonViewController(QObject* parent = nullptr);

    const ConnectionSettingsPtr& connection() const { return m_connection; }
    void setConnection(ConnectionSettingsPtr connection) { m_connection = std::move(connection); }

    QScrollArea* scrollView() const { return m_scrollView; }
    // index 0 to 4 for keys 1 to 5.
    const KeyControls& key(size_t index) const { return m_keys[index]; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;

    void custom1SwitchClicked() { customSwitchClicked(0); }
    void custom2SwitchClicked() { customSwitchClicked(1); }
    void custom3SwitchClicked() { customSwitchClicked(2); }
    void custom4SwitchClicked() { customSwitchClicked(3); }
    void custom5SwitchClicked() { customSwitchClicked(4); }

protected:
    QWidget* buildView() override;

private:
    // The key's three fields are editable exactly while its switch is on; their texts stay.
    void customSwitchClicked(size_t index);
    bool profileHasKey(size_t index) const;

    ConnectionSettingsPtr m_connection;
    QScrollArea* m_scrollView = nullptr;
    std::array<KeyControls, keyCount> m_keys;
};
