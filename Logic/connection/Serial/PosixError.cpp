#include "Logic/connection/Serial/PosixError.h"

#include <cstring>

namespace {

// strerror_r comes in two shapes; each overload fits one of them.
[[maybe_unused]] const char* messageFrom(int result, const char* buffer) {
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* messageFrom(const char* result, const char*) {
    return result;
}

} // namespace

PosixError PosixError::fromCode(int code, std::string path) {
    char buffer[256] = {};
    const char* message = messageFrom(strerror_r(code, buffer, sizeof buffer), buffer);
    return PosixError{code, message, std::move(path)};
}
