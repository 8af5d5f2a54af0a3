#pragma once

#include <string>

// A new random (version 4) UUID in its canonical text form, upper-case hexadecimal in groups
// of 8-4-4-4-12, e.g. "3F2504E0-4F89-41D3-9A0C-0305E82C3301". Safe from any thread.
std::string makeUuidString();
