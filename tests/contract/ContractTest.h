#pragma once
// The fixture of every contract case: a fresh desktop of the backend under test.

#include "contract/ContractDesktop.h"

#include <gtest/gtest.h>

namespace corvane {

class ContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        desk = makeContractDesktop();
        ASSERT_TRUE(desk) << "the desktop under test did not start";
    }

    std::unique_ptr<ContractDesktop> desk;
};

} // namespace corvane
