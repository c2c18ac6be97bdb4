#include <gtest/gtest.h>

#include <sstream>

#include "dfe/component/quib_dfe.h"
#include "dfe/mail/quib_mail.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::TempDir;

TEST(DFeGeralConf, SSLLibFollowsTheThreeLibrariesAndReachesTheFacade)
{
    TQuibDFe dfe;
    TGeralConf &geral = dfe.Configuracoes().Geral();
    geral.SetSSLCryptLib(cryOpenSSL);
    geral.SetSSLHttpLib(httpOpenSSL);
    geral.SetSSLXmlSignLib(xsLibXml2);
    EXPECT_EQ(geral.SSLLib(), libOpenSSL);
    geral.SetSSLHttpLib(httpWinHttp);
    EXPECT_EQ(geral.SSLLib(), libCustom);
    EXPECT_EQ(dfe.SSL().SSLHttpLib(), httpWinHttp);
    geral.SetSSLLib(libNone);
    EXPECT_EQ(dfe.SSL().SSLCryptLib(), cryNone);
    EXPECT_THROW(geral.SetSSLXmlSignLib(xsXmlSec), EQuibDFeException);
    EXPECT_EQ(geral.SSLXmlSignLib(), xsNone);
    EXPECT_EQ(geral.FormatoAlerta(), kFormatoAlertaPadrao);
    geral.SetFormatoAlerta("sem marcas");
    EXPECT_EQ(geral.FormatoAlerta(), kFormatoAlertaPadrao);
    geral.SetFormatoAlerta("%MSG%!");
    EXPECT_EQ(geral.FormatoAlerta(), "%MSG%!");
}

TEST(DFeWebServicesConf, CorrectsOrIgnoresValuesOutOfRange)
{
    TConfiguracoes conf;
    TWebServicesConf &ws = conf.WebServices();
    for (const char *uf : {"sp", "XX", "EX"}) {
        ws.SetUF(uf);
        EXPECT_EQ(ws.UF(), "SP");
        EXPECT_EQ(ws.UFCodigo(), 35);
    }
    ws.SetUF("RS");
    EXPECT_EQ(ws.UFCodigo(), 43);
    ws.SetTentativas(0);
    EXPECT_EQ(ws.Tentativas(), 5);
    ws.SetIntervaloTentativas(500);
    EXPECT_EQ(ws.IntervaloTentativas(), 1000u);
    TArquivosConf &arq = conf.Arquivos();
    arq.SetSepararPorDia(true);
    EXPECT_TRUE(arq.SepararPorMes());
    arq.SetSepararPorMes(false);
    EXPECT_FALSE(arq.SepararPorDia());
}

TEST(DFeConfiguracoes, RefusesAnOwnerThatIsNotAFiscalComponent)
{
    TQuibMail mail;
    try {
        TConfiguracoes conf(&mail);
        FAIL();
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Owner de TConfiguracoes deve ser do tipo TQuibDFe");
    }
}

TEST(DFeConfiguracoes, PassThroughsReachTheFacadeAlsoThroughCopiarDe)
{
    TConfiguracoes origem;
    origem.WebServices().SetProxyHost("proxy");
    origem.WebServices().SetProxyPort("3128");
    origem.WebServices().SetProxyUser("u");
    origem.WebServices().SetProxyPass("p");
    origem.WebServices().SetTimeOut(1500);
    origem.WebServices().SetTimeOutPorThread(true);
    origem.WebServices().SetSSLType(LT_TLSv1_3);
    origem.Certificados().SetNumeroSerie("ab 12 cd");
    origem.Certificados().SetSenha("segredo");
    TQuibDFe dfe;
    dfe.Configuracoes().CopiarDe(origem);
    TDFeSSL &ssl = dfe.SSL();
    EXPECT_EQ(ssl.ProxyHost, "proxy");
    EXPECT_EQ(ssl.ProxyPort, "3128");
    EXPECT_EQ(ssl.ProxyUser, "u");
    EXPECT_EQ(ssl.ProxyPass, "p");
    EXPECT_EQ(ssl.TimeOut, 1500);
    EXPECT_TRUE(ssl.TimeOutPorThread);
    EXPECT_EQ(ssl.SSLType, LT_TLSv1_3);
    EXPECT_EQ(ssl.NumeroSerie(), "AB12CD");
    EXPECT_EQ(ssl.Senha(), "segredo");
    EXPECT_EQ(dfe.Configuracoes().Certificados().Senha(), "segredo");
    dfe.Configuracoes().Certificados().SetArquivoPFX("/x/cert.pfx");
    EXPECT_EQ(ssl.ArquivoPFX(), "/x/cert.pfx");
}

TEST(DFeConfiguracoes, IniRoundTripKeepsEverySetting)
{
    TempDir pasta;
    TConfiguracoes conf;
    conf.SessaoIni = "NFe";
    conf.Geral().SetSSLLib(libOpenSSL);
    conf.Geral().FormaEmissao = teContingencia;
    conf.Geral().Salvar = false;
    conf.Geral().IdentarXML = true;
    auto &ws = conf.WebServices();
    ws.SetUF("MG");
    ws.Ambiente = taProducao;
    ws.SetProxyHost("hostA");
    ws.SetProxyPass("senhaProxy");
    ws.SetTentativas(9);
    ws.SetIntervaloTentativas(2500);
    ws.AguardarConsultaRet = 3000;
    ws.SetTimeOut(7000);
    ws.QuebradeLinha = ";";
    ws.SetSSLType(LT_TLSv1_1);
    conf.Certificados().SetDadosPFX(std::string("\x30\x82\x00\x01", 4));
    conf.Certificados().SetSenha("1234");
    conf.Certificados().VerificarValidade = false;
    auto &arq = conf.Arquivos();
    arq.SetPathSalvar((pasta / "docs").string());
    arq.SepararPorCNPJ = true;
    arq.SetSepararPorDia(true);
    arq.DownloadDFe.PathDownload = "C:\\Down";
    conf.RespTec().IdCSRT = 7;
    conf.RespTec().CSRT = "csrt";

    MemIniFile ini((pasta / "conf.ini").string());
    conf.SalvarNoIni(ini);
    ini.UpdateFile();

    TConfiguracoes lida;
    lida.SessaoIni = "NFe";
    lida.CarregarDoIni(MemIniFile((pasta / "conf.ini").string()));
    EXPECT_EQ(lida.Geral().SSLLib(), libOpenSSL);
    EXPECT_EQ(lida.Geral().FormaEmissao, teContingencia);
    EXPECT_FALSE(lida.Geral().Salvar);
    EXPECT_TRUE(lida.Geral().IdentarXML);
    EXPECT_EQ(lida.WebServices().UF(), "MG");
    EXPECT_EQ(lida.WebServices().Ambiente, taProducao);
    EXPECT_EQ(lida.WebServices().ProxyPass(), "senhaProxy");
    EXPECT_EQ(lida.WebServices().Tentativas(), 9);
    EXPECT_EQ(lida.WebServices().IntervaloTentativas(), 2500u);
    EXPECT_EQ(lida.WebServices().AguardarConsultaRet, 3000u);
    EXPECT_EQ(lida.WebServices().TimeOut(), 7000);
    EXPECT_EQ(lida.WebServices().QuebradeLinha, ";");
    EXPECT_EQ(lida.WebServices().SSLType(), LT_TLSv1_1);
    EXPECT_EQ(lida.Certificados().DadosPFX(), std::string("\x30\x82\x00\x01", 4));
    EXPECT_EQ(lida.Certificados().Senha(), "1234");
    EXPECT_FALSE(lida.Certificados().VerificarValidade);
    EXPECT_EQ(lida.Arquivos().PathSalvar(), arq.PathSalvar());
    EXPECT_TRUE(lida.Arquivos().SepararPorCNPJ);
    EXPECT_TRUE(lida.Arquivos().SepararPorDia());
    EXPECT_EQ(lida.Arquivos().DownloadDFe.PathDownload, "C:\\Down");
    EXPECT_EQ(lida.RespTec().IdCSRT, 7);
    EXPECT_EQ(lida.RespTec().CSRT, "csrt");

    // The proxy password is unscrambled with the host read from the file.
    MemIniFile mudado((pasta / "conf.ini").string());
    mudado.WriteString("Proxy", "Servidor", "hostB");
    TConfiguracoes outra;
    outra.CarregarDoIni(mudado);
    EXPECT_NE(outra.WebServices().ProxyPass(), "senhaProxy");
}

TEST(DFeConfiguracoes, IniWithoutDocumentSectionAndMissingSecrets)
{
    TConfiguracoes conf;
    conf.Certificados().SetDadosPFX("dados");
    conf.Certificados().SetSenha("x");
    MemIniFile ini;
    conf.SalvarNoIni(ini);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"DFe", "Proxy"}));
    conf.CarregarDoIni(MemIniFile());
    EXPECT_EQ(conf.Certificados().DadosPFX(), "");
    EXPECT_EQ(conf.Certificados().Senha(), "");
    // An ordinal outside the enumeration keeps the setting.
    MemIniFile ruim;
    ruim.WriteString("DFe", "SSLCryptLib", "99");
    conf.Geral().SetSSLCryptLib(cryOpenSSL);
    conf.CarregarDoIni(ruim);
    EXPECT_EQ(conf.Geral().SSLCryptLib(), cryOpenSSL);
}

TEST(DFeArquivosConf, MontarPathBuildsAndCreatesTheFolders)
{
    TempDir pasta;
    const TDateTime marco2019 = encodeDate(2019, 3, 15);
    struct Caso {
        bool ano, dia;
        const char *esperado;
    };
    for (const Caso &caso : {Caso{false, false, "12345678000195/NFe/201903/Evento/"},
                             Caso{true, false, "12345678000195/NFe/2019/03/Evento/"},
                             Caso{true, true, "12345678000195/NFe/2019/03/15/Evento/"}}) {
        TConfiguracoes conf;
        auto &arq = conf.Arquivos();
        arq.SetPathSalvar(pasta.path().string());
        arq.SepararPorCNPJ = arq.SepararPorModelo = arq.AdicionarLiteral = true;
        arq.SetSepararPorMes(true);
        arq.SepararPorAno = caso.ano;
        arq.SetSepararPorDia(caso.dia);
        const std::string caminho = arq.MontarPath("", "Evento", "12.345.678/0001-95", "", marco2019, "NFe");
        EXPECT_EQ(caminho + "/", arq.PathSalvar() + caso.esperado);
        EXPECT_TRUE(std::filesystem::is_directory(caminho));
        // The order stays after the first call; clearing it rebuilds it.
        arq.SepararPorCNPJ = false;
        EXPECT_EQ(arq.MontarPath("", "Evento", "11", "", marco2019, "NFe").find("/11/") != std::string::npos,
                  true);
        arq.OrdenacaoPath.Clear();
        EXPECT_EQ(arq.MontarPath("", "Evento", "11", "", marco2019, "NFe").find("/11/"), std::string::npos);
    }
    TConfiguracoes conf;
    conf.Arquivos().SetPathSalvar(pasta.path().string());
    conf.Arquivos().AdicionarLiteral = true;
    EXPECT_EQ(conf.Arquivos().MontarPathDownloadEvento(tevCCe, "", "", "", marco2019),
              conf.Arquivos().PathSalvar() + "Evento/CCe");
}

TEST(DFeQuibDFe, SalvarArquivoXMLWritesIntoTheChosenFolder)
{
    TempDir pasta;
    TQuibDFe dfe;
    dfe.Configuracoes().Arquivos().SetPathSalvar((pasta / "salvar").string());
    ASSERT_TRUE(dfe.SalvarArquivoXML("a.xml", "<a>é<-><-></a>", "", false));
    EXPECT_EQ(testsupport::readFile(pasta / "salvar/a.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>é</a>");
    ASSERT_TRUE(dfe.SalvarArquivoXML("b.xml", "<b/>", (pasta / "outra").string(), true));
    EXPECT_EQ(testsupport::readFile(pasta / "outra/b.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><b/>");
    ASSERT_TRUE(dfe.SalvarArquivoXML((pasta / "c.xml").string(), "<c/>", (pasta / "outra").string(), true));
    EXPECT_TRUE(std::filesystem::exists(pasta / "c.xml"));

    std::vector<std::string> log;
    EXPECT_THROW(dfe.SalvarArquivoXML(pasta.path().string() + "/", "<x/>"), EQuibDFeException);
    bool tratar = true;
    dfe.OnGerarLog = [&](std::string_view linha, bool &tratado) {
        log.emplace_back(linha);
        tratado = tratar;
    };
    EXPECT_FALSE(dfe.SalvarArquivoXML(pasta.path().string() + "/", "<x/>"));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "ERRO: Erro ao salvar.\r\nNome de arquivo não informado");
    tratar = false;
    EXPECT_THROW(dfe.LancarErro("falhou"), EQuibDFeException);
    EXPECT_EQ(log.back(), "ERRO: falhou");
}

TEST(DFeQuibDFe, MailLinkIsClearedWhenTheMailerGoes)
{
    TQuibDFe dfe;
    EXPECT_THROW(dfe.EnviarPorEmail("a@b.c", "x"), EQuibDFeException);
    {
        TQuibMail mail;
        dfe.SetMAIL(&mail);
        EXPECT_EQ(dfe.MAIL(), &mail);
    }
    EXPECT_EQ(dfe.MAIL(), nullptr);
    try {
        dfe.EnviarPorEmail("a@b.c", "x");
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Componente QuibMail não associado");
    }
}

} // namespace
