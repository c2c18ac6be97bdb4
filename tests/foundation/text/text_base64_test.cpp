#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"

namespace {

TEST(DecodificaBase64Test, DecodesEveryPaddingLength)
{
    struct Case {
        const char *texto;
        std::string bytes;
    };
    const std::vector<Case> cases = {{"TWFu", "Man"},
                                     {"TWE=", "Ma"},
                                     {"TQ==", "M"},
                                     {"AP8A", std::string("\x00\xFF\x00", 3)},
                                     {"+/+/", "\xFB\xFF\xBF"}};
    for (const auto &c : cases) {
        EXPECT_EQ(DecodificaBase64(c.texto), c.bytes) << c.texto;
        EXPECT_EQ(CodificaBase64(c.bytes), c.texto) << c.texto;
    }
    EXPECT_EQ(CodificaBase64(""), "");
}

TEST(DecodificaBase64Test, RefusesWhatIsNotBase64)
{
    for (const char *texto : {"", "abc", "a===", "ab c", "a=bc"})
        EXPECT_THROW(DecodificaBase64(texto), ConversionError) << texto;
}

} // namespace
