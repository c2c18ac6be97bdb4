#include "app/dados/esquema_base.h"
#include "app/dados/frm_create_file.h"
#include "app/dados/passos_atualizacao.h"
#include "app/db/database.h"
#include "app/db/transaction.h"
#include "tests/app/dados/bancos_fixture.h"

#include <gtest/gtest.h>

namespace {

int contador = 0;

} // namespace

// The settings conversions run by the updater on a database whose settings
// rows were written by the older, flat screen (no section column yet).
class ConversoesTest : public BancosFixture {
  protected:
    std::string banco;

    void preparaBanco(const std::vector<std::string> &comandos)
    {
        banco = pastaIni() + "conv" + std::to_string(++contador) + ".kvl";
        db::Database novo = db::Database::create(banco);
        db::Transaction t(novo);
        criaEsquema(t, esquemaBaseModulo());
        for (const PassoAtualizacao &p : passosAtualizacao())
            if (p.numero < 40)
                for (const ParteAtualizacao &parte : p.partes)
                    criaEsquema(t, {parte.comandos.begin(), parte.comandos.end()});
        criaEsquema(t, {"DROP GENERATOR CONTROLA_ATUALIZACAO_NFE_40"});
        for (const std::string &c : comandos)
            criaEsquema(t, {c});
        t.commit();
        modulo->setDatabaseName(banco);
        ASSERT_TRUE(modulo->dtmConectBanco(true));
    }
    std::string secao(const char *cnpj, const char *sessao, const char *chave)
    {
        return consultaExterna(banco, std::string("SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CNPJ = '") +
                                          cnpj + "' AND SESSAO_REFERENCIA = '" + sessao +
                                          "' AND CAMPO_REF = '" + chave + "'");
    }
    static std::string plano(const char *cnpj, const char *chave, const char *valor)
    {
        return std::string("INSERT INTO CONFIG_GERAL (CNPJ, CAMPO_REF, CAMPO_VALOR) VALUES ('") + cnpj +
               "', '" + chave + "', '" + valor + "')";
    }
};

TEST_F(ConversoesTest, FlatSettingsBecomeSectionsForEveryCompany)
{
    preparaBanco({"INSERT INTO CONFIGNFE (NOM_EMI, CNPJ_EMI) VALUES ('A', '11.222.333/0001-81')",
                  "INSERT INTO CONFIGNFE (NOM_EMI, CNPJ_EMI) VALUES ('B', '44555666000177')",
                  plano("11222333000181", "CHKOPENDANFE", "1"), plano("11222333000181", "CBEMAILSSL", "sim"),
                  plano("11222333000181", "CHKVERTESTES", "SIM"), plano("11222333000181", "RGTIPOAMB", "2"),
                  plano("11222333000181", "EDTEMITUF", "PR"), plano("11222333000181", "CHKVALIDARXML", "1"),
                  plano("44555666000177", "EDTEMITUF", "SP")});
    TfrmCreateFile tela(*modulo);
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;

    // clang-format off
    struct Caso { const char *cnpj, *sessao, *chave, *valor; };
    const Caso casos[] = {
        {"11222333000181", "GERAL",       "OPENDANFE",     "FALSE"},
        {"11222333000181", "GERAL",       "OPENEMAIL",     "TRUE"},
        {"11222333000181", "GERAL",       "VALIDARXML",    "FALSE"},
        {"11222333000181", "GERAL",       "VERTESTES",     "TRUE"},
        {"11222333000181", "EMAIL",       "SSL",           "FALSE"}, // "sim" is not "SIM"
        {"11222333000181", "WEBSERVICE",  "AMBIENTE",      "2"},
        {"11222333000181", "WEBSERVICE",  "SSLTYPE",       "1"},
        {"11222333000181", "RESPONSAVEL", "RTENVIARDADOS", "TRUE"},
        {"11222333000181", "RESPONSAVEL", "RTENVIARCSRT",  "TRUE"},
        {"44555666000177", "GERAL",       "OPENDANFE",     "TRUE"},
        {"44555666000177", "GERAL",       "VERTESTES",     "FALSE"},
        {"44555666000177", "WEBSERVICE",  "UF_INDEX",      "0"},
        {"44555666000177", "CERTIFICADO", "CAMINHO",       "<null>"},
        {"44555666000177", "CERTIFICADO", "SSLLIB",        "2"},
        {"44555666000177", "RESPONSAVEL", "RTENVIARDADOS", "FALSE"},
        {"44555666000177", "RESPONSAVEL", "RTIDCSRT",      "01"},
    };
    // clang-format on
    for (const Caso &c : casos)
        EXPECT_EQ(secao(c.cnpj, c.sessao, c.chave), c.valor) << c.cnpj << " " << c.sessao << " " << c.chave;
    EXPECT_EQ(modulo->CnpjEmpresa, "44555666000177"); // CONFIGNFE in name order
}

TEST_F(ConversoesTest, ANonNumericFlatValueStopsTheRunAndConvertsNoCompany)
{
    preparaBanco({"INSERT INTO CONFIGNFE (NOM_EMI, CNPJ_EMI) VALUES ('A', '11.222.333/0001-81')",
                  "INSERT INTO CONFIGNFE (NOM_EMI, CNPJ_EMI) VALUES ('B', '44555666000177')",
                  "INSERT INTO CONFIGNFE (NOM_EMI, CNPJ_EMI) VALUES ('C', '11222333000181')",
                  plano("44555666000177", "RGTIPOAMB", "x1")});
    TfrmCreateFile tela(*modulo);
    tela.Executa_as_Atiualizacao();
    ASSERT_TRUE(tela.Falha);
    EXPECT_EQ(tela.Falha->numero, 73);
    EXPECT_NE(tela.Falha->mensagem.find("44555666000177"), std::string::npos) << tela.Falha->mensagem;
    EXPECT_EQ(tela.AtualizacoesExecutadas, " 071, 072,");
    EXPECT_EQ(
        consultaExterna(banco, "SELECT COUNT(*) FROM CONFIG_GERAL WHERE SESSAO_REFERENCIA = 'CERTIFICADO'"),
        "0");

    executaComCommit(banco, "UPDATE CONFIG_GERAL SET CAMPO_VALOR = '1' WHERE CAMPO_REF = 'RGTIPOAMB'");
    tela.Executa_as_Atiualizacao();
    ASSERT_FALSE(tela.Falha) << tela.Falha->mensagem;
    EXPECT_EQ(tela.AtualizacoesExecutadas.substr(0, 5), " 073,");
    // Two companies with the same digits share their rows.
    EXPECT_EQ(consultaExterna(banco,
                              "SELECT COUNT(*) FROM CONFIG_GERAL WHERE SESSAO_REFERENCIA = 'CERTIFICADO' "
                              "AND CAMPO_REF = 'SSLLIB'"),
              "2");
}
