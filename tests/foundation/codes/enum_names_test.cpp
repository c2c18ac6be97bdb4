#include <cstdint>

#include <gtest/gtest.h>

#include "foundation/codes/enum_names.h"

namespace {
enum TSample : std::uint8_t { saFirst, saSecond, saEmpty = 255 };
} // namespace

template <>
inline constexpr auto kEnumNames<TSample> =
    std::to_array<EnumName<TSample>>({{saFirst, "saFirst"}, {saSecond, "saSecond"}, {saEmpty, "saEmpty"}});

TEST(EnumNames, NamesAndValuesRoundTripIncludingGaps)
{
    static_assert(EnumNamesInOrdinalOrder<TSample>());
    static_assert(EnumCount<TSample>() == 3);
    EXPECT_EQ(EnumValueName(saSecond), "saSecond");
    EXPECT_EQ(EnumValueName(saEmpty), "saEmpty");
    EXPECT_EQ(EnumValueName(static_cast<TSample>(7)), "");
    EXPECT_EQ(EnumValueFromName<TSample>("saEmpty"), saEmpty);
    EXPECT_FALSE(EnumValueFromName<TSample>("SAEMPTY").has_value());
}
