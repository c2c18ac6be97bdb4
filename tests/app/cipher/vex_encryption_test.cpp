#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "app/cipher/vex_encryption.h"
#include "app/shell_constants.h"
#include "foundation/base/quib_exception.h"
#include "foundation/fiscal/random_source.h"

namespace {

class VexEncryption : public ::testing::Test {
  protected:
    void seed(int value)
    {
        setRandomDraw([value](std::int64_t) { return value; });
    }
    void TearDown() override { resetRandomDraw(); }
};

const std::string kChave(kChaveCifraSenha);

TEST_F(VexEncryption, FixedSeedVectorsComputedByHand)
{
    struct Case {
        int seed;
        std::string key;
        std::string plain;
        std::string cipher;
    };
    // S = ((S + b) mod 255) xor key byte, key used cyclically from its start.
    // clang-format off
    const Case cases[] = {
        {0x10, "3582", "AB",  "106291"},   // 0x10+0x41=0x51^'3'=0x62; 0x62+0x42=0xA4^'5'=0x91
        {0xFF, "3582", "A",   "FF72"},     // (0xFF+0x41) mod 255 = 0x41; ^'3' = 0x72
        {0x00, "",     "AA",  "000306"},   // empty key: 'B' (0x42) for every byte: 0x41^0x42=03; 0x44^0x42=06
        {0x00, "ab",   "ç",   "0086"},     // Windows-1252 byte 0xE7; 0xE7^'a'=0x86
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.plain);
        seed(c.seed);
        EXPECT_EQ(TVexEncryption::Crypt(c.plain, c.key, true), c.cipher);
        EXPECT_EQ(TVexEncryption::Crypt(c.cipher, c.key, false), c.plain);
    }
}

TEST_F(VexEncryption, DefaultPasswordRoundTripsUnderEverySeed)
{
    std::string previous;
    for (int s : {0, 1, 127, 254, 255}) {
        seed(s);
        const std::string cipher = TVexEncryption::Crypt(kSenhaPadrao, kChave, true);
        EXPECT_EQ(cipher.size(), 2 + 2 * kSenhaPadrao.size());
        EXPECT_NE(cipher, previous);
        EXPECT_EQ(TVexEncryption::Crypt(cipher, kChave, false), kSenhaPadrao);
        previous = cipher;
    }
}

TEST_F(VexEncryption, ZeroAndFullBytesFollowTheStoredQuirk)
{
    const std::string zero(1, '\0');
    seed(0x20);
    EXPECT_EQ(TVexEncryption::Crypt(TVexEncryption::Crypt(zero, kChave, true), kChave, false), "ÿ");
    seed(0xFF);
    EXPECT_EQ(TVexEncryption::Crypt(TVexEncryption::Crypt(zero, kChave, true), kChave, false), zero);
    EXPECT_EQ(TVexEncryption::Crypt(TVexEncryption::Crypt("ÿ", kChave, true), kChave, false), zero);
    seed(0x20);
    EXPECT_EQ(TVexEncryption::Crypt(TVexEncryption::Crypt("ÿ", kChave, true), kChave, false), "ÿ");
}

TEST_F(VexEncryption, OddLengthsAndBadDigits)
{
    // "106291" holds "AB"; a lone digit after the seed is read as one digit,
    // a trailing one after whole pairs is ignored.
    EXPECT_EQ(TVexEncryption::Crypt("10629", kChave, false), "A");
    EXPECT_EQ(TVexEncryption::Crypt("1062", kChave, false), "A");
    EXPECT_EQ(TVexEncryption::Crypt("10a", kChave, false), TVexEncryption::Crypt("100A", kChave, false));
    EXPECT_EQ(TVexEncryption::Crypt("106291", kChave, false),
              TVexEncryption::Crypt("106291F", kChave, false).substr(0, 2));

    for (const char *bad : {"1", "10", "1G62", "10G2", "1062ZZ", "  1062"}) {
        SCOPED_TRACE(bad);
        try {
            TVexEncryption::Crypt(bad, kChave, false);
            ADD_FAILURE() << "accepted";
        } catch (const ConversionError &error) {
            EXPECT_NE(std::string(error.what()).find("is not a valid integer value"), std::string::npos);
        }
    }
}

TEST_F(VexEncryption, ExecuteFollowsTheAction)
{
    TVexEncryption cifra;
    cifra.SetKey(kChave);
    EXPECT_EQ(cifra.Action(), atEncryption);
    cifra.SetOutput("antigo");
    cifra.Execute();
    EXPECT_EQ(cifra.Output(), "");

    seed(0x10);
    cifra.SetInput("AB");
    cifra.Execute();
    EXPECT_EQ(cifra.Output(), "106291");
    cifra.SetAction(atDecryption);
    cifra.SetInput(cifra.Output());
    cifra.Execute();
    EXPECT_EQ(cifra.Output(), "AB");

    cifra.SetInput("XY");
    EXPECT_THROW(cifra.Execute(), ConversionError);
    EXPECT_EQ(cifra.Output(), "AB");
}

} // namespace
