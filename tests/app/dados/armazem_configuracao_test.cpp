#include "app/dados/armazem_configuracao.h"
#include "app/db/db_error.h"
#include "tests/app/dados/bancos_fixture.h"

class ArmazemConfiguracaoTest : public BancosFixture {
  protected:
    std::string conta(const std::string &condicao)
    {
        modulo->dtmNFECommit();
        return consultaExterna(bancoModulo(), "SELECT COUNT(*) FROM CONFIG_GERAL WHERE " + condicao);
    }
};

TEST_F(ArmazemConfiguracaoTest, SectionAndKeyAreStoredUpperCasedAndFoundInAnyCase)
{
    const std::string cnpj = "11111111000111";
    modulo->Grava_Valor_Referencia_Sessao(cnpj, "Geral", CampoRef("margemInf"), "0,8",
                                          ColunaConfig::Campo_Valor);
    EXPECT_EQ(modulo->Busca_Valor_Referencia_Sessao(cnpj, "GERAL", CampoRef("MARGEMINF"),
                                                    ColunaConfig::Campo_Valor),
              "0,8");
    EXPECT_EQ(modulo->Busca_Valor_Referencia_Sessao(cnpj, "geral", CampoRef("MargemInf"),
                                                    ColunaConfig::Campo_Valor),
              "0,8");
    EXPECT_EQ(modulo->Busca_Valor_Referencia_Sessao(cnpj, "DANFE", CampoRef("margemInf"),
                                                    ColunaConfig::Campo_Valor),
              "");
    EXPECT_EQ(conta("CNPJ = '11111111000111' AND CAMPO_REF = 'MARGEMINF' AND SESSAO_REFERENCIA = 'GERAL'"),
              "1");
}

TEST_F(ArmazemConfiguracaoTest, QuotesAndAccentsSurviveFirstWriteAndUpdateInEveryField)
{
    // clang-format off
    const std::string cnpj   = "O'Ção";
    const std::string sessao = "Seção d'Água";
    const CampoRef chave("Pasta d'Árvore");
    // clang-format on
    for (const std::string valor : {"C:\\Notas d'Ávila\\", "Jo\"ão' -- ; drop"}) {
        modulo->Grava_Valor_Referencia_Sessao(cnpj, sessao, chave, valor, ColunaConfig::Campo_Valor);
        modulo->Grava_Valor_Referencia_Sessao(cnpj, sessao, chave, valor + " memo", ColunaConfig::Campo_memo);
        modulo->Grava_Valor_Referencia(cnpj, CampoRef("flat'É"), valor);
        EXPECT_EQ(modulo->Busca_Valor_Referencia_Sessao(cnpj, sessao, chave, ColunaConfig::Campo_Valor),
                  valor);
        EXPECT_EQ(modulo->Busca_Valor_Referencia_Sessao(cnpj, sessao, chave, ColunaConfig::Campo_memo),
                  valor + " memo");
        EXPECT_EQ(modulo->Busca_Valor_Referencia(cnpj, CampoRef("FLAT'é")), valor);
    }
    EXPECT_EQ(
        conta("CNPJ = 'O''Ção' AND SESSAO_REFERENCIA = 'SEÇÃO D''ÁGUA' AND CAMPO_REF = 'PASTA D''ÁRVORE'"),
        "1");
}

TEST_F(ArmazemConfiguracaoTest, EmptyValueIsNullAndEmptyCnpjRowIsFoundAgain)
{
    modulo->Grava_Valor_Referencia_Sessao("", "", CampoRef("Vazio"), "", ColunaConfig::Campo_Valor);
    modulo->Grava_Valor_Referencia_Sessao("", "", CampoRef("Vazio"), "x", ColunaConfig::Campo_Valor);
    modulo->Grava_Valor_Referencia("", CampoRef("VazioPlano"), "y");
    modulo->Grava_Valor_Referencia("", CampoRef("VazioPlano"), "z");
    EXPECT_EQ(modulo->Busca_Valor_Referencia_Sessao("", "", CampoRef("vazio"), ColunaConfig::Campo_Valor),
              "x");
    EXPECT_EQ(modulo->Busca_Valor_Referencia("", CampoRef("vazioplano")), "z");
    EXPECT_EQ(conta("CNPJ = '' AND CAMPO_REF = 'VAZIO' AND SESSAO_REFERENCIA = ''"), "1");
    EXPECT_EQ(conta("CNPJ = '' AND CAMPO_REF = 'VAZIOPLANO'"), "1");

    modulo->Grava_Valor_Referencia_Sessao("22", "Geral", CampoRef("Nada"), "", ColunaConfig::Campo_Valor);
    EXPECT_EQ(conta("CNPJ = '22' AND CAMPO_REF = 'NADA' AND CAMPO_VALOR IS NULL"), "1");
    EXPECT_EQ(
        modulo->Busca_Valor_Referencia_Sessao("22", "Geral", CampoRef("Nada"), ColunaConfig::Campo_Valor),
        "");
    EXPECT_EQ(
        modulo->Busca_Valor_Referencia_Sessao("99", "Geral", CampoRef("Nada"), ColunaConfig::Campo_Valor),
        "");
}

TEST_F(ArmazemConfiguracaoTest, FlatOperationsIgnoreSectionsButPreferTheFlatRow)
{
    const std::string cnpj = "33";
    modulo->Grava_Valor_Referencia_Sessao(cnpj, "Geral", CampoRef("tamanhoDafonte"), "7",
                                          ColunaConfig::Campo_Valor);
    EXPECT_EQ(modulo->Busca_Valor_Referencia(cnpj, CampoRef("TAMANHODAFONTE")), "7");

    // A key present in several sections: the flat row wins, then the lowest section.
    executaComCommit(bancoModulo(),
                     "INSERT INTO CONFIG_GERAL (CNPJ, CAMPO_REF, CAMPO_VALOR, SESSAO_REFERENCIA) "
                     "VALUES ('33', 'ALTURADALINHA', 'danfe', 'DANFE')");
    executaComCommit(bancoModulo(),
                     "INSERT INTO CONFIG_GERAL (CNPJ, CAMPO_REF, CAMPO_VALOR, SESSAO_REFERENCIA) "
                     "VALUES ('33', 'ALTURADALINHA', 'arquivos', 'ARQUIVOS')");
    modulo->dtmNFECommit(); // see the other connection's rows
    EXPECT_EQ(modulo->Busca_Valor_Referencia(cnpj, CampoRef("alturaDaLinha")), "arquivos");
    executaComCommit(bancoModulo(),
                     "INSERT INTO CONFIG_GERAL (CNPJ, CAMPO_REF, CAMPO_VALOR, SESSAO_REFERENCIA) "
                     "VALUES ('33', 'ALTURADALINHA', 'plano', 'V-3.0')");
    modulo->dtmNFECommit();
    EXPECT_EQ(modulo->Busca_Valor_Referencia(cnpj, CampoRef("alturaDaLinha")), "plano");

    // A flat write updates the key in every section.
    modulo->Grava_Valor_Referencia(cnpj, CampoRef("alturaDaLinha"), "25");
    EXPECT_EQ(conta("CNPJ = '33' AND CAMPO_REF = 'ALTURADALINHA' AND CAMPO_VALOR = '25'"), "3");
}

TEST_F(ArmazemConfiguracaoTest, TooLongTextIsRefusedAndTheRowKeepsItsValue)
{
    modulo->Grava_Valor_Referencia_Sessao("44", "Email", CampoRef("Assunto"), "curto",
                                          ColunaConfig::Campo_Valor);
    const std::string longo(101, 'a');
    EXPECT_THROW(modulo->Grava_Valor_Referencia_Sessao("44", "Email", CampoRef("Assunto"), longo,
                                                       ColunaConfig::Campo_Valor),
                 db::DatabaseError);
    EXPECT_THROW(modulo->Grava_Valor_Referencia_Sessao("44", "Email", CampoRef(std::string(51, 'k')), "v",
                                                       ColunaConfig::Campo_Valor),
                 db::DatabaseError);
    EXPECT_EQ(
        modulo->Busca_Valor_Referencia_Sessao("44", "Email", CampoRef("Assunto"), ColunaConfig::Campo_Valor),
        "curto");
    // Long texts belong in Campo_memo.
    modulo->Grava_Valor_Referencia_Sessao("44", "Email", CampoRef("Mensagem"), longo + longo,
                                          ColunaConfig::Campo_memo);
    EXPECT_EQ(
        modulo->Busca_Valor_Referencia_Sessao("44", "Email", CampoRef("Mensagem"), ColunaConfig::Campo_memo),
        longo + longo);
}

TEST(ColunaConfig, ParsesTheTwoColumnNamesInAnyCaseAndRefusesOthers)
{
    EXPECT_EQ(colunaConfig("Campo_Valor"), ColunaConfig::Campo_Valor);
    EXPECT_EQ(colunaConfig("CAMPO_MEMO"), ColunaConfig::Campo_memo);
    EXPECT_THROW(colunaConfig("CNPJ"), db::DatabaseError);
}
