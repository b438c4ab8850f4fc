// SPDX-License-Identifier: Apache-2.0
// A GoogleTest fixture whose tests share one test bed: the printers and the private cupsd are
// started once per suite, and every test gets the printers at power-on. Suite names the fixture
// that derives from it; it may hide models() to choose its printers.
#ifndef EMULATOR_SHAREDTESTBED_H
#define EMULATOR_SHAREDTESTBED_H

#include "TestBed.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testbed {

template <class Suite> class SharedTestBed : public ::testing::Test {
protected:
    static std::vector<std::string> models() { return emulator::standardModels(); }

    static void SetUpTestSuite() { bed_ = std::make_unique<TestBed>(Suite::models()); }
    static void TearDownTestSuite() { bed_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(bed_->ok()) << bed_->error();
        ASSERT_TRUE(bed_->resetPrinters());
        bed_->setTimeoutCapMs(1000);
    }
    emulator::ControlClient& control() { return bed_->control(); }

    static inline std::unique_ptr<TestBed> bed_;
};

} // namespace testbed

#endif
