#include "app/nivel_menu/frm_nivel_menu.h"

#include "foundation/base/quib_exception.h"
#include "tests/app/dados/bancos_fixture.h"

#include <gtest/gtest.h>

namespace {

// Each test works on a system code of its own in the shared database.
class NivelMenu : public BancosFixture {
  protected:
    void linha(int sistema, int nivel, const std::string &nome, const std::string &liberado,
               const std::string &ordem = "")
    {
        executaComCommit(bancoGerencia(),
                         "INSERT INTO NIVELMENU (COD_SISTEMA, COD_NIVEL, NAME, LIBERADO, ORDEM) "
                         "VALUES (" +
                             std::to_string(sistema) + ", " + std::to_string(nivel) + ", '" + nome + "', '" +
                             liberado + "', '" + ordem + "')");
    }
    static std::string linhas(int sistema)
    {
        return consultaExterna(bancoGerencia(),
                               "SELECT LIST(COD_NIVEL || ':' || NAME || ':' || LIBERADO || ':' || "
                               "ORDEM || ':' || CAPTION, '|') FROM (SELECT * FROM NIVELMENU WHERE "
                               "COD_SISTEMA = " +
                                   std::to_string(sistema) + " ORDER BY ORDEM)");
    }
    static ItemMenu menu()
    {
        ItemMenu raiz;
        raiz.Items = {{"Arquivos1",
                       "&Arquivos",
                       true,
                       {{"Oculto1", "Oculto", false, {}}, {"Alteracao1", "Alteração de Arquivos", true, {}}}},
                      {"Gerencia1", "Gerencia", true, {{"Modulo1", "Modulo/Geral", true, {}}}}};
        return raiz;
    }
    static std::vector<std::string> visiveis(const ItemMenu &item)
    {
        std::vector<std::string> nomes;
        for (const ItemMenu &filho : item.Items) {
            if (filho.Visible)
                nomes.push_back(filho.Name);
            for (const std::string &neto : visiveis(filho))
                nomes.push_back(neto);
        }
        return nomes;
    }
};

TEST(TiraAcento, KeepsPlainLettersAndMapsAccentedOnesToPlainCapitals)
{
    // clang-format off
    const std::pair<std::string, std::string> casos[] = {
        {"Alteração de Arquivos", "AlteraCAo de Arquivos"},
        {"&Arquivos -> Modulo/Geral", "Arquivos -> ModuloGeral"},
        {"ÁÀÂÃáàâã ÉÊÈéêè ÍÎÌíîì", "AAAAAAAA EEEEEE IIIIII"},
        {"ÓÒÔÕóòôõ ÚÙÛúùû Çç", "OOOOOOOO UUUUUU CC"},
        {"1ª 2º", "1o 2o"},
        {"O'Brien \"x\" ; --", "OBrien x  --"},
        {"ñ ü €", "  "},
    };
    // clang-format on
    for (const auto &[entrada, saida] : casos)
        EXPECT_EQ(TfrmNivelMenu::TiraAcento(entrada), saida) << entrada;
}

TEST_F(NivelMenu, LevelZeroTrimsNothingAndAboveItHidesWithheldItemsButEvaluatesTheirChildren)
{
    linha(901, 2, "Arquivos1", "F");
    linha(901, 2, "Alteracao1", "T");
    linha(901, 2, "Modulo1", "F");
    linha(901, 3, "Modulo1", "F"); // another level: no effect on level 2

    TfrmNivelMenu nivel(*gerencia);
    nivel.CodigoSistema = 901;
    ItemMenu itens = menu();
    nivel.Menu = &itens;

    gerencia->NivelUsuario = 0;
    nivel.AjustaNivelUsuario();
    EXPECT_EQ(visiveis(itens), (std::vector<std::string>{"Arquivos1", "Alteracao1", "Gerencia1", "Modulo1"}));

    gerencia->NivelUsuario = 2;
    nivel.AjustaNivelUsuario();
    // The design-hidden item stays hidden; the withheld parent's child keeps its own visibility.
    EXPECT_EQ(visiveis(itens), (std::vector<std::string>{"Alteracao1", "Gerencia1"}));
}

TEST_F(NivelMenu, ALevelWithoutRowsKeepsEverythingAndAHiddenItemIsNeverLookedUp)
{
    TfrmNivelMenu nivel(*gerencia);
    nivel.CodigoSistema = 902;
    ItemMenu itens = menu();
    nivel.Menu = &itens;
    gerencia->NivelUsuario = 2;
    nivel.AjustaNivelUsuario();
    EXPECT_EQ(visiveis(itens), (std::vector<std::string>{"Arquivos1", "Alteracao1", "Gerencia1", "Modulo1"}));

    // No query runs for a hidden item: not even a broken connection is noticed.
    gerencia->dtmConectBanco(false);
    EXPECT_FALSE(nivel.AtivaOpcao("Oculto1", false));
}

TEST_F(NivelMenu, ANameWithAQuoteIsAValueNotSql)
{
    linha(903, 1, "OBrien1", "F");
    gerencia->NivelUsuario = 1;
    TfrmNivelMenu nivel(*gerencia);
    nivel.CodigoSistema = 903;
    EXPECT_FALSE(nivel.AtivaOpcao("O'Brien1", true));
    EXPECT_TRUE(nivel.AtivaOpcao("x') OR (1=1", true));
    EXPECT_FALSE(nivel.TestaNivelUsuario("x' OR '1'='1", "903", "F"));
}

TEST_F(NivelMenu, TestaNivelUsuarioNeedsAReleasedRowAndNoWithheldEnclosingEntry)
{
    linha(904, 4, "TOPO1", "T", "01");
    linha(904, 4, "MEIO1", "F", "0102");
    linha(904, 4, "FOLHA1", "T", "010203");
    linha(904, 4, "LIVRE1", "T", "0100");
    linha(904, 4, "NEGADO1", "F", "02");

    TfrmNivelMenu nivel(*gerencia);
    struct Caso {
        int nivelUsuario;
        const char *opcao;
        bool esperado;
    };
    // clang-format off
    const Caso casos[] = {
        {0, "NENHUMA",  true},  // level 0 may use everything
        {-1, "NENHUMA", true},
        {4, "topo1",    true},  // compared in capitals
        {4, "LIVRE1",   true},
        {4, "FOLHA1",   false}, // "0102" is withheld
        {4, "NEGADO1",  false}, // its own row says "F"
        {4, "NENHUMA",  false}, // no row: not released here
    };
    // clang-format on
    for (const Caso &caso : casos) {
        gerencia->NivelUsuario = caso.nivelUsuario;
        dialogos->shown.clear();
        EXPECT_EQ(nivel.TestaNivelUsuario(caso.opcao, "904", "T"), caso.esperado) << caso.opcao;
        EXPECT_EQ(dialogos->shown.size(), caso.esperado ? 0u : 1u) << caso.opcao;
    }
    gerencia->NivelUsuario = 4;
    dialogos->shown.clear();
    EXPECT_FALSE(nivel.TestaNivelUsuario("FOLHA1", "904", "F"));
    EXPECT_TRUE(dialogos->shown.empty());
    EXPECT_THROW(nivel.TestaNivelUsuario("TOPO1", "9x", "F"), ConversionError);
}

TEST_F(NivelMenu, TestaOrdemOpcaoLooksAtEveryEvenPrefixButNotTheCodeItself)
{
    linha(905, 5, "A", "F", "03");
    linha(905, 5, "B", "F", "0401");
    TfrmNivelMenu nivel(*gerencia);
    // clang-format off
    const std::pair<const char *, bool> casos[] = {
        {"", true}, {"03", true}, {"0301", false}, {"030100", false},
        {"04", true}, {"0401", true}, {"040100", false}, {"0402", true},
    };
    // clang-format on
    for (const auto &[ordem, esperado] : casos)
        EXPECT_EQ(nivel.TestaOrdemOpcao(ordem, "905", "F", "5"), esperado) << ordem;
    EXPECT_TRUE(nivel.TestaOrdemOpcao("0301", "905", "F", "6"));
}

TEST_F(NivelMenu, TheEditorListsTheMenuSavesItAndKeepsOtherLevels)
{
    linha(906, 3, "Gerencia1", "F");
    linha(906, 8, "Gerencia1", "F");
    TfrmNivelMenu nivel(*gerencia);
    nivel.CodigoSistema = 906;
    ItemMenu itens = menu();
    nivel.Menu = &itens;

    nivel.edtNivel = 0;
    nivel.btnSelectClick();
    EXPECT_EQ(dialogos->shown, std::vector<std::string>{"atencao: ATENÇÃO ! ...  \r\nNivel Invalido...."});

    nivel.edtNivel = 3;
    nivel.btnSelectClick();
    ASSERT_EQ(nivel.tblNivel.size(), 5u);
    EXPECT_EQ(nivel.tblNivel[2].caption, "Arquivos -> AlteraCAo de Arquivos");
    EXPECT_EQ(nivel.tblNivel[2].ordem, "0001");
    EXPECT_EQ(nivel.tblNivel[3].liberado, "F");
    EXPECT_EQ(nivel.tblNivel[4].caption, "Gerencia -> ModuloGeral");

    nivel.tblNivel[1].liberado = "F";
    nivel.GravaNivel();
    EXPECT_TRUE(nivel.tblNivel.empty());
    EXPECT_EQ(linhas(906), "3:Arquivos1:T:00:Arquivos|3:Oculto1:F:0000:Arquivos -> Oculto|"
                           "3:Alteracao1:T:0001:Arquivos -> AlteraCAo de Arquivos|3:Gerencia1:F:01:Gerencia|"
                           "3:Modulo1:T:0100:Gerencia -> ModuloGeral");
    EXPECT_EQ(consultaExterna(bancoGerencia(), "SELECT COUNT(*) FROM NIVELMENU WHERE COD_SISTEMA = 906 AND "
                                               "COD_NIVEL = 8"),
              "1");

    // Choosing another level saves the list on screen first; "Marcar todos" releases every row.
    nivel.btnSelectClick();
    nivel.SpeedButton2Click();
    nivel.edtNivel = 8;
    nivel.btnSelectClick();
    EXPECT_EQ(consultaExterna(bancoGerencia(), "SELECT COUNT(*) FROM NIVELMENU WHERE COD_SISTEMA = 906 AND "
                                               "COD_NIVEL = 3 AND LIBERADO = 'T'"),
              "5");
    EXPECT_EQ(nivel.tblNivel[3].liberado, "F");

    dialogos->answers = {true};
    nivel.btnDeleteClick();
    EXPECT_TRUE(nivel.tblNivel.empty());
    EXPECT_EQ(consultaExterna(bancoGerencia(),
                              "SELECT LIST(DISTINCT COD_NIVEL) FROM NIVELMENU WHERE COD_SISTEMA = 906"),
              "3");
}

TEST_F(NivelMenu, AnEmptyListWritesNothingAndTheEditorRefusesUsersAboveLevelZero)
{
    linha(907, 1, "X1", "T");
    TfrmNivelMenu nivel(*gerencia);
    nivel.CodigoSistema = 907;
    nivel.GravaNivel();
    EXPECT_EQ(consultaExterna(bancoGerencia(), "SELECT COUNT(*) FROM NIVELMENU WHERE COD_SISTEMA = 907"),
              "1");

    gerencia->NivelUsuario = 1;
    nivel.FormActivate();
    EXPECT_EQ(nivel.lblcodigo, "Código do Sistema = 907");
    EXPECT_FALSE(nivel.btnSelectEnabled);
    EXPECT_FALSE(nivel.btnDeleteEnabled);
    EXPECT_EQ(dialogos->shown.size(), 1u);
}

} // namespace
