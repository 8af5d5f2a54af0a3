#include "Platform/Paths.h"

#include "Platform/BuildInfo.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace Platform {

namespace {

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return home;
    // Without HOME, fall back to the account's home as the password database has it.
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr)
        return found->pw_dir;
    return "/tmp";
}

} // namespace

std::string Paths::applicationDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome != nullptr && dataHome[0] == '/')
        base = dataHome;
    else
        base = homeFolder() + "/.local/share";
    return base + "/" + applicationName();
}

std::string Paths::applicationName() {
    return BuildInfo::applicationName;
}

std::string Paths::version() {
    return BuildInfo::version;
}

} // namespace Platform
