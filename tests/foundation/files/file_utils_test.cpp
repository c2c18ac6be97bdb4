#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "foundation/files/compression.h"
#include "foundation/files/file_utils.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::ScopedEnv;
using testsupport::TempDir;

namespace {

std::vector<std::string> folderContents(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Waits (at most about ten seconds) for a file that a started program writes.
std::string waitForFile(const fs::path &file)
{
    for (int i = 0; i < 1000 && !fs::exists(file); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return fs::exists(file) ? readFile(file) : std::string("(not written)");
}

void setModificationTime(const fs::path &file, int minutesAgo)
{
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

} // namespace

// ---- Folders, versions, error codes --------------------------------------------

TEST(FileUtils, FolderNamesAndProgramFolder)
{
    EXPECT_EQ(IncluiBarraFinal("  /var/nfe/xml  "), "/var/nfe/xml/");
    EXPECT_EQ(IncluiBarraFinal("/var/nfe/"), "/var/nfe/");
    EXPECT_EQ(IncluiBarraFinal("   "), "");
    EXPECT_EQ(IncluiBarraFinal(""), "");

    const std::string folder = PastaDoPrograma();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::equivalent(folder, fs::canonical("/proc/self/exe").parent_path()));
    EXPECT_EQ(VersaoDoArquivo("/proc/self/exe"), "");
}

// Per-user caches never go to the program's folder, which is read-only once
// installed.
TEST(FileUtils, UserCacheFolderFollowsXdg)
{
    struct Case {
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        const char *expected;
    };
    const Case cases[] = {
        {"/var/cache/u", "/home/u", "/var/cache/u/nfe-console/"},
        {"/var/cache/u/", "/home/u", "/var/cache/u/nfe-console/"},
        {"relativo", "/home/u", "/home/u/.cache/nfe-console/"}, // only an absolute path counts
        {"", "/home/u", "/home/u/.cache/nfe-console/"},
        {std::nullopt, "/home/u/", "/home/u/.cache/nfe-console/"},
    };
    for (const Case &c : cases) {
        const ScopedEnv xdg("XDG_CACHE_HOME", c.xdg);
        const ScopedEnv home("HOME", c.home);
        EXPECT_EQ(PastaDeCacheDoUsuario(), c.expected) << c.xdg.value_or("(unset)");
    }
    const ScopedEnv xdg("XDG_CACHE_HOME", std::nullopt);
    const ScopedEnv home("HOME", std::nullopt);
    const std::string semHome = PastaDeCacheDoUsuario();
    EXPECT_TRUE(semHome.ends_with("/.cache/nfe-console/")) << semHome;
}

TEST(FileUtils, ComparesVersions)
{
    struct Case {
        const char *a;
        const char *b;
        char separator;
        double expected;
    } cases[] = {
        {"4.00", "3.10", '.', 9},
        {"3.10", "4.00", '.', -9},
        {"1.10", "1.9", '.', 1},
        {"1.0", "1.0.0", '.', 0},
        {" 2.0 ", "2.0", '.', 0},
        {"1.2.3", "1.2.4", '.', -1},
        {"2.0.0", "1.9.9", '.', 100 - 10 - 1},
        {"1-a", "1-b", '-', -1},
        {"1.a", "1.10", '.', 1},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(ComparaVersoes(c.a, c.b, c.separator), c.expected) << c.a << " vs " << c.b;
}

TEST(FileUtils, ErrorCodesInHexadecimal)
{
    EXPECT_EQ(CodigoErroHexa(5), "00000005");
    EXPECT_EQ(CodigoErroHexa(0x2F1AB), "0002F1AB");
    EXPECT_EQ(CodigoErroHexa(-1), "FFFFFFFF");
    errno = ENOENT;
    EXPECT_EQ(CodigoErroHexa(0), "00000002");
}

// ---- Listing ----------------------------------------------------------------------

class FileListing : public ::testing::Test {
  protected:
    void SetUp() override
    {
        dir.write("antigo.xml", "1");
        dir.write("Meio.XML", "2");
        dir.write("novo.xml", "3");
        dir.write("nota.txt", "4");
        dir.write("sem_ponto", "5");
        dir.write("dup..xml", "6");
        dir.write("AÇÃO.xml", "7");
        fs::create_directory(dir / "pasta.xml");
        setModificationTime(dir / "antigo.xml", 300);
        setModificationTime(dir / "Meio.XML", 200);
        setModificationTime(dir / "AÇÃO.xml", 150);
        setModificationTime(dir / "pasta.xml", 120);
        setModificationTime(dir / "novo.xml", 100);
    }
    std::string mask(const std::string &pattern) const { return (dir.path() / pattern).string(); }

    TempDir dir;
};

TEST_F(FileListing, MatchesMasksWithoutRegardToCase)
{
    std::vector<std::string> list{"stale entry"};
    ListaArquivos(mask("*.xml"), list, false, 2, 1);
    EXPECT_EQ(list,
              (std::vector<std::string>{"antigo.xml", "AÇÃO.xml", "Meio.XML", "novo.xml", "pasta.xml"}));

    ListaArquivos(mask("ação.*"), list, false, 0, 1);
    EXPECT_EQ(list, std::vector<std::string>{"AÇÃO.xml"});
    ListaArquivos(mask("n?t?.TXT"), list, false, 0, 1);
    EXPECT_EQ(list, std::vector<std::string>{"nota.txt"});
    ListaArquivos(mask("*.*"), list, false, 0, 1);
    EXPECT_EQ(list.size(), 7u) << "every entry but the one holding \"..\"";
    ListaArquivos(mask("*"), list, false, 0, 1);
    EXPECT_EQ(list.size(), 7u);
    ListaArquivos(mask("*.pdf"), list, false, 2, 1);
    EXPECT_TRUE(list.empty());
    ListaArquivos((dir / "falta/*.xml").string(), list, false, 2, 1);
    EXPECT_TRUE(list.empty());
}

TEST_F(FileListing, OrdersByTimeOrNameInBothDirections)
{
    std::vector<std::string> list;
    ListaArquivos(mask("*.xml"), list, false, 1, 2);
    EXPECT_EQ(list,
              (std::vector<std::string>{"novo.xml", "pasta.xml", "AÇÃO.xml", "Meio.XML", "antigo.xml"}));
    ListaArquivos(mask("*.xml"), list, false, 1, 1);
    EXPECT_EQ(list.front(), "antigo.xml");
    ListaArquivos(mask("*.xml"), list, true, 2, 2);
    EXPECT_EQ(list.front(), mask("pasta.xml"));
    EXPECT_EQ(list.back(), mask("antigo.xml"));
}

TEST_F(FileListing, TellsWhetherFilesExist)
{
    EXPECT_TRUE(ExistemArquivos(mask("*.TXT")));
    EXPECT_FALSE(ExistemArquivos(mask("*.pdf")));
    EXPECT_FALSE(ExistemArquivos(mask("dup..xml")));
    EXPECT_FALSE(ExistemArquivos((dir / "falta/*").string()));
}

// ---- Writing ----------------------------------------------------------------------

TEST(FileWriting, WritesAppendsAndCreatesFolders)
{
    TempDir dir;
    const fs::path file = dir / "a/b/c/nota.xml";
    EXPECT_THROW(GravaTextoEmArquivo(file.string(), "x", false, false, false), FileWriteError);
    EXPECT_FALSE(fs::exists(dir / "a"));

    GravaTextoEmArquivo(file.string(), "linha 1", false, true, true);
    EXPECT_EQ(readFile(file), "linha 1\r\n");
    GravaTextoEmArquivo(file.string(), "linha 2", true, true, false);
    EXPECT_EQ(readFile(file), "linha 1\r\nlinha 2\r\n");
    GravaTextoEmArquivo(file.string(), "", true, true, false);
    EXPECT_EQ(readFile(file), "linha 1\r\nlinha 2\r\n") << "an empty text leaves an existing file alone";
    SobrescreveArquivoTexto(file.string(), "<nfe/>", false);
    EXPECT_EQ(readFile(file), "<nfe/>");
    SobrescreveArquivoTexto(file.string(), "", false);
    EXPECT_EQ(readFile(file), "<nfe/>");

    SobrescreveArquivoTexto((dir / "vazio.txt").string(), "", false);
    EXPECT_EQ(readFile(dir / "vazio.txt"), "");
    GravaTextoEmArquivo((dir / "quebra.txt").string(), "", false, true, false);
    EXPECT_EQ(readFile(dir / "quebra.txt"), "\r\n");
    GravaTextoEmArquivo("", "nada", false, true, true);

    EXPECT_EQ(folderContents(dir / "a/b/c"), std::vector<std::string>{"nota.xml"})
        << "no temporary file is left";
}

TEST(FileWriting, ReplacingKeepsPermissionsAndFollowsLinks)
{
    TempDir dir;
    const fs::path file = dir.write("config.ini", "velho");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(file, dir / "atalho.ini");

    SobrescreveArquivoTexto((dir / "atalho.ini").string(), "novo", false);
    EXPECT_TRUE(fs::is_symlink(dir / "atalho.ini"));
    EXPECT_EQ(readFile(file), "novo");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(FileWriting, FolderThatCannotBeCreatedIsReported)
{
    TempDir dir;
    dir.write("arquivo", "não é pasta");
    try {
        GravaTextoEmArquivo((dir / "arquivo/sub/nota.xml").string(), "x", false, false, true);
        FAIL() << "no error";
    } catch (const FileWriteError &e) {
        EXPECT_NE(std::string(e.what()).find("arquivo/sub/nota.xml"), std::string::npos) << e.what();
    }
}

// A disk that fills up mid-write, simulated with the file-size limit (which
// binds root too): the old file stays whole and no temporary file remains.
TEST(FileWriting, FailedWriteLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string old(40, 'a');
    const fs::path replaced = dir.write("substituido.xml", old);
    const fs::path appended = dir.write("log.txt", old);
    const std::string big(5000, 'b');

    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

    bool replaceFailed = false, appendFailed = false, logThrew = false;
    try {
        SobrescreveArquivoTexto(replaced.string(), big, false);
    } catch (const FileWriteError &) {
        replaceFailed = true;
    }
    try {
        GravaTextoEmArquivo(appended.string(), big, true, true, false);
    } catch (const FileWriteError &) {
        appendFailed = true;
    }
    try {
        GravaLinhaLog(appended.string(), big, false);
    } catch (...) {
        logThrew = true;
    }

    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_TRUE(replaceFailed);
    EXPECT_TRUE(appendFailed);
    EXPECT_FALSE(logThrew);
    EXPECT_EQ(readFile(replaced), old);
    EXPECT_EQ(readFile(appended), old);
    EXPECT_EQ(folderContents(dir.path()), (std::vector<std::string>{"log.txt", "substituido.xml"}));
}

// A folder without write permission. Root ignores permissions, so as root the
// write runs in a child process that has given up its rights.
TEST(FileWriting, ReadOnlyFolderIsReportedAndTheFileKept)
{
    TempDir dir;
    const fs::path folder = dir / "somente-leitura";
    fs::create_directory(folder);
    const fs::path file = folder / "nota.xml";
    {
        std::ofstream(file) << "original";
    }
    fs::permissions(dir.path(), fs::perms::all, fs::perm_options::add);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);

    auto attempt = [&]() -> bool {
        try {
            SobrescreveArquivoTexto(file.string(), "nova versão", false);
        } catch (const FileWriteError &) {
            return readFile(file) == "original";
        }
        return false;
    };

    if (geteuid() != 0) {
        EXPECT_TRUE(attempt());
        return;
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        _exit(attempt() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "could not drop root rights to test a read-only folder";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(file), "original");
}

TEST(FileWriting, LogLinesAndReadableControlBytes)
{
    EXPECT_EQ(TraduzNaoImprimiveis("\x1B"
                                   "A\n"),
              "[ESC]A[LF]");
    EXPECT_EQ(TraduzNaoImprimiveis(std::string("\0\x04\x7F\xC8 ~", 6)), "[NUL][4][127][200] ~");
    EXPECT_EQ(TraduzNaoImprimiveis("\x01\x02\x03\x05\x06\x08\x09\x0C\x0D\x11\x15\x1C\x1D"),
              "[SOH][STX][ETX][ENQ][ACK][BS][TAB][FF][CR][WAK][NAK][FS][GS]");

    TempDir dir;
    const fs::path log = dir / "trace.log";
    GravaLinhaLog(log.string(), "envio", false);
    GravaLinhaLog(log.string(), "\x1B@", true);
    EXPECT_EQ(readFile(log), "envio\r\n[ESC]@\r\n");
    GravaLinhaLog((dir / "falta/trace.log").string(), "perdido", false);
    EXPECT_FALSE(fs::exists(dir / "falta"));
    GravaLinhaLog("", "nada", false);
}

TEST(FileWriting, DecompressesThroughTheCompressionUnit)
{
    const std::string member = CompactaGZip("<resNFe/>");
    EXPECT_EQ(DescompactaTexto(member), "<resNFe/>");
    std::istringstream stream(member);
    EXPECT_EQ(DescompactaStream(stream), "<resNFe/>");
}

// ---- Scrambling ----------------------------------------------------------------------

TEST(Scrambling, RestoresTheTextWithTheSameKey)
{
    const std::string password = "s3nh@ do certificado";
    const std::string key = "123456789";
    const std::string scrambled = EmbaralhaTexto(password, key);
    EXPECT_NE(scrambled, password);
    EXPECT_EQ(scrambled.size(), password.size());
    EXPECT_EQ(scrambled.find('\0'), std::string::npos);
    EXPECT_EQ(EmbaralhaTexto(scrambled, key), password);

    EXPECT_EQ(EmbaralhaTexto(password, password), password);
    EXPECT_EQ(EmbaralhaTexto(password, ""), password);
    EXPECT_EQ(EmbaralhaTexto("", key), "");
}

// ---- Programs --------------------------------------------------------------------------

TEST(Programs, WaitsForTheProgramWhenAsked)
{
    TempDir dir;
    const fs::path out = dir / "saida.txt";
    ExecutaPrograma("  /bin/sh ", " -c \"sleep 0.2; echo feito > '" + out.string() + "'\" ", true, 1);
    EXPECT_EQ(readFile(out), "feito\n");

    ExecutaPrograma("/caminho/inexistente/programa", "-x", true, 1);
    ExecutaPrograma("programa-que-nao-existe-em-lugar-algum", "", true, 1);
    ExecutaPrograma("", "", true, 1);
}

TEST(Programs, ReturnsAtOnceWithoutWaiting)
{
    TempDir dir;
    const fs::path go = dir / "pode-seguir";
    const fs::path out = dir / "saida.txt";
    // The child holds on until the test lets it go (or gives up after about 10 s).
    const std::string script = "i=0; while [ ! -e '" + go.string() +
                               "' ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done; "
                               "if [ -e '" +
                               go.string() + "' ]; then echo liberado; else echo esperou; fi > '" +
                               out.string() + "'";
    ExecutaPrograma("/bin/sh", "-c \"" + script + "\"", false, 1);
    EXPECT_FALSE(fs::exists(out));
    std::ofstream(go) << "";
    EXPECT_EQ(waitForFile(out), "liberado\n");
}

TEST(Programs, DocumentsAndAddressesGoToTheDesktopOpener)
{
    TempDir dir;
    const fs::path bin = dir / "bin";
    const fs::path record = dir / "aberto.txt";
    dir.write("bin/xdg-open", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + record.string() + "'\n");
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    const fs::path document = dir.write("DANFE 1.pdf", "%PDF-1.4 fake");
    fs::permissions(document, fs::perms::owner_all); // an executable bit, as on FAT media

    ScopedEnv path("PATH", bin.string() + ":/usr/bin:/bin");
    AbreNoShell(document.string());
    EXPECT_EQ(waitForFile(record), document.string() + "|");

    fs::remove(record);
    AbreNoShell("https://www.example.com/consulta?chave=1 2");
    EXPECT_EQ(waitForFile(record), "https://www.example.com/consulta?chave=1 2|");
}

// ---- Libraries --------------------------------------------------------------------------

TEST(Libraries, LoadsFunctionsFromTheProgramFolder)
{
    void *address = reinterpret_cast<void *>(1);
    void *module = nullptr;
    ASSERT_TRUE(LocalizaFuncaoDLLModulo("libnfe_test_fake.so", "nfeTestFakeAnswer", address, module));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(reinterpret_cast<int (*)()>(address)(), 42);

    EXPECT_FALSE(LocalizaFuncaoDLL("libnfe_test_fake.so", "funcaoQueNaoExiste", address));
    EXPECT_EQ(address, nullptr);

    // Two look-ups took two references; each release gives one back.
    EXPECT_TRUE(LiberaDLL("libnfe_test_fake.so"));
    EXPECT_TRUE(LiberaDLL("libnfe_test_fake.so"));
    const std::string path = PastaDoPrograma() + "libnfe_test_fake.so";
    EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
    EXPECT_TRUE(LiberaDLL("libnfe_test_fake.so")) << "a library that is not loaded";
}

TEST(Libraries, MissingLibraryAnswersFalse)
{
    void *address = reinterpret_cast<void *>(1);
    EXPECT_FALSE(LocalizaFuncaoDLL("InterfaceEpsonNF.dll", "IniciaPorta", address));
    EXPECT_EQ(address, nullptr);
    void *module = reinterpret_cast<void *>(1);
    EXPECT_FALSE(LocalizaFuncaoDLLModulo("/pasta/inexistente/libx.so", "f", address, module));
    EXPECT_EQ(module, nullptr);
    EXPECT_FALSE(LocalizaFuncaoDLL("", "f", address));
    EXPECT_TRUE(LiberaDLL("InterfaceEpsonNF.dll"));
    EXPECT_TRUE(LiberaDLL(""));
}

TEST(Libraries, WindowsNamesMapToTheirLinuxFiles)
{
    EXPECT_EQ(linuxLibraryName("LIBEAY32.DLL"), "libcrypto.so.3");
    EXPECT_EQ(linuxLibraryName("ssleay32.dll"), "libssl.so.3");
    EXPECT_EQ(linuxLibraryName("HprtPrinter.dll"), "libHprtPrinter.so");
    EXPECT_EQ(linuxLibraryName("interfaceepsonnf.dll"), "libInterfaceEpsonNF.so");
    EXPECT_EQ(linuxLibraryName("Outra.dll"), "Outra.dll");
    void *address = nullptr;
    EXPECT_TRUE(LocalizaFuncaoDLL("libcrypto-1_1.dll", "OpenSSL_version_num", address));
    EXPECT_NE(address, nullptr);
}
