#include "app/config_geral/frm_config_geral.h"
#include "app/config_nfe/frm_confi_nfe.h"
#include "app/db/statement.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>

#include <map>

using testing::ElementsAre;

namespace {

using State = db::DataSet::State;

class ConfiNFETest : public BancosFixture {
  protected:
    void SetUp() override
    {
        BancosFixture::SetUp();
        modulo->dtmNFEOpen({"ConfigNFE"});
        configGeral = std::make_unique<TfrmConfigGeral>(*modulo, pasta.path().string() + "/");
        tela = std::make_unique<TfrmConfiNFE>(*modulo, *gerencia, *configGeral, pasta.path().string() + "/");
    }
    void TearDown() override
    {
        tela.reset();
        configGeral.reset();
        BancosFixture::TearDown();
    }
    // A new emitter row through "Incluir" and "Salvar".
    void novaLinha(const std::map<std::string, db::Value> &campos)
    {
        tela->btnNewClick();
        for (const auto &[nome, valor] : campos)
            tela->tabela().setField(nome, valor);
        tela->dbBBtnSaveClick();
        ASSERT_EQ(tela->tabela().state(), State::Browse);
    }
    static std::string externo(const std::string &sql) { return consultaExterna(bancoModulo(), sql); }
    static std::string contaConfig(const std::string &cnpj)
    {
        return externo("SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '" + cnpj + "'");
    }

    testsupport::TempDir pasta;
    std::unique_ptr<TfrmConfigGeral> configGeral;
    std::unique_ptr<TfrmConfiNFE> tela;
};

TEST(EstadoBotoesConfiNFE, FollowsTheCursorState)
{
    // clang-format off
    const struct { State estado; bool somenteLeitura, vazia; EstadoBotoesConfiNFE esperado; } casos[] = {
        {State::Browse,   false, false, {true,  true,  false, false, true}},
        {State::Browse,   false, true,  {true,  false, false, false, false}},
        {State::Browse,   true,  false, {false, false, false, false, true}},
        {State::Edit,     false, false, {false, false, true,  true,  false}},
        {State::Insert,   false, true,  {false, false, true,  true,  false}},
        {State::Inactive, false, true,  {false, false, false, false, false}},
    };
    // clang-format on
    for (const auto &c : casos)
        EXPECT_EQ(estadoBotoesConfiNFE(c.estado, c.somenteLeitura, c.vazia), c.esperado)
            << static_cast<int>(c.estado) << c.somenteLeitura << c.vazia;
}

TEST_F(ConfiNFETest, IncluirDefaultsAndAnEmptyNameRefusesTheSaveWritingNothing)
{
    tela->btnNewClick();
    EXPECT_EQ(tela->campo("COD_PAIS_EMI").asInteger(), 1058);
    EXPECT_EQ(tela->campo("PAIS_EMI").asString(), "BRASIL");
    EXPECT_EQ(tela->campo("TIPO_EMI").asString(), "J");
    EXPECT_EQ(tela->campo("NRO_COPIAS1").asInteger(), 1);
    EXPECT_EQ(tela->campo("NRO_COPIAS2").asInteger(), 0);
    EXPECT_EQ(tela->campo("CNPJ_ATIVO").asString(), "T");
    EXPECT_EQ(tela->foco, "edtnome");

    tela->defineCampo("CNPJ_EMI", "10.100.100/0001-00");
    tela->defineHomologacao(true);
    tela->dbBBtnSaveClick();
    EXPECT_TRUE(tela->Recusado);
    EXPECT_THAT(dialogos->shown, ElementsAre(testing::HasSubstr("Nome não informado")));
    EXPECT_EQ(tela->tabela().state(), State::Insert);
    // Nothing waits in the transaction for a later commit.
    EXPECT_TRUE(modulo->dtmNFECommit());
    EXPECT_EQ(contaConfig("10100100000100"), "0");
    EXPECT_EQ(externo("SELECT COUNT(*) FROM CONFIGNFE WHERE CNPJ_EMI = '10.100.100/0001-00'"), "0");

    tela->defineCampo("NOM_EMI", "Mercado Água Boa");
    tela->dbBBtnSaveClick();
    EXPECT_FALSE(tela->Recusado);
    EXPECT_EQ(tela->tabela().state(), State::Browse);
    EXPECT_EQ(tela->foco, "btnNew");
    EXPECT_EQ(externo("SELECT NOM_EMI FROM CONFIGNFE WHERE CNPJ_EMI = '10.100.100/0001-00'"),
              "Mercado Água Boa");
    EXPECT_EQ(
        externo(
            "SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CNPJ = '10100100000100' AND CAMPO_REF = 'RGTIPOAMB'"),
        "1");
}

TEST_F(ConfiNFETest, SeedingOfBothSettingsScreensUsesTheCnpjDigitsAndTheRowsFlags)
{
    novaLinha({{"NOM_EMI", db::Value("Loja Um")},
               {"CNPJ_EMI", db::Value("20.200.200/0001-00")},
               {"CEP_EMI", db::Value("11010-000")},
               {"COD_MUN_EMI", db::Value(3548500)},
               {"UF_EMI", db::Value("SP")},
               {"COD_REG_TRIB", db::Value(3)},
               {"NRO_COPIAS2", db::Value(100)},
               {"CONTINGENCIA", db::Value(2)}});
    int mostrado = 0;
    tela->mostraConfigGeral40 = [&] { ++mostrado; };
    tela->btnConfigNfe40Click();
    tela->brnConfigNFEClick();
    EXPECT_EQ(mostrado, 1);
    EXPECT_EQ(modulo->CnpjEmpresa, "20200200000100");
    EXPECT_EQ(configGeral->CnpjEmpresa, "20200200000100");

    const auto secao = [&](const char *s, const char *chave) {
        return externo(std::string("SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CNPJ = '20200200000100' AND "
                                   "SESSAO_REFERENCIA = '") +
                       s + "' AND CAMPO_REF = '" + chave + "'");
    };
    // clang-format off
    const struct { const char *sessao, *chave, *valor; } sectioned[] = {
        {"EMITENTE", "CNPJ", "20200200000100"}, {"EMITENTE", "RAZAOSOCIAL", "Loja Um"},
        {"EMITENTE", "CEP", "11010000"},        {"EMITENTE", "CODCIDADE", "3548500"},
        {"EMITENTE", "UF", "SP"},               {"GERAL", "FORMAEMISSAO", "0"},
        {"EMITENTE", "RDREGIMEOPERACAO", "1"},  {"WEBSERVICE", "AMBIENTE", "1"},
    };
    // clang-format on
    for (const auto &c : sectioned)
        EXPECT_EQ(secao(c.sessao, c.chave), c.valor) << c.chave;

    const auto plana = [&](const char *chave) {
        return configGeral->Busca_Valor_Referencia("20200200000100", chave);
    };
    // clang-format off
    const std::map<std::string, std::string> flat = {
        {"edtEmitCNPJ", "20200200000100"}, {"edtEmitCEP", "11010000"}, {"rgTipoDanfe", "0"},
        {"rgFormaEmissao", "1"}, {"rdRegimeOperacao", "1"}, {"rgtipoAmb", "1"}, {"rgTipoAmbNFSE", "1"},
    };
    // clang-format on
    for (const auto &[chave, valor] : flat)
        EXPECT_EQ(plana(chave.c_str()), valor) << chave;
    EXPECT_EQ(externo("SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ LIKE '%.%' OR CNPJ LIKE '%/%'"), "0");
}

TEST_F(ConfiNFETest, DeleteRemovesTheSettingsOnlyTogetherWithTheRow)
{
    novaLinha({{"NOM_EMI", db::Value("Loja Dois")}, {"CNPJ_EMI", db::Value("30.300.300/0001-00")}});
    tela->btnConfigNfe40Click();
    tela->brnConfigNFEClick();
    ASSERT_NE(contaConfig("30300300000100"), "0");

    dialogos->answers = {false};
    tela->btnDeleteClick();
    EXPECT_TRUE(modulo->dtmNFECommit());
    EXPECT_NE(contaConfig("30300300000100"), "0");
    EXPECT_EQ(externo("SELECT COUNT(*) FROM CONFIGNFE WHERE NOM_EMI = 'Loja Dois'"), "1");

    ASSERT_TRUE(tela->tabela().locate("NOM_EMI", db::Value("Loja Dois")));
    tela->btnDeleteClick();
    EXPECT_EQ(contaConfig("30300300000100"), "0");
    EXPECT_EQ(externo("SELECT COUNT(*) FROM CONFIGNFE WHERE NOM_EMI = 'Loja Dois'"), "0");
    EXPECT_EQ(tela->foco, "btnNew");
}

TEST_F(ConfiNFETest, StateCodeCheckOnLeavingTheField)
{
    novaLinha({{"NOM_EMI", db::Value("Loja Tres")}, {"COD_UF_EMI", db::Value(35)}});
    tela->defineCampo("COD_UF_EMI", "34");
    tela->edtcodufExit();
    EXPECT_EQ(tela->foco, "edtcoduf");
    ASSERT_EQ(dialogos->shown.size(), 1u);
    EXPECT_NE(dialogos->shown[0].find("Codigo do estado inválido"), std::string::npos);
    tela->foco.clear();
    tela->defineCampo("COD_UF_EMI", "35");
    tela->edtcodufExit();
    EXPECT_EQ(tela->foco, "");
    EXPECT_EQ(dialogos->shown.size(), 1u);
    tela->btnCancelClick();
}

TEST_F(ConfiNFETest, CityPickerPressedTwiceWritesTheCityItWasPositionedOn)
{
    pasta.write("tabela_cidades_ibge.txt",
                "35;SAO PAULO;3550308;S\xE3o Paulo\n35;SAO PAULO;3548500;Santos\n"
                "35;SAO PAULO;3500105;Adamantina\n33;RIO;3304557;Rio de Janeiro\n");
    pasta.write("tabela_de_paises.txt", "1058\tBrasil\n");
    novaLinha({{"NOM_EMI", db::Value("Loja Quatro")}, {"COD_UF_EMI", db::Value(35)}});
    // clang-format off
    const struct { const char *municipio; int codigo; const char *nome; } casos[] = {
        {"SANTOS", 3548500, "SANTOS"},
        {"Santos", 3500105, "ADAMANTINA"}, // not the exact name: the state's first city
    };
    // clang-format on
    for (const auto &c : casos) {
        tela->defineCampo("MUN_EMI", c.municipio);
        tela->btnBuscaCidadesClick();
        EXPECT_TRUE(tela->gridCid.visivel);
        EXPECT_EQ(tela->btnBuscaCidades.caption, "Confirmar cidade");
        EXPECT_EQ(tela->tblCidades.quantidade(), 3u);
        tela->btnBuscaCidadesClick();
        EXPECT_FALSE(tela->gridCid.visivel);
        EXPECT_EQ(tela->btnBuscaCidades.width, 22);
        EXPECT_EQ(tela->campo("COD_MUN_EMI").asInteger(), c.codigo) << c.municipio;
        EXPECT_EQ(tela->campo("MUN_EMI").asString(), c.nome);
        EXPECT_EQ(tela->tblCidades.quantidade(), 4u);
    }
    EXPECT_EQ(tela->tblEstados.quantidade(), 2u);
    EXPECT_EQ(tela->tblPaises.quantidade(), 1u);
    tela->btnCancelClick();
}

TEST_F(ConfiNFETest, MissingReferenceFilesAreToldAndTheListsStayClosed)
{
    tela->CreateFileEstadoCidade();
    tela->CreateFilePais();
    EXPECT_THAT(dialogos->shown,
                ElementsAre(std::string(TfrmConfiNFE::kTitulo) + ": Tabela de cidades não localizada",
                            std::string(TfrmConfiNFE::kTitulo) + ": Tabela de paises não localizada"));
    EXPECT_FALSE(tela->tblEstados.aberta());
    EXPECT_FALSE(tela->tblPaises.aberta());
}

TEST_F(ConfiNFETest, UpgradeOnAFirstStartDatabaseShowsOnlyTheFourStepMessages)
{
    tela->AlteraoesaseremExecutadas1Click();
    EXPECT_THAT(dialogos->shown, ElementsAre(testing::HasSubstr("Alteracao 01 já realizada."),
                                             testing::HasSubstr("Alteracao 02 já realizada."),
                                             testing::HasSubstr("Alteracao 03 já realizada."),
                                             testing::HasSubstr("Alteracao 04 já realizada.")));
}

TEST_F(ConfiNFETest, ImportFromTheManagementModuleFillsTheNameAndCityName)
{
    tela->btnNewClick();
    tela->defineCampo("COD_MUN_EMI", "3548500");
    tela->Importarcadastrodegerenci1Click();
    EXPECT_EQ(tela->tabela().state(), State::Browse);
    EXPECT_EQ(tela->campo("NOM_EMI").asString(), "Padaria São João");
    EXPECT_EQ(tela->campo("MUN_EMI").asString(), "Santos");
    // The company row holds no municipality code: the typed one stays.
    EXPECT_EQ(tela->campo("COD_MUN_EMI").asInteger(), 3548500);
    EXPECT_EQ(tela->campo("PAIS_EMI").asString(), "BRASIL");
}

TEST_F(ConfiNFETest, PurgeRemovesOnlyTheCurrentEmittersHomologationNotesAndTheirChildRows)
{
    const char *filhas[] = {"NOTAS_CAB",      "NOTAS_CCE",      "NOTAS_FAT", "NOTAS_ITEM",   "NOTAS_ITEM_II",
                            "NOTAS_ITEM_IMP", "NOTAS_ITEM_REF", "NOTAS_OBS", "NOTAS_TOTAIS", "NOTAS_TRANSP"};
    db::Transaction &t = *modulo->ibtNFE;
    db::executeSql(t, "CREATE TABLE NOTAS (ID_NOTA INTEGER, CNPJ VARCHAR(14), HAMBIENTE VARCHAR(15))");
    for (const char *f : filhas)
        db::executeSql(t, std::string("CREATE TABLE ") + f + " (ID_NOTA INTEGER)");
    ASSERT_TRUE(modulo->dtmNFECommit());
    // clang-format off
    const struct { int id; const char *cnpj, *ambiente; } notas[] = {
        {1, "40400400000100", "HOMOLOGACAO"}, {2, "40400400000100", "HOMOLOGACAO"},
        {3, "40400400000100", "PRODUCAO"},    {4, "50500500000100", "HOMOLOGACAO"},
    };
    // clang-format on
    for (const auto &n : notas) {
        db::executeSql(t, "INSERT INTO NOTAS VALUES (?, ?, ?)",
                       {db::Value(n.id), db::Value(n.cnpj), db::Value(n.ambiente)});
        for (const char *f : filhas)
            db::executeSql(t, std::string("INSERT INTO ") + f + " VALUES (?)", {db::Value(n.id)});
    }
    novaLinha({{"NOM_EMI", db::Value("Loja Cinco")}, {"CNPJ_EMI", db::Value("40.400.400/0001-00")}});

    tela->SpeedButton1Click();
    EXPECT_EQ(externo("SELECT LIST(ID_NOTA) FROM (SELECT ID_NOTA FROM NOTAS ORDER BY ID_NOTA)"), "3,4");
    for (const char *f : filhas)
        EXPECT_EQ(
            externo(std::string("SELECT LIST(ID_NOTA) FROM (SELECT ID_NOTA FROM ") + f + " ORDER BY 1)"),
            "3,4")
            << f;
    ASSERT_EQ(dialogos->shown.size(), 3u);
    EXPECT_NE(dialogos->shown[0].find(
                  "Eliminar os registros feitos em Homologação para o CNPJ: 40.400.400/0001-00 ?"),
              std::string::npos);
    EXPECT_NE(dialogos->shown[1].find("Foram eliminados 2 notas do CNPJ: 40.400.400/0001-00"),
              std::string::npos);
}

TEST_F(ConfiNFETest, ClosingPreparesTheMonitorScreensInOrder)
{
    std::vector<std::string> chamadas;
    tela->Criar_Forms = [&] { chamadas.push_back("Criar_Forms"); };
    tela->Ativa_Modelo_Exportacao = [&] { chamadas.push_back("Ativa_Modelo_Exportacao"); };
    tela->FormClose();
    EXPECT_THAT(chamadas, ElementsAre("Criar_Forms", "Ativa_Modelo_Exportacao"));
}

} // namespace
