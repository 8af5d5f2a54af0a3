// The fake box as a program, for trying the dialer by hand:
//     fakebox [--port N] [--script FILE]
// It prints every line the dialer sends; each line typed on standard input goes to the
// newest connection with "\r\n" appended. Ctrl-C ends it.
#include "support/fakebox/FakeBox.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

int usage() {
    std::cerr << "usage: fakebox [--port N] [--script FILE]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    uint16_t port = 0;
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--port" && i + 1 < argc) {
            const long value = std::strtol(argv[++i], nullptr, 10);
            if (value < 0 || value > 65535)
                return usage();
            port = static_cast<uint16_t>(value);
        } else if (argument == "--script" && i + 1 < argc) {
            scriptPath = argv[++i];
        } else {
            return usage();
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

    fakebox::FakeBox box(script, port);
    std::cout << "fakebox listening on 127.0.0.1:" << box.port() << std::endl;
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
                    box.send(typed.substr(0, end) + "\r\n");
                    typed.erase(0, end + 1);
                }
            }
        }
        const std::vector<std::string> lines = box.lines();
        for (; printed < lines.size(); ++printed)
            std::cout << "<<< " << lines[printed] << std::endl;
    }
    ::close(signalFd);
    return 0;
}
