#pragma once

#include <string>
#include <sys/types.h>

namespace Platform {

// The few file operations the core needs beyond SQLite, each safe for the user's data: nothing
// half-written ever replaces a file, and what is created is private to the user.
class Files {
public:
    // Whether anything at all (a folder, a file, a dangling link) stands at the path.
    static bool exists(const std::string& path);

    // Creates the folder and every missing folder above it, each new one with the given mode.
    // Folders that exist stay as they are. True when the folder exists afterwards.
    static bool makeFolders(const std::string& path, mode_t mode);

    // Creates an empty file only where none exists (never replacing one). True when it did.
    static bool createEmptyFile(const std::string& path, mode_t mode);

    // Whether the file can be opened for reading and holds at least one byte.
    static bool hasContent(const std::string& path);

    // Reads the whole file. On failure error says why, as the system words it.
    static bool readAll(const std::string& path, std::string& content, std::string& error);

    // Writes the text to a new file beside the target, flushes it to the disk, then renames it
    // over the target. On any failure the new file is removed and the old one is untouched.
    static bool writeAtomically(const std::string& path, const std::string& content, mode_t mode);
};

} // namespace Platform
