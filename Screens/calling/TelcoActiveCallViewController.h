#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "Logic/bridge/LineParty.h"

#include <QTimer>

class CustomKeyButtons;
class ElidedTitleButton;
class FunctionButtonView;
class QLabel;
class QPushButton;

// The "Active Calls" screen of a telephone-line profile, laid over the window by the
// application delegate while a call is up. The line carries one call, so the screen shows its
// first party: name, number type, number, a large state image, INCOMING or ACTIVE, and the call
// time. Its end-call button also answers; the keypad button lends the window to the dial pad.
class TelcoActiveCallViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit TelcoActiveCallViewController(QObject* parent = nullptr);

    // Shows the first party of a fresh line. Its call time starts at zero when it becomes the
    // active call (the first record of a new call, or after a record that was not ACTIVE) and
    // carries on otherwise; each ACTIVE record restarts the one tick timer.
    void update();
    // The next update shows a new call: its time starts at zero.
    void startNewCall() { m_previousState = -1; }

    void viewDidLoad() override;
    // The screen is laid over the window: only the custom keys are reloaded.
    void viewWillAppearInWindow() override;
    void viewWillAppear(bool animated) override;

    const LinePartyPtr& lineParty() const { return m_lineParty; }
    // Stores the party and fills the name and number fields (one phone-book lookup).
    void setLineParty(LinePartyPtr party);
    // The timer's action: one second more.
    void updateTime();
    // Queues the rewrite of the time text; it reads the counter when it runs.
    void updateActiveTime();
    void updateFunctionButtons();
    void loadCustomButtons();

    void endCallButtonClicked();
    void keypadButtonClicked();
    void customButtonClicked(int tag);

    QLabel* contactNameField() const { return m_contactNameField; }
    QLabel* numberTypeField() const { return m_numberTypeField; }
    QLabel* numberField() const { return m_numberField; }
    QLabel* callImageView() const { return m_callImageView; }
    // The image callImageView shows, by name.
    QString callImageName() const { return m_callImageName; }
    QLabel* callStateField() const { return m_callStateField; }
    QWidget* callTimeView() const { return m_callTimeView; }
    QLabel* callTimeImageView() const { return m_callTimeImageView; }
    QLabel* callTimeField() const { return m_callTimeField; }
    QWidget* functionButtonsView() const { return m_functionButtonsView; }
    QPushButton* endCallButton() const { return m_endCallButton; }
    QPushButton* keypadButton() const { return m_keypadButton; }
    FunctionButtonView* endCallButtonView() const { return m_endCallButtonView; }
    FunctionButtonView* keypadButtonView() const { return m_keypadButtonView; }
    QWidget* middleSpace() const { return m_middleSpace; }
    QWidget* customButtonsView() const { return m_customButtonsView; }
    ElidedTitleButton* customButton(int tag) const;
    QTimer& durationTimer() { return m_durationTimer; }

protected:
    QWidget* buildView() override;

private:
    void setCallImage(const QString& name);

    LinePartyPtr m_lineParty;
    // The state of the party at the previous update, -1 before the first.
    int64_t m_previousState = -1;
    QTimer m_durationTimer;
    QString m_callImageName;

    QLabel* m_contactNameField = nullptr;
    QLabel* m_numberTypeField = nullptr;
    QLabel* m_numberField = nullptr;
    QLabel* m_callImageView = nullptr;
    QLabel* m_callStateField = nullptr;
    QWidget* m_callTimeView = nullptr;
    QLabel* m_callTimeImageView = nullptr;
    QLabel* m_callTimeField = nullptr;
    QWidget* m_functionButtonsView = nullptr;
    QPushButton* m_endCallButton = nullptr;
    QPushButton* m_keypadButton = nullptr;
    FunctionButtonView* m_endCallButtonView = nullptr;
    FunctionButtonView* m_keypadButtonView = nullptr;
    QWidget* m_middleSpace = nullptr;
    QWidget* m_customButtonsView = nullptr;
    CustomKeyButtons* m_customKeys = nullptr;
};
