#pragma once

#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/Contact.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class ActiveCallViewController;
class DialPadViewController;
class DialerViewController;
class QAbstractButton;
class QWidget;
class SIPURIViewController;
class TelcoActiveCallViewController;

// The calling screens on the shell's harness: a fresh window per test over a store with no
// profiles and no contacts, the screens' timers stretched so that only the test advances them,
// and a connected serial test profile (EPN "1") whose every command line is captured.
class CallingWindow {
public:
    // The prefix of a VoIP party's state line and of a telephone-line notification.
    static const std::string party;
    static const std::string telco;

    // Launches without a profile; connect one with connect().
    CallingWindow();
    ~CallingWindow();

    UiHarness& ui() { return *m_ui; }
    // Connects the phone type's test profile, or a stored profile (keys and all).
    void connect(int64_t phoneType);
    void connect(const ConnectionSettings& profile);
    // Stores the test profile of the phone type with five keys, the first `enabled` of them
    // enabled, labelled "Key 1" ... and sending "PRESS n" / "RELEASE n"; then connects it.
    ConnectionSettings connectWithKeys(int64_t phoneType, int enabled);

    // One box line; then every queued write of the screens has run.
    void feed(const std::string& line);
    void feedParty(const std::string& partyState) { feed(party + partyState); }
    void feedTelco(const std::string& notification) { feed(telco + notification); }
    // Runs what the screens queued (time texts, appearance work, main-queue tasks).
    void settle();

    // The lines sent since the last call, without the endpoint prefix "EP UA 1 " or
    // "EP TELCO_RX 1 ", and forgets them.
    QStringList takeSent();
    // The screen posts made since the last call, and forgets them.
    QStringList takePosts();

    DialerViewController* dialer();
    DialPadViewController* pad();
    SIPURIViewController* sip();
    ActiveCallViewController* voip();
    TelcoActiveCallViewController* telcoScreen();
    // The VoIP or Telco screen lies on top of the window.
    bool voipShowing() { return m_ui->voipShowing(); }
    bool telcoShowing() { return m_ui->telcoShowing(); }
    CallRouting& routing();

private:
    std::unique_ptr<UiHarness> m_ui;
};

// Stores a contact with its numbers: (number, type, speed dial).
struct StoredNumber {
    std::string number;
    int64_t type = 0;
    int64_t speedDial = -1;
};
ContactPtr storeContact(const std::string& first, const std::string& last, const std::string& company,
                        const std::vector<StoredNumber>& numbers);
