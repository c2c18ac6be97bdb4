#include "monitor_client/tabelas_notas.h"

#include "tests/support/staged_notes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TabelasNotas, OpenFileEmptiesTablesThatHoldRows)
{
    TabelasNotas tabelas;
    EXPECT_THROW(tabelas.posta(LinhaNota{}), std::logic_error);
    tabelas.OpenFile();
    EXPECT_EQ(tabelas.LinhasPorPagina, 30);
    tabelas.posta(tabelas.tblNotas.nova());
    tabelas.posta(LinhaVolume{});
    tabelas.OpenFile();
    EXPECT_TRUE(tabelas.tblNotas.linhas().empty());
    EXPECT_TRUE(tabelas.tblVolumes.linhas().empty());
    tabelas.CloseFile();
    EXPECT_FALSE(tabelas.tblItens.aberta());
}

TEST(TabelasNotas, NewRowsTakeTheDeclaredDefaults)
{
    TabelasNotas tabelas;
    const LinhaItem item = tabelas.tblItens.nova();
    EXPECT_EQ(item.cst_IPI, 50);
    EXPECT_FALSE(item.printAdc);
    EXPECT_EQ(item.pis_cst, 0);
    EXPECT_EQ(tabelas.tblNotas.nova().cod_pais, 0);
}

TEST(TabelasNotas, PostingDropsThousandsSeparatorsOfTheCurrentItem)
{
    TabelasNotas tabelas;
    tabelas.OpenFile();
    LinhaItem item = tabelas.tblItens.nova();
    item.sub_tot_pro = "1,000.00";
    item.qtd_pro = "1,500";
    item.vlr_uni_pro = "2,000.5";
    tabelas.posta(item);
    EXPECT_EQ(tabelas.tblItens.linhas()[0].sub_tot_pro, "1000.00");
    EXPECT_EQ(tabelas.tblItens.linhas()[0].qtd_pro, "1500");
    EXPECT_EQ(tabelas.tblItens.linhas()[0].vlr_uni_pro, "2000.5");

    // A lot posted while its item is still being filled (the XML import).
    tabelas.tblItens.linhas()[0].sub_tot_pro = "3,000.00";
    tabelas.posta(LinhaLoteMed{});
    EXPECT_EQ(tabelas.tblItens.linhas()[0].sub_tot_pro, "3000.00");
}

TEST(StagedNotes, LoadsRowsByFieldNamesInAnyCase)
{
    TabelasNotas tabelas;
    testsupport::loadStagedNotes(R"({"TBLNOTAS": [{"NOTA": 7, "nom_NOT": "Ação"}],
        "tblItens": [{"nota": 7, "sub_tot_pro": "1,000.00", "printAdc": true, "pis_cst": 65535}],
        "tblFatura": [{"nota": 7, "data": "29/02/2024", "valor_fat": 10.5}]})",
                                 tabelas);
    ASSERT_EQ(tabelas.tblNotas.linhas().size(), 1u);
    EXPECT_EQ(tabelas.tblNotas.linhas()[0].nom_not, "Ação");
    EXPECT_EQ(tabelas.tblItens.linhas()[0].sub_tot_pro, "1000.00");
    EXPECT_EQ(tabelas.tblItens.linhas()[0].cst_IPI, 50);
    EXPECT_TRUE(tabelas.tblItens.linhas()[0].printAdc);
    EXPECT_DOUBLE_EQ(tabelas.tblFatura.linhas()[0].valor_fat, 10.5);
    EXPECT_GT(tabelas.tblFatura.linhas()[0].data, 0);
}

TEST(StagedNotes, RefusesWhatTheTablesCannotHoldNamingTableRowAndField)
{
    const struct {
        const char *json, *mensagem;
    } casos[] = {
        {R"({"tblCoisas": []})", "tblCoisas: tabela desconhecida"},
        {R"({"tblNotas": [{"nota": 1, "cor": "azul"}]})", "tblNotas, linha 1, campo cor: campo desconhecido"},
        {R"({"tblNotas": [{}, {"nota": "1"}]})", "tblNotas, linha 2, campo nota: esperado um numero inteiro"},
        {R"({"tblNotas": [{"uf_ent": "SÃO"}]})",
         "tblNotas, linha 1, campo uf_ent: texto com 3 caracteres (maximo 2)"},
        {R"({"tblItens": [{"printAdc": 1}]})", "tblItens, linha 1, campo printAdc: esperado true ou false"},
        {R"({"tblItens": [{"pis_cst": 70000}]})", "tblItens, linha 1, campo pis_cst: fora de 0 a 65535"},
        {R"({"tblFatura": [{"data": "31/02/2024"}]})",
         "tblFatura, linha 1, campo data: esperada uma data dd/mm/aaaa"},
        {R"({"tblVolumes": {}})", "tblVolumes: esperada uma lista de linhas"},
    };
    for (const auto &caso : casos) {
        TabelasNotas tabelas;
        try {
            testsupport::loadStagedNotes(caso.json, tabelas);
            ADD_FAILURE() << caso.json;
        } catch (const testsupport::StagedNotesError &erro) {
            EXPECT_EQ(std::string(erro.what()), caso.mensagem);
        }
    }
}

} // namespace
