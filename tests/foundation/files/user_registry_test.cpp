#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "foundation/files/user_registry.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

using testsupport::ScopedEnv;
using testsupport::TempDir;

namespace {

TEST(UserRegistry, StringsLiveInOneSectionPerKeyPath)
{
    TempDir config;
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
    EXPECT_EQ(registryFile(), config.path().string() + "/nfe-console/registry.ini");
    EXPECT_EQ(registryReadString("Control Panel\\International", "sDate", "?"), "?");

    EXPECT_TRUE(registryWriteString("Control Panel\\International", "sDate", "/"));
    EXPECT_TRUE(registryWriteString("Software\\KVL", "Pasta", "C:\\DriveKVL\\"));
    EXPECT_EQ(registryReadString("control panel\\INTERNATIONAL", "SDATE", "?"), "/");
    EXPECT_EQ(testsupport::readFile(registryFile()),
              "[Control Panel\\International]\r\nsDate=/\r\n[Software\\KVL]\r\nPasta=C:\\DriveKVL\\\r\n");
}

TEST(UserRegistry, UnwritableFileAnswersFalse)
{
    TempDir config;
    std::filesystem::create_directories(config / "nfe-console" / "registry.ini"); // a folder in its place
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
    EXPECT_FALSE(registryWriteString("Software\\KVL", "Pasta", "x"));
    EXPECT_EQ(registryReadString("Software\\KVL", "Pasta", "padrão"), "padrão");
}

} // namespace
