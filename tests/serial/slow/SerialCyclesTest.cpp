#include "serial/SerialTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace serialtest;

// Every open starts a reader and an event descriptor; every close must give both back, or a
// dialer left running for days runs out of either.
TEST_F(PortOnPty, TwoHundredOpenCloseCyclesLeaveNothingBehind) {
    const size_t descriptors = processEntries("fd");
    const size_t threads = processEntries("task");
    for (size_t cycle = 1; cycle <= 200; ++cycle) {
        port->open();
        ASSERT_TRUE(port->sendData("EP UA 1 INQUIRE REG_STATUS\r\n"));
        ASSERT_TRUE(pumpUntil([&] { return recorder.count("opened") == cycle; })) << cycle;
        ASSERT_TRUE(port->close());
        ASSERT_TRUE(pumpUntil([&] { return recorder.count("closed") == cycle; })) << cycle;
        ASSERT_EQ(recorder.events().size(), 2 * cycle);
        ASSERT_EQ(recorder.events().back(), "closed");
    }
    EXPECT_TRUE(recorder.errors().empty());
    EXPECT_EQ(processEntries("fd"), descriptors);
    EXPECT_EQ(processEntries("task"), threads);
}

} // namespace
