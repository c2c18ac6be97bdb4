#pragma once

#include <string>

#include <gtest/gtest.h>

// Writer tests run with fixed outside inputs: the numeric code of every drawn
// key is kFixedNumericCode and date-times carry the typed zone "-03:00".
// Both process-wide settings are put back after each test.
class NFeWriterTest : public ::testing::Test {
  protected:
    static constexpr int kFixedNumericCode = 31415926;

    void SetUp() override;
    void TearDown() override;
};

// data/frame_golden.xml holds testsupport::fillFrameNote written with the
// default options, the technical responsible's code kCSRT with id 1 and the
// fixed numeric code; kFrameKey is its access key.
extern const char *const kCSRT;
extern const char *const kFrameKey;

// The text is well-formed XML, as xmllint sees it.
::testing::AssertionResult xmlBemFormado(const std::string &xml);
