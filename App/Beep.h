#pragma once

#include <functional>

// The system beep, behind a hook so that tests can count beeps instead of hearing them.
namespace Beep {

void beep();
// Replaces the beep; an empty function restores the system beep.
void setHook(std::function<void()> hook);

} // namespace Beep
