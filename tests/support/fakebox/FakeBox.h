#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

// A scripted stand-in for the conferencing box on the Telnet side: a TCP server on 127.0.0.1
// that plays the login dialogue ("Username:", "Password:", the optional "Level:" line, the
// "=> " prompt), answers command lines by rules, and can misbehave on cue (drop by FIN or
// RST at any login step, fall silent, send garbage or anything else the test hands it).
//
// Every test starts its own on an ephemeral port; one thread serves all its connections and
// is joined by the destructor. No GoogleTest here: tests, benchmarks and the fakebox program
// all link it.
//
//     FakeBox box;                                   // listening, standard script
//     profile.setPort(box.port());
//     ... connect ...
//     ASSERT_TRUE(box.waitForLine("EP UA 1 INQUIRE REG_STATUS", 2s));
//     box.send("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;IDLE\r\n");
namespace fakebox {

using namespace std::chrono_literals;

// Where the box may drop a connection instead of going on with the login.
enum class LoginStep {
    BeforeUsername, // right after accepting, before any prompt
    AfterUserName,  // the user name arrived; "Password:" is never sent
    AfterPassword,  // the password arrived; nothing further is sent
    AfterLevel,     // the "Level:" line went out
    AfterPrompt,    // the "=> " prompt went out: logged in, then gone
};

enum class DropKind {
    Fin,   // an orderly close
    Reset, // SO_LINGER 0: the peer sees a reset
};

// One answer rule for a logged-in connection: a line that matches pattern as a whole
// (ECMAScript) is answered with each of the answers in turn, "$1".. replaced by the groups,
// each followed by "\r\n".
struct ReplyRule {
    std::string pattern;
    std::vector<std::string> answers;
};

struct FakeBoxScript {
    std::string userName = "admin";
    std::string password = "s3cret";
    // After the password, send "Level: Administrator\r\n" and wait for "BinaryMode".
    bool levelStep = true;
    // Sent after a wrong user name or password, instead of going on.
    std::string invalidLogin = "Invalid login\r\n";
    // Non-empty: sent instead of "Username: " (e.g. "Too many connections\r\n").
    std::string refusal;
    // Accept and never send anything.
    bool silent = false;
    // Drop at this step on the first dropConnections connections (1-based count).
    std::optional<LoginStep> dropAt;
    DropKind dropKind = DropKind::Fin;
    int dropConnections = 1;
    // Answers to the post-login queries, keep-alives and a call; see standardReplies().
    std::vector<ReplyRule> replies = standardReplies();
    // Keep every line both ways for transcriptFrom() (the fakebox program prints them).
    bool keepTranscript = false;

    // Replies for any endpoint prefix ("EP UA 1 ", "EP TELCO_RX 2 ", "EP FrontDesk "):
    // display name "Front Desk", REGISTERED_PRIMARY, all parties idle, forwarding inactive,
    // DND_NOT_SET, the speaker group's range -100..12 at -20, microphone not muted, hook
    // ONHOOK, local number 5550100; "KEY KEY_CALL n" plays DIALING, RINGING:n, ACTIVE:n:0:0
    // on party 1.
    static std::vector<ReplyRule> standardReplies();
};

// One line of the conversation: received from the dialer, or sent by the box ("\r\n" taken off;
// a prompt is sent without one).
struct TranscriptLine {
    bool sentByBox = false;
    std::string text;
};

class FakeBox {
public:
    // port 0: an ephemeral port (tests); the fakebox program may ask for a fixed one.
    explicit FakeBox(FakeBoxScript script = {}, uint16_t port = 0);
    // Closes every connection (FIN) and joins the serving thread.
    ~FakeBox();
    FakeBox(const FakeBox&) = delete;
    FakeBox& operator=(const FakeBox&) = delete;

    uint16_t port() const { return m_port; }

    // Applies to what happens from now on (current connections included).
    void setScript(FakeBoxScript script);
    void setSilent(bool silent);

    // Sends bytes as they are to connection (1-based; 0 = the newest open one); false when
    // there is no such open connection.
    bool send(const std::string& bytes, int connection = 0);
    // Sends each chunk as a write of its own, gap apart, so the reader gets them separately.
    void sendChunks(const std::vector<std::string>& chunks, std::chrono::milliseconds gap,
                    int connection = 0);
    // Drops the connection now.
    void drop(DropKind kind, int connection = 0);

    // Connections accepted so far.
    int connectionCount() const;
    bool waitForConnections(int count, std::chrono::milliseconds timeout) const;
    // True once the dialer closed connection (the box read the end of its stream).
    bool waitForPeerClose(int connection, std::chrono::milliseconds timeout) const;

    // Lines the dialer sent (cut at "\r\n", without it), on every connection in arrival order
    // or on one connection.
    std::vector<std::string> lines() const;
    std::vector<std::string> lines(int connection) const;
    // Every byte the dialer sent on connection.
    std::string received(int connection) const;
    // With keepTranscript: the lines both ways on every connection, from the index first on.
    std::vector<TranscriptLine> transcriptFrom(size_t first) const;

    // True once at least count lines equal to line (or matching pattern as a whole) arrived.
    bool waitForLine(const std::string& line, std::chrono::milliseconds timeout, int count = 1) const;
    bool waitForLineMatching(const std::string& pattern, std::chrono::milliseconds timeout,
                             int count = 1) const;
    // True when for the whole duration no byte and no connection arrived.
    bool expectNothingWithin(std::chrono::milliseconds duration) const;

private:
    struct Connection;
    struct Scheduled {
        std::chrono::steady_clock::time_point due;
        int connection;
        std::string bytes;
    };

    void serve();
    void acceptOne();
    void readFrom(Connection& connection);
    void handleLine(Connection& connection, const std::string& line);
    void answerLoggedIn(Connection& connection, const std::string& line);
    bool dropsAt(const Connection& connection, LoginStep step) const;
    void writeTo(Connection& connection, const std::string& bytes);
    void dropLocked(Connection& connection, DropKind kind);
    Connection* findLocked(int connection);
    void wake() const;
    size_t countLinesLocked(const std::function<bool(const std::string&)>& matches) const;

    int m_listenFd = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    uint16_t m_port = 0;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    FakeBoxScript m_script;
    std::vector<std::pair<std::regex, std::vector<std::string>>> m_compiledReplies;
    std::vector<std::unique_ptr<Connection>> m_connections;
    std::vector<std::pair<int, std::string>> m_lines;
    std::vector<TranscriptLine> m_transcript;
    std::vector<Scheduled> m_scheduled;
    std::chrono::steady_clock::time_point m_lastActivity;
    bool m_stopping = false;
    std::thread m_thread;
};

// The reply rules of a script file for the fakebox program, one per line:
//     # a comment
//     user admin
//     password s3cret
//     level on|off
//     reply <pattern> => <answer>[ || <answer>...]
// Unknown lines are reported in problems and skipped; rules come after the standard ones.
FakeBoxScript readScript(const std::string& text, std::vector<std::string>* problems);

// A port on 127.0.0.1 that refuses every connection: bound, never listening, held for the
// object's lifetime so nobody else takes it meanwhile.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    uint16_t port() const { return m_port; }

private:
    int m_fd = -1;
    uint16_t m_port = 0;
};

// A listening port that never completes a handshake: its backlog is full of connections
// nobody accepts, so a connect waits until its own timeout.
class Blackhole {
public:
    Blackhole();
    ~Blackhole();
    Blackhole(const Blackhole&) = delete;
    Blackhole& operator=(const Blackhole&) = delete;

    uint16_t port() const { return m_port; }

private:
    int m_listenFd = -1;
    std::vector<int> m_fillers;
    uint16_t m_port = 0;
};

} // namespace fakebox
