#include "Logic/connection/Serial/Termios2.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

int setArbitraryBaudRate(int fileDescriptor, uint32_t rate) {
    struct termios2 attributes {};
    if (ioctl(fileDescriptor, TCGETS2, &attributes) != 0)
        return errno;
    attributes.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    attributes.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    attributes.c_ispeed = rate;
    attributes.c_ospeed = rate;
    if (ioctl(fileDescriptor, TCSETS2, &attributes) != 0)
        return errno;
    return 0;
}

int readBaudRates(int fileDescriptor, uint32_t& inputRate, uint32_t& outputRate) {
    struct termios2 attributes {};
    if (ioctl(fileDescriptor, TCGETS2, &attributes) != 0)
        return errno;
    inputRate = attributes.c_ispeed;
    outputRate = attributes.c_ospeed;
    return 0;
}
