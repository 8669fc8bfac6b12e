// Fixture for tests that run the program: each test starts from empty data
// folders, and whatever it left running is closed (or ended by force) at the
// end. A failed test leaves a screenshot of what the screen showed.
#pragma once

#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Program app_;
};

}  // namespace e2e
