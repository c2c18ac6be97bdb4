#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/dates/date_time.h"
#include "nfe/services/quib_nfe.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::TempDir;

std::string schemasOficiais()
{
    return (testsupport::sourceDir() / "schemas/PL_009_V4").string() + "/";
}

// An NF-e component whose services INI is the given lines.
struct ComponenteNFe {
    TempDir pasta;
    TQuibNFe nfe;
    explicit ComponenteNFe(std::vector<std::string> linhas = {})
    {
        auto &cfg = nfe.Configuracoes();
        cfg.Arquivos().SetIniServicos((pasta / "ausente.ini").string());
        cfg.Arquivos().SetPathSchemas(schemasOficiais());
        cfg.WebServices().Params = std::move(linhas);
    }
    std::string url(TpcnServicoNFe servico, double &versao)
    {
        std::string url, ns, soap;
        nfe.LocalizarServico(servico, versao, url, ns, soap);
        return url;
    }
};

const std::vector<std::string> kIniDeServicos = {
    "[NFe_SP_H]",
    "NfeStatusServico_4.00=https://sp/status4",
    "NfeStatusServico=https://sp/status",
    "[NFe_PR_H]",
    "Usar=NFe_SVRS_H",
    "[NFe_SVRS_H]",
    "NfeStatusServico_4.00=https://svrs/status4",
    "[NFe_SVC-AN_H]",
    "NfeStatusServico_4.00=https://svcan/status4",
    "[NFe_SVC-RS_H]",
    "NfeStatusServico_4.00=https://svcrs/status4",
    "[NFCe_SP_H]",
    "NfeStatusServico_4.00=https://nfce-sp/status4",
};

} // namespace

TEST(QuibNFeLocalizarServico, ChoosesTheAuthoriserAndVersion)
{
    struct Caso {
        const char *uf;
        TpcnTipoEmissao forma;
        TpcnModeloDF modelo;
        TpcnVersaoDF versao;
        const char *url;
    };
    // clang-format off
    const Caso casos[] = {
        {"SP", teNormal, moNFe,  ve400, "https://sp/status4"},
        {"PR", teNormal, moNFe,  ve400, "https://svrs/status4"},   // "Usar" redirection
        {"SP", teSVCAN,  moNFe,  ve400, "https://svcan/status4"},
        {"SP", teSVCRS,  moNFe,  ve400, "https://svcrs/status4"},  // whatever the state
        {"PR", teSVCRS,  moNFe,  ve400, "https://svcrs/status4"},
        {"SP", teSVCSP,  moNFe,  ve400, "https://sp/status4"},     // the state itself
        {"SP", teNormal, moNFCe, ve400, "https://nfce-sp/status4"},
        {"SP", teNormal, moNFe,  ve310, "https://sp/status"},      // no 3.10 key: the plain one
    };
    // clang-format on
    for (const Caso &caso : casos) {
        ComponenteNFe c(kIniDeServicos);
        auto &cfg = c.nfe.Configuracoes();
        cfg.WebServices().SetUF(caso.uf);
        cfg.Geral().FormaEmissao = caso.forma;
        cfg.Geral().SetModeloDF(caso.modelo);
        cfg.Geral().SetVersaoDF(caso.versao);
        double versao = 0;
        EXPECT_EQ(c.url(srvNfeStatusServico, versao), caso.url) << caso.uf << " " << caso.url;
    }
}

TEST(QuibNFe, ServicoEhAutorizacaoSendsOnly310AndLaterToAuthorisation)
{
    EXPECT_FALSE(TQuibNFe::ServicoEhAutorizacao(ve310, moNFCe, 13));
    EXPECT_TRUE(TQuibNFe::ServicoEhAutorizacao(ve310, moNFCe, 35));
    EXPECT_FALSE(TQuibNFe::ServicoEhAutorizacao(ve300, moNFe, 35));
    EXPECT_TRUE(TQuibNFe::ServicoEhAutorizacao(ve400, moNFCe, 13));
}

TEST(QuibNFe, SchemaFilesAreFoundInTheOfficialFolder)
{
    ComponenteNFe c;
    const std::string pasta = schemasOficiais();
    EXPECT_EQ(c.nfe.ArquivoSchemaDoLayout(srvNfeAutorizacao, 4.00), pasta + "nfe_v4.00.xsd");
    EXPECT_EQ(c.nfe.ArquivoSchemaDoLayout(srvRecepcaoEvento, 1.00), pasta + "envEvento_v1.00.xsd");
    EXPECT_EQ(c.nfe.ArquivoSchemaDoLayout(srvNfeConsultaProtocolo, 4.00), pasta + "consSitNFe_v4.00.xsd");

    const std::string cancelamento = c.nfe.ArquivoSchemaPorVersao(schcancNFe, 1.00);
    EXPECT_EQ(cancelamento, pasta + "e110111_v1.00.xsd");
    EXPECT_TRUE(std::filesystem::exists(cancelamento));
    c.nfe.Configuracoes().Geral().SetModeloDF(moNFCe);
    const std::string epec = c.nfe.ArquivoSchemaPorVersao(schEnvEPEC, 1.00);
    EXPECT_EQ(epec, pasta + "e110140NFCe_v1.00.xsd");
    EXPECT_TRUE(std::filesystem::exists(epec));
    EXPECT_EQ(c.nfe.ArquivoSchemaPorVersao(schcancNFe, 0), "");
}

TEST(QuibNFe, EtapaReportsEachChangeOnce)
{
    TQuibNFe nfe;
    std::vector<TEtapaNFe> vistas;
    nfe.OnStatusChange = [&](TQuibDFe &sender) {
        EXPECT_EQ(&sender, &nfe);
        vistas.push_back(nfe.Etapa());
    };
    nfe.DefinirEtapa(etConsultandoStatus);
    nfe.DefinirEtapa(etConsultandoStatus);
    nfe.DefinirEtapa(etOcioso);
    nfe.DefinirEtapa(etOcioso);
    EXPECT_EQ(vistas, (std::vector<TEtapaNFe>{etConsultandoStatus, etOcioso}));
}

TEST(QuibNFe, MailSendEndsIdleAlsoWhenItFails)
{
    TQuibNFe nfe;
    std::vector<TEtapaNFe> vistas;
    nfe.OnStatusChange = [&](TQuibDFe &) { vistas.push_back(nfe.Etapa()); };
    EXPECT_THROW(nfe.EnviarPorEmail("a@b.com.br", "assunto"), EQuibDFeException); // no mailer linked
    EXPECT_EQ(vistas, (std::vector<TEtapaNFe>{etEnviandoEmail, etOcioso}));
}

TEST(QuibNFe, AnswerCodeClassesAreExactlyTheirSets)
{
    for (int cStat = 0; cStat < 1000; ++cStat) {
        const bool protocolo = cStat == 100 || cStat == 110 || cStat == 150 || (cStat >= 301 && cStat <= 303);
        const bool cancelamento = cStat == 101 || cStat == 135 || cStat == 151 || cStat == 155;
        EXPECT_EQ(TQuibNFe::CStatAutorizado(cStat), protocolo) << cStat;
        EXPECT_EQ(TQuibNFe::CStatComProtocolo(cStat), protocolo) << cStat;
        EXPECT_EQ(TQuibNFe::CStatDeCancelamento(cStat), cancelamento) << cStat;
    }
}

TEST(QuibNFe, DocumentAnswersFollowTheModel)
{
    TQuibNFe nfe;
    EXPECT_EQ(nfe.NomeDoModeloDFe(), "NFe");
    nfe.Configuracoes().Geral().SetModeloDF(moNFCe);
    EXPECT_EQ(nfe.NomeDoModeloDFe(), "NFCe");
    EXPECT_EQ(nfe.NameSpaceURIDocumento(), "http://www.portalfiscal.inf.br/nfe");
    EXPECT_EQ(nfe.NomeSchemaDoServico("NfeConsultaProtocolo"), "consSitNFe");
    EXPECT_EQ(nfe.NomeSchemaDoServico("NaoExiste"), "");
}

// ---- Settings ------------------------------------------------------------------------------

TEST(ConfiguracoesNFe, SettersNormaliseTheSecurityCodeAndModel)
{
    TQuibNFe nfe;
    auto &geral = nfe.Configuracoes().Geral();
    EXPECT_EQ(geral.ModeloDFCodigo(), 55);
    geral.SetModeloDF(moNFCe);
    EXPECT_EQ(geral.ModeloDFCodigo(), 65);

    // clang-format off
    const std::pair<const char *, const char *> ids[] = {
        {"1", "000001"}, {"abc", "000000"}, {"1234567", "123456"}, {" 42 ", "000042"},
    };
    // clang-format on
    for (const auto &[entrada, guardado] : ids) {
        geral.SetIdCSC(entrada);
        EXPECT_EQ(geral.IdCSC(), guardado) << entrada;
    }
    geral.SetCSC("  SEGREDO-123  ");
    EXPECT_EQ(geral.CSC(), "SEGREDO-123");
    EXPECT_EQ(nfe.Configuracoes().SessaoIni, "NFe");
    EXPECT_EQ(nfe.Configuracoes().WebServices().NomeRecursoServicos, "QuibNFeServicos");
}

TEST(ConfiguracoesNFe, IniRoundTripKeepsKeyOrderAndTheOldTagKey)
{
    TQuibNFe origem;
    auto &g = origem.Configuracoes().Geral();
    g.SetIdCSC("7");
    g.SetCSC("ABC");
    g.SetModeloDF(moNFCe);
    g.SetVersaoDF(ve310);
    g.VersaoQRCode = veqr100;
    g.CamposFatObrigatorios = false;
    g.ForcarGerarTagRejeicao938 = fgtSempre;
    g.ForcarGerarTagRejeicao906 = fgtSomenteProducao;
    auto &a = origem.Configuracoes().Arquivos();
    a.SalvarEvento = true;
    a.PathNFe = "C:\\NFe\\Notas";
    a.PathArquivoMunicipios = "/dados/municipios.txt";
    MemIniFile ini;
    origem.Configuracoes().SalvarNoIni(ini);

    const std::vector<std::string> chaves = ini.ReadSection("NFe");
    std::vector<std::string> nossas;
    for (const std::string &chave : chaves)
        for (const char *nome :
             {"IdCSC", "CSC", "ModeloDF", "VersaoDF", "AtualizarXMLCancelado", "VersaoQRCode",
              "CamposFatObrigatorios", "TagNT2018005", "ForcarGerarTagRejeicao906", "SalvarEvento",
              "SalvarApenasNFeProcessadas", "EmissaoPathNFe", "NormatizarMunicipios", "PathNFe", "PathInu",
              "PathEvento", "PathArquivoMunicipios"})
            if (chave == nome)
                nossas.push_back(chave);
    EXPECT_EQ(nossas,
              (std::vector<std::string>{
                  "IdCSC", "CSC", "ModeloDF", "VersaoDF", "AtualizarXMLCancelado", "VersaoQRCode",
                  "CamposFatObrigatorios", "TagNT2018005", "ForcarGerarTagRejeicao906", "SalvarEvento",
                  "SalvarApenasNFeProcessadas", "EmissaoPathNFe", "NormatizarMunicipios", "PathNFe",
                  "PathInu", "PathEvento", "PathArquivoMunicipios"}));
    EXPECT_EQ(ini.ReadInteger("NFe", "TagNT2018005", -1), 3);

    TQuibNFe destino;
    destino.Configuracoes().CarregarDoIni(ini);
    const auto &d = destino.Configuracoes().Geral();
    EXPECT_EQ(d.IdCSC(), "000007");
    EXPECT_EQ(d.CSC(), "ABC");
    EXPECT_EQ(d.ModeloDF(), moNFCe);
    EXPECT_EQ(d.ModeloDFCodigo(), 65);
    EXPECT_EQ(d.VersaoDF(), ve310);
    EXPECT_EQ(d.VersaoQRCode, veqr100);
    EXPECT_FALSE(d.CamposFatObrigatorios);
    EXPECT_EQ(d.ForcarGerarTagRejeicao938, fgtSempre);
    EXPECT_EQ(d.ForcarGerarTagRejeicao906, fgtSomenteProducao);
    EXPECT_TRUE(destino.Configuracoes().Arquivos().SalvarEvento);
    EXPECT_EQ(destino.Configuracoes().Arquivos().PathNFe, "C:\\NFe\\Notas");
    EXPECT_EQ(destino.Configuracoes().Arquivos().PathArquivoMunicipios, "/dados/municipios.txt");
}

TEST(ConfiguracoesNFe, IniOrdinalsOutsideTheirEnumerationKeepTheCurrentValue)
{
    MemIniFile ini;
    ini.WriteInteger("NFe", "ModeloDF", 7);
    ini.WriteInteger("NFe", "VersaoDF", -1);
    ini.WriteInteger("NFe", "VersaoQRCode", 9);
    ini.WriteInteger("NFe", "TagNT2018005", 4);
    ini.WriteInteger("NFe", "ForcarGerarTagRejeicao938", 3); // not the key of that setting
    TQuibNFe nfe;
    nfe.Configuracoes().Geral().SetVersaoDF(ve310);
    nfe.Configuracoes().CarregarDoIni(ini);
    const auto &g = nfe.Configuracoes().Geral();
    EXPECT_EQ(g.ModeloDF(), moNFe);
    EXPECT_EQ(g.ModeloDFCodigo(), 55);
    EXPECT_EQ(g.VersaoDF(), ve310);
    EXPECT_EQ(g.VersaoQRCode, veqr200);
    EXPECT_EQ(g.ForcarGerarTagRejeicao938, fgtNunca);
}

TEST(ConfiguracoesNFe, FoldersOfNotesEventsAndVoidings)
{
    TempDir pasta;
    TQuibNFe nfe;
    auto &a = nfe.Configuracoes().Arquivos();
    const std::string base = pasta.path().string();
    a.PathNFe = base + "/notas";
    a.PathEvento = base + "/eventos";
    a.PathInu = base + "/inu";
    a.SepararPorCNPJ = true;
    a.SepararPorModelo = true;
    a.SepararPorAno = true;
    a.AdicionarLiteral = true;
    const TDateTime data = encodeDate(2019, 3, 7);
    const std::string cnpj = "12345678000195";

    EXPECT_EQ(a.PathNFePara(data, cnpj, "", 55), base + "/notas/12345678000195/NFe/2019/NFe");
    EXPECT_EQ(a.PathNFePara(data, cnpj, "", 65), base + "/notas/12345678000195/NFCe/2019/NFCe");
    // Model 59 has no literal; its model part falls back to the component's.
    EXPECT_EQ(a.PathNFePara(data, cnpj, "", 59), base + "/notas/12345678000195/NFe/2019");

    const std::string evento = a.PathEventoPara(tevCancelamento, cnpj, "", data);
    EXPECT_EQ(evento, base + "/eventos/12345678000195/NFe/2019/Evento/Cancelamento");
    EXPECT_TRUE(std::filesystem::is_directory(evento));

    a.SetSepararPorDia(true);
    const std::string inu = a.PathInutilizacaoPara(cnpj, "");
    EXPECT_EQ(inu, base + "/inu/12345678000195/NFe/Inu");
    EXPECT_TRUE(std::filesystem::is_directory(inu));
    EXPECT_TRUE(a.SepararPorAno && a.SepararPorMes() && a.SepararPorDia()); // flags back as they were
}
