#pragma once

namespace fakebox {

// What `fakebox --help` prints: how to run it, what it answers by itself and the lines a
// newcomer types to have a call come in, be answered and hang up.
const char* usage();

} // namespace fakebox
