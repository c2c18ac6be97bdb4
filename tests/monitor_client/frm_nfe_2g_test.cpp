#include "monitor_client/frm_nfe_2g.h"

#include <gtest/gtest.h>

#include <type_traits>

TEST(TfrmNFE_2G, IsDefaultConstructible)
{
    EXPECT_TRUE(std::is_default_constructible_v<TfrmNFE_2G>);
}
