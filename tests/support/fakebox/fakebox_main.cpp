// The fake box as a program, for trying the dialer by hand; `fakebox --help` tells how.
#include "support/fakebox/FakeBox.h"
#include "support/fakebox/FakeBoxUsage.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

int usage(std::ostream& out, int status) {
    out << fakebox::usage();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    uint16_t port = 0;
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            return usage(std::cout, 0);
        } else if (argument == "--port" && i + 1 < argc) {
            const long value = std::strtol(argv[++i], nullptr, 10);
            if (value < 0 || value > 65535)
                return usage(std::cerr, 2);
            port = static_cast<uint16_t>(value);
        } else if (argument == "--script" && i + 1 < argc) {
            scriptPath = argv[++i];
        } else {
            return usage(std::cerr, 2);
        }
    }
    fakebox::FakeBoxScript script;
    if (!scriptPath.empty()) {
        std::ifstream file(scriptPath);
        if (!file) {
            std::cerr << "fakebox: cannot read " << scriptPath << "\n";
            return 1;
        }
        std::stringstream text;
        text << file.rdbuf();
        std::vector<std::string> problems;
        script = fakebox::readScript(text.str(), &problems);
        for (const std::string& problem : problems)
            std::cerr << "fakebox: " << scriptPath << ": " << problem << "\n";
    }

    // Blocked before the box's thread starts, so only the signal descriptor sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);

    script.keepTranscript = true;
    std::unique_ptr<fakebox::FakeBox> box;
    try {
        box = std::make_unique<fakebox::FakeBox>(script, port);
    } catch (const std::runtime_error& error) {
        std::cerr << "fakebox: cannot listen on 127.0.0.1:" << port
                  << (port != 0 && port < 1024 ? " (in use, or below 1024 without root)" : " (in use)")
                  << "\n";
        return 1;
    }
    std::cout << "fakebox listening on 127.0.0.1:" << box->port()
              << "; type lines to send, fakebox --help lists them" << std::endl;
    size_t printed = 0;
    std::string typed;
    bool stdinOpen = true;
    for (;;) {
        pollfd watched[2] = {{signalFd, POLLIN, 0}, {stdinOpen ? STDIN_FILENO : -1, POLLIN, 0}};
        ::poll(watched, 2, 100);
        if (watched[0].revents != 0)
            break;
        if (watched[1].revents != 0) {
            char buffer[512];
            const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof(buffer));
            if (count <= 0) {
                stdinOpen = false;
            } else {
                typed.append(buffer, static_cast<size_t>(count));
                size_t end = 0;
                while ((end = typed.find('\n')) != std::string::npos) {
                    if (!box->send(typed.substr(0, end) + "\r\n"))
                        std::cout << "fakebox: no dialer connected, not sent" << std::endl;
                    typed.erase(0, end + 1);
                }
            }
        }
        for (const fakebox::TranscriptLine& line : box->transcriptFrom(printed)) {
            std::cout << (line.sentByBox ? ">>> " : "<<< ") << line.text << std::endl;
            ++printed;
        }
    }
    ::close(signalFd);
    return 0;
}
