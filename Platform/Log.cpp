#include "Platform/Log.h"

#include <cerrno>
#include <mutex>
#include <unistd.h>

namespace Platform {

namespace {

struct Sinks {
    std::mutex mutex;
    LogSink* out = nullptr;
    LogSink* err = nullptr;
};

Sinks& sinks() {
    static Sinks* const instance = new Sinks;
    return *instance;
}

FileDescriptorSink& standardOut() {
    static FileDescriptorSink* const sink = new FileDescriptorSink(STDOUT_FILENO);
    return *sink;
}

FileDescriptorSink& standardErr() {
    static FileDescriptorSink* const sink = new FileDescriptorSink(STDERR_FILENO);
    return *sink;
}

} // namespace

void Log::out(const std::string& line) {
    Sinks& all = sinks();
    std::lock_guard lock(all.mutex);
    (all.out != nullptr ? static_cast<LogSink&>(*all.out) : standardOut()).write(line);
}

void Log::err(const std::string& line) {
    Sinks& all = sinks();
    std::lock_guard lock(all.mutex);
    (all.err != nullptr ? static_cast<LogSink&>(*all.err) : standardErr()).write(line);
}

void Log::setOutSink(LogSink* sink) {
    Sinks& all = sinks();
    std::lock_guard lock(all.mutex);
    all.out = sink;
}

void Log::setErrSink(LogSink* sink) {
    Sinks& all = sinks();
    std::lock_guard lock(all.mutex);
    all.err = sink;
}

void FileDescriptorSink::write(const std::string& line) {
    std::string whole = line;
    whole.push_back('\n');
    const char* data = whole.data();
    size_t left = whole.size();
    // A pipe may take the line in pieces; keep going until it is all out.
    while (left > 0) {
        const ssize_t written = ::write(m_fileDescriptor, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
}

} // namespace Platform
