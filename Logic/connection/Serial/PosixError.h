#pragma once

#include <string>

// A failed system call of a serial port, as its delegate hears of it: the errno value, the
// system's text for it and the device path.
struct PosixError {
    int code = 0;
    std::string message;
    std::string path;

    // The error for the code, with the system's message (strerror_r, so any thread may call it).
    static PosixError fromCode(int code, std::string path);
};
