// SPDX-License-Identifier: Apache-2.0
// The test bed itself: one queue per emulated printer, pointing at its port.
#include "TestBed.h"

#include <gtest/gtest.h>

namespace {

TEST(TestBed, OneQueuePerPrinterWithItsSocketUri) {
    testbed::TestBed bed;
    ASSERT_TRUE(bed.ok()) << bed.error();
    ASSERT_EQ(bed.queues().size(), emulator::standardModels().size());
    const harness::RunResult listing = bed.cups().run({"lpstat", "-v"});
    ASSERT_EQ(listing.status, 0) << listing.err;
    for (const testbed::Queue& queue : bed.queues()) {
        EXPECT_NE(listing.out.find(queue.name + ": " + queue.uri), std::string::npos)
            << queue.name << "\n"
            << listing.out;
        EXPECT_TRUE(bed.control().command("get " + queue.name + " state").ok) << queue.name;
    }
}

} // namespace
