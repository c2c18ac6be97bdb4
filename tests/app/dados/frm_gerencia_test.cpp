#include "app/dados/frm_gerencia.h"

#include "app/cipher/vex_encryption.h"
#include "app/dados/dados_antigos_paradox.h"
#include "app/dados/dtm_gerencia.h"
#include "app/db/db_error.h"
#include "app/shell_constants.h"
#include "tests/app/dados/gerencia_vazia_fixture.h"
#include "tests/app/dados/paradox_fixture.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string atencao(std::string_view texto)
{
    return "atencao: ATENÇÃO ! ...  \r\n" + std::string(texto);
}

class ModuloGerencia : public GerenciaVaziaFixture {
  protected:
    TfrmGerencia &abre(TfrmGerencia::Ambiente ambiente = {})
    {
        tela = std::make_unique<TfrmGerencia>(*gerencia, std::move(ambiente));
        tela->FormActivate();
        return *tela;
    }
    void TearDown() override
    {
        if (tela)
            tela->FormClose();
        tela.reset();
        GerenciaVaziaFixture::TearDown();
    }
    std::unique_ptr<TfrmGerencia> tela;
};

TEST_F(ModuloGerencia, EmptyPasswordIsStoredAsTheDefaultOneAndShownBack)
{
    TfrmGerencia &t = abre();
    t.UsuariosIncluir();
    t.defineCampoUsuario("USUARIO", "maria da silva");
    t.defineCampoUsuario("USERNAME", "maria");
    t.UsuariosSalvar();

    const std::string senha = consulta("SELECT SENHA FROM USUARIO WHERE USERNAME = 'MARIA'");
    EXPECT_EQ(TVexEncryption::Crypt(senha, kChaveCifraSenha, false), kSenhaPadrao);
    EXPECT_EQ(consulta("SELECT USUARIO || '/' || SISTEMA || '/' || NIVEL FROM USUARIO"),
              "MARIA DA SILVA/100/0");
    EXPECT_EQ(consulta("SELECT COUNT(*) FROM CONFIG_GERAL"), "6");
    EXPECT_EQ(t.foco, "btnIncluirUsuario");

    t.edtSenhaEnter();
    EXPECT_EQ(t.edtSenha, kSenhaPadrao);
    EXPECT_EQ(gerencia->tblUsuarios->state(), db::DataSet::State::Edit);
    t.edtConfirma = "outra";
    t.edtConfirmaExit();
    EXPECT_THAT(dialogos->shown, ElementsAre(atencao("Sua Senha não confere, digite-a novamente")));
    EXPECT_EQ(t.foco, "edtSenha");
}

TEST_F(ModuloGerencia, UsersOfOtherSystemsAreNotListed)
{
    executa("INSERT INTO USUARIO (USUARIO, USERNAME, SENHA, NIVEL, SISTEMA) VALUES ('A', 'A', '', 0, 100)");
    executa("INSERT INTO USUARIO (USUARIO, USERNAME, SENHA, NIVEL, SISTEMA) VALUES ('B', 'B', '', 0, 7)");
    gerencia->tblUsuarios->refresh();
    abre();
    EXPECT_EQ(gerencia->tblUsuarios->recordCount(), 1u);
    EXPECT_EQ(tela->lblcodigo, "Código do sistema = 100");
    tela->FormClose();
    EXPECT_EQ(gerencia->tblUsuarios->recordCount(), 2u);
}

TEST_F(ModuloGerencia, FirstCompanyGetsCodeOneAndATypedCodeStays)
{
    TfrmGerencia &t = abre();
    t.EmpresaIncluir();
    t.defineCampoEmpresa("NOME", "padaria são joão");
    t.defineCampoEmpresa("NOME_CID", "santos");
    t.defineCampoEmpresa("UF", "sp");
    t.EmpresaSalvar();
    EXPECT_EQ(consulta("SELECT CODIGO || ' ' || NOME || ' ' || CIDADEUF FROM EMPRESA"),
              "1 PADARIA SÃO JOÃO SANTOS/SP");

    t.EmpresaIncluir();
    t.defineCampoEmpresa("CODIGO", "5");
    t.defineCampoEmpresa("NOME", "mercado");
    t.EmpresaSalvar();
    EXPECT_EQ(consulta("SELECT CODIGO FROM EMPRESA WHERE NOME = 'MERCADO'"), "5");

    t.EmpresaIncluir();
    t.defineCampoEmpresa("NOME", "terceira");
    t.EmpresaSalvar();
    EXPECT_EQ(consulta("SELECT CODIGO FROM EMPRESA WHERE NOME = 'TERCEIRA'"), "6");
}

TEST_F(ModuloGerencia, CnpjBoxChecksACpfOrACnpj)
{
    TfrmGerencia &t = abre();
    // clang-format off
    const struct { const char *numero; const char *mensagem; } casos[] = {
        {"529.982.247-25",     nullptr},
        {"529.982.247-24",     "CPF inválido"},
        {"11.222.333/0001-81", nullptr},
        {"11.222.333/0001-80", "CNPJ inválido"},
    };
    // clang-format on
    t.EmpresaIncluir();
    for (const auto &caso : casos) {
        dialogos->shown.clear();
        t.foco.clear();
        t.defineCampoEmpresa("CNPJ", caso.numero);
        t.edtCnpjExit();
        if (caso.mensagem) {
            EXPECT_THAT(dialogos->shown, ElementsAre(atencao(caso.mensagem))) << caso.numero;
            EXPECT_EQ(t.foco, "edtCnpj");
        } else {
            EXPECT_THAT(dialogos->shown, IsEmpty()) << caso.numero;
        }
    }
}

TEST_F(ModuloGerencia, DefaultCompanyKeepsOneRowPerSystem)
{
    executa("INSERT INTO EMPRESA (CODIGO, NOME) VALUES (1, 'A')");
    executa("INSERT INTO EMPRESA (CODIGO, NOME) VALUES (2, 'B')");
    executa("INSERT INTO REGISTRO (NROSERIE, DESCRICAO) VALUES ('EMP.DEF.SIS.=7', '9')");
    gerencia->tblEmpresaHD->refresh();
    gerencia->tblRegistro->refresh();
    TfrmGerencia &t = abre();
    db::DataSet &empresas = *gerencia->tblEmpresaHD;
    empresas.first();
    t.btnEmpresaPadraoClick();
    empresas.next();
    t.btnEmpresaPadraoClick();
    EXPECT_EQ(consulta("SELECT COUNT(*) FROM REGISTRO WHERE NROSERIE = 'EMP.DEF.SIS.=100'"), "1");
    EXPECT_EQ(consulta("SELECT DESCRICAO FROM REGISTRO WHERE NROSERIE = 'EMP.DEF.SIS.=100'"), "2");
    EXPECT_EQ(consulta("SELECT DESCRICAO FROM REGISTRO WHERE NROSERIE = 'EMP.DEF.SIS.=7'"), "9");

    t.EmpresaIncluir();
    t.btnEmpresaPadraoClick();
    EXPECT_THAT(dialogos->shown, ElementsAre(atencao("Empresa nao cadastrada")));
}

TEST_F(ModuloGerencia, StoredPortSelectsItsButton)
{
    // clang-format off
    const struct { const char *guardada; TfrmGerencia::Porta porta; const char *outra; } casos[] = {
        {"25",    TfrmGerencia::Porta::P25,   ""},
        {"587",   TfrmGerencia::Porta::P587,  ""},
        {"2525",  TfrmGerencia::Porta::Outra, "2525"},
        {nullptr, TfrmGerencia::Porta::Outra, "0"},
    };
    // clang-format on
    for (const auto &caso : casos) {
        executa("DELETE FROM CONFIG_GERAL");
        if (caso.guardada)
            executa(std::string("INSERT INTO CONFIG_GERAL VALUES ('EDTEMAIL_PORTA', '") + caso.guardada +
                    "')");
        const TfrmGerencia t(*gerencia, {});
        EXPECT_EQ(t.porta, caso.porta) << (caso.guardada ? caso.guardada : "none");
        EXPECT_EQ(t.edtNOutraPort, caso.outra);
    }
}

TEST_F(ModuloGerencia, EmailSettingsAreWrittenWithTheChosenPort)
{
    TfrmGerencia &t = abre();
    t.edtSMTP = "smtp.exemplo.com.br";
    t.porta = TfrmGerencia::Porta::Outra;
    t.edtNOutraPort = "2525";
    t.btnSalvarEmailClick();
    EXPECT_EQ(consulta("SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CAMPO_REF = 'EDTEMAIL_SMTP'"),
              "smtp.exemplo.com.br");
    EXPECT_EQ(consulta("SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CAMPO_REF = 'EDTEMAIL_PORTA'"), "2525");
    t.porta = TfrmGerencia::Porta::P587;
    t.btnSalvarEmailClick();
    EXPECT_EQ(consulta("SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CAMPO_REF = 'EDTEMAIL_PORTA'"), "587");
}

TEST_F(ModuloGerencia, LevelAboveZeroShowsTheMessageAndLeavesNoData)
{
    gerencia->NivelUsuario = 1;
    TfrmGerencia &t = abre();
    EXPECT_THAT(dialogos->shown,
                ElementsAre(atencao("O nível do usuário em uso nao permite o acesso a este modulo...")));
    EXPECT_FALSE(gerencia->conectado());
    EXPECT_TRUE(t.semDados);
    EXPECT_THROW(t.UsuariosIncluir(), db::DatabaseError);
    EXPECT_THROW(t.btnEmpresaPadraoClick(), db::DatabaseError);
}

TEST_F(ModuloGerencia, CompanyColumnOfPathIbAlreadyThereIsNotConcluded)
{
    abre().btnCodEmpClick();
    EXPECT_THAT(dialogos->shown,
                ElementsAre(atencao("Processo não concluído...\r\nvariáveis já criadas...")));
}

TEST_F(ModuloGerencia, UpgradeNeedsThePasswordAndCopiesTheOlderRows)
{
    int leituras = 0;
    TfrmGerencia::Ambiente ambiente;
    ambiente.dadosAntigos = [&leituras](std::string_view tabela) {
        ++leituras;
        if (tabela == "USUARIOS")
            return TabelaAntiga{{{"Usuario", "JOSE"},
                                 {"Username", "JOSE"},
                                 {"Senha", "0A1B"},
                                 {"Nivel", db::Value(2)},
                                 {"Sistema", db::Value(100)}}};
        if (tabela == "PATHIB")
            return TabelaAntiga{
                {{"Alias_IB", "IB_VELHO"}, {"Servidor_IB", "srv:"}, {"Path_IB", "c:\\velho\\"}}};
        return TabelaAntiga{{{"Codigo", db::Value(4)},
                             {"Nome", "Açougue D'Ávila"},
                             {"Cidade", db::Value(55)},
                             {"CidadeUF", "São Paulo/SP"},
                             {"CNPJ", "11222333000181"},
                             {"Rodape", "Obrigado!"}}};
    };
    TfrmGerencia &t = abre(ambiente);
    t.edtsenup = "errada";
    t.btnUpgradeClick();
    EXPECT_THAT(dialogos->shown, ElementsAre(atencao("Senha não confere")));
    EXPECT_EQ(leituras, 0);

    dialogos->shown.clear();
    dialogos->answers = {false};
    t.edtsenup = std::string(kSenhaUpgrade);
    t.btnUpgradeClick();
    EXPECT_THAT(dialogos->shown, ElementsAre("confirmacao: Fazer upgrade de dados"));
    EXPECT_EQ(leituras, 0);

    t.btnUpgradeClick();
    EXPECT_EQ(leituras, 3);
    EXPECT_EQ(consulta("SELECT USERNAME || SENHA || NIVEL || SISTEMA FROM USUARIO"), "JOSE0A1B2100");
    EXPECT_EQ(consulta("SELECT ALIAS_IB || SERVIDOR_IB || PATH_IB || COALESCE(COD_EMP, -1) FROM PATHIB"),
              "IB_VELHOsrv:c:\\velho\\-1");
    EXPECT_EQ(consulta("SELECT CODIGO || '|' || NOME || '|' || CIDADE || '|' || NOME_CID || '|' || CIDADEUF "
                       "|| '|' || RODAPE FROM EMPRESA"),
              "4|ACougue D Avila|55|SAo Paulo/SP|SAo Paulo/SP|Obrigado!");
    EXPECT_EQ(t.PorcentoMax, 1);
    EXPECT_EQ(t.PorcentoPos, 1);
}

TEST_F(ModuloGerencia, UpgradeWithoutOlderDataSaysSo)
{
    TfrmGerencia &t = abre();
    t.edtsenup = std::string(kSenhaUpgrade);
    t.btnUpgradeClick();
    EXPECT_THAT(dialogos->shown,
                ElementsAre(atencao("Os dados do sistema antigo não estão disponíveis neste computador.")));
}

} // namespace

namespace {

TEST_F(ModuloGerencia, UpgradeReadsTheOlderParadoxTables)
{
    testsupport::TempDir antigos;
    using testsupport::escreveTabelaParadox;
    escreveTabelaParadox((antigos / "usuarios.db").string(),
                         {{"Usuario", 30}, {"Username", 10}, {"Senha", 30}, {"Nivel", 0}, {"Sistema", 0}},
                         {{std::string("ANA"), std::string("ANA"), std::string("7F01"), 1, 100}});
    escreveTabelaParadox((antigos / "PATHIB.DB").string(),
                         {{"Alias_IB", 15}, {"Servidor_IB", 20}, {"Path_IB", 150}},
                         {{std::string("IB_ANTIGO"), std::string("srv:"), std::string("c:\\antigo\\")}});
    escreveTabelaParadox(
        (antigos / "Empresa.DB").string(),
        {{"Codigo", 0}, {"Nome", 60}, {"Cidade", 0}, {"CidadeUF", 33}, {"Emaiel", 40}},
        {{3, std::string("Ótica Visão"), 4205, std::string("Itajaí/SC"), std::string("a@b.com")},
         {4, std::string("Bazar"), 0, std::string(""), std::string("")}});
    TfrmGerencia::Ambiente ambiente;
    ambiente.dadosAntigos = leitorParadox(antigos.path().string());
    TfrmGerencia &t = abre(ambiente);
    t.edtsenup = std::string(kSenhaUpgrade);
    t.btnUpgradeClick();
    EXPECT_EQ(consulta("SELECT USUARIO || SENHA || NIVEL || SISTEMA FROM USUARIO"), "ANA7F011100");
    EXPECT_EQ(consulta("SELECT ALIAS_IB || SERVIDOR_IB || PATH_IB FROM PATHIB"), "IB_ANTIGOsrv:c:\\antigo\\");
    EXPECT_EQ(consulta("SELECT NOME || '|' || CIDADE || '|' || NOME_CID || '|' || EMAIEL FROM EMPRESA "
                       "WHERE CODIGO = 3"),
              "Otica VisAo|4205|ItajaI/SC|a@b.com");
    EXPECT_EQ(consulta("SELECT COUNT(*) FROM EMPRESA"), "2");
    EXPECT_EQ(t.PorcentoPos, 2);
}

TEST_F(ModuloGerencia, UpgradeStopsAtAMissingOlderTable)
{
    testsupport::TempDir antigos;
    testsupport::escreveTabelaParadox((antigos / "USUARIOS.DB").string(), {{"Usuario", 30}, {"Username", 10}},
                                      {{std::string("ANA"), std::string("ANA")}});
    TfrmGerencia::Ambiente ambiente;
    ambiente.dadosAntigos = leitorParadox(antigos.path().string());
    TfrmGerencia &t = abre(ambiente);
    t.edtsenup = std::string(kSenhaUpgrade);
    EXPECT_THROW(t.btnUpgradeClick(), ProgramError);
    EXPECT_EQ(consulta("SELECT COUNT(*) FROM USUARIO"), "1");
    EXPECT_EQ(consulta("SELECT COUNT(*) FROM PATHIB"), "0");
}

} // namespace
