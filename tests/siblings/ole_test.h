// Every test of a sibling COM server runs in its own single-threaded OLE
// apartment.
#pragma once

#include <ole2.h>

#include <gtest/gtest.h>

namespace pkw::test {

class OleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::OleInitialize(nullptr), S_OK); }
    void TearDown() override { ::OleUninitialize(); }
};

} // namespace pkw::test
