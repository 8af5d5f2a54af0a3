#pragma once

#include "Logic/connection/CPPSerialBridge.h"
#include "Logic/connection/DeviceTimings.h"
#include "Logic/protocol/CPPNotificationInfo.h"
#include "Logic/protocol/CommandParser.h"
#include "Platform/ThreadGroup.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

class CPPConnectionSettings;
class CPPLine;
class TelnetSocket;

// The single owner of the link to the box. It holds the profile of the current link, connects
// over Telnet (with retries, the login dialogue, keep-alive and reconnect) or opens the serial
// port through the serial bridge, reports every change of the link to the listener as a
// record, sends command lines and closes. The per-feature command operations the interface
// uses (volume, mute, do-not-disturb, forwarding, call control) are members too.
//
// Threads. Each connect request runs on a connect thread of its own, one at a time under the
// connect mutex; each link has one receive thread (Telnet: poll, read, login and periodic
// work; serial: login and periodic work, the data arriving on the main thread). All of them
// belong to one group: the destructor stops it, cutting a retry pause or connect wait, and
// joins every thread before it returns. A link is numbered (linkGeneration): loops of an
// older link end at their next test, and serial reports of an older port are dropped.
//
// Locks, always taken in this order: connect mutex -> pass mutex (one receive pass, a close,
// the login state) -> link mutex (a link going down or replaced; the login's and the periodic
// work's records) -> the line (CPPLine) -> leaves (the profile snapshot; socket -> send; the
// device object's mutex; the serial port; the database; the log). A close has the serial side
// close the port before it takes the pass mutex: a login holding that mutex may be waiting
// for room in the port, and only the close ends such a write. The listener is called on the
// thread that made the record, possibly under the connect, pass or link mutex, never under
// the line's lock: it must not block, connect or close.
class DeviceCommunication {
public:
    // The one object, created on the first call; destroying it clears the pointer. Parsers,
    // party states and command operations reach it through here.
    static DeviceCommunication* getInstance();

    // Registers connectionSettingsUpdated with the profile store (both on the main thread).
    DeviceCommunication();
    // Stops and joins every thread first (back within about a second whatever they were
    // doing); from its start no record reaches the listener. It does not close the link
    // with records: the core closes it before destroying the object.
    ~DeviceCommunication();
    DeviceCommunication(const DeviceCommunication&) = delete;
    DeviceCommunication& operator=(const DeviceCommunication&) = delete;

    // Neither is owned; both must outlive their use here (clear them before destroying them).
    void setListener(DeviceCommandNotificationListener* listener);
    void setSerialBridge(CPPSerialBridge* serialBridge);

    // The real-time waits of the next links (tests shorten them). Set before connect: each
    // link keeps the copy it started with.
    void setTimings(const DeviceTimings& timings);
    DeviceTimings getTimings() const;

    // A snapshot: it stays valid for its holder while the profile is replaced meanwhile.
    std::shared_ptr<const CPPConnectionSettings> getCurrentConnectionSettings() const;
    void setCurrentConnectionSettings(std::shared_ptr<const CPPConnectionSettings> settings);

    // The line singleton, taken at construction.
    CPPLine* getLine() const { return m_line; }

    bool isRedialPending() const { return m_redialPending.load(); }
    void setRedialPending(bool pending) { m_redialPending.store(pending); }
    // Reads and clears the flag in one step.
    bool takeRedialPending() { return m_redialPending.exchange(false); }

    // Telnet: the socket connected (0); serial: the port reported open (1).
    bool isConnected() const { return m_status.load() >= 0; }
    bool isLoggedIn() const { return m_loggedIn.load(); }

    // Makes profile current before it returns, then connects (closing a live link first) on
    // a connect thread. A running attempt loop stops after its current attempt; its pause or
    // wait runs out first. A Telnet link that ends before its login counts as a failed attempt
    // (pause, ERROR, at most six in all); one that ends later is dialled again at once. Neither
    // happens when a newer connect was asked for meanwhile: that one counts its own attempts.
    void connect(std::shared_ptr<const CPPConnectionSettings> profile);
    // Connects the first stored profile, by room name, marked auto-connect; none: nothing.
    void autoConnect();
    // The profile store tells of an edited profile: when it is the current one it replaces it
    // and the volume and mute availability records are sent again, link up or not.
    void connectionSettingsUpdated(const CPPConnectionSettings& edited);
    void evaluateVolumeMuteAvailability();

    // Sends one command line with "\r\n" appended. Serial: 1 once the bridge has it (whatever
    // the port does), -1 without a bridge. Telnet: what the socket's send gave; a result below
    // 1 is logged ("[TELNET] Status code: n") and reported ("Cannot send command: ").
    // -1 without a profile.
    int32_t sendCommand(std::string command);

    // Takes the link down: the serial side is told to close (unless fromSerial), the line is
    // reset (its three records), then CLOSE is reported and the socket shut down: the one the
    // link had when this close marked it down, never a newer connect's. Also on a link that
    // was never up.
    void closeConnection(bool unused = true, bool fromSerial = false);
    void resetLineState();

    // Hands the record to the listener on this thread; a null record, or any record while the
    // object is being destroyed, is dropped.
    void dispatchNotification(std::unique_ptr<CPPNotificationInfo> record);

    // The serial side. linkGeneration numbers the link a port is opened for; every report of
    // that port carries it, and one for an older link is dropped with a line on standard
    // output. Code 0: the port is being opened; 1: it opened (the serial loop starts and logs
    // in); any other: it failed or closed (ERROR with text; the next link logs in again).
    uint64_t linkGeneration() const { return m_linkGeneration.load(); }
    void serialStatusChanged(int32_t code, const std::string& text, uint64_t link);
    // One message cut at the box's prompt by the serial side; processed as one line.
    void serialDataReceived(const std::string& message);

    // Command operations. Without a current profile each does nothing at all. Texts from the
    // user (numbers, digits) lose CR, LF and NUL first, so they cannot end a line early.
    void queryDoNotDisturbMode();
    void changeDoNotDisturbMode(bool on);
    void volumeQueryMinMaxValue(bool max);
    void volumeQuery();
    void muteQuery();
    void mutePress();
    void volumePress(bool up);
    void volumeRelease(bool up);
    // gain: the slider's position in per cent of the box's range.
    void sliderAction(bool pressed, float gain);
    // Sends command as it stands, on press and release alike; an empty one sends nothing.
    void customButton(const std::string& command, bool pressed);
    void deactivateCallForwarding();
    // Forwarding off, then on with type (1 unconditional, 2 busy, 3 no reply) to number;
    // activate makes no difference.
    void activateUpdateCallForwarding(bool activate, int32_t type, const std::string& number);
    void redial();
    // An empty number goes off hook; otherwise leading '+' signs are dropped and it is dialled.
    void call(const std::string& number);
    void answer(int32_t partyId);
    void hold(int32_t partyId);
    void resume(int32_t partyId);
    void endCall(int32_t partyId);
    void newCall(int32_t partyId);
    void conference(int32_t partyId);
    void reject(int32_t partyId);
    void cancelTransfer(int32_t partyId);
    void completeTransfer(int32_t partyId);
    void transfer(bool assisted, int32_t lineId);
    void keyDigitPressed(const std::string& digit);
    void keyDigitReleased(const std::string& digit);
    void hookFlash();
    // On a Telco profile, reports a digit collection that timed out (periodic work).
    void checkDigitCollectionTimeout();

    // The volume ramp's bound (max up, min down), its step (a fifth of the range, truncated)
    // and a slider position as a gain value, all from the line's reported range.
    static float volumeRampTarget(bool up);
    static int32_t volumeRampStep();
    static float sliderGainToVolume(float gain);
    // Every leading '+' removed; a text of only '+' (or none) stays as it is.
    static std::string stripLeadingPlus(const std::string& number);

    // Test seam: the places where a test may hold a device thread to force one interleaving.
    enum class TestPoint {
        // On a re-dial's connect thread, before it waits for the connect lock.
        RedialWaiting,
        // On the same thread, once the re-dial is over (done or stood down).
        RedialOver,
        // In a close that has marked the link down and not yet taken its socket away.
        CloseMarkedDown,
        // At the start of a login step, before it tests its link.
        LoginStep,
    };
    // Called on the thread that reaches each point; empty: nothing is called.
    void setTestPointObserver(std::function<void(TestPoint)> observer);

private:
    // What a connect thread is for: the connect request it serves (a re-dial serves the one
    // that made its dead link) and, when a Telnet link of that request ended before its login,
    // the failed attempts before that link; the thread counts the link as one more.
    struct Dial {
        uint64_t request = 0;
        bool redial = false;
        std::optional<int32_t> failedLink;
    };

    enum class PassResult { Continue, Dead };

    // Connecting (DeviceCommunication.cpp).
    void registerForProfileEdits();
    bool startConnectThread(const Dial& dial);
    void connectThreadMain(const Dial& dial);
    void connectOrReconnect(const Dial& dial);
    void telnetConnect(const CPPConnectionSettings& settings, const DeviceTimings& timings,
                       uint64_t generation, const Dial& dial);
    // The pause after a failed attempt, then its count and ERROR; false when stopping.
    bool failAttempt(int32_t& attempts, const DeviceTimings& timings);
    void openSerial();
    // request: the connect request that made the link; failedAttempts: its failed attempts
    // before this link.
    int32_t startReceiveThread(uint64_t generation, const DeviceTimings& timings, uint64_t request = 0,
                               int32_t failedAttempts = 0);
    // The "Can't create thread" record, unless the object is stopping.
    void reportThreadRefused();
    void dispatchConnection(const std::string& status, const std::string& message);
    int32_t sendLine(std::string command, const CPPConnectionSettings& settings, std::string_view shownAs);
    void evaluateVolumeMuteAvailability(const CPPConnectionSettings& settings);
    void reach(TestPoint point) const;
    // Wakes the serial loop's pause and re-tests stop conditions.
    void wakeWaiters();
    // Ends a receive pass's wait for data early.
    void signalPass();
    // Sleeps for duration unless the object is stopping; false when stopped.
    bool pauseUnlessStopping(std::chrono::nanoseconds duration);
    bool linkIsCurrent(uint64_t generation) const;
    // Runs change under the link mutex while generation is the current link; false when not.
    bool onCurrentLink(uint64_t generation, const std::function<void()>& change);
    std::shared_ptr<TelnetSocket> currentSocket() const;
    // Takes socket out of its place, unless another socket has taken that place meanwhile.
    void removeSocket(const std::shared_ptr<TelnetSocket>& socket);
    // Puts socket in place of the current one and hands the replaced one back, so it is let go
    // outside the lock.
    std::shared_ptr<TelnetSocket> replaceSocket(std::shared_ptr<TelnetSocket> socket);

    // Receiving (DeviceCommunicationReceive.cpp).
    void runReceiveLoop(uint64_t generation, const DeviceTimings& timings, uint64_t request,
                        int32_t failedAttempts);
    void telnetReceiveLoop(uint64_t generation, const DeviceTimings& timings, uint64_t request,
                           int32_t failedAttempts);
    PassResult telnetPass(const DeviceTimings& timings, const CPPConnectionSettings* settings,
                          uint64_t generation);
    void receiveLines(int32_t fd, const std::string& chunk, const CPPConnectionSettings& settings);
    void serialLoop(uint64_t generation, const DeviceTimings& timings);
    // The login of link generation: a step of a link that went down or was replaced meanwhile
    // sends, shows and changes nothing more.
    void loginStep(const std::string& chunk, const CPPConnectionSettings& settings,
                   const DeviceTimings& timings, uint64_t generation);
    void loginSucceeded(const CPPConnectionSettings& settings, const DeviceTimings& timings,
                        uint64_t generation);
    void loginFailed(const std::string& message);
    void postLoginSequence(const CPPConnectionSettings& settings, const DeviceTimings& timings,
                           uint64_t generation);
    // Does nothing past the keep-alive once generation is no longer the current link.
    void periodicStep(const CPPConnectionSettings& settings, uint64_t generation);

    // The operations the receive side runs with the snapshot of its pass.
    void queryDoNotDisturbMode(const CPPConnectionSettings& settings);
    void volumeQueryMinMaxValue(bool max, const CPPConnectionSettings& settings);
    void volumeQuery(const CPPConnectionSettings& settings);
    void muteQuery(const CPPConnectionSettings& settings);
    void checkDigitCollectionTimeout(const CPPConnectionSettings& settings);
    // The volume up or down button pressed or let go: a ramp of the speaker group, or the
    // profile's stored command.
    void volumeButton(bool up, bool pressed);
    // Sends text as it stands when it is not empty.
    void sendIfAny(const std::string& text, const CPPConnectionSettings& settings);

    CommandParser m_builder;
    CPPLine* const m_line;
    std::atomic<DeviceCommandNotificationListener*> m_listener{nullptr};
    std::atomic<CPPSerialBridge*> m_serialBridge{nullptr};

    std::atomic<int32_t> m_status{-1};
    std::atomic<bool> m_redialPending{false};
    std::atomic<bool> m_loggedIn{false};
    std::atomic<int32_t> m_loginAttempts{0};
    std::atomic<bool> m_keepConnecting{true};
    std::atomic<std::time_t> m_lastKeepAlive;
    std::atomic<std::time_t> m_lastBlink;
    std::atomic<std::time_t> m_lastReceive{0};
    std::atomic<bool> m_blinkPhase{false};
    std::atomic<bool> m_blinkActive{true};
    std::atomic<uint64_t> m_linkGeneration{0};
    // Counts connect calls; a re-dial of an older request's link stands down.
    std::atomic<uint64_t> m_connectRequests{0};
    std::atomic<bool> m_stopping{false};

    // Leaves: the profile snapshot, the timings and the test point observer; the socket pointer.
    mutable std::mutex m_settingsMutex;
    std::shared_ptr<const CPPConnectionSettings> m_settings;
    DeviceTimings m_timings;
    std::function<void(TestPoint)> m_testPointObserver;
    mutable std::mutex m_socketMutex;
    std::shared_ptr<TelnetSocket> m_socket;

    // One connect request at a time.
    std::mutex m_connectMutex;
    // One receive pass, a close, and the state both touch: the pending tails, the login.
    std::recursive_mutex m_passMutex;
    std::map<int32_t, std::string> m_pendingData;
    // Held while a link is taken down or replaced, and by a periodic step from its test of the
    // link to its last record, so a step of a link that is gone shows and changes nothing.
    std::mutex m_linkMutex;
    // Closes waiting for the pass mutex; the receive loop lets them in before its next pass.
    std::atomic<int> m_closesWaiting{0};
    // An eventfd the receive pass polls beside the socket, so a close need not wait it out.
    const int m_passWakeFd;

    // Pauses that a stop (or, for the serial loop, the link going down) cuts short.
    std::mutex m_waitMutex;
    std::condition_variable m_wake;

    // Last member: its threads are joined before anything above goes away.
    Platform::ThreadGroup m_threads;
};
