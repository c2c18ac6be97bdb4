#include <filesystem>

#include <gtest/gtest.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/ssl/fake_backends.h"
#include "tests/support/temp_dir.h"

using namespace dfetest;
namespace fs = std::filesystem;

namespace {

constexpr const char *kCnpj = "11222333000181";
constexpr const char *kUrl = "https://certificados/empresa.pfx";

class UrlLoad : public ::testing::Test {
  protected:
    FakeBackends fakes;
    testsupport::TempDir dir;
    TDFeSSL ssl;
    fs::path copia = dir / "pfx/empresa.pfx";

    void SetUp() override
    {
        ssl.SetSSLCryptLib(cryCapicom);
        ssl.SetSSLHttpLib(httpWinINet);
        httpScript().body = FakeCrypt::pfx(kCnpj, 400);
    }
    void writeCopy(int diasParaVencer, bool escritaHoje)
    {
        fs::create_directories(copia.parent_path());
        dir.write("pfx/empresa.pfx", FakeCrypt::pfx(kCnpj, diasParaVencer));
        if (!escritaHoje)
            fs::last_write_time(copia, fs::file_time_type::clock::now() - std::chrono::hours(24 * 3));
    }
    void load()
    {
        ssl.SetArquivoPFX(copia.string());
        ssl.SetURLPFX(kUrl);
        ssl.GarantirCertificadoCarregado();
    }
    std::string loadError()
    {
        try {
            load();
        } catch (const EQuibDFeException &e) {
            return e.what();
        }
        return "(no exception)";
    }
};

TEST(FileLoad, MissingFile)
{
    FakeBackends fakes;
    TDFeSSL ssl;
    ssl.SetSSLCryptLib(cryCapicom);
    ssl.SetArquivoPFX("/nao/existe.pfx");
    try {
        ssl.GarantirCertificadoCarregado();
        FAIL();
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Arquivo: /nao/existe.pfx não encontrado");
    }
}

TEST_F(UrlLoad, LocalCopyIsReusedWhileFresh)
{
    struct Case {
        int diasParaVencer;
        bool escritaHoje;
        bool downloads;
    };
    const Case cases[] = {{16, false, false}, {15, false, true}, {15, true, false}, {-3, true, false}};
    for (const auto &c : cases) {
        writeCopy(c.diasParaVencer, c.escritaHoje);
        httpScript().requests = 0;
        load();
        EXPECT_TRUE(ssl.CertificadoCarregado());
        EXPECT_EQ(httpScript().requests, c.downloads ? 1 : 0) << c.diasParaVencer << " " << c.escritaHoje;
        EXPECT_EQ(testsupport::readFile(copia), FakeCrypt::pfx(kCnpj, c.downloads ? 400 : c.diasParaVencer));
        EXPECT_EQ(ssl.DadosPFX(), FakeCrypt::pfx(kCnpj, c.downloads ? 400 : c.diasParaVencer));
        EXPECT_EQ(ssl.URLPFX(), "");
    }
}

TEST_F(UrlLoad, DownloadWithoutLocalCopyWritesIt)
{
    load();
    EXPECT_TRUE(ssl.CertificadoCarregado());
    EXPECT_EQ(ssl.CNPJDoCertificado(), kCnpj);
    EXPECT_EQ(testsupport::readFile(copia), FakeCrypt::pfx(kCnpj, 400));
    EXPECT_FALSE(httpScript().lastSettings.UseCertificateHTTP);
    EXPECT_EQ(httpScript().lastUrl, kUrl);
    EXPECT_TRUE(ssl.UseCertificateHTTP);
}

TEST_F(UrlLoad, BadDownloadsKeepTheOldCopyAndRestoreTheClientCertificate)
{
    struct Case {
        const char *name;
        int status;
        std::string body;
        bool raise;
        std::string message;
    };
    const std::string url = kUrl;
    const Case cases[] = {
        {"404", 404, "nao achei", false, "Http erro 404, baixando Certificado de " + url},
        {"203", 203, "x", false, "Http erro 203, baixando Certificado de " + url},
        {"empty", 200, "", false, "Certificado obtido de " + url + " é inválido"},
        {"unreadable", 200, "lixo", false, "Certificado obtido de " + url + " é inválido"},
        {"other company", 200, FakeCrypt::pfx("11444777000161", 400), false,
         "CNPJ do Certificado obtido de " + url + " é diferente do CNPJ atual"},
        {"transport", 200, "", true, "conexão recusada"},
    };
    for (const auto &c : cases) {
        writeCopy(10, false);
        httpScript().status = c.status;
        httpScript().body = c.body;
        httpScript().raise = c.raise;
        EXPECT_EQ(loadError(), c.message) << c.name;
        EXPECT_FALSE(ssl.CertificadoCarregado()) << c.name;
        EXPECT_TRUE(ssl.UseCertificateHTTP) << c.name;
        EXPECT_EQ(testsupport::readFile(copia), FakeCrypt::pfx(kCnpj, 10)) << c.name;
    }
}

} // namespace
