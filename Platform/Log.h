#pragma once

#include <string>

namespace Platform {

// Where log lines end up. A sink receives one whole line per call, without its newline.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void write(const std::string& line) = 0;
};

// Every log line of the program goes through here: "out" for standard output, "err" for
// standard error. Lines are written whole, one write per line, so threads never interleave.
class Log {
public:
    static void out(const std::string& line);
    static void err(const std::string& line);

    // Replaces the sinks (tests capture with these); nullptr restores the standard stream.
    // The caller keeps ownership and uninstalls before destroying its sink.
    static void setOutSink(LogSink* sink);
    static void setErrSink(LogSink* sink);
};

// Writes each line plus "\n" to a file descriptor with one write call.
class FileDescriptorSink final : public LogSink {
public:
    explicit FileDescriptorSink(int fileDescriptor) : m_fileDescriptor(fileDescriptor) {}
    void write(const std::string& line) override;

private:
    int m_fileDescriptor;
};

} // namespace Platform
