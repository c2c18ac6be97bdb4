#pragma once

#include <string>

#include <gtest/gtest.h>

class TNFe;

// Writer tests run with fixed outside inputs: the numeric code of every drawn
// key is kFixedNumericCode and date-times carry the typed zone "-03:00".
// Both process-wide settings are put back after each test.
class NFeWriterTest : public ::testing::Test {
  protected:
    static constexpr int kFixedNumericCode = 31415926;

    void SetUp() override;
    void TearDown() override;
};

// A 4.00 NF-e (model 55, homologation) with every header and closing group
// that the golden text of the frame shows, no items, numeric code 0 (drawn).
void fillFrameNote(TNFe &nfe);

// The golden XML of fillFrameNote written with the default options, the
// technical responsible's code kCSRT with id 1 and the fixed numeric code.
extern const char *const kFrameGolden;
extern const char *const kCSRT;
extern const char *const kFrameKey;

// The text is well-formed XML, as xmllint sees it.
::testing::AssertionResult wellFormedXml(const std::string &xml);
