#include "console/config_geral/frm_config_geral40.h"

#include "dfe/backends.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/console_aplicado.h"
#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <map>

namespace {

using testing::HasSubstr;

constexpr const char *kPasta = "/opt/nfe/bin/";

struct Linha {
    const char *sessao, *chave, *valor;
};

class AplicacaoComponenteTest : public BancosFixture {
  protected:
    void SetUp() override
    {
        BancosFixture::SetUp();
        RegistraBackendsDFe();
    }
    void TearDown() override
    {
        tela_.reset();
        modulo->dtmNFERollback();
        BancosFixture::TearDown();
    }

    // A fresh screen of a company of its own with the rows stored.
    TfrmConfigGeral40 &tela(std::initializer_list<Linha> linhas = {})
    {
        modulo->CnpjEmpresa = "2000000000" + std::to_string(1000 + empresas_++);
        tela_ = std::make_unique<TfrmConfigGeral40>(*modulo, kPasta);
        for (const auto &l : linhas)
            tela_->Ini_WriteString(l.sessao, l.chave, l.valor);
        return *tela_;
    }

    static std::map<std::string, std::string> aplicadas(TfrmConfigGeral40 &t)
    {
        const auto pares = testsupport::propriedadesAplicadas(t);
        return {pares.begin(), pares.end()};
    }

    std::unique_ptr<TfrmConfigGeral40> tela_;
    int empresas_ = 0;
};

struct Esperado {
    const char *propriedade, *valor;
};

TEST_F(AplicacaoComponenteTest, TheReaderAppliesTheStoredSettingsToTheComponent)
{
    const struct Caso {
        const char *nome;
        std::initializer_list<Linha> linhas;
        std::initializer_list<Esperado> esperados;
    } casos[] = {
        {"no rows",
         {},
         {{"Configuracoes.WebServices.AguardarConsultaRet", "0"},
          {"Configuracoes.WebServices.Tentativas", "5"},
          {"Configuracoes.WebServices.IntervaloTentativas", "1000"},
          {"Configuracoes.WebServices.TimeOut", "5000"},
          {"Configuracoes.WebServices.UF", "SP"},
          {"Configuracoes.WebServices.Ambiente", "taProducao"},
          {"Configuracoes.WebServices.Salvar", "FALSE"},
          {"Configuracoes.Geral.SSLLib", "libNone"},
          {"Configuracoes.Geral.FormaEmissao", "teNormal"},
          {"Configuracoes.Geral.VersaoDF", "ve400"},
          {"Configuracoes.Arquivos.PathSalvar", "/opt/nfe/bin/Logs/"},
          {"Configuracoes.Arquivos.PathSchemas", "/opt/nfe/bin/Schemas40/"},
          {"SSL.SSLType", "LT_all"}}},
        {"wait 999 s",
         {{"WebService", "Aguardar", "999"}},
         {{"Configuracoes.WebServices.AguardarConsultaRet", "999000"}}},
        {"wait 1000 ms",
         {{"WebService", "Aguardar", "1000"}},
         {{"Configuracoes.WebServices.AguardarConsultaRet", "1000"}}},
        {"interval and attempts",
         {{"WebService", "Intervalo", "4500"}, {"WebService", "Tentativas", "0"}},
         {{"Configuracoes.WebServices.IntervaloTentativas", "4500"},
          {"Configuracoes.WebServices.Tentativas", "5"}}},
        {"interval 2 s",
         {{"WebService", "Intervalo", "2"}},
         {{"Configuracoes.WebServices.IntervaloTentativas", "2000"}}},
        {"time-out below the spin edit",
         {{"WebService", "TimeOut", "-5"}},
         {{"Configuracoes.WebServices.TimeOut", "1000"}}},
        {"time-out above the spin edit",
         {{"WebService", "TimeOut", "2000000"}},
         {{"Configuracoes.WebServices.TimeOut", "999999"}}},
        {"OpenSSL bundle",
         {{"Certificado", "SSLLib", "1"},
          {"Certificado", "CryptLib", "1"},
          {"Certificado", "HttpLib", "3"},
          {"Certificado", "XmlSignLib", "4"}},
         {{"Configuracoes.Geral.SSLLib", "libOpenSSL"}, {"cbSSLLib", "1"}, {"cbHttpLib", "3"}}},
        {"choices decide the bundle",
         {{"Certificado", "CryptLib", "1"},
          {"Certificado", "HttpLib", "3"},
          {"Certificado", "XmlSignLib", "4"}},
         {{"Configuracoes.Geral.SSLLib", "libOpenSSL"}, {"cbSSLLib", "1"}}},
        {"custom",
         {{"Certificado", "SSLLib", "1"},
          {"Certificado", "CryptLib", "3"},
          {"Certificado", "HttpLib", "3"},
          {"Certificado", "XmlSignLib", "4"}},
         {{"Configuracoes.Geral.SSLLib", "libCustom"},
          {"Configuracoes.Geral.SSLCryptLib", "cryWinCrypt"},
          {"cbSSLLib", "5"},
          {"cbCryptLib", "3"}}},
        {"homologation",
         {{"WebService", "Ambiente", "1"}},
         {{"Configuracoes.WebServices.Ambiente", "taHomologacao"}}},
        {"no environment",
         {{"WebService", "Ambiente", "-1"}},
         {{"Configuracoes.WebServices.Ambiente", "taProducao"}}},
        {"unknown state", {{"WebService", "UF", "XX"}}, {{"Configuracoes.WebServices.UF", "SP"}}},
        {"many keys",
         {{"WebService", "UF", "RJ"},
          {"Geral", "ModeloDF", "1"},
          {"Geral", "IdToken", "7"},
          {"Geral", "FormaEmissao", "8"},
          {"WebService", "SSLType", "5"},
          {"WebService", "TimeOut", "30000"},
          {"WebService", "SalvarSOAP", "TRUE"},
          {"Arquivos", "PastaMensal", "TRUE"},
          {"Arquivos", "PathNFe", "/srv/nfe"},
          {"Proxy", "Pass", "segredo"},
          {"Certificado", "Senha", "1234"}},
         {{"Configuracoes.WebServices.UF", "RJ"},
          {"Configuracoes.Geral.ModeloDF", "moNFCe"},
          {"Configuracoes.Geral.IdCSC", "000007"},
          {"Configuracoes.Geral.FormaEmissao", "teOffLine"},
          {"SSL.SSLType", "LT_TLSv1_2"},
          {"Configuracoes.WebServices.TimeOut", "30000"},
          {"Configuracoes.WebServices.Salvar", "TRUE"},
          {"Configuracoes.Arquivos.SepararPorMes", "TRUE"},
          {"Configuracoes.Arquivos.PathNFe", "/srv/nfe"},
          {"Configuracoes.WebServices.ProxyPass", "(set)"},
          {"Configuracoes.Certificados.Senha", "(set)"}}},
        // Indexes another program stored outside the enumerations leave the
        // component's values; the library lists show what it uses.
        {"outside the enumerations",
         {{"Certificado", "SSLLib", "9"},
          {"Certificado", "CryptLib", "1"},
          {"Certificado", "HttpLib", "3"},
          {"Certificado", "XmlSignLib", "4"},
          {"Geral", "FormaEmissao", "-1"},
          {"Geral", "ModeloDF", "7"},
          {"WebService", "SSLType", "200"},
          {"WebService", "Ambiente", "5"}},
         {{"Configuracoes.Geral.SSLLib", "libOpenSSL"},
          {"cbSSLLib", "1"},
          {"Configuracoes.Geral.FormaEmissao", "teContingencia"},
          {"Configuracoes.Geral.ModeloDF", "moNFe"},
          {"SSL.SSLType", "LT_TLSv1_2"},
          {"Configuracoes.WebServices.Ambiente", "taProducao"}}},
    };
    for (const auto &caso : casos) {
        auto &t = tela(caso.linhas);
        t.FormActivate();
        const auto propriedades = aplicadas(t);
        for (const auto &e : caso.esperados)
            EXPECT_EQ(propriedades.at(e.propriedade), e.valor) << caso.nome << ": " << e.propriedade;
    }
    // The lists of the last case: the libraries resynchronised, the others
    // without a choice.
    for (const char *lista : {"cbFormaEmissao", "cbModeloDF", "cbSSLType", "rgTipoAmb"})
        EXPECT_EQ(tela_->controle(lista).indice, -1) << lista;
}

TEST_F(AplicacaoComponenteTest, TheFormsDesignValuesStandUntilTheFirstRead)
{
    auto &t = tela();
    const auto p = aplicadas(t);
    EXPECT_EQ(p.at("Configuracoes.Geral.FormaEmissao"), "teContingencia");
    EXPECT_EQ(p.at("Configuracoes.WebServices.AguardarConsultaRet"), "15000");
    EXPECT_EQ(p.at("Configuracoes.WebServices.AjustaAguardaConsultaRet"), "TRUE");
    EXPECT_EQ(p.at("Configuracoes.WebServices.TimeOut"), "20000");
    EXPECT_EQ(p.at("Configuracoes.WebServices.Salvar"), "TRUE");
    EXPECT_EQ(p.at("Configuracoes.Geral.AtualizarXMLCancelado"), "TRUE");
    EXPECT_EQ(t.QuibNFe1.Configuracoes().Geral().VersaoQRCode, veqr000);
    EXPECT_EQ(t.QuibNFe1.MAIL(), &t.QuibMail1);
    EXPECT_EQ(t.QuibNFe1.DANFE(), nullptr);

    // An empty wait, attempts or interval edit is filled from the component.
    t.controle("seTimeOut").texto = "5000";
    t.aplicaWebService();
    EXPECT_EQ(t.controle("edtAguardar").texto, "15000");
    EXPECT_EQ(t.controle("edtTentativas").texto, "5");
    EXPECT_EQ(t.controle("edtIntervalo").texto, "1000");
    EXPECT_EQ(aplicadas(t).at("Configuracoes.WebServices.AguardarConsultaRet"), "15000");
}

TEST_F(AplicacaoComponenteTest, EachStoredBundleGetsItsBackEnds)
{
    // clang-format off
    const struct { const char *lib, *crypt, *http, *xml; const char *classeCrypt, *classeHttp, *classeXml; } casos[] = {
        {"0", "0", "0", "0", "TDFeSSLCryptClass", "TDFeSSLHttpClass", "TDFeSSLXmlSignClass"},
        {"1", "1", "3", "4", "TDFeOpenSSL",       "TDFeHttpOpenSSL",  "TDFeSSLXmlSignLibXml2"},
        {"2", "2", "1", "3", "TDFeCapicom",       "TDFeHttpWinHttp",  "TDFeSSLXmlSignMsXmlCapicom"},
        {"3", "2", "4", "3", "TDFeCapicom",       "TDFeHttpIndy",     "TDFeSSLXmlSignMsXmlCapicom"},
        {"4", "3", "2", "4", "TDFeWinCrypt",      "TDFeHttpWinHttp",  "TDFeSSLXmlSignLibXml2"},
    };
    // clang-format on
    for (const auto &c : casos) {
        auto &t = tela({{"Certificado", "SSLLib", c.lib},
                        {"Certificado", "CryptLib", c.crypt},
                        {"Certificado", "HttpLib", c.http},
                        {"Certificado", "XmlSignLib", c.xml}});
        t.LerConfiguracoes();
        TDFeSSL &ssl = t.QuibNFe1.SSL();
        EXPECT_EQ(ssl.SSLCryptClass().NomeClasse(), c.classeCrypt) << c.lib;
        EXPECT_EQ(ssl.SSLHttpClass().NomeClasse(), c.classeHttp) << c.lib;
        EXPECT_EQ(ssl.SSLXmlSignClass().NomeClasse(), c.classeXml) << c.lib;
        EXPECT_EQ(t.controle("cbSSLLib").indice, std::stoi(c.lib));
    }
}

TEST_F(AplicacaoComponenteTest, AStoredXmlSecStopsTheReaderButAChosenOneStillResynchronises)
{
    auto &t = tela({{"Certificado", "CryptLib", "1"},
                    {"Certificado", "XmlSignLib", "1"},
                    {"Geral", "AtualizarXML", "FALSE"},
                    {"WebService", "UF", "RJ"}});
    const auto antes = aplicadas(t);
    try {
        t.LerConfiguracoes();
        FAIL() << "xsXmlSec was accepted";
    } catch (const EQuibDFeException &erro) {
        EXPECT_THAT(erro.what(), HasSubstr("xsXmlSec"));
    }
    auto depois = aplicadas(t);
    EXPECT_EQ(depois.at("Configuracoes.Geral.SSLCryptLib"), "cryOpenSSL");
    EXPECT_EQ(depois.at("Configuracoes.Geral.SSLXmlSignLib"), "xsNone");
    for (const char *p : {"Configuracoes.Geral.AtualizarXMLCancelado", "Configuracoes.WebServices.UF",
                          "Configuracoes.WebServices.TimeOut"})
        EXPECT_EQ(depois.at(p), antes.at(p)) << p;
    // Not resynchronised: the list keeps the stored choice.
    EXPECT_EQ(t.controle("cbXmlSignLib").indice, 1);

    t.controle("cbXmlSignLib").indice = 4;
    t.cbXmlSignLibChange();
    EXPECT_EQ(aplicadas(t).at("Configuracoes.Geral.SSLLib"), "libCustom");
    t.controle("cbXmlSignLib").indice = 1;
    EXPECT_THROW(t.cbXmlSignLibChange(), EQuibDFeException);
    EXPECT_EQ(t.controle("cbXmlSignLib").indice, 4);
    EXPECT_EQ(aplicadas(t).at("Configuracoes.Geral.SSLXmlSignLib"), "xsLibXml2");
}

TEST_F(AplicacaoComponenteTest, AWaitInSecondsWithALetterStopsTheReaderAtThatStep)
{
    auto &t = tela({{"WebService", "UF", "RJ"},
                    {"WebService", "AjustarAut", "FALSE"},
                    {"WebService", "Aguardar", "3s"},
                    {"WebService", "Tentativas", "9"},
                    {"WebService", "TimeOut", "30000"},
                    {"Proxy", "Host", "proxy.local"},
                    {"Arquivos", "PathNFe", "/srv/nfe"}});
    const auto antes = aplicadas(t);
    try {
        t.LerConfiguracoes();
        FAIL() << "3s was accepted";
    } catch (const ConversionError &erro) {
        EXPECT_THAT(erro.what(),
                    testing::AllOf(HasSubstr("WebService"), HasSubstr("Aguardar"), HasSubstr("3s")));
    }
    const auto depois = aplicadas(t);
    EXPECT_EQ(depois.at("Configuracoes.WebServices.UF"), "RJ");
    EXPECT_EQ(depois.at("Configuracoes.WebServices.AjustaAguardaConsultaRet"), "FALSE");
    for (const char *p :
         {"Configuracoes.WebServices.AguardarConsultaRet", "Configuracoes.WebServices.Tentativas",
          "Configuracoes.WebServices.TimeOut", "Configuracoes.WebServices.ProxyHost", "SSL.SSLType",
          "Configuracoes.Arquivos.PathNFe"})
        EXPECT_EQ(depois.at(p), antes.at(p)) << p;
    EXPECT_EQ(t.controle("edtPathNFe").texto, "");
}

TEST_F(AplicacaoComponenteTest, NegativeOrHugeWaitsAreRefusedNotWrapped)
{
    for (const char *texto : {"-5", "99999999999"}) {
        auto &t = tela({{"WebService", "Intervalo", texto}});
        EXPECT_THROW(t.LerConfiguracoes(), ConversionError) << texto;
        EXPECT_EQ(aplicadas(t).at("Configuracoes.WebServices.IntervaloTentativas"), "1000") << texto;
    }
}

TEST_F(AplicacaoComponenteTest, PresetsSetOnlyTheListsAndANewActivationShowsTheStoreAgain)
{
    // clang-format off
    const struct { void (TfrmConfigGeral40::*botao)(); int lib, crypt, http, xml, tipo; bool s20, s30, t10, t11, t12; } casos[] = {
        {&TfrmConfigGeral40::btnAtivaCapicomClick,  2, 2, 1, 3, 1, true,  false, true,  false, false},
        {&TfrmConfigGeral40::btnAtivaOpenSSLClick,  1, 1, 3, 4, 5, false, true,  false, true,  true},
        {&TfrmConfigGeral40::btnAtivaWinCryptClick, 4, 3, 2, 4, 5, true,  false, true,  false, false},
    };
    // clang-format on
    for (const auto &c : casos) {
        auto &t = tela({{"Certificado", "SSLLib", "4"},
                        {"Certificado", "CryptLib", "3"},
                        {"Certificado", "HttpLib", "2"},
                        {"Certificado", "XmlSignLib", "4"}});
        t.FormActivate();
        const auto antes = aplicadas(t);
        (t.*c.botao)();
        const int listas[] = {t.controle("cbSSLLib").indice, t.controle("cbCryptLib").indice,
                              t.controle("cbHttpLib").indice, t.controle("cbXmlSignLib").indice,
                              t.controle("cbSSLType").indice};
        EXPECT_THAT(listas, testing::ElementsAre(c.lib, c.crypt, c.http, c.xml, c.tipo));
        const bool caixas[] = {t.controle("chkProtNfeSsl20").marcado, t.controle("chkProtNfeSsl30").marcado,
                               t.controle("chkProtNfeTls10").marcado, t.controle("chkProtNfeTls11").marcado,
                               t.controle("chkProtNfeTls12").marcado};
        EXPECT_THAT(caixas, testing::ElementsAre(c.s20, c.s30, c.t10, c.t11, c.t12));
        auto depois = aplicadas(t);
        for (const char *lista : {"cbSSLLib", "cbCryptLib", "cbHttpLib", "cbXmlSignLib"})
            depois[lista] = antes.at(lista);
        EXPECT_EQ(depois, antes);

        t.FormActivate();
        EXPECT_EQ(t.controle("cbSSLLib").indice, 4);
        EXPECT_EQ(t.controle("cbHttpLib").indice, 2);
    }
}

TEST_F(AplicacaoComponenteTest, AListChoiceSetsTheComponentAtOnce)
{
    auto &t = tela();
    t.FormActivate();
    t.controle("cbSSLLib").indice = 1;
    t.cbSSLLibChange();
    EXPECT_EQ(t.QuibNFe1.SSL().SSLHttpClass().NomeClasse(), "TDFeHttpOpenSSL");
    t.controle("cbHttpLib").indice = 4;
    t.cbHttpLibChange();
    EXPECT_EQ(t.controle("cbSSLLib").indice, 5);
    t.controle("cbCryptLib").indice = -1;
    t.cbCryptLibChange();
    EXPECT_EQ(t.controle("cbCryptLib").indice, 1);
    t.controle("cbSSLType").indice = 6;
    t.cbSSLTypeChange();
    EXPECT_EQ(t.QuibNFe1.SSL().SSLType, LT_TLSv1_3);
    EXPECT_TRUE(t.controle("cbSSLType").habilitado);
}

TEST_F(AplicacaoComponenteTest, ApplyingTheProtocolsWritesTheMaskToTheUsersRegistryOnly)
{
    testsupport::TempDir configuracao;
    testsupport::ScopedEnv xdg("XDG_CONFIG_HOME", configuracao.path().string());
    const auto arquivo = configuracao.path() / "nfe-console" / "registry.ini";
    const auto leitura = [&] {
        const auto r = testsupport::runCommand(
            {"python3", "-c",
             "import configparser,sys\n"
             "c=configparser.ConfigParser(interpolation=None)\n"
             "c.read(sys.argv[1], encoding='utf-8')\n"
             "print(c['Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Internet Settings']"
             "['SecureProtocols'])",
             arquivo.string()});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    };

    auto &t = tela();
    const char *caixas[] = {"chkProtNfeSsl20", "chkProtNfeSsl30", "chkProtNfeTls10", "chkProtNfeTls11",
                            "chkProtNfeTls12"};
    for (const char *caixa : caixas)
        t.controle(caixa).marcado = false;
    t.Button6Click();
    EXPECT_FALSE(std::filesystem::exists(arquivo));

    for (const char *caixa : caixas)
        t.controle(caixa).marcado = true;
    t.Button6Click();
    EXPECT_EQ(leitura(), "2728\n");

    for (const char *caixa : caixas)
        t.controle(caixa).marcado = std::string_view(caixa) == "chkProtNfeTls12";
    t.Button6Click();
    EXPECT_EQ(leitura(), "2048\n");
    EXPECT_EQ(consultaExterna(bancoModulo(),
                              "SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '" + modulo->CnpjEmpresa + "'"),
              "0");

    // A registry that cannot be written is skipped without a word.
    testsupport::TempDir bloqueada;
    testsupport::ScopedEnv outra("XDG_CONFIG_HOME", bloqueada.path().string());
    bloqueada.write("nfe-console", "not a folder");
    EXPECT_NO_THROW(t.Button6Click());
    EXPECT_EQ(testsupport::readFile(bloqueada / "nfe-console"), "not a folder");
}

} // namespace
