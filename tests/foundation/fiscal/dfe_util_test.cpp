#include <chrono>
#include <deque>
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "foundation/fiscal/dfe_util.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/fiscal/random_source.h"
#include "tests/support/run_command.h"
#include "tests/support/time_zone_guard.h"

namespace {

using namespace std::chrono;
using testsupport::ScopedTimeZone;

constexpr const char *kCNPJ = "11222333000181";
constexpr const char *kCPF = "11144477735";

TDateTime em(int ano, int mes, int dia, int hora = 0, int minuto = 0)
{
    return encodeDateTime({ano, mes, dia, hora, minuto, 0, 0});
}

// Random draw, clock, TZ and the process-wide time-zone setting are put back
// after every test.
class DFeUtil : public ::testing::Test {
  protected:
    void SetUp() override { FusoHorarioGlobal().Assign(TTimeZoneConf()); }
    void TearDown() override
    {
        resetRandomDraw();
        resetClock();
        FusoHorarioGlobal().Assign(TTimeZoneConf());
    }
    // The draw answers the given values in order, then keeps the last one.
    static void scriptDraws(std::deque<std::int64_t> values)
    {
        setRandomDraw([values](std::int64_t) mutable {
            const std::int64_t v = values.front();
            if (values.size() > 1)
                values.pop_front();
            return v;
        });
    }
    static void seedDraws(std::uint64_t seed)
    {
        auto engine = std::make_shared<std::mt19937_64>(seed);
        setRandomDraw([engine](std::int64_t limit) {
            return std::uniform_int_distribution<std::int64_t>(0, limit - 1)(*engine);
        });
    }
    static void fixClock(sys_seconds momento)
    {
        setClock([momento] { return system_clock::time_point(momento); });
    }

    ScopedTimeZone zone_{"America/Sao_Paulo"};
};

TEST_F(DFeUtil, BuiltKeysValidateForEveryModelAndEmitter)
{
    seedDraws(42);
    struct Caso {
        int modelo, serie, numero, tpEmis;
        const char *emitente;
    };
    const Caso casos[] = {
        {55, 1, 123, 1, kCNPJ}, {65, 2, 999999999, 9, kCNPJ}, {57, 1, 5, 1, kCNPJ},
        {58, 1, 5, 1, kCNPJ},   {59, 1, 5, 1, kCNPJ},         {66, 1, 5, 1, kCNPJ},
        {55, 920, 5, 1, kCPF},  {65, 910, 5, 1, kCPF},        {55, 1, 20000, 3, kCPF},
        {57, 1, 5, 3, kCPF},    {58, 920, 5, 1, kCPF},        {55, 969, 5, 1, "111.444.777-35"},
    };
    for (const Caso &caso : casos) {
        for (int codigo : {0, -1, 12345679}) {
            const std::string chave = MontaChaveAcesso(35, caso.emitente, caso.serie, em(2019, 1, 31),
                                                       caso.numero, caso.tpEmis, codigo, caso.modelo);
            ASSERT_EQ(chave.size(), 44u);
            EXPECT_TRUE(ChaveAcessoValida(chave)) << chave << ": " << accessKeyProblem(chave);
            EXPECT_EQ(ModeloDaChave(chave), std::to_string(caso.modelo));
        }
    }
    // The additional digit of model 66 keeps the key valid too.
    const std::string nf3e = MontaChaveAcesso(35, kCNPJ, 1, em(2019, 1, 31), 5, 1, 7654321, 66, 2);
    EXPECT_TRUE(ChaveAcessoValida(nf3e)) << nf3e;
    EXPECT_EQ(nf3e.substr(35, 8), "27654321");
    EXPECT_EQ(CodigoNumericoDaChave(nf3e), 7654321);
}

TEST_F(DFeUtil, KeyFieldsArePaddedOrCut)
{
    const std::string chave =
        MontaChaveAcesso(35, "11.222.333/0001-81", 1, em(2019, 1, 31), 1234567890, 1, 87654321, 55);
    EXPECT_EQ(chave.substr(0, 43), "3519011122233300018155001123456789187654321");
    EXPECT_EQ(DigitoDaChave(chave), [&] {
        int d = -1;
        DigitoChaveAcesso(d, chave.substr(0, 43));
        return d;
    }());

    EXPECT_EQ(MontaChaveAcesso(35, kCPF, 1, em(2019, 1, 31), 1, 1, 87654321, 55).substr(6, 14),
              std::string("000") + kCPF);
    EXPECT_EQ(MontaChaveAcesso(35, kCNPJ, 1, em(2019, 1, 31), 1, 1, -5, 55).substr(35, 8), "00000000");
    EXPECT_EQ(MontaChaveAcesso(35, kCNPJ, 1, em(2019, 1, 31), 1, 1, 123456789, 55).substr(35, 8), "12345678");
}

TEST_F(DFeUtil, DrawnCodesAreNeverForbiddenNorTheNumber)
{
    // The draw is repeated while it gives a forbidden code or the number.
    scriptDraws({12345678, 0, 777, 99999999 - 1, 31415926});
    EXPECT_EQ(SorteiaCodigoNumerico(777, 8), 99999998);
    scriptDraws({12345678, 0, 777, 31415926});
    const std::string chave = MontaChaveAcesso(35, kCNPJ, 1, em(2019, 1, 31), 777, 1, 0, 55);
    EXPECT_EQ(CodigoNumericoDaChave(chave), 31415926);

    // The range is 0 up to, not including, the number of nines.
    std::int64_t limitePedido = 0;
    setRandomDraw([&](std::int64_t limite) {
        limitePedido = limite;
        return 5;
    });
    EXPECT_EQ(SorteiaCodigoNumerico(1, 7), 5);
    EXPECT_EQ(limitePedido, 9999999);
    EXPECT_THROW(SorteiaCodigoNumerico(1, 6), EQuibDFeException);

    // With the real generator: many keys, none with a forbidden code.
    resetRandomDraw();
    std::set<int> vistos;
    for (int i = 0; i < 3000; ++i) {
        const int numero = 1000 + i % 7;
        const std::string k = MontaChaveAcesso(35, kCNPJ, 1, em(2019, 1, 31), numero, 1, 0, 55);
        const int codigo = CodigoNumericoDaChave(k);
        ASSERT_TRUE(CodigoNumericoValido(codigo, numero, 8)) << codigo;
        ASSERT_TRUE(ChaveAcessoValida(k)) << k;
        vistos.insert(codigo);
    }
    EXPECT_GT(vistos.size(), 2990u);
}

TEST_F(DFeUtil, KeyInBlocksOfFour)
{
    const std::string chave = "35190111222333000181550010000000011876543219";
    const std::string blocos = FormataChaveEmBlocos(chave);
    EXPECT_EQ(blocos, "3519 0111 2223 3300 0181 5500 1000 0000 0118 7654 3219");
    EXPECT_EQ(blocos.size(), 54u);
    EXPECT_EQ(FormataChaveEmBlocos("12.345"), "1234 5");
    EXPECT_EQ(FormataChaveEmBlocos(""), "");
}

TEST_F(DFeUtil, ForeignTradeNumbersFollowTheCurrentYear)
{
    fixClock(sys_days{2021y / June / 15} + 12h);
    EXPECT_TRUE(RegistroExportacaoValido(""));
    EXPECT_TRUE(RegistroExportacaoValido("000000000000"));
    EXPECT_TRUE(RegistroExportacaoValido("210000000001"));
    EXPECT_TRUE(RegistroExportacaoValido("200000000999"));
    EXPECT_TRUE(RegistroExportacaoValido("220000000999"));
    EXPECT_FALSE(RegistroExportacaoValido("210000000000")); // last three 000
    EXPECT_FALSE(RegistroExportacaoValido("190000000001")); // two years back
    EXPECT_FALSE(RegistroExportacaoValido("21000000001"));
    EXPECT_FALSE(RegistroExportacaoValido("21000000000a"));
    fixClock(sys_days{2019y / June / 15} + 12h);
    EXPECT_TRUE(RegistroExportacaoValido("190000000001"));

    // Drawback: 9 digits, the ninth the modulo-11 digit of the first eight.
    fixClock(sys_days{2021y / June / 15} + 12h);
    EXPECT_TRUE(AtoDrawbackValido("201234564"));   // 2..9 from the right over 20123456: 95 mod 11 = 7
    EXPECT_TRUE(AtoDrawbackValido("99201234564")); // 11 digits lose their first two
    EXPECT_TRUE(AtoDrawbackValido("2012.3456-4"));
    EXPECT_FALSE(AtoDrawbackValido("201234568"));
    EXPECT_FALSE(AtoDrawbackValido("181234560")); // year out of reach
    EXPECT_FALSE(AtoDrawbackValido("2012345670"));

    EXPECT_TRUE(NumeroRECOPIValido("20210615123456789024"));
    EXPECT_FALSE(NumeroRECOPIValido("20210615123456789025"));
    EXPECT_FALSE(NumeroRECOPIValido("20210615123456789034"));
    EXPECT_FALSE(NumeroRECOPIValido("2021061512345678900"));

    EXPECT_TRUE(CodigoNVEValido("AB1234"));
    EXPECT_TRUE(CodigoNVEValido("zz0000"));
    EXPECT_FALSE(CodigoNVEValido("A11234"));
    EXPECT_FALSE(CodigoNVEValido("AB12345"));
    EXPECT_FALSE(CodigoNVEValido("ÁB1234"));
}

TEST_F(DFeUtil, SignatureTemplateShape)
{
    EXPECT_EQ(ModeloAssinaturaXML("NFe35", true, "", dgstSHA1),
              "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo>"
              "<CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\" />"
              "<SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\" />"
              "<Reference URI=\"#NFe35\"><Transforms>"
              "<Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\" />"
              "<Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\" /></Transforms>"
              "<DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\" />"
              "<DigestValue></DigestValue></Reference></SignedInfo><SignatureValue></SignatureValue>"
              "<KeyInfo><X509Data><X509Certificate></X509Certificate></X509Data></KeyInfo></Signature>");

    const std::string sha256 = ModeloAssinaturaXML("", false, " Id=\"Ass1\"", dgstSHA256);
    EXPECT_EQ(
        sha256.rfind("<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\" Id=\"Ass1\"><SignedInfo>", 0),
        0u);
    EXPECT_NE(sha256.find("<Reference URI=\"\">"), std::string::npos);
    EXPECT_NE(sha256.find("xmldsig-more#rsa-sha256\" />"), std::string::npos);
    EXPECT_NE(sha256.find("xmlenc#sha256\" />"), std::string::npos);
    EXPECT_NE(sha256.find("<KeyInfo></KeyInfo></Signature>"), std::string::npos);
    EXPECT_NE(ModeloAssinaturaXML("a", true, "", dgstSHA512).find("xmldsig-more#rsa-sha512"),
              std::string::npos);
    EXPECT_NE(ModeloAssinaturaXML("a", true, "", dgstMD5).find("xmldsig#rsa-sha1"), std::string::npos);

    EXPECT_TRUE(XMLAssinado("<a><SIGNATURE xmlns=\"x\"/></a>"));
    EXPECT_FALSE(XMLAssinado("<a><Sig/></a>"));
}

TEST_F(DFeUtil, IdReferencedByTheSignature)
{
    const std::string xml = "<NFe><x Id=\"nope\"/><infNFe versao=\"4.00\" Id=\"NFe3519\"><a/></infNFe></NFe>";
    EXPECT_EQ(ValorIdParaAssinatura(xml, "infNFe"), "NFe3519");
    EXPECT_EQ(ValorIdParaAssinatura(xml), "nope");
    EXPECT_EQ(ValorIdParaAssinatura(xml, "absent"), "nope");
    EXPECT_EQ(ValorIdParaAssinatura(xml, "infNFe", "versao"), "4.00");
    EXPECT_EQ(ValorIdParaAssinatura("<a b=\"1\"/>"), "");

    try {
        ValorIdParaAssinatura("<infNFe Id='NFe1'/>", "infNFe");
        ADD_FAILURE();
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Não encontrei inicio do URI: aspas inicial");
    }
    try {
        ValorIdParaAssinatura("<infNFe Id=\"NFe1/>", "infNFe");
        ADD_FAILURE();
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Não encontrei inicio do URI: aspas final");
    }
    // Apostrophes are not recognised: a later double quote is taken instead.
    EXPECT_EQ(ValorIdParaAssinatura("<infNFe Id='NFe1'><b c=\"2\"/></infNFe>", "infNFe"), "2");
}

TEST_F(DFeUtil, TechnicalResponsibleHashMatchesOpenssl)
{
    if (!testsupport::hasProgram("openssl") || !testsupport::hasProgram("base64"))
        GTEST_SKIP() << "openssl or base64 is missing";
    const std::string csrt = "G8063VRTNDMO886SFNK5LDUDEI24XJ22YIPO";
    const std::string chave = "41180678393592000146558900000006041028190697";
    const auto esperado =
        testsupport::runCommand({"sh", "-c", "openssl dgst -sha1 -binary | base64"}, csrt + chave);
    ASSERT_EQ(esperado.exitCode, 0) << esperado.err;
    const std::string hash = HashResponsavelTecnico(csrt, chave);
    EXPECT_EQ(hash.size(), 28u);
    EXPECT_EQ(hash + "\n", esperado.out);
    EXPECT_EQ(HashResponsavelTecnico("", ""), "2jmj7l5rSw0yVb/vlWAYkK/YBwk=");
}

TEST_F(DFeUtil, ElementRewrappedWithItsNamespace)
{
    const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    EXPECT_EQ(ElementoComNamespace(decl + "<env><nfe:NFe><a>1</a></nfe:NFe></env>", "NFe",
                                   "http://www.portalfiscal.inf.br/nfe"),
              decl + "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><a>1</a></NFe>");
    EXPECT_EQ(ElementoComNamespace("<env><NFe xmlns=\"urn:own\"><a>1</a></NFe></env>", "NFe", "urn:other"),
              "<NFe xmlns=\"urn:own\"><a>1</a></NFe>");
    EXPECT_EQ(ElementoComNamespace("<env><nfe><a>1</a></nfe></env>", "NFe", "urn:x"),
              "<NFe xmlns=\"urn:x\"><a>1</a></NFe>"); // case ignored
    EXPECT_EQ(ElementoComNamespace(decl + "<env/>", "NFe", "urn:x"), "");
}

// A component's web-service settings, as the fiscal-document layer keeps them.
class FakeZoneSettings : public DFeZoneSettings {
  public:
    TTimeZoneConf conf;
    std::string uf;
    const TTimeZoneConf &webServicesTimeZoneConf() const override { return conf; }
    std::string webServicesUF() const override { return uf; }
};

TEST_F(DFeUtil, CurrentTimeInTheComponentsZone)
{
    // 15:00 UTC is 12:00 in Sao Paulo (-03:00 in July).
    fixClock(sys_days{2021y / July / 1} + 15h);
    FakeZoneSettings componente;
    componente.uf = "AM";

    EXPECT_EQ(DataHoraAtualNoFuso(componente), em(2021, 7, 1, 12));
    EXPECT_EQ(FusoHorarioGlobal().ModoDeteccao(), tzSistema);

    componente.conf.SetModoDeteccao(tzPCN);
    EXPECT_EQ(DataHoraAtualNoFuso(componente), em(2021, 7, 1, 11)); // one hour earlier
    EXPECT_EQ(FusoHorarioGlobal().ModoDeteccao(), tzPCN);           // the setting was copied in

    componente.uf = "AC";
    EXPECT_EQ(DataHoraAtualNoFuso(componente), em(2021, 7, 1, 10));

    componente.conf.SetModoDeteccao(tzManual);
    componente.conf.SetTimeZoneStr("+05:30");
    EXPECT_EQ(DataHoraAtualNoFuso(componente), em(2021, 7, 1, 20, 30));
    EXPECT_EQ(FusoHorarioGlobal().TimeZoneStr(), "+05:30");

    // In summer 2019 the state rules put SP at -02:00, as the computer is.
    fixClock(sys_days{2019y / January / 10} + 15h);
    componente.conf.SetModoDeteccao(tzPCN);
    componente.uf = "SP";
    EXPECT_EQ(DataHoraAtualNoFuso(componente), em(2019, 1, 10, 13));
}

TEST_F(DFeUtil, ExceptionKeepsItsMessage)
{
    try {
        throw EQuibDFeException("Falha: ação");
    } catch (const EQuibException &e) {
        EXPECT_STREQ(e.what(), "Falha: ação");
    }
    const EQuibDFeException semConversao = EQuibDFeException::CreateSemConversao("100%");
    EXPECT_STREQ(semConversao.what(), "100%");
    try {
        throw EQuibDFeExceptionNoPrivateKey("Certificado sem chave privada");
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Certificado sem chave privada");
    }
}

} // namespace
