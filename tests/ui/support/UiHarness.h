#pragma once

#include "App/shell/AppDelegate.h"
#include "support/CapturingLog.h"
#include "support/CapturingSerialBridge.h"
#include "support/FakeClock.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CPPNotificationInfo;
class DeviceCommunication;
class ConnectionSettings;

// Every post of the screens' notifications (and "notification" itself, as "notification:<word>"
// with the record's status word), in the order they were made.
class PostSpy {
public:
    PostSpy();
    ~PostSpy();
    PostSpy(const PostSpy&) = delete;
    PostSpy& operator=(const PostSpy&) = delete;

    const QStringList& names() const { return m_names; }
    // The screen posts only, without the device records.
    QStringList screenPosts() const;
    int count(const QString& name) const { return static_cast<int>(m_names.count(name)); }
    void clear() { m_names.clear(); }

private:
    QStringList m_names;
    std::unique_ptr<QObject> m_context;
};

// The interface on the real core, for tests and screenshots. Per process, once: a temporary
// folder as XDG_DATA_HOME, the main queue bound to the GUI thread, the relay started and the
// core opened. Per harness (one per test): a fresh main window, launched as the program does
// it without opening the core again, every command line the core sends captured by a
// CapturingSerialBridge, a post spy, the log captured and a fake clock at 2026-12-06 10:12:05.
//
//     UiHarness ui;                  // fill the store here, before the window exists
//     ui.launch();                   // the start-up sequence
//     ui.connectProfile(PhoneType::VOIP);
//     ui.feed("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:201");
//     QCOMPARE(ui.sentLines(), ...);
class UiHarness {
public:
    // The serial port path of the test profiles: no such port, so no login ever runs.
    static constexpr const char* noPortPath = "/dev/tessmark-test-no-port";

    UiHarness();
    ~UiHarness();
    UiHarness(const UiHarness&) = delete;
    UiHarness& operator=(const UiHarness&) = delete;

    // Opens the core for the process (the first harness does it; harmless later).
    static void openCoreOnce();
    // No profiles, the preferences and the settings password as a new file has them.
    static void resetStore();
    // The core's device communication.
    static DeviceCommunication* core();

    // Builds and launches a fresh main window.
    void launch();
    AppDelegate& delegate() { return *m_delegate; }
    QWidget* window() { return m_delegate->window(); }

    // A serial profile (EPN "1", addressed by number) of the phone type, named "Board Room".
    static std::shared_ptr<ConnectionSettings> testProfile(int64_t phoneType);
    // Makes the profile current (which resets the line) and waits for its CONNECTING record.
    void connectProfile(const ConnectionSettings& profile);
    void connectProfile(int64_t phoneType);
    // One line as the box sends it, through the real receive path; returns once every record
    // it made has reached the screens.
    void feed(const std::string& line);
    // A record the core makes itself (link status and the like), handed to the real listener.
    void dispatch(std::unique_ptr<CPPNotificationInfo> record);
    // A record of the type with the status word (pnStr) and payload.
    void dispatchRecord(int32_t notificationType, const std::string& word, const std::string& payload = {});
    // Runs the records on their way to the screens and the main queue.
    void drain();
    // The VoIP or the Telco call screen lies on top of the window.
    bool voipShowing();
    bool telcoShowing();

    // The command lines the core sent, without their "\r\n".
    std::vector<std::string> sentLines() const { return m_bridge.sentLines(); }
    void clearSentLines() { m_bridge.clear(); }
    PostSpy& posts() { return *m_posts; }
    CapturingLog& log() { return m_log; }
    FakeClock& clock() { return m_clock; }
    int beeps() const { return m_beeps; }

private:
    FakeClock m_clock;
    CapturingLog m_log;
    CapturingSerialBridge m_bridge;
    std::unique_ptr<PostSpy> m_posts;
    std::unique_ptr<AppDelegate> m_delegate;
    int m_beeps = 0;
};
