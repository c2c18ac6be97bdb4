#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/regional/formatos_processo.h"
#include "app/regional/localiza_ini.h"
#include "app/regional/path_reg_gerencia.h"
#include "foundation/files/ini_file.h"
#include "tests/support/mapped_drives.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class DriveMap : public ::testing::Test, protected testsupport::MappedDrives {};

TEST_F(DriveMap, SearchOrder)
{
    const std::string pasta = programa.path().string() + "/";
    EXPECT_EQ(LocalizaIni(pasta), "C:\\DriveKVL\\") << "nothing anywhere";
    EXPECT_TRUE(fs::is_directory(c.path() / "DriveKVL" / "TMP"));

    put(w, "DriveKVL/KVLAplic.ini");
    put(w, "KVLAplic.ini");
    EXPECT_EQ(LocalizaIni(pasta), "C:\\DriveKVL\\") << "W is never searched";
    EXPECT_EQ(LocalizaIni("W:\\Programas\\"), "W:\\") << "only the program's own drive";

    put(e, "KVLAplic.ini");
    EXPECT_EQ(LocalizaIni(pasta), "E:\\");
    put(d, "KVLAplic.ini");
    EXPECT_EQ(LocalizaIni(pasta), "D:\\");
    put(d, "DRIVEKVL/kvlaplic.INI");
    EXPECT_EQ(LocalizaIni(pasta), "D:\\DriveKVL\\") << "the folder before the root";

    fs::remove_all(c.path() / "DriveKVL");
    put(programa, "KVLAplic.ini");
    EXPECT_EQ(LocalizaIni(pasta), pasta) << "beside the program wins";
    EXPECT_TRUE(fs::is_directory(c.path() / "DriveKVL" / "TMP")) << "created even then";
}

TEST_F(DriveMap, DefaultFileAndRegionalFormats)
{
    EXPECT_EQ(CriaIniPadrao(), "C:\\DriveKVL\\");
    EXPECT_EQ(testsupport::readFile(c.path() / "DriveKVL" / "KVLAplic.ini"), "[IBGERENCIA]\r\nPATH IB= \r\n");
    IniFile("C:\\DriveKVL\\KVLAplic.ini").WriteString("IBGERENCIA", "PATH IB", "x");
    CriaIniPadrao();
    EXPECT_EQ(IniFile("C:\\DriveKVL\\KVLAplic.ini").ReadString("IBGERENCIA", "PATH IB", ""), "x") << "kept";

    restauraFormatosDoProcesso();
    formatosDoProcesso().separadorDecimal = '.';
    EXPECT_TRUE(AjustaSeparador());
    EXPECT_EQ(formatosDoProcesso().formatoHoraCurta, "hh:mm") << "nothing changed with '.' in use";
    formatosDoProcesso().separadorDecimal = ',';
    EXPECT_TRUE(AjustaSeparador());
    EXPECT_EQ(formatosDoProcesso().separadorDecimal, '.');
    EXPECT_EQ(formatosDoProcesso().separadorMilhar, ',');
    EXPECT_EQ(formatosDoProcesso().formatoDataCurta, "dd/mm/yyyy");
    EXPECT_EQ(formatosDoProcesso().formatoHoraCurta, "HH:MM:SS");
    restauraFormatosDoProcesso();
}

TEST_F(DriveMap, AddressDialogSplitsAndComposes)
{
    // clang-format off
    const struct { const char *stored; bool local; const char *server; const char *path; } cases[] = {
        {"localHost:c:\\kvl\\banco\\",            true,  "localHost", "c:\\kvl\\banco\\"},
        {"LOCALHOST:d:\\x.gdb",                   true,  "LOCALHOST", "d:\\x.gdb"},
        {"servidor:c:\\kvl\\GERENCIA.KVL",        false, "servidor",  "c:\\kvl\\GERENCIA.KVL"},
        {"192.168.0.9",                           false, "192.168.0.9", PathRegGerenciaCore::kPathPadrao},
    };
    // clang-format on
    CriaIniPadrao();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        IniFile("C:\\DriveKVL\\KVLAplic.ini").WriteString("IBGERENCIA", "PATH IB", c.stored);
        IniFile("C:\\DriveKVL\\KVLAplic.ini").WriteString("IBGERENCIA", "UNIDADE SERVIDOR", "f:");
        PathRegGerenciaCore core;
        core.FormActivate();
        EXPECT_EQ(core.chkLocal, c.local);
        EXPECT_EQ(core.servidorVisivel, !c.local);
        EXPECT_EQ(core.edtServidor, c.server);
        EXPECT_EQ(core.edtPath, c.path);
        EXPECT_EQ(core.edtUnidade, "F:");
    }

    auto owned = std::make_unique<testsupport::ScriptedDialogs>();
    auto *script = owned.get();
    instalaDialogos(std::move(owned));
    script->files = {std::nullopt, "/srv/banco/GERENCIA.KVL"};
    PathRegGerenciaCore core;
    core.FormActivate();
    core.SpeedButton1Click();
    EXPECT_EQ(core.edtPath, PathRegGerenciaCore::kPathPadrao) << "cancelled: unchanged";
    core.SpeedButton1Click();
    EXPECT_EQ(core.edtPath, "/srv/banco/GERENCIA.KVL");
    core.edtServidor = "servidor";
    core.SpeedButton2Click();
    EXPECT_EQ(IniFile("C:\\DriveKVL\\KVLAplic.ini").ReadString("IBGERENCIA", "PATH IB", ""),
              "servidor:/srv/banco/GERENCIA.KVL");
    core.chkLocalClick();
    core.SpeedButton2Click();
    EXPECT_EQ(IniFile("C:\\DriveKVL\\KVLAplic.ini").ReadString("IBGERENCIA", "PATH IB", ""),
              "localHost:/srv/banco/GERENCIA.KVL");
    instalaDialogos(nullptr);
}

TEST_F(DriveMap, AddressDialogCreatesTheDefaultFileWhenNoneExists)
{
    PathRegGerenciaCore core;
    core.FormActivate();
    EXPECT_FALSE(core.chkLocal) << "an empty address reads as an empty server name";
    core.chkLocalClick();
    core.SpeedButton2Click();
    EXPECT_EQ(testsupport::readFile(c.path() / "DriveKVL" / "KVLAplic.ini"),
              std::string("[IBGERENCIA]\r\nPATH IB=localHost:") + PathRegGerenciaCore::kPathPadrao + "\r\n");
}

} // namespace
