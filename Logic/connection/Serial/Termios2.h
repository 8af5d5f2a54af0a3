#pragma once

#include <cstdint>

// Arbitrary line speeds through the kernel's second termios interface (BOTHER). Kept in a file of
// its own because its headers clash with <termios.h>; nothing here includes either.

// Sets both directions to the rate on an open terminal. 0 on success, else the errno value.
int setArbitraryBaudRate(int fileDescriptor, uint32_t rate);

// Reads the rates the kernel keeps for the terminal. 0 on success, else the errno value.
int readBaudRates(int fileDescriptor, uint32_t& inputRate, uint32_t& outputRate);
