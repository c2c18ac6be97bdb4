#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

using testsupport::runCommand;
using testsupport::ScopedEnv;

namespace {

std::string program(const char *name)
{
    return (testsupport::binaryDir() / "bin" / name).string();
}

std::string serialOf(const TestCert &cert)
{
    auto result = runCommand({"openssl", "x509", "-in", cert.certPem, "-noout", "-serial"});
    std::string serial = result.out.substr(result.out.find('=') + 1);
    serial.erase(serial.find_last_not_of("\r\n") + 1);
    return serial;
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// A private user store and no token: the user's data folder and the token
// configuration point into a temporary folder for each test.
class NfeCheckStore : public ::testing::Test {
  protected:
    testsupport::TempDir folder;
    ScopedEnv data{"XDG_DATA_HOME", (folder.path() / "data").string()};
    ScopedEnv home{"HOME", (folder.path() / "home").string()};
    ScopedEnv token{"SOFTHSM2_CONF", tokenConfig()};

    std::string tokenConfig()
    {
        std::filesystem::create_directories(folder.path() / "tokens");
        const auto conf = folder.path() / "softhsm2.conf";
        std::ofstream(conf) << "directories.tokendir = " << (folder.path() / "tokens").string() << "\n";
        return conf.string();
    }
};

} // namespace

TEST_F(NfeCheckStore, ImportedCertificateIsListedLoadedByLowerCaseSerialSignsAndIsRemoved)
{
    const TestCert &cert = testPki().ecnpj;
    const std::string serial = serialOf(cert);

    auto imported = runCommand({program("nfe-certstore"), "import", cert.pfxAes, cert.password});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;

    auto listed = runCommand({program("nfe-certstore"), "list"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    auto viaCheck = runCommand({program("nfe-check"), "store", "list"});
    ASSERT_EQ(viaCheck.exitCode, 0) << viaCheck.err;
    EXPECT_EQ(listed.out, viaCheck.out);
    EXPECT_EQ(viaCheck.out.rfind(serial + "|EMPRESA TESTE LTDA|11222333000181|", 0), 0u) << viaCheck.out;

    auto loaded = runCommand({program("nfe-check"), "store", "cert", lowerCase(serial)});
    ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
    EXPECT_NE(loaded.out.find("NumeroSerie=" + serial + "\n"), std::string::npos) << loaded.out;
    EXPECT_NE(loaded.out.find("Tipo=tcA1"), std::string::npos) << loaded.out;

    const std::string note = (testsupport::sourceDir() / "tests/dfe/data/nfe_400.xml").string();
    auto signedNote = runCommand({program("nfe-check"), "store", "sign", note, serial});
    ASSERT_EQ(signedNote.exitCode, 0) << signedNote.err;
    const auto signedFile = folder.path() / "assinada.xml";
    std::ofstream(signedFile, std::ios::binary) << signedNote.out;
    const TestPki &pki = testPki();
    auto verified = runCommand({"xmlsec1", "--verify", "--trusted-pem", pki.root.certPem, "--untrusted-pem",
                                pki.intermediate.certPem, "--id-attr:Id", "infNFe", signedFile.string()});
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;

    auto removed = runCommand({program("nfe-certstore"), "remove", serial});
    ASSERT_EQ(removed.exitCode, 0) << removed.err;
    EXPECT_EQ(runCommand({program("nfe-certstore"), "list"}).out, "");
}

TEST_F(NfeCheckStore, RefusalsGiveTheirTextsAndExitOne)
{
    const TestCert &cert = testPki().ecnpj;
    struct Case {
        std::vector<std::string> argv;
        std::string text;
    };
    const Case cases[] = {
        {{program("nfe-check"), "store", "cert", "0A1B2C"}, "Certificado Série: \"0A1B2C\", não encontrado!"},
        {{program("nfe-certstore"), "remove", "0A1B2C"}, "Certificado Série: \"0A1B2C\", não encontrado!"},
        {{program("nfe-certstore"), "import", cert.pfxAes, "senha errada"}, "Senha informada está errada"},
        {{program("nfe-certstore"), "import", (folder.path() / "nada.pfx").string(), "x"}, "não encontrado"},
        {{program("nfe-certstore"), "list", "demais"}, "Uso: nfe-certstore"},
    };
    for (const Case &c : cases) {
        auto result = runCommand(c.argv);
        EXPECT_EQ(result.exitCode, 1) << c.argv[1];
        EXPECT_NE(result.err.find(c.text), std::string::npos) << c.argv[1] << ": " << result.err;
    }
}
