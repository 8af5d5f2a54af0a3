#pragma once

#include <QString>

#include <cstdint>

// The texts the calling and directory screens share.

// The display word of a line-party state (0 to 27; state 17 is spelt "TRANFERRING ACTIVE");
// any other value gives "".
QString linePartyStateToString(int64_t state);
// The name of a number type: 0 "Home" ... 6 "Other"; any other value gives "".
QString phoneTypeToString(int64_t type);
// Seconds as "hh:mm:ss", hours without an upper bound (100 hours show 100:00:00); a negative
// count shows "00:00:00".
QString durationToString(int64_t seconds);
