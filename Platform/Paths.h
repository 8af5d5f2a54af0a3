#pragma once

#include <string>

namespace Platform {

// Where the program keeps its data, and who it says it is.
class Paths {
public:
    // "$XDG_DATA_HOME/TessmarkDialer" when XDG_DATA_HOME is set and absolute, otherwise
    // "$HOME/.local/share/TessmarkDialer". The folder is not created here.
    static std::string applicationDataFolder();
    static std::string applicationName();
    static std::string version();
};

} // namespace Platform
