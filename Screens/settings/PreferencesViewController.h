#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"

class KTSegmentedControl;
class KTSwitch;
class QComboBox;

// The Preferences page. Every change is stored at once: each action reads the stored record
// again, sets its one field and writes it back, so no other field is touched. The two format
// choices also tell the clock and the call log ("dateTimeFormatChanged").
class PreferencesViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit PreferencesViewController(QObject* parent = nullptr);

    KTSwitch* autoFavoritesSwitch() const { return m_autoFavoritesSwitch; }
    QComboBox* frequenlyCalledNumbersButton() const { return m_frequenlyCalledNumbersButton; }
    QComboBox* dateFormatButton() const { return m_dateFormatButton; }
    QComboBox* timeFormatButton() const { return m_timeFormatButton; }
    QComboBox* defaultHomeScreenButton() const { return m_defaultHomeScreenButton; }
    KTSegmentedControl* doNotDisturbModeControl() const { return m_doNotDisturbModeControl; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;

    void autoFavoritesSwitchClicked();
    void frequentlyCalledNumbersChanged();
    void dateFormatChanged();
    void timeFormatChanged();
    void defaultHomeScreenChanged();
    void doNotDisturbModeChanged();

protected:
    QWidget* buildView() override;

private:
    KTSwitch* m_autoFavoritesSwitch = nullptr;
    QComboBox* m_frequenlyCalledNumbersButton = nullptr;
    QComboBox* m_dateFormatButton = nullptr;
    QComboBox* m_timeFormatButton = nullptr;
    QComboBox* m_defaultHomeScreenButton = nullptr;
    KTSegmentedControl* m_doNotDisturbModeControl = nullptr;
};
