#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "foundation/files/file_utils.h"
#include "foundation/files/ini_file.h"
#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::runCommand;
using testsupport::TempDir;

namespace {

// Debian's interpreter: the first python3 on PATH may be another build.
const char *const kPython = "/usr/bin/python3";

TEST(IniFile, NewFileIsWindows1252WithCrLfAndPythonReadsIt)
{
    TempDir dir;
    const fs::path file = dir / "KVLAplic.ini";
    IniFile ini(file.string());
    ini.WriteString("IBGERENCIA", "PATH IB", "localHost:C:\\Gestão\\GERENCIA.KVL");
    ini.WriteString("ibgerencia", "Símbolo Ж", "SIM"); // no Windows-1252 form: "?"
    ini.WriteString("Outra", "Ação", "çã");

    EXPECT_EQ(readFile(file), "[IBGERENCIA]\r\nPATH IB=localHost:C:\\Gest\xE3o\\GERENCIA.KVL\r\n"
                              "S\xEDmbolo ?=SIM\r\n[Outra]\r\nA\xE7\xE3o=\xE7\xE3\r\n");

    if (!fs::exists(kPython))
        GTEST_SKIP() << "no " << kPython;
    const auto result = runCommand(
        {kPython, "-c",
         "import configparser,sys\n"
         "c=configparser.ConfigParser(interpolation=None)\n"
         "c.read(sys.argv[1],encoding='cp1252')\n"
         "sys.stdout.buffer.write((c['IBGERENCIA']['path ib']+'|'+c['Outra']['ação']).encode('utf-8'))",
         file.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "localHost:C:\\Gestão\\GERENCIA.KVL|çã");
}

TEST(IniFile, ReadsWhatPythonWritesAndKeepsItsForm)
{
    if (!fs::exists(kPython))
        GTEST_SKIP() << "no " << kPython;
    TempDir dir;
    const fs::path file = dir / "app.ini";
    const auto result = runCommand({kPython, "-c",
                                    "import configparser,sys\n"
                                    "c=configparser.ConfigParser(interpolation=None)\n"
                                    "c['Emitente']={'Razao':'Padaria São João','Cidade':'Maceió'}\n"
                                    "c.write(open(sys.argv[1],'w',encoding='cp1252'))",
                                    file.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    IniFile ini(file.string());
    EXPECT_EQ(ini.ReadString("EMITENTE", "razao", ""), "Padaria São João");
    EXPECT_EQ(ini.ReadString("emitente", "CIDADE", ""), "Maceió");

    ini.WriteString("Emitente", "Cidade", "Brasília");
    const std::string bytes = readFile(file);
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << "line breaks as found (LF)";
    EXPECT_NE(bytes.find("cidade =Bras\xEDlia\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("razao = Padaria S\xE3o Jo\xE3o\n"), std::string::npos) << "other lines untouched";
}

TEST(IniFile, Utf8FilesStayUtf8AndLinesKeepTheirPlace)
{
    TempDir dir;
    const fs::path file = dir.write("u.ini", "\xEF\xBB\xBF; comentário\n[Geral]\nNome = \"  São Paulo \"\n"
                                             "Vazio=\n\n[Fim]\nX=1\n");
    IniFile ini(file.string());
    EXPECT_EQ(ini.ReadString(" geral ", "NOME", "-"), "  São Paulo ");
    EXPECT_EQ(ini.ReadString("Geral", "Vazio", "-"), "");
    EXPECT_EQ(ini.ReadString("Geral", "Falta", "-"), "-");
    EXPECT_EQ(ini.ReadString("Nenhuma", "X", "-"), "-");
    EXPECT_TRUE(ini.ValueExists("GERAL", "vazio"));
    EXPECT_FALSE(ini.ValueExists("Geral", "comentário"));
    EXPECT_EQ(ini.ReadSection("geral"), (std::vector<std::string>{"Nome", "Vazio"}));

    ini.WriteString("GERAL", "Novo", "ç");
    ini.WriteString("geral", "NOME", "Recife");
    EXPECT_EQ(readFile(file),
              "\xEF\xBB\xBF; comentário\n[Geral]\nNome =Recife\nVazio=\nNovo=ç\n\n[Fim]\nX=1\n");
}

TEST(IniFile, RefusedWritesLeaveTheFileAsItWas)
{
    TempDir dir;
    const fs::path file = dir.write("a.ini", "[S]\r\nK=1\r\n");
    IniFile ini(file.string());
    EXPECT_THROW(ini.WriteString("S", "K", "1\r\n[Injetada]\r\nX=2"), FileWriteError);
    EXPECT_THROW(ini.WriteString("S", "A=B", "1"), FileWriteError);
    EXPECT_THROW(ini.WriteString("S]", "K", "1"), FileWriteError);
    EXPECT_EQ(readFile(file), "[S]\r\nK=1\r\n");

    IniFile semPasta((dir / "falta" / "b.ini").string());
    EXPECT_EQ(semPasta.ReadString("S", "K", "padrão"), "padrão");
    EXPECT_THROW(semPasta.WriteString("S", "K", "1"), FileWriteError);
    EXPECT_FALSE(fs::exists(dir / "falta"));
}

TEST(IniFile, StoredWindowsNamesAreMapped)
{
    TempDir drive;
    testsupport::ScopedEnv driveE("KVL_DRIVE_E", drive.path().string());
    fs::create_directories(drive / "DRIVEKVL");
    IniFile("E:\\DriveKVL\\KVLAplic.ini").WriteString("IBGERENCIA", "PATH IB", " ");
    EXPECT_EQ(readFile(drive / "DRIVEKVL" / "KVLAplic.ini"), "[IBGERENCIA]\r\nPATH IB= \r\n");
}

} // namespace
