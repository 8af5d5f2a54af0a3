#include "Platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Platform {

namespace {

// Closes the descriptor on every way out; EINTR on close is not retried (the descriptor is gone).
class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor() {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_descriptor; }
    bool valid() const { return m_descriptor >= 0; }
    // Closes now and reports the result, which a write relies on to learn of a late failure.
    bool close() {
        const int result = ::close(m_descriptor);
        m_descriptor = -1;
        return result == 0;
    }

private:
    int m_descriptor;
};

int openRetrying(const char* path, int flags, mode_t mode = 0) {
    int descriptor = -1;
    do {
        descriptor = ::open(path, flags | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

bool writeAll(int descriptor, const std::string& content) {
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t result = ::write(descriptor, content.data() + written, content.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
            return false;
        written += static_cast<size_t>(result);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool Files::exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool Files::makeFolders(const std::string& path, mode_t mode) {
    // Each level from the top; mkdir alone tells whether it had to make one.
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (!level.empty() && ::mkdir(level.c_str(), mode) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool Files::createEmptyFile(const std::string& path, mode_t mode) {
    Descriptor file(openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode));
    return file.valid();
}

bool Files::hasContent(const std::string& path) {
    Descriptor file(openRetrying(path.c_str(), O_RDONLY));
    struct stat status {};
    return file.valid() && ::fstat(file.get(), &status) == 0 && status.st_size > 0;
}

bool Files::readAll(const std::string& path, std::string& content, std::string& error) {
    content.clear();
    Descriptor file(openRetrying(path.c_str(), O_RDONLY));
    if (!file.valid()) {
        error = std::strerror(errno);
        return false;
    }
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t result = ::read(file.get(), buffer.data(), buffer.size());
        if (result < 0 && errno == EINTR)
            continue;
        if (result < 0) {
            error = std::strerror(errno);
            content.clear();
            return false;
        }
        if (result == 0)
            return true;
        content.append(buffer.data(), static_cast<size_t>(result));
    }
}

bool Files::writeAtomically(const std::string& path, const std::string& content, mode_t mode) {
    // The new file must sit in the target's folder, or the rename would cross file systems.
    std::string pattern = folderOf(path) + "/." + path.substr(path.rfind('/') + 1) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    Descriptor file(::mkostemp(name.data(), O_CLOEXEC));
    if (!file.valid())
        return false;
    const bool written = ::fchmod(file.get(), mode) == 0 && writeAll(file.get(), content) &&
                         ::fsync(file.get()) == 0 && file.close() && ::rename(name.data(), path.c_str()) == 0;
    if (!written)
        ::unlink(name.data());
    return written;
}

} // namespace Platform
