#include "Logic/connection/Serial/PosixError.h"
#include "Logic/connection/Serial/Termios2.h"
#include "support/PtyBox.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>

namespace {

TEST(Termios2, SetsARateOffTheStandardTable) {
    PtyBox box;
    ASSERT_EQ(setArbitraryBaudRate(box.spareSlaveDescriptor(), 250000), 0);
    uint32_t input = 0;
    uint32_t output = 0;
    ASSERT_EQ(readBaudRates(box.spareSlaveDescriptor(), input, output), 0);
    EXPECT_EQ(input, 250000U);
    EXPECT_EQ(output, 250000U);
    EXPECT_EQ(setArbitraryBaudRate(-1, 250000), EBADF);
}

TEST(PosixError, CarriesTheSystemsTextAndThePath) {
    const PosixError error = PosixError::fromCode(ENOENT, "/dev/ttyUSB0");
    EXPECT_EQ(error.code, ENOENT);
    EXPECT_EQ(error.message, "No such file or directory");
    EXPECT_EQ(error.path, "/dev/ttyUSB0");
}

} // namespace
