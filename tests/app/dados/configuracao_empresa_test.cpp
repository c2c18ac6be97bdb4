#include "app/dados/configuracao_empresa.h"
#include "foundation/base/quib_exception.h"
#include "tests/app/dados/bancos_fixture.h"

class ConfiguracaoEmpresaTest : public BancosFixture {
  protected:
    void SetUp() override
    {
        BancosFixture::SetUp();
        modulo->CnpjEmpresa = "55666777000188";
    }
};

TEST_F(ConfiguracaoEmpresaTest, ValuesComeBackAsWritten)
{
    ConfiguracaoEmpresa ini(*modulo);
    ini.Ini_WriteInteger("Geral", "FormaEmissao", -1);
    ini.Ini_WriteString("Emitente", "RazaoSocial", "Açougue d'Oeste");
    ini.Ini_WriteStringMemo("Email", "Mensagem", std::string(300, 'm'));
    ini.Ini_WriteBool("Geral", "Salvar", true);
    ini.Ini_WriteBool("Geral", "ExibirErro", false);
    EXPECT_EQ(ini.Ini_ReadInteger("GERAL", "formaemissao", 0), -1);
    EXPECT_EQ(ini.Ini_ReadString("emitente", "RAZAOSOCIAL", ""), "Açougue d'Oeste");
    EXPECT_EQ(ini.Ini_ReadStringMemo("Email", "Mensagem", ""), std::string(300, 'm'));
    EXPECT_TRUE(ini.Ini_ReadBool("Geral", "Salvar", false));
    EXPECT_FALSE(ini.Ini_ReadBool("Geral", "ExibirErro", true));
    // The memo lives apart from the value column.
    EXPECT_EQ(ini.Ini_ReadString("Email", "Mensagem", "padrão"), "padrão");

    ini.Ini_WriteString("Emitente", "RazaoSocial", "Outra");
    EXPECT_EQ(ini.Ini_ReadString("Emitente", "RazaoSocial", ""), "Outra");
    modulo->dtmNFECommit();
    EXPECT_EQ(consultaExterna(bancoModulo(),
                              "SELECT COUNT(*) FROM CONFIG_GERAL WHERE CNPJ = '55666777000188' "
                              "AND CAMPO_REF = 'RAZAOSOCIAL'"),
              "1");
}

TEST_F(ConfiguracaoEmpresaTest, EmptyOrMissingGivesTheDefaultAndOnlyTRUEIsTrue)
{
    ConfiguracaoEmpresa ini(*modulo);
    ini.Ini_WriteString("Geral", "Limpo", "");
    EXPECT_EQ(ini.Ini_ReadString("Geral", "Limpo", "padrão"), "padrão");
    EXPECT_EQ(ini.Ini_ReadString("Geral", "NuncaEscrito", "padrão"), "padrão");
    EXPECT_EQ(ini.Ini_ReadInteger("WebService", "Ambiente", 1), 1);
    EXPECT_TRUE(ini.Ini_ReadBool("Geral", "NuncaEscrito", true));

    // clang-format off
    const struct { const char *armazenado; bool lido; } casos[] = {
        {"TRUE", true}, {"true", false}, {"FALSE", false}, {"1", false}, {"SIM", false},
    };
    // clang-format on
    for (const auto &caso : casos) {
        ini.Ini_WriteString("Geral", "Flag", caso.armazenado);
        EXPECT_EQ(ini.Ini_ReadBool("Geral", "Flag", !caso.lido), caso.lido) << caso.armazenado;
    }

    modulo->CnpjEmpresa = "00000000000000"; // a company with no rows
    EXPECT_EQ(ini.Ini_ReadString("Geral", "Flag", "d"), "d");
}

TEST_F(ConfiguracaoEmpresaTest, AStoredTextThatIsNotAnIntegerRaises)
{
    ConfiguracaoEmpresa ini(*modulo);
    for (const char *texto : {"12a", "1.5", "", "3 "}) {
        ini.Ini_WriteString("Geral", "Numero", texto);
        if (*texto == '\0')
            EXPECT_EQ(ini.Ini_ReadInteger("Geral", "Numero", 9), 9);
        else
            EXPECT_THROW(ini.Ini_ReadInteger("Geral", "Numero", 9), ConversionError) << texto;
    }
}
