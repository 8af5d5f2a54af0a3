#include "support/CapturingLog.h"

CapturingLog::CapturingLog() {
    Platform::Log::setOutSink(&m_out);
    Platform::Log::setErrSink(&m_err);
}

CapturingLog::~CapturingLog() {
    Platform::Log::setOutSink(nullptr);
    Platform::Log::setErrSink(nullptr);
}
