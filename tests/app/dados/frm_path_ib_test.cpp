#include "app/dados/frm_path_ib.h"

#include "app/dados/dtm_gerencia.h"
#include "tests/app/dados/gerencia_vazia_fixture.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

class PathIbEditor : public GerenciaVaziaFixture {
  protected:
    std::vector<std::string> linhasIniciais() const override
    {
        return {
            "INSERT INTO PATHIB VALUES ('IB_PASTA', 'srv:', 'c:\\dados\\', 0)",
            "INSERT INTO PATHIB VALUES ('IB_SEMBARRA', 'srv:', 'c:\\dados', 0)",
            "INSERT INTO PATHIB VALUES ('IB_KVL', '', '/srv/bancos/nfe.kvl', 0)",
            "INSERT INTO PATHIB VALUES ('IB_GDB', 'srv:', 'c:\\b\\BANCO.Gdb', 0)",
            "INSERT INTO PATHIB VALUES ('IB_LONGO_DEMAIS', '', '/longo/', 0)",
            "INSERT INTO PATHIB VALUES ('IB_DUAS', '', '/um/', 1)",
            "INSERT INTO PATHIB VALUES ('IB_DUAS', '', '/dois/', 2)",
            "INSERT INTO PATHIB VALUES ('IB_SETE', '', '/sete/', 7)",
        };
    }
    void SetUp() override
    {
        GerenciaVaziaFixture::SetUp();
        tela = std::make_unique<TfrmPathIB>(*gerencia);
    }
    void TearDown() override
    {
        tela.reset();
        GerenciaVaziaFixture::TearDown();
    }
    // The selected company of the data module.
    void selecionaEmpresa(int codigo)
    {
        gerencia->tblEmpresa.append();
        gerencia->tblEmpresa.setField("CODIGO", db::Value(codigo));
    }
    // The operator completes the row the screen shows and saves it.
    void operadorCompleta(std::string path)
    {
        tela->exibeModal = [this, path] {
            tela->FormActivate();
            empresaNaTela = tela->CodEmpresa;
            tela->defineCampo("PATH_IB", path);
            tela->btnSalvarClick();
            tela->FormClose();
        };
    }
    std::vector<std::string> aliasesVisiveis()
    {
        std::vector<std::string> aliases;
        db::DataSet &tabela = *gerencia->tblPathIb;
        for (tabela.first(); !tabela.eof(); tabela.next())
            aliases.push_back(tabela.field("ALIAS_IB").asString() + "/" + tabela.field("COD_EMP").asString());
        return aliases;
    }

    std::unique_ptr<TfrmPathIB> tela;
    int empresaNaTela = -1;
};

TEST_F(PathIbEditor, LoadPathIbComposesTheAddressOfTheRow)
{
    selecionaEmpresa(1);
    // clang-format off
    const struct { const char *alias; const char *endereco; const char *extensao; } casos[] = {
        {"IB_PASTA",              "srv:c:\\dados\\",         "DOS\\"},
        {"IB_SEMBARRA",           "srv:c:\\dados\\",         "ADOS"},
        {"IB_KVL",                "/srv/bancos/nfe.kvl",     ".KVL"},
        {"IB_GDB",                "srv:c:\\b\\BANCO.Gdb",    ".GDB"},
        {"ib_kvl",                "/srv/bancos/nfe.kvl",     ".KVL"},
        {"ib_longo_demais_e_mais", "/longo/",                "NGO/"},
        {"IB_DUAS",               "/um/",                    "/UM/"},
    };
    // clang-format on
    for (const auto &caso : casos) {
        EXPECT_EQ(tela->LoadPathIb(caso.alias), caso.endereco) << caso.alias;
        EXPECT_EQ(tela->LoadExtensao(caso.alias), caso.extensao) << caso.alias;
    }
    EXPECT_TRUE(dialogos->shown.empty());
    EXPECT_EQ(tela->LoadExtensao("IB_NENHUM"), "");
}

TEST_F(PathIbEditor, SameAliasOfTwoCompaniesResolvesByTheSelectedOne)
{
    selecionaEmpresa(2);
    EXPECT_EQ(tela->LoadPathIb("IB_DUAS"), "/dois/");
}

TEST_F(PathIbEditor, MissingCompanyRowIsAppendedAndCompletedByTheOperator)
{
    selecionaEmpresa(3);
    operadorCompleta("/tres/");
    EXPECT_EQ(tela->LoadPathIb("IB_DUAS"), "/tres/");
    EXPECT_THAT(dialogos->shown,
                ElementsAre(std::string(TfrmPathIB::kTitulo) + ": " + TfrmPathIB::kSemEnderecoEmpresa));
    EXPECT_EQ(empresaNaTela, 3);
    EXPECT_EQ(tela->CodEmpresa, 0);
    EXPECT_EQ(consulta("SELECT PATH_IB FROM PATHIB WHERE ALIAS_IB = 'IB_DUAS' AND COD_EMP = 3"), "/tres/");
}

TEST_F(PathIbEditor, MissingAliasAsksTheOperatorAndCancelGivesNothing)
{
    selecionaEmpresa(1);
    operadorCompleta("c:\\novo");
    EXPECT_EQ(tela->LoadPathIb("ib_novo"), "c:\\novo\\");
    EXPECT_EQ(consulta("SELECT COD_EMP FROM PATHIB WHERE ALIAS_IB = 'IB_NOVO'"), "0");

    tela->exibeModal = [this] { tela->FormClose(); };
    EXPECT_EQ(tela->LoadPathIb("IB_OUTRO"), "");
    EXPECT_EQ(consulta("SELECT COUNT(*) FROM PATHIB WHERE ALIAS_IB = 'IB_OUTRO'"), "0");
}

TEST_F(PathIbEditor, CompanyScreenListsAndSavesItsOwnRowsOnly)
{
    tela->exibeModal = [this] {
        tela->FormActivate();
        EXPECT_THAT(aliasesVisiveis(), ElementsAre("IB_SETE/7"));
        tela->btnIncluirClick();
        tela->defineCampo("ALIAS_IB", "ib_extra");
        tela->defineCampo("PATH_IB", "/extra/");
        tela->btnSalvarClick();
        tela->FormClose();
    };
    tela->ShowModal(7);
    EXPECT_EQ(consulta("SELECT COD_EMP FROM PATHIB WHERE ALIAS_IB = 'IB_EXTRA'"), "7");

    tela->exibeModal = [this] {
        tela->FormActivate();
        EXPECT_EQ(aliasesVisiveis().size(), 9u);
        tela->FormClose();
    };
    tela->ShowModal(0);
}

TEST_F(PathIbEditor, LocatingADatabaseWritesThePathOnlyOnOk)
{
    db::DataSet &tabela = *gerencia->tblPathIb;
    ASSERT_TRUE(tabela.locate("ALIAS_IB", db::Value("IB_KVL")));
    // clang-format off
    const struct { std::optional<std::string> escolha; const char *path; } casos[] = {
        {"C:\\bancos\\NFE.KVL",        "\\bancos\\NFE.KVL"},
        {"/srv/outros/nfe.gdb",       "/srv/outros/nfe.gdb"},
        {std::nullopt,                "/srv/outros/nfe.gdb"},
    };
    // clang-format on
    for (const auto &caso : casos) {
        dialogos->files = {caso.escolha};
        tela->btnLocalizaClick();
        EXPECT_EQ(tabela.field("PATH_IB").asString(), caso.path);
    }
    tela->btnCancelarClick();
    EXPECT_EQ(tabela.field("PATH_IB").asString(), "/srv/bancos/nfe.kvl");
}

} // namespace
