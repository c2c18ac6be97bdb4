#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using testsupport::ScopedEnv;
using testsupport::TempDir;

namespace {

class WindowsPaths : public ::testing::Test {
  protected:
    void SetUp() override
    {
        fs::create_directories(drive.path() / "DRIVEKVL" / "logs");
        fs::create_directories(drive.path() / "DriveKVL-old");
        fs::create_directories(home.path() / "Configurações");
    }

    std::string root() const { return drive.path().string(); }

    TempDir drive;
    TempDir home;
    ScopedEnv driveD{"KVL_DRIVE_D", drive.path().string()};
    ScopedEnv driveC{"KVL_DRIVE_C", std::nullopt};
    ScopedEnv driveQ{"KVL_DRIVE_Q", std::nullopt};
    ScopedEnv driveR{"KVL_DRIVE_R", ""};
    ScopedEnv homeVar{"HOME", home.path().string()};
};

TEST_F(WindowsPaths, MapsDrivesFoldersAndNames)
{
    struct Case {
        std::string stored;
        std::string expected; // relative to the drive D folder, or absolute
    };
    // clang-format off
    const Case cases[] = {
        {"D:\\DriveKVL\\Logs\\x.txt",   "/DRIVEKVL/logs/x.txt"},   // case-insensitive match, new name kept
        {"d:\\drivekvl\\LOGS\\",        "/DRIVEKVL/logs/"},        // trailing separator kept
        {"D:/DriveKVL/Novo/Sub/a.ini",  "/DRIVEKVL/Novo/Sub/a.ini"},// missing folders kept as given
        {"D:\\DriveKVL\\.\\logs\\..\\logs", "/DRIVEKVL/logs"},
        {"D:\\..\\..\\etc\\passwd",     "/etc/passwd"},            // ".." never leaves the root
        {"D:\\",                        "/"},
        {"D:x.txt",                     "/x.txt"},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(mapWindowsPath(c.stored), root() + c.expected);
    }
}

TEST_F(WindowsPaths, DriveCDefaultsToHomeAndAccentedNamesMatch)
{
    EXPECT_EQ(mapWindowsPath("C:\\CONFIGURAÇÕES\\a.ini"), home.path().string() + "/Configurações/a.ini");
    ScopedEnv mapped("KVL_DRIVE_C", root() + "/");
    EXPECT_EQ(mapWindowsPath("c:\\drivekvl"), root() + "/DRIVEKVL");
}

TEST_F(WindowsPaths, LinuxPathsPassUnchanged)
{
    for (const char *path : {"/tmp/a\\b.txt", "relativo/x", "", "C", "1:\\x"})
        EXPECT_EQ(mapWindowsPath(path), std::string(path)) << path;
}

TEST_F(WindowsPaths, UnmappedDrivesDoNotExist)
{
    for (const char *path : {"Q:\\dados.txt", "R:\\x", "\\\\servidor\\share\\a"})
        EXPECT_EQ(mapWindowsPath(path), std::nullopt) << path;

    EXPECT_EQ(localPath("q:\\DriveKVL\\dados.txt"), "/dev/null/unmapped-drive-Q/DriveKVL/dados.txt");
    EXPECT_EQ(localPath("\\\\servidor\\share\\"), "/dev/null/unmapped-drive-network/servidor/share/");
    EXPECT_FALSE(fs::exists(localPath("Q:\\dados.txt")));
    EXPECT_EQ(localPath("D:\\DriveKVL"), root() + "/DRIVEKVL");
}

} // namespace

namespace {

// The file functions map stored paths: a log path kept as "C:\DriveKVL\..."
// lands in the folder of drive C, in the folder that already exists there.
TEST(StoredPathsInFileFunctions, WriteListAndReportThroughTheDriveMap)
{
    TempDir drive;
    ScopedEnv driveC("KVL_DRIVE_C", drive.path().string());
    ScopedEnv driveQ("KVL_DRIVE_Q", std::nullopt);
    fs::create_directories(drive.path() / "DRIVEKVL" / "logs");

    GravaTextoEmArquivo("C:\\DriveKVL\\Logs\\x.txt", "linha", false, false, false);
    GravaLinhaLog("c:\\drivekvl\\LOGS\\x.txt", "mais", false);
    EXPECT_EQ(testsupport::readFile(drive.path() / "DRIVEKVL" / "logs" / "x.txt"), "linhamais\r\n");

    std::vector<std::string> lista;
    ListaArquivos("C:\\DriveKVL\\Logs\\*.TXT", lista, true, 2, 1);
    EXPECT_EQ(lista, std::vector<std::string>{(drive.path() / "DRIVEKVL" / "logs" / "x.txt").string()});
    EXPECT_TRUE(ExistemArquivos("C:\\DRIVEKVL\\logs\\*.*"));

    GravaTextoEmArquivo("C:\\DriveKVL\\Novo\\y.txt", "y", false, false, true);
    EXPECT_TRUE(fs::exists(drive.path() / "DRIVEKVL" / "Novo" / "y.txt"));

    try {
        GravaTextoEmArquivo("Q:\\DriveKVL\\z.txt", "z", false, false, true);
        FAIL() << "a file on an unmapped drive was written";
    } catch (const FileWriteError &error) {
        EXPECT_NE(std::string(error.what()).find("unmapped-drive-Q"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(ExistemArquivos("Q:\\*.*"));
}

} // namespace
