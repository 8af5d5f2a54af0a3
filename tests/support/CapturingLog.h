#pragma once

#include "Platform/Log.h"

#include <mutex>
#include <string>
#include <vector>

// Captures the standard output and error log lines for its lifetime.
class CapturingLog {
public:
    CapturingLog();
    ~CapturingLog();
    CapturingLog(const CapturingLog&) = delete;
    CapturingLog& operator=(const CapturingLog&) = delete;

    std::vector<std::string> outLines() const { return m_out.lines(); }
    std::vector<std::string> errLines() const { return m_err.lines(); }

private:
    class Sink final : public Platform::LogSink {
    public:
        void write(const std::string& line) override {
            std::lock_guard lock(m_mutex);
            m_lines.push_back(line);
        }
        std::vector<std::string> lines() const {
            std::lock_guard lock(m_mutex);
            return m_lines;
        }

    private:
        mutable std::mutex m_mutex;
        std::vector<std::string> m_lines;
    };

    Sink m_out;
    Sink m_err;
};
