#pragma once

#include <QColor>
#include <QString>

#include <cstdint>

// Every fixed colour of the interface is given as 0xRRGGBB.
namespace Colors {

inline constexpr uint32_t accent = 0xFF7F2F;
inline constexpr uint32_t barBackground = 0x465A63;
inline constexpr uint32_t inactiveGrey = 0xB0B0B0;
inline constexpr uint32_t disabled = 0xDDDDDD;
inline constexpr uint32_t functionButton = 0xF4F5F7;
inline constexpr uint32_t separator = 0xE0E0E0;
inline constexpr uint32_t selectedTabTint = 0xF5785C;
inline constexpr uint32_t otherTabTint = 0x808080;

// An opaque colour from bits 0-23; bits 24-31 are ignored.
QColor colorWithHexCode(uint32_t code);
// Reads leading hexadecimal digits (blanks and a "0x" first are skipped); text that does not
// begin with them gives black, a number past 32 bits saturates (white).
QColor colorWithHexString(const QString& text);
// The light grey of the switch track and the slider bar: (170, 170, 170).
QColor lightGrayColor();

} // namespace Colors
