#include <functional>

#include <gtest/gtest.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/ssl/fake_backends.h"

using namespace dfetest;

namespace {

class FacadeSettings : public ::testing::Test {
  protected:
    FakeBackends fakes;
    TDFeSSL ssl;

    void loadFakeCertificate()
    {
        ssl.SetSSLCryptLib(cryCapicom);
        ssl.SetDadosPFX(FakeCrypt::pfx("11222333000181", 100));
        ssl.GarantirCertificadoCarregado();
        ASSERT_TRUE(ssl.CertificadoCarregado());
    }
};

struct SourceCase {
    const char *name;
    std::function<void(TDFeSSL &)> steps;
    const char *arquivo, *dados, *url, *serie;
};

TEST_F(FacadeSettings, SourcesExcludeEachOther)
{
    // clang-format off
    const SourceCase cases[] = {
        {"file keeps URL",       [](TDFeSSL &s) { s.SetURLPFX("u"); s.SetArquivoPFX("f"); },          "f", "", "u", ""},
        {"file clears serial",   [](TDFeSSL &s) { s.SetNumeroSerie("1A"); s.SetArquivoPFX("f"); },    "f", "", "",  ""},
        {"file clears data",     [](TDFeSSL &s) { s.SetDadosPFX("d"); s.SetArquivoPFX("f"); },        "f", "", "",  ""},
        {"data clears the rest", [](TDFeSSL &s) { s.SetURLPFX("u"); s.SetArquivoPFX("f"); s.SetDadosPFX("d"); }, "", "d", "", ""},
        {"URL while serial",     [](TDFeSSL &s) { s.SetNumeroSerie("1A"); s.SetURLPFX("u"); },        "",  "", "u", ""},
        {"URL keeps local copy", [](TDFeSSL &s) { s.SetArquivoPFX("f"); s.SetURLPFX("u"); },          "f", "", "u", ""},
        {"URL clears data",      [](TDFeSSL &s) { s.SetDadosPFX("d"); s.SetURLPFX("u"); },            "",  "", "u", ""},
        {"serial normalised",    [](TDFeSSL &s) { s.SetURLPFX("u"); s.SetArquivoPFX("f"); s.SetNumeroSerie(" 0a 1b c "); }, "", "", "", "0A1BC"},
        {"empty clears nothing", [](TDFeSSL &s) { s.SetURLPFX("u"); s.SetArquivoPFX("f"); s.SetNumeroSerie(""); s.SetDadosPFX(""); }, "f", "", "u", ""},
    };
    // clang-format on
    for (const auto &c : cases) {
        TDFeSSL s;
        c.steps(s);
        EXPECT_EQ(s.ArquivoPFX(), c.arquivo) << c.name;
        EXPECT_EQ(s.DadosPFX(), c.dados) << c.name;
        EXPECT_EQ(s.URLPFX(), c.url) << c.name;
        EXPECT_EQ(s.NumeroSerie(), c.serie) << c.name;
    }
}

TEST_F(FacadeSettings, SourceChangeUnloadsOnlyWhenEffective)
{
    // clang-format off
    const std::pair<const char *, std::function<void(TDFeSSL &)>> cases[] = {
        {"same data",    [](TDFeSSL &s) { s.SetDadosPFX(s.DadosPFX()); }},
        {"empty file",   [](TDFeSSL &s) { s.SetArquivoPFX(""); }},
        {"empty serial", [](TDFeSSL &s) { s.SetNumeroSerie("  "); }},
    };
    // clang-format on
    for (const auto &[name, change] : cases) {
        loadFakeCertificate();
        change(ssl);
        EXPECT_TRUE(ssl.CertificadoCarregado()) << name;
    }
    ssl.SetArquivoPFX("/tmp/outro.pfx");
    EXPECT_FALSE(ssl.CertificadoCarregado());
}

TEST_F(FacadeSettings, PasswordIsKeptScrambled)
{
    FakeClock clock;
    loadFakeCertificate();
    ssl.SetSenha("segredo");
    EXPECT_EQ(ssl.Senha(), "segredo");
    loadFakeCertificate();
    ssl.SetSenha("segredo"); // same value: same key, certificate stays
    EXPECT_TRUE(ssl.CertificadoCarregado());
    EXPECT_EQ(ssl.Senha(), "segredo");
    ssl.SetSenha("outra senha");
    EXPECT_FALSE(ssl.CertificadoCarregado());
    EXPECT_EQ(ssl.Senha(), "outra senha");
}

TEST_F(FacadeSettings, SameCryptLibraryKeepsTheCertificateAnotherFreesIt)
{
    loadFakeCertificate();
    ssl.SetSSLCryptLib(cryCapicom);
    EXPECT_TRUE(ssl.CertificadoCarregado());
    EXPECT_EQ(ssl.SSLCryptClass().NomeClasse(), "FakeCrypt");
    ssl.SetSSLCryptLib(cryNone);
    EXPECT_FALSE(ssl.CertificadoCarregado());
    EXPECT_EQ(ssl.SSLCryptClass().NomeClasse(), "TDFeSSLCryptClass");
}

TEST_F(FacadeSettings, BundlesSetTheThreeChoices)
{
    struct Bundle {
        TSSLLib lib;
        TSSLCryptLib crypt;
        TSSLHttpLib http;
        TSSLXmlSignLib xmlSign;
    };
    // clang-format off
    const Bundle bundles[] = {
        {libOpenSSL,     cryOpenSSL,  httpOpenSSL, xsLibXml2},
        {libCapicom,     cryCapicom,  httpWinINet, xsMsXmlCapicom},
        {libCapicomSoap, cryCapicom,  httpIndy,    xsMsXmlCapicom},
        {libWinCrypt,    cryWinCrypt, httpWinHttp, xsLibXml2},
        {libCustom,      cryWinCrypt, httpWinHttp, xsLibXml2},   // unchanged from the row above
        {libNone,        cryNone,     httpNone,    xsNone},
    };
    // clang-format on
    for (const auto &b : bundles) {
        applySslLib(ssl, b.lib);
        EXPECT_EQ(ssl.SSLCryptLib(), b.crypt) << EnumValueName(b.lib);
        EXPECT_EQ(ssl.SSLHttpLib(), b.http) << EnumValueName(b.lib);
        EXPECT_EQ(ssl.SSLXmlSignLib(), b.xmlSign) << EnumValueName(b.lib);
    }
}

TEST_F(FacadeSettings, XmlSecIsRefusedAndTheCurrentBackendStays)
{
    ssl.SetSSLXmlSignLib(xsMsXml);
    try {
        ssl.SetSSLXmlSignLib(xsXmlSec);
        FAIL() << "xsXmlSec accepted";
    } catch (const EQuibDFeException &e) {
        const std::string message = e.what();
        EXPECT_TRUE(message.starts_with("Suporte a \"xsXmlSec\" foi desativado por compilação")) << message;
        EXPECT_NE(message.find("DFE_SEM_OPENSSL"), std::string::npos);
        EXPECT_NE(message.find("DFE_SEM_XMLSEC"), std::string::npos);
    }
    EXPECT_EQ(ssl.SSLXmlSignLib(), xsMsXml);
    EXPECT_EQ(ssl.Assinar("<a/>", "a", "a"), "<a/><Signature/>");
}

TEST_F(FacadeSettings, DefaultsOfANewFacade)
{
    EXPECT_EQ(ssl.SSLType, LT_TLSv1_2);
    EXPECT_EQ(ssl.SSLDgst, dgstSHA1);
    EXPECT_EQ(ssl.StoreLocation, slCurrentUser);
    EXPECT_EQ(ssl.StoreName, "My");
    EXPECT_EQ(ssl.TimeOut, 5000);
    EXPECT_FALSE(ssl.TimeOutPorThread);
    EXPECT_TRUE(ssl.UseCertificateHTTP);
    EXPECT_FALSE(ssl.CertificadoCarregado());
    EXPECT_EQ(ssl.HTTPResultCode(), 0);
}

} // namespace
