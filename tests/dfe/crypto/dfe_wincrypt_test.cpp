#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "dfe/backends.h"
#include "dfe/crypto/certificate_selector.h"
#include "dfe/crypto/certificate_store_admin.h"
#include "dfe/crypto/detail/series_com_pin.h"
#include "dfe/crypto/detail/token_store.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/codes/enum_names.h"
#include "foundation/fiscal/dfe_exception.h"
#include "store_fixture.h"
#include "tests/support/http_test_server.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/tls_test_stream.h"
#include "tests/support/xml_checks.h"

#include <openssl/core_names.h>
#include <openssl/err.h>
#include <openssl/evp.h>

namespace {

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whether the private half of the key is in this process's memory (a token
// key only refers to the key on the token).
bool holdsPrivateExponent(const EVP_PKEY *key)
{
    BIGNUM *d = nullptr;
    const bool held = EVP_PKEY_get_bn_param(key, OSSL_PKEY_PARAM_RSA_D, &d) == 1;
    BN_free(d);
    ERR_clear_error();
    return held;
}

class StoreBackend : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        RegistraBackendsDFe();
        storetest::softToken(); // before the first token listing of the program
    }
    void SetUp() override
    {
        storetest::freshUserStore();
        ecnpjSerial = ImportarPFXNoStore(readFile(testPki().ecnpj.pfxAes), testPki().ecnpj.password, "My");
        ssl.SetSSLCryptLib(cryWinCrypt);
    }
    void TearDown() override
    {
        DefinirSeletorCertificado({});
        dfe::token::setLoginFunctionForTests({});
    }
    std::string lowerSerial() const
    {
        std::string text = ecnpjSerial;
        for (char &c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    TDFeSSL ssl;
    std::string ecnpjSerial;
};

TEST_F(StoreBackend, ListsTheImportedCertificateAndTheTokenWithUnknownType)
{
    ssl.LerCertificadosStore();
    std::vector<std::string> lines;
    for (int i = 0; i < ssl.ListaCertificados().Count(); ++i) {
        EXPECT_EQ(ssl.ListaCertificados().ObterItem(i).Tipo, tcDesconhecido);
        lines.push_back(LinhaDaListaDeCertificados(ssl.ListaCertificados().ObterItem(i)));
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].starts_with(ecnpjSerial + "|EMPRESA TESTE LTDA|11222333000181|")) << lines[0];
    EXPECT_TRUE(
        lines[1].starts_with(storetest::softToken().serial + "|EMPRESA IMPRESSA LTDA|11444777000161|"))
        << lines[1];
}

TEST_F(StoreBackend, LoadsByLowerCaseSerialOrWithSignByteAsSoftwareKey)
{
    for (const std::string &serial : {lowerSerial(), "00" + ecnpjSerial}) {
        ssl.SetNumeroSerie(serial);
        ssl.GarantirCertificadoCarregado();
        EXPECT_EQ(ssl.DadosCertificado().NumeroSerie, ecnpjSerial);
        EXPECT_EQ(ssl.DadosCertificado().Tipo, tcA1);
        EXPECT_EQ(ssl.CNPJDoCertificado(), "11222333000181");
        ssl.LiberarCertificado();
    }
}

TEST_F(StoreBackend, LoadingErrorsGiveTheirTexts)
{
    struct Case {
        std::function<void(TDFeSSL &)> configure;
        std::string message;
    };
    // clang-format off
    const Case cases[] = {
        {[](TDFeSSL &s) { s.SetNumeroSerie("0BADC0DE"); }, "Certificado Série: \"0BADC0DE\", não encontrado!"},
        {[](TDFeSSL &s) { s.SetDadosPFX("not a pfx"); }, "PFXDataToCertContextWinApi: DadosPFX informado não são válidos"},
        {[](TDFeSSL &s) { s.SetDadosPFX(readFile(testPki().ecnpj.pfxRc2)); s.SetSenha("errada"); },
         "PFXDataToCertContextWinApi: Senha informada está errada"},
    };
    // clang-format on
    for (const Case &c : cases) {
        TDFeSSL local;
        local.SetSSLCryptLib(cryWinCrypt);
        c.configure(local);
        try {
            local.GarantirCertificadoCarregado();
            ADD_FAILURE() << c.message;
        } catch (const EQuibDFeException &e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

TEST_F(StoreBackend, AnUnreadableStoreFolderIsReported)
{
    ssl.StoreName = "Quebrado";
    testsupport::TempDir unused;
    const std::string folder = std::string(std::getenv("XDG_DATA_HOME")) + "/nfe-console/certstore/";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "Quebrado") << "not a folder";
    EXPECT_THROW(
        {
            try {
                ssl.LerCertificadosStore();
            } catch (const EQuibDFeException &e) {
                EXPECT_STREQ(e.what(), "TDFeWinCrypt. Erro ao abrir StoreName: Quebrado Location: 2");
                throw;
            }
        },
        EQuibDFeException);
    ssl.StoreName = "Vazio"; // a missing folder is an empty store
    ssl.StoreLocation = slCurrentUser;
    ssl.LerCertificadosStore();
    EXPECT_EQ(ssl.ListaCertificados().Count(), 0);
}

TEST_F(StoreBackend, ANoteSignedThroughTheStoreVerifiesWithXmlsec)
{
    applySslLib(ssl, libWinCrypt);
    ssl.SetNumeroSerie(ecnpjSerial);
    const std::string signedXml = ssl.Assinar(storetest::sampleNFe(), "NFe", "infNFe");
    EXPECT_EQ(storetest::xmlsecRejects(signedXml), "");
}

TEST_F(StoreBackend, TheFolderKeyExportsAsPfxWithTheSenha)
{
    ssl.SetNumeroSerie(ecnpjSerial);
    ssl.SetSenha("nova senha");
    const std::string pfx = ssl.SSLCryptClass().DadosPFXDoCertificado();
    TDFeSSL other;
    other.SetSSLCryptLib(cryOpenSSL);
    other.SetDadosPFX(pfx);
    other.SetSenha("nova senha");
    EXPECT_EQ(other.NumeroSerieDoCertificado(), ecnpjSerial);
}

TEST_F(StoreBackend, TheTokenLoadsAsHardwareAndSignsWithTheRightPin)
{
    applySslLib(ssl, libWinCrypt);
    ssl.SetNumeroSerie(storetest::softToken().serial);
    ssl.SetSenha(storetest::kTokenPin);
    ssl.GarantirCertificadoCarregado();
    EXPECT_EQ(ssl.DadosCertificado().Tipo, tcA3);
    const std::string signedXml = ssl.Assinar(storetest::sampleNFe(), "NFe", "infNFe");
    EXPECT_EQ(storetest::xmlsecRejects(signedXml), "");
    EXPECT_THROW(ssl.SSLCryptClass().DadosPFXDoCertificado(), EQuibDFeExceptionNoPrivateKey);
    ssl.LiberarCertificado();
}

TEST_F(StoreBackend, AWrongPinGivesItsTextAndEmptiesSenha)
{
    ssl.SetNumeroSerie(storetest::softToken().serial);
    ssl.SetSenha("0000");
    try {
        ssl.GarantirCertificadoCarregado();
        ADD_FAILURE() << "no error";
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "O cartão não pode ser acessado porque o PIN errado foi apresentado.");
    }
    EXPECT_EQ(ssl.Senha(), "");
}

TEST_F(StoreBackend, PinStatesOfTheTokenDouble)
{
    int logins = 0;
    unsigned long answer = 0;
    dfe::token::setLoginFunctionForTests([&](const dfe::token::TokenCertificate &, const std::string &) {
        ++logins;
        return answer;
    });
    ssl.SetNumeroSerie(storetest::softToken().serial);
    ssl.SetSenha("1111");
    ssl.GarantirCertificadoCarregado();
    ssl.SSLCryptClass().CarregarCertificadoConfigurado(); // releases first: asked again
    EXPECT_EQ(logins, 2);
    TDFeSSL second; // another facade of the process does not ask again
    second.SetSSLCryptLib(cryWinCrypt);
    second.SetNumeroSerie(storetest::softToken().serial);
    second.SetSenha("1111");
    second.GarantirCertificadoCarregado();
    EXPECT_EQ(logins, 2);
    ssl.LiberarCertificado();
    second.LiberarCertificado();
    EXPECT_EQ(SeriesComPIN::texto(), "");

    answer = 0xA4; // CKR_PIN_LOCKED
    try {
        ssl.GarantirCertificadoCarregado();
        ADD_FAILURE() << "no error";
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "O cartão não pode ser acessado porque o número máximo de tentativas de "
                               "entrada de PIN foi atingido");
    }
    EXPECT_EQ(ssl.Senha(), "");
}

TEST_F(StoreBackend, SelectionLoadsTheChoiceAndACancelLeavesNothing)
{
    std::string title;
    DefinirSeletorCertificado([&](const TListaCertificados &list, std::string_view t, std::string_view) {
        title = t;
        return list.Count() > 0 ? list.ObterItem(0).NumeroSerie : std::string();
    });
    EXPECT_EQ(ssl.SelecionarCertificado(), ecnpjSerial);
    EXPECT_EQ(title, "Selecione um Certificado");
    EXPECT_TRUE(ssl.CertificadoCarregado());

    DefinirSeletorCertificado({}); // none installed: a cancel
    EXPECT_EQ(ssl.SelecionarCertificado(), "");
    EXPECT_FALSE(ssl.CertificadoCarregado());
}

// A 4096-bit signature whose first byte is 0 keeps all its 512 bytes.
TEST_F(StoreBackend, A4096BitSignatureStartingWithZeroKeepsItsLength)
{
    ssl.SetDadosPFX(readFile(testPki().rsa4096.pfxAes));
    ssl.SetSenha(testPki().rsa4096.password);
    std::string input, signature;
    for (int i = 0; i < 5000; ++i) {
        input = "entrada " + std::to_string(i);
        signature = ssl.CalcHashTexto(input, dgstSHA256, 2, true);
        if (static_cast<unsigned char>(signature[0]) == 0)
            break;
    }
    ASSERT_EQ(static_cast<unsigned char>(signature[0]), 0);
    EXPECT_EQ(signature.size(), 512u);
    testsupport::TempDir folder;
    const auto data = folder.write("data.txt", input);
    const auto sig = folder.write("data.sig", signature);
    const auto pub = folder / "pub.pem";
    ASSERT_EQ(testsupport::runCommand({"openssl", "x509", "-in", testPki().rsa4096.certPem, "-pubkey",
                                       "-noout", "-out", pub.string()})
                  .exitCode,
              0);
    const auto verify = testsupport::runCommand(
        {"openssl", "dgst", "-sha256", "-verify", pub.string(), "-signature", sig.string(), data.string()});
    EXPECT_EQ(verify.exitCode, 0) << verify.out << verify.err;
}

TEST_F(StoreBackend, CapicomNeedsAFileOrASerial)
{
    TDFeSSL capicom;
    capicom.SetSSLCryptLib(cryCapicom);
    capicom.SetDadosPFX(readFile(testPki().ecnpj.pfxAes));
    capicom.SetSenha(testPki().ecnpj.password);
    try {
        capicom.GarantirCertificadoCarregado();
        ADD_FAILURE() << "no error";
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Certificado Digital não Carregado!");
    }
    capicom.SetNumeroSerie(ecnpjSerial);
    EXPECT_EQ(capicom.CNPJDoCertificado(), "11222333000181");
}

} // namespace

namespace {

// The store's certificates authenticate the client on a server that demands
// one, through the OpenSSL engine and the WinHTTP one (the libWinCrypt
// bundle) and the WinINet one; the token's key stays on the token.
TEST_F(StoreBackend, StoreAndTokenKeysDoTlsClientAuthenticationOnBothEngines)
{
    testsupport::HttpTestServer server(
        [](const testsupport::HttpTestRequest &) {
            return testsupport::HttpTestResponse::text(200, "OK", "<ok/>");
        },
        testsupport::clientCertificateTestStreams(), "https");
    struct Case {
        bool token;
        TSSLHttpLib httpLib;
        std::string subject;
    };
    // clang-format off
    const Case cases[] = {
        {false, httpWinHttp, "CN=EMPRESA TESTE LTDA:11222333000181"},
        {true,  httpWinHttp, "CN=EMPRESA IMPRESSA LTDA"},
        {true,  httpWinINet, "CN=EMPRESA IMPRESSA LTDA"},
        {true,  httpOpenSSL, "CN=EMPRESA IMPRESSA LTDA"},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.token ? "token " : "folder ") + std::string(EnumValueName(c.httpLib)));
        server.clearRequests();
        TDFeSSL local;
        applySslLib(local, libWinCrypt);
        local.SetSSLHttpLib(c.httpLib);
        local.SetNumeroSerie(c.token ? storetest::softToken().serial : ecnpjSerial);
        local.SetSenha(c.token ? storetest::kTokenPin : "");
        EXPECT_EQ(local.Transmitir("<a/>", server.url("/ws"), "acao"), "<ok/>");
        EXPECT_EQ(local.SSLHttpClass().NomeClasse(),
                  c.httpLib == httpOpenSSL ? "TDFeHttpOpenSSL" : "TDFeHttpWinHttp");
        EXPECT_EQ(local.DadosCertificado().Tipo, c.token ? tcA3 : tcA1);
        EXPECT_EQ(holdsPrivateExponent(local.ContextoWinApiDoCertificado()->privateKey()), !c.token);
        ASSERT_EQ(server.requests().size(), 1u);
        EXPECT_TRUE(server.requests()[0].clientSubject.starts_with(c.subject))
            << server.requests()[0].clientSubject;
        local.LiberarCertificado();
    }
}

class MsXmlPersonality : public StoreBackend {};

TEST_F(MsXmlPersonality, SignedNotesVerifyWithXmlsec)
{
    struct Case {
        TSSLCryptLib crypt;
        TSSLXmlSignLib xmlSign;
    };
    for (const Case c : {Case{cryWinCrypt, xsMsXml}, Case{cryCapicom, xsMsXmlCapicom}}) {
        TDFeSSL local;
        local.SetSSLCryptLib(c.crypt);
        local.SetSSLXmlSignLib(c.xmlSign);
        local.SetNumeroSerie(ecnpjSerial);
        const std::string signedXml = local.Assinar(storetest::sampleNFe(), "NFe", "infNFe");
        EXPECT_EQ(storetest::xmlsecRejects(signedXml), "") << c.xmlSign;
        std::string message;
        EXPECT_TRUE(local.ValidarAssinatura(signedXml, message, "infNFe")) << message;
    }
}

TEST_F(MsXmlPersonality, CapicomSignerNeedsTheCapicomBackend)
{
    ssl.SetSSLXmlSignLib(xsMsXmlCapicom);
    ssl.SetNumeroSerie(ecnpjSerial);
    try {
        ssl.Assinar(storetest::sampleNFe(), "NFe", "infNFe");
        ADD_FAILURE() << "no error";
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Erro de configuração. SSLCryptClass não é TDFeCapicom");
    }
}

TEST_F(MsXmlPersonality, ValidarAgreesWithXmllint)
{
    ssl.SetSSLXmlSignLib(xsMsXml);
    ssl.SetNumeroSerie(ecnpjSerial);
    const auto xsd = testsupport::officialSchemaDir() / "nfe_v4.00.xsd";
    const std::string good = ssl.Assinar(storetest::sampleNFe(), "NFe", "infNFe");
    std::string broken = good;
    broken.replace(broken.find("<natOp>"), 7, "<natOpX>");
    broken.replace(broken.find("</natOp>"), 8, "</natOpX>");
    for (const std::string &xml : {good, broken}) {
        std::string message;
        EXPECT_EQ(ssl.Validar(xml, xsd.string(), message), testsupport::schemaProblems(xml, xsd).empty())
            << message;
    }
    std::string message;
    EXPECT_FALSE(ssl.Validar("<NFe><a></NFe>", xsd.string(), message));
    EXPECT_TRUE(message.starts_with("Não foi possível carregar o arquivo.\r\nErr: 77, Lin: 1, Pos: 15 - "))
        << message;
}

} // namespace
