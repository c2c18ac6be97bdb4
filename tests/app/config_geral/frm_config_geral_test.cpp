#include "app/config_geral/frm_config_geral.h"
#include "app/db/statement.h"
#include "app/shell_constants.h"
#include "dfe/backends.h"
#include "dfe/crypto/certificate_selector.h"
#include "dfe/crypto/certificate_store_admin.h"
#include "foundation/base/quib_exception.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/scoped_env.h"
#include "tests/support/smtp_test_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

#include <gmock/gmock.h>

#include <map>

using testing::HasSubstr;

namespace {

using Valores = std::vector<std::pair<std::string, std::string>>;

class ConfigGeralTest : public BancosFixture {
  protected:
    std::unique_ptr<TfrmConfigGeral> tela(const std::string &cnpj)
    {
        auto t = std::make_unique<TfrmConfigGeral>(*modulo, "/opt/kvl/");
        t->CnpjEmpresa = cnpj;
        return t;
    }
    // Writes flat rows as another program would, in the open transaction.
    void grava(const std::string &cnpj, const std::map<std::string, std::string> &linhas)
    {
        for (const auto &[chave, valor] : linhas)
            modulo->Grava_Valor_Referencia(cnpj, CampoRef(chave), valor);
    }
    static std::map<std::string, std::string> comoMapa(const Valores &valores)
    {
        return {valores.begin(), valores.end()};
    }
};

// A value unlike the screen's default for every control.
void preencheTudo(TfrmConfigGeral &t)
{
    for (const auto &d : controlesConfigGeral()) {
        TfrmConfigGeral::Controle &c = t.controle(d.nome);
        if (d.tipo == TipoControleNfse::Edit)
            c.texto = std::string(d.nome) + " d'Água";
        else if (d.tipo == TipoControleNfse::Caixa)
            c.marcado = !c.marcado;
        else if (d.tipo == TipoControleNfse::Lista)
            t.escolhe(d.nome, c.indice == 0 ? static_cast<int>(d.itens.size()) - 1 : 0);
    }
}

TEST_F(ConfigGeralTest, EveryKeyRoundTripsThroughConfirmarAndTheLoad)
{
    auto a = tela("11000000000101");
    a->FormActivate();
    preencheTudo(*a);
    const Valores gravados = a->valoresParaGravar();
    ASSERT_EQ(gravados.size(), 74u);
    EXPECT_EQ(
        consultaExterna(bancoModulo(), "SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '11000000000101'"),
        "0");
    a->ConfirmarClick();
    EXPECT_EQ(a->ModalResult, TfrmConfigGeral::ResultadoModal::Ok);

    // Committed: flat rows, keys upper-cased, one per key.
    EXPECT_EQ(consultaExterna(bancoModulo(),
                              "SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '11000000000101' "
                              "AND SESSAO_REFERENCIA IS NULL AND CAMPO_REF = UPPER(CAMPO_REF)"),
              "74");
    EXPECT_EQ(consultaExterna(bancoModulo(),
                              "SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CNPJ = '11000000000101' "
                              "AND CAMPO_REF = 'ULTIMO_LOTE_ENVIADO'"),
              "edtUltimoLoteEnviado d'Água");

    auto b = tela("11000000000101");
    b->FormActivate();
    EXPECT_EQ(b->valoresParaGravar(), gravados);
}

TEST_F(ConfigGeralTest, StoredTextsLoadAsTheScreenReadsThem)
{
    // clang-format off
    const struct { const char *chave; const char *armazenado; const char *controle; int indice; int marcado; } casos[] = {
        {"chkOpenDanfe",     "1",   "chkOpenDanfe",       -9, 0},
        {"chkOpenDanfe",     "0",   "chkOpenDanfe",       -9, 1},
        {"chkOpenDanfe",     "",    "chkOpenDanfe",       -9, 1},
        {"rgVersao",         "310", "rgVersao",           1,  -1},
        {"rgVersao",         "3.1", "rgVersao",           1,  -1},
        {"rgVersao",         "200", "rgVersao",           0,  -1},
        {"tamanhoDafonte",   "8",   "edtTamanhofonte",    2,  -1},
        {"tamanhoDafonte",   "6",   "edtTamanhofonte",    0,  -1},
        {"tamanhoDafonte",   "0",   "edtTamanhofonte",    1,  -1},
        {"tamanhoDafonte",   "",    "edtTamanhofonte",    1,  -1},
        {"alturaDaLinha",    "25",  "edtAlturaLinha",     1,  -1},
        {"alturaDaLinha",    "35",  "edtAlturaLinha",     0,  -1},
        {"contigencia_NFCE", "SIM", "cbFormaEmissaoNFCE", 1,  -1},
        {"contigencia_NFCE", "sim", "cbFormaEmissaoNFCE", 0,  -1},
        {"ckSalvar",         "T",   "ckSalvar",           -9, 1},
        {"ckSalvar",         "sim", "ckSalvar",           -9, 1},
        {"ckSalvar",         "NAO", "ckSalvar",           -9, 0},
        {"rgTipoAmb",        "1",   "rgTipoAmb",          1,  -1},
        {"rgTipoAmb",        "7",   "rgTipoAmb",          1,  -1},
        {"cbUF_Index",       "25",  "cbUF",               25, -1},
        {"rgTipoAmbNFSE",    "",    "rgTipoAmbNFSE",      0,  -1},
    };
    // clang-format on
    int n = 0;
    for (const auto &caso : casos) {
        const std::string cnpj = "12" + std::to_string(100 + n++);
        grava(cnpj, {{caso.chave, caso.armazenado}});
        auto t = tela(cnpj);
        t->FormActivate();
        const auto &c = t->controle(caso.controle);
        if (caso.indice != -9)
            EXPECT_EQ(c.indice, caso.indice) << caso.chave << "=" << caso.armazenado;
        if (caso.marcado != -1)
            EXPECT_EQ(c.marcado, caso.marcado == 1) << caso.chave << "=" << caso.armazenado;
    }
}

TEST_F(ConfigGeralTest, ProtocolBoxesAndTheSenderFollowTheirRules)
{
    auto t = tela("13000000000101");
    grava("13000000000101", {{"edtSmtpUser", "loja@exemplo.com.br"}});
    t->FormActivate();
    for (const char *caixa : {"chkProtServSsl20", "chkProtServSsl30", "chkProtServTls10", "chkProtServTls11"})
        EXPECT_FALSE(t->controle(caixa).marcado) << caixa;
    EXPECT_TRUE(t->controle("chkProtServTls12").marcado);
    EXPECT_EQ(t->controle("edtSmtpEmail").texto, "loja@exemplo.com.br");

    grava("13000000000101",
          {{"chkProtServSsl20", "NAO"}, {"chkProtServTls11", "SIM"}, {"edtSmtpEmail", "nf@x.br"}});
    t->FormActivate();
    EXPECT_TRUE(t->controle("chkProtServTls11").marcado);
    EXPECT_FALSE(t->controle("chkProtServTls12").marcado); // no row: a box set from its key
    EXPECT_EQ(t->controle("edtSmtpEmail").texto, "nf@x.br");
}

TEST_F(ConfigGeralTest, ANonNumericIndexStopsTheLoadAtItsKey)
{
    grava("14000000000101",
          {{"edtLogoNFSEPref", "pref.bmp"}, {"rgTipoAmbNFSE", "x1"}, {"edtUserWebNFSE", "web"}});
    auto t = tela("14000000000101");
    try {
        t->FormActivate();
        FAIL() << "the load went on";
    } catch (const ConversionError &e) {
        EXPECT_THAT(e.what(), HasSubstr("rgTipoAmbNFSE"));
        EXPECT_THAT(e.what(), HasSubstr("'0x1'"));
    }
    EXPECT_EQ(t->controle("edtLogoNFSEPref").texto, "pref.bmp");
    EXPECT_EQ(t->controle("edtUserWebNFSE").texto, "");

    grava("14000000000102", {{"rdRegimeOperacao", "-1"}});
    EXPECT_THROW(tela("14000000000102")->FormActivate(), ConversionError);
}

TEST_F(ConfigGeralTest, ACompanyShownAfterAnotherGetsItsOwnValuesOrTheDefaults)
{
    auto a = tela("15000000000101");
    a->FormActivate();
    preencheTudo(*a);
    a->ConfirmarClick();
    grava("15000000000102", {{"edtSmtpHost", "smtp.b.com.br"}, {"rgTipoDanfe", "1"}});

    auto soB = tela("15000000000102");
    soB->FormActivate();
    auto t = tela("15000000000101");
    t->FormActivate();
    t->CnpjEmpresa = "15000000000102";
    t->FormActivate();
    const auto valores = comoMapa(t->valoresParaGravar());
    EXPECT_EQ(valores, comoMapa(soB->valoresParaGravar()));
    EXPECT_EQ(valores.at("edtSmtpHost"), "smtp.b.com.br");
    EXPECT_EQ(valores.at("edtSenha"), "");
    EXPECT_EQ(valores.at("cbUF"), "RS");
    EXPECT_EQ(valores.at("rgVersao"), "310");
    EXPECT_EQ(valores.at("tamanhoDafonte"), "7");
    EXPECT_EQ(valores.at("chkOpenEmail"), "0");

    // The company is a value of the query, never part of its text.
    t->CnpjEmpresa = "x' OR 'a'='a";
    t->FormActivate();
    auto semLinhas = tela("15000000000199");
    semLinhas->FormActivate();
    EXPECT_EQ(comoMapa(t->valoresParaGravar()), comoMapa(semLinhas->valoresParaGravar()));
}

TEST_F(ConfigGeralTest, ARefusedKeyUndoesTheWholeStoreAndNamesIt)
{
    auto t = tela("16000000000101");
    t->FormActivate();
    t->controle("edtCaminho").texto = "certificado.pfx";
    t->controle("edtEmitRazao").texto = std::string(101, 'r');
    try {
        t->ConfirmarClick();
        FAIL() << "stored";
    } catch (const ErroGravacaoConfigGeral &e) {
        EXPECT_THAT(e.what(), HasSubstr("\"edtEmitRazao\""));
    }
    EXPECT_NE(t->ModalResult, TfrmConfigGeral::ResultadoModal::Ok);
    EXPECT_EQ(t->Busca_Valor_Referencia("16000000000101", "edtCaminho"), "");
    modulo->dtmNFECommit();
    EXPECT_EQ(
        consultaExterna(bancoModulo(), "SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '16000000000101'"),
        "0");
}

TEST_F(ConfigGeralTest, TheStoreOperationsAreTheModules)
{
    auto t = tela("");
    t->Grava_Valor_Referencia_Sessao("17000000000101", "Email", "Mensagem", "texto longo", "campo_MEMO");
    t->Grava_Valor_Referencia("17000000000101", "edtSmtpHost", "smtp");
    EXPECT_EQ(modulo->Busca_Valor_Referencia_Sessao("17000000000101", "EMAIL", CampoRef("mensagem"),
                                                    ColunaConfig::Campo_memo),
              "texto longo");
    EXPECT_EQ(t->Busca_Valor_Referencia_Sessao("17000000000101", "email", "MENSAGEM", "Campo_memo"),
              "texto longo");
    EXPECT_EQ(t->Busca_Valor_Referencia("17000000000101", "EDTSMTPHOST"), "smtp");
}

TEST_F(ConfigGeralTest, FileButtonsAndTheDefaultMailAccount)
{
    auto t = tela("18000000000101");
    dialogos->files = {std::string("/tmp/logo.bmp"), std::nullopt, std::string("/tmp/c.pfx")};
    t->btnLogoPrefClick();
    t->controle("edtLogoNFSEPrest").texto = "antes.bmp";
    t->btnLogoPrestClick();
    t->sbtnCaminhoCertClick();
    EXPECT_EQ(t->controle("edtLogoNFSEPref").texto, "/tmp/logo.bmp");
    EXPECT_EQ(t->controle("edtLogoNFSEPrest").texto, "antes.bmp");
    EXPECT_EQ(t->controle("edtCaminho").texto, "/tmp/c.pfx");
    EXPECT_THAT(dialogos->shown.back(), HasSubstr("Arquivos PFX (*.pfx)|*.pfx"));

    dialogos->answers = {false, true};
    t->SpeedButton1Click();
    EXPECT_EQ(t->controle("edtSmtpHost").texto, "");
    t->SpeedButton1Click();
    EXPECT_EQ(t->controle("edtSmtpHost").texto, kEmailPadraoHost);
    EXPECT_EQ(t->controle("edtSmtpEmail").texto, kEmailPadraoUsuario);
    EXPECT_EQ(t->controle("edtSmtpPort").texto, "587");
    EXPECT_EQ(
        consultaExterna(bancoModulo(), "SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '18000000000101'"),
        "0");
}

TEST_F(ConfigGeralTest, TheMailTestReachesTheServerOrShowsTheMailersAnswer)
{
    if (!testsupport::SmtpTestServer::available())
        GTEST_SKIP() << "python3-aiosmtpd is not installed";
    testsupport::SmtpTestServer servidor({.user = "loja", .password = "s3nha"});
    auto t = tela("19000000000101");
    t->controle("edtSmtpHost").texto = "127.0.0.1";
    t->controle("edtSmtpPort").texto = std::to_string(servidor.port());
    t->controle("edtSmtpUser").texto = "loja";
    t->controle("edtSmtpPass").texto = "s3nha";
    t->controle("edtSmtpEmail").texto = "loja@exemplo.com.br";
    t->controle("cbRequerAutenticacao").marcado = true;
    t->btntestaemailClick();
    ASSERT_EQ(servidor.messages().size(), 1u);
    EXPECT_THAT(servidor.messages()[0], HasSubstr("loja@exemplo.com.br"));
    EXPECT_THAT(dialogos->shown.back(), HasSubstr("enviado para loja@exemplo.com.br"));

    t->controle("edtSmtpPass").texto = "errada";
    t->btntestaemailClick();
    EXPECT_EQ(servidor.messages().size(), 1u);
    EXPECT_THAT(dialogos->shown.back(), HasSubstr("Envio de eMail: Falha no envio"));
    EXPECT_THAT(dialogos->shown.back(), HasSubstr("SMTP Error"));
}

TEST_F(ConfigGeralTest, TheCertificateButtonPutsTheChosenSerialNumber)
{
    RegistraBackendsDFe();
    testsupport::TempDir dados;
    testsupport::ScopedEnv xdg("XDG_DATA_HOME", dados.path().string());
    const auto &pki = testsupport::testPki();
    const std::string serie =
        ImportarPFXNoStore(testsupport::readFile(pki.ecnpj.pfxAes), pki.ecnpj.password, "My");
    DefinirSeletorCertificado([](const TListaCertificados &lista, std::string_view, std::string_view) {
        for (int i = 0; i < lista.Count(); ++i)
            if (lista.ObterItem(i).CNPJ == "11222333000181")
                return lista.ObterItem(i).NumeroSerie;
        return std::string();
    });
    auto t = tela("20000000000101");
    t->sbtnGetCertClick();
    EXPECT_EQ(t->controle("edtNumSerie").texto, serie);

    DefinirSeletorCertificado({}); // a cancel keeps the number
    t->sbtnGetCertClick();
    EXPECT_EQ(t->controle("edtNumSerie").texto, serie);
}

TEST_F(ConfigGeralTest, ActivationHidesThePathAndShowsTheSerialHelp)
{
    auto t = tela("21000000000101");
    t->paginaAtual = 4;
    t->FormActivate();
    EXPECT_EQ(t->paginaAtual, 0);
    EXPECT_FALSE(t->controle("edtCaminho").visivel);
    EXPECT_FALSE(t->controle("sbtnCaminhoCert").visivel);
    EXPECT_THAT(t->lblCertificado, HasSubstr("Informe o número de série do certificado\r"));
    EXPECT_FALSE(t->ShowModal()); // no view installed
}

} // namespace
