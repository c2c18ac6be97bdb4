#include "console/config_geral/frm_config_geral40.h"

#include "app/db/statement.h"
#include "tests/app/dados/bancos_fixture.h"

#include <gmock/gmock.h>

namespace {

constexpr const char *kPasta = "/opt/nfe/bin/";

class ConfigGeralTest : public BancosFixture {
  protected:
    // Each test works on a company of its own.
    TfrmConfigGeral40 &tela(const std::string &cnpj)
    {
        modulo->CnpjEmpresa = cnpj;
        tela_ = std::make_unique<TfrmConfigGeral40>(*modulo, kPasta);
        return *tela_;
    }

    std::string linhas(const std::string &cnpj)
    {
        return consultaExterna(bancoModulo(),
                               "SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '" + cnpj + "'");
    }

    std::string valor(const std::string &cnpj, const std::string &sessao, const std::string &chave)
    {
        return consultaExterna(bancoModulo(), "SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CNPJ = '" + cnpj +
                                                  "' AND SESSAO_REFERENCIA = '" + sessao +
                                                  "' AND CAMPO_REF = '" + chave + "'");
    }

    std::unique_ptr<TfrmConfigGeral40> tela_;
};

TEST_F(ConfigGeralTest, SettingsOperationsKeepEveryValueAndMatchNamesInAnyCase)
{
    auto &t = tela("10000000000101");
    t.Ini_WriteString("Emitente", "RazaoSocial", "Açougue d'Oeste");
    t.Ini_WriteString("emitente", "RAZAOSOCIAL", "Pão d'Água & Cia");
    t.Ini_WriteInteger("Geral", "FormaEmissao", -1);
    t.Ini_WriteBool("Geral", "Salvar", false);
    t.Ini_WriteString("Geral", "Minusculo", "true");
    t.Ini_WriteStringMemo("Email", "Mensagem", "Olá,\nsegue a nota d'ontem.");

    EXPECT_EQ(t.Ini_ReadString("EMITENTE", "razaosocial", ""), "Pão d'Água & Cia");
    EXPECT_EQ(t.Ini_ReadInteger("Geral", "formaEmissao", 0), -1);
    EXPECT_FALSE(t.Ini_ReadBool("Geral", "Salvar", true));
    EXPECT_FALSE(t.Ini_ReadBool("Geral", "Minusculo", true));
    EXPECT_EQ(t.Ini_ReadStringMemo("Email", "Mensagem", ""), "Olá,\nsegue a nota d'ontem.");
    EXPECT_EQ(t.Ini_ReadString("Geral", "NuncaEscrito", "padrão"), "padrão");

    t.Ini_WriteString("DANFE", "margemInf", "15x");
    try {
        t.Ini_ReadInteger("DANFE", "margemInf", 0);
        FAIL() << "no conversion error";
    } catch (const ConversionError &erro) {
        EXPECT_THAT(erro.what(),
                    testing::AllOf(testing::HasSubstr("DANFE"), testing::HasSubstr("margemInf")));
    }

    modulo->dtmNFECommit();
    EXPECT_EQ(linhas("10000000000101"), "6");
    EXPECT_EQ(valor("10000000000101", "EMITENTE", "RAZAOSOCIAL"), "Pão d'Água & Cia");
}

TEST_F(ConfigGeralTest, ACompanyWithoutRowsShowsTheDefaults)
{
    auto &t = tela("10000000000202");
    t.LerConfiguracoes();
    // clang-format off
    const struct { const char *controle; const char *texto; int indice; } esperados[] = {
        {"edtmEsq",          "0.60",  -1},
        {"edtmDir",          "0.75",  -1},
        {"edtmsup",          "0.80",  -1},
        {"edtmInf",          "2.00",  -1},
        {"edtPathLogs",      "/opt/nfe/bin/Logs", -1},
        {"edtPathSchemas",   "/opt/nfe/bin/Schemas40/", -1},
        {"edtFormatoAlerta", "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.", -1},
        {"edtTentativas",    "5",     -1},
        {"seTimeOut",        "5000",  -1},
        {"edtTamanhofonte",  "",      0},
        {"edtAlturaLinha",   "",      0},
        {"cbUF",             "",      24}, // SP
        {"cbVersaoDF",       "",      3},
        {"rdDanfeNfce",      "",      1},
        {"cbFormaEmissao",   "",      0},
    };
    // clang-format on
    for (const auto &e : esperados) {
        EXPECT_EQ(t.controle(e.controle).texto, e.texto) << e.controle;
        EXPECT_EQ(t.controle(e.controle).indice, e.indice) << e.controle;
    }
    EXPECT_TRUE(t.controle("chkProtNfeSsl20").marcado);
    EXPECT_FALSE(t.controle("chkProtNfeTls12").marcado);
    EXPECT_TRUE(t.controle("chkdigestValue").marcado);
}

TEST_F(ConfigGeralTest, StoredValuesOutsideTheListsLeaveTheirControls)
{
    // clang-format off
    const struct { const char *sessao, *chave, *armazenado, *controle; int antes, depois; const char *texto; } casos[] = {
        {"DANFE",      "tamanhoDafonte", "5",   "edtTamanhofonte", 2, -1, ""},
        {"DANFE",      "tamanhoDafonte", "20",  "edtTamanhofonte", 2, -1, ""},
        {"DANFE",      "tamanhoDafonte", "0",   "edtTamanhofonte", 2, 2,  ""},
        {"DANFE",      "tamanhoDafonte", "13",  "edtTamanhofonte", 2, 7,  ""},
        {"DANFE",      "alturaDaLinha",  "28",  "edtAlturaLinha",  2, 2,  ""},
        {"DANFE",      "alturaDaLinha",  "35",  "edtAlturaLinha",  2, 3,  ""},
        {"WebService", "UF",             "XX",  "cbUF",            3, -1, ""},
        {"WebService", "UF",             "TO",  "cbUF",            3, 26, ""},
        {"DANFE",      "margemInf",      "150", "edtmInf",         -1, -1, "1.50"},
        {"DANFE",      "margemEsq",      "0",   "edtmEsq",         -1, -1, "0.60"},
    };
    // clang-format on
    int n = 0;
    for (const auto &c : casos) {
        const std::string cnpj = "1000000000030" + std::to_string(n++);
        auto &t = tela(cnpj);
        t.Ini_WriteString(c.sessao, c.chave, c.armazenado);
        t.controle(c.controle).indice = c.antes;
        t.LerConfiguracoes();
        EXPECT_EQ(t.controle(c.controle).indice, c.depois) << c.chave << "=" << c.armazenado;
        EXPECT_EQ(t.controle(c.controle).texto, c.texto) << c.chave << "=" << c.armazenado;
    }
    modulo->dtmNFERollback();
}

TEST_F(ConfigGeralTest, SaveStoresEveryKeyOnceAndReadsBackTheSameControls)
{
    const std::string cnpj = "10000000000404";
    auto &t = tela(cnpj);
    int n = 0;
    for (auto &[nome, c] : t.controles()) {
        auto &controle = t.controle(nome);
        controle.texto = nome + " d'Ávila";
        controle.indice = 1;
        controle.marcado = n++ % 2 == 0;
    }
    // clang-format off
    const struct { const char *controle, *texto; } edits[] = {
        {"edtmEsq", "0.29"}, {"edtmDir", "1.13"}, {"edtmsup", "2.01"}, {"edtmInf", "0.605"},
        {"seTimeOut", "7000"}, {"mmEmailMsg", "Prezado cliente,\nsegue a nota."},
        {"edtAguardar", "3"}, {"edtTentativas", "4"}, {"edtIntervalo", "2"},
    };
    // clang-format on
    for (const auto &e : edits)
        t.controle(e.controle).texto = e.texto;
    t.controle("edtTamanhofonte").indice = -1;
    t.controle("edtAlturaLinha").indice = -1;
    t.controle("cbFormaEmissao").indice = -1;
    t.controle("cbUF").indice = 5;         // CE
    t.controle("cbXmlSignLib").indice = 4; // xsLibXml2

    t.btnSalvarConfigClick();
    EXPECT_EQ(t.ModalResult, TfrmConfigGeral40::ResultadoModal::Ok);
    EXPECT_THAT(dialogos->shown, testing::IsEmpty());
    EXPECT_EQ(linhas(cnpj), "100");
    // clang-format off
    const struct { const char *sessao, *chave, *valor; } linhasEsperadas[] = {
        {"GERAL", "FORMAEMISSAO", "-1"},        {"DANFE", "TAMANHODAFONTE", "5"},
        {"DANFE", "ALTURADALINHA", "35"},       {"DANFE", "MARGEMESQ", "29"},
        {"DANFE", "MARGEMDIR", "113"},          {"DANFE", "MARGEMSUP", "201"},
        {"DANFE", "MARGEMINF", "60"},           {"WEBSERVICE", "UF", "CE"},
        {"WEBSERVICE", "UF_INDEX", "5"},        {"WEBSERVICE", "TIMEOUT", "7000"},
        {"EMITENTE", "RAZAOSOCIAL", "edtEmitRazao d'Ávila"},
        {"EMAIL", "MENSAGEM", "<null>"},
    };
    // clang-format on
    for (const auto &l : linhasEsperadas)
        EXPECT_EQ(valor(cnpj, l.sessao, l.chave), l.valor) << l.sessao << "/" << l.chave;
    EXPECT_THAT(valor(cnpj, "GERAL", "SALVAR"), testing::AnyOf("TRUE", "FALSE"));

    TfrmConfigGeral40 relida(*modulo, kPasta);
    relida.LerConfiguracoes();
    for (const auto &nome : t.controlesEmOrdemDeLeitura()) {
        auto esperado = t.controle(nome);
        if (nome == "cbVersaoDF")
            esperado.indice = 3;
        else if (nome == "cbSSLLib")
            esperado.indice = 5; // the lists show the component's libCustom
        else if (nome == "edtPathSchemas")
            esperado.texto = "/opt/nfe/bin/Schemas40/";
        else if (nome == "edtAlturaLinha")
            esperado.indice = 3;
        else if (nome == "edtmInf")
            esperado.texto = "0.60";
        const auto &lido = relida.controle(nome);
        if (lido.tipo == TipoControle::Edit)
            EXPECT_EQ(lido.texto, esperado.texto) << nome;
        else if (lido.tipo == TipoControle::Lista)
            EXPECT_EQ(lido.indice, esperado.indice) << nome;
        else
            EXPECT_EQ(lido.marcado, esperado.marcado) << nome;
    }

    relida.btnSalvarConfigClick();
    EXPECT_EQ(linhas(cnpj), "100");
}

TEST_F(ConfigGeralTest, MarginsStoreTheirExactHundredths)
{
    const std::string cnpj = "10000000000505";
    auto &t = tela(cnpj);
    t.LerConfiguracoes();
    t.controle("edtmEsq").texto = "9.99";
    t.btnMargensDefaultClick();
    t.btnSalvarConfigClick();
    // clang-format off
    const struct { const char *chave, *valor; } margens[] = {
        {"MARGEMESQ", "60"}, {"MARGEMDIR", "75"}, {"MARGEMSUP", "80"}, {"MARGEMINF", "200"},
    };
    // clang-format on
    for (const auto &m : margens)
        EXPECT_EQ(valor(cnpj, "DANFE", m.chave), m.valor) << m.chave;
}

TEST_F(ConfigGeralTest, AFailedSaveLeavesNothingOfItAndTheScreenOpen)
{
    const std::string cnpj = "10000000000606";
    auto &t = tela(cnpj);
    t.LerConfiguracoes();
    t.btnSalvarConfigClick();
    ASSERT_EQ(linhas(cnpj), "100");

    TfrmConfigGeral40 segunda(*modulo, kPasta);
    segunda.LerConfiguracoes();
    segunda.controle("cbSSLLib").indice = 2; // written before the failing key
    segunda.controle("edtPathLogs").texto = std::string(101, 'p');
    segunda.controle("edtEmitRazao").texto = "Nova"; // after it
    segunda.btnSalvarConfigClick();
    EXPECT_EQ(segunda.ModalResult, TfrmConfigGeral40::ResultadoModal::Nenhum);
    ASSERT_EQ(dialogos->shown.size(), 1u);
    EXPECT_THAT(dialogos->shown[0],
                testing::AllOf(testing::HasSubstr("PathSalvar"), testing::HasSubstr("Geral")));
    EXPECT_EQ(segunda.controle("edtPathLogs").texto, std::string(101, 'p'));

    // A later commit of the same connection stores nothing of that save.
    modulo->dtmNFECommit();
    EXPECT_EQ(valor(cnpj, "CERTIFICADO", "SSLLIB"), "0");
    EXPECT_EQ(valor(cnpj, "GERAL", "PATHSALVAR"), "/opt/nfe/bin/Logs");
    EXPECT_EQ(linhas(cnpj), "100");
}

TEST_F(ConfigGeralTest, ANonNumericIntegerStopsTheReaderAtItsKey)
{
    auto &t = tela("10000000000707");
    t.Ini_WriteString("Geral", "FormaEmissao", "1");
    t.Ini_WriteString("WebService", "TimeOut", "abc");
    t.Ini_WriteString("Proxy", "Host", "proxy.local");
    t.controle("edtProxyHost").texto = "antes";
    EXPECT_THROW(t.LerConfiguracoes(), ConversionError);
    EXPECT_EQ(t.controle("cbFormaEmissao").indice, 1);
    EXPECT_EQ(t.controle("edtProxyHost").texto, "antes");
    modulo->dtmNFERollback();
}

} // namespace

namespace {

TEST_F(ConfigGeralTest, DefaultMailAccountFillsTheEditsOnlyAfterYes)
{
    auto &t = tela("10000000000808");
    t.controle("edtSmtpHost").texto = "smtp.loja.com.br";
    dialogos->answers = {false};
    t.btnDadosDefaultKVLClick();
    EXPECT_EQ(t.controle("edtSmtpHost").texto, "smtp.loja.com.br");

    dialogos->answers = {true};
    t.btnDadosDefaultKVLClick();
    EXPECT_THAT(dialogos->shown, testing::Each("confirmacao: Carregar dados default KVL ?"));
    for (const char *edit : {"edtSmtpHost", "edtSmtpUser", "edtSmtpPass"})
        EXPECT_NE(t.controle(edit).texto, "") << edit;
    EXPECT_NE(t.controle("edtSmtpHost").texto, "smtp.loja.com.br");
    EXPECT_EQ(t.controle("edtSmtpPort").texto, "587");
    EXPECT_EQ(t.controle("edtSmtpPass").texto, "Pul#604Pul");
    EXPECT_EQ(linhas("10000000000808"), "0");
}

TEST_F(ConfigGeralTest, PickersFillTheirEditsAndCancelKeepsThem)
{
    auto &t = tela("10000000000909");
    dialogos->files = {"/home/loja/certificado.pfx", "/home/loja/logo.bmp", "/srv/nfe/xml", std::nullopt};
    t.sbtnCaminhoCertClick();
    t.sbtnLogoMarcaClick();
    t.btnPastaClick("edtPathNFe");
    t.controle("edtPathCan").texto = "/srv/nfe/can";
    t.btnPastaClick("edtPathCan");
    EXPECT_EQ(t.controle("edtCaminho").texto, "/home/loja/certificado.pfx");
    EXPECT_EQ(t.controle("edtLogoMarca").texto, "/home/loja/logo.bmp");
    EXPECT_EQ(t.controle("edtPathNFe").texto, "/srv/nfe/xml");
    EXPECT_EQ(t.controle("edtPathCan").texto, "/srv/nfe/can");
    EXPECT_THAT(dialogos->shown,
                testing::ElementsAre("arquivo: Arquivos PFX (*.pfx)|*.pfx|Todos os Arquivos (*.*)|*.*",
                                     "arquivo: Arquivos BMP (*.bmp)|*.bmp|Todos os Arquivos (*.*)|*.*",
                                     "pasta: /opt/nfe/bin/", "pasta: /srv/nfe/can"));
    EXPECT_THROW(t.btnPastaClick("edtSenha"), std::out_of_range);
}

} // namespace
