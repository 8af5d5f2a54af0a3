#pragma once

#include "App/ViewController.h"

#include <QString>

#include <cstdint>

class QPushButton;

// What the dial pad and the SIP URI entry share: the mode of their call key, set by the
// application delegate's three notifications, and what the call key does in each mode. The key
// places a call normally; while an extra call or a transfer target is being dialled, or while
// the line has a dial tone, it ends (or cancels) the party holding the dial tone instead.
class CallEntryViewController : public ViewController {
    Q_OBJECT

public:
    // The value of state.
    static constexpr int64_t NormalState = 0;
    static constexpr int64_t NewCallState = 1;
    static constexpr int64_t OffHookState = 2;

    using ViewController::ViewController;

    int64_t state() const { return m_state; }
    // A plain setter: the call key keeps its image until the next mode notification.
    void setState(int64_t state) { m_state = state; }

    // The handlers of "dialerNormalState", "dialerNewCallState" and "dialerOffHookState".
    void changeToNormalMode();
    void changeToNewCallMode();
    void changeToOffHookMode();

    QPushButton* callButton() const { return m_callButton; }
    // The name of the image the call key shows ("btn_call_on" or "btn_call_off").
    QString callButtonImageName() const { return m_callButtonImageName; }

protected:
    // The round call key, wired to callButtonClicked().
    QPushButton* makeCallButton(QWidget* parent);
    // Registers the three mode observers (from viewDidLoad).
    void observeModeNotifications();
    // Redraws the call key for the state; the dial pad also empties its field in state 0.
    virtual void updateCallButton();
    virtual void callButtonClicked() = 0;
    // The call key's action in the current state; text is what state 0 dials, as typed.
    void callOrEndDialTone(const QString& text);

private:
    void setCallButtonImage(const QString& name);

    int64_t m_state = NormalState;
    QPushButton* m_callButton = nullptr;
    QString m_callButtonImageName;
};
