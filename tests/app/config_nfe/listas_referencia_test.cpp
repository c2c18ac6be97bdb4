#include "app/config_nfe/detail/comando_cep.h"
#include "app/config_nfe/listas_referencia.h"
#include "foundation/base/quib_exception.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(BuscaEstado, ConvertsBetweenCodesAndUpperCaseAbbreviations)
{
    // clang-format off
    const struct { int codigo; const char *sigla; const char *esperado; } casos[] = {
        {35, "",   "SP"}, {53, "",   "DF"}, {99, "SP", ""},   {90, "",  ""},
        {0,  "SP", "35"}, {0,  "sp", "0"},  {-1, "RJ", "33"}, {0,  "EX", "0"},
    };
    // clang-format on
    for (const auto &c : casos)
        EXPECT_EQ(BuscaEstado(c.codigo, c.sigla), c.esperado) << c.codigo << " " << c.sigla;
}

TEST(Modulo11NFE, WeightsTwoToNineFromTheRightAndIgnoresOtherCharacters)
{
    // clang-format off
    const struct { const char *digitos; const char *esperado; } casos[] = {
        {"12345", "5"}, {"0", "0"}, {"", "0"}, {"1.2-3 4/5", "5"},
        // The ninth digit from the right weighs 2 again: 11 - 2.
        {"100000000", "9"},
        // 1 x 2 + 1 x 9 = 11: remainder 0.
        {"10000001", "0"},
    };
    // clang-format on
    for (const auto &c : casos)
        EXPECT_EQ(Modulo11NFE(c.digitos), c.esperado) << c.digitos;
}

TEST(ListasReferencia, CityFileOfWindows1252GivesOneStateRowPerStateAndCleanNames)
{
    testsupport::TempDir pasta;
    const auto arquivo = pasta.write("cidades.txt", "35;S\xC3O PAULO;3548500;Santos\r\n"
                                                    "35;S\xC3O PAULO;3550308;S\xE3o Paulo\r\n"
                                                    "33;RIO DE JANEIRO;3304557;Rio de Janeiro\r\n");
    ListaReferencia<EstadoIBGE> estados;
    ListaReferencia<CidadeIBGE> cidades;
    estados.abre();
    cidades.abre();
    carregaEstadosCidades(arquivo.string(), estados, cidades);
    ASSERT_EQ(cidades.quantidade(), 3u);
    ASSERT_EQ(estados.quantidade(), 2u);
    EXPECT_EQ(estados.linha(0).Nome, "SÃO PAULO");
    EXPECT_EQ(estados.linha(0).UF, "SP");
    EXPECT_EQ(cidades.linha(1).Cidade, "SAO PAULO");
    EXPECT_EQ(cidades.linha(1).cod_ibge, 3550308);
    EXPECT_EQ(cidades.linha(1).uf, "SP");
}

TEST(ListasReferencia, NonNumericMunicipalityCodeStopsWithTheLineAndKeepsTheRowsRead)
{
    testsupport::TempDir pasta;
    const auto arquivo =
        pasta.write("cidades.txt", "35;SP;3548500;Santos\n35;SP;35x;Outra\n35;SP;3550308;Sao Paulo\n");
    ListaReferencia<EstadoIBGE> estados;
    ListaReferencia<CidadeIBGE> cidades;
    estados.abre();
    cidades.abre();
    try {
        carregaEstadosCidades(arquivo.string(), estados, cidades);
        FAIL() << "no error";
    } catch (const ConversionError &erro) {
        EXPECT_STREQ(erro.what(), "cidades.txt, linha 2: '35x' não é um número inteiro válido");
    }
    EXPECT_EQ(cidades.quantidade(), 1u);
}

TEST(ListasReferencia, CountryLinesWithoutAPositiveCodeAreSkipped)
{
    testsupport::TempDir pasta;
    const auto arquivo = pasta.write("paises.txt", "1058\tBrasil\textra\n0\tNenhum\nabc\tLetras\n"
                                                   "\tVazio\n0249\tEstados Unidos\n");
    ListaReferencia<PaisIBGE> paises;
    paises.abre();
    carregaPaises(arquivo.string(), paises);
    ASSERT_EQ(paises.quantidade(), 2u);
    EXPECT_EQ(paises.linha(0).cod_pais, 1058);
    EXPECT_EQ(paises.linha(0).nome_pais, "BRASIL");
    EXPECT_EQ(paises.linha(1).cod_pais, 249);
}

TEST(ListasReferencia, FilesAreFoundWithoutRegardToTheCaseOfTheirNames)
{
    testsupport::TempDir pasta;
    pasta.write("TABELA_CIDADES_ibge.TXT", "");
    const std::string raiz = pasta.path().string() + "/";
    EXPECT_EQ(localizaArquivo(raiz, "Tabela_Cidades_IBGE.txt"), raiz + "TABELA_CIDADES_ibge.TXT");
    EXPECT_EQ(localizaArquivo(raiz, "tabela_de_paises.txt"), std::nullopt);
}

TEST(ComandoCep, AcceptsOnlyInsertsIntoCepWithLiterals)
{
    const auto aceito =
        leComandoCep("insert into cep (NOM_CID, uf_cid) values ('SANTA BARBARA D''OESTE', 'SP');");
    ASSERT_TRUE(aceito);
    EXPECT_EQ(aceito->colunas, (std::vector<std::string>{"NOM_CID", "UF_CID"}));
    EXPECT_EQ(aceito->valores[0].asString(), "SANTA BARBARA D'OESTE");

    const auto semLista = leComandoCep("INSERT INTO CEP VALUES ('11000-000', '11000', 'SANTOS', NULL)");
    ASSERT_TRUE(semLista);
    EXPECT_EQ(semLista->colunas.size(), 4u);
    EXPECT_TRUE(semLista->valores[3].isNull());

    EXPECT_FALSE(leComandoCep("-- comentario"));
    EXPECT_FALSE(leComandoCep("  INSERT INTO CEP VALUES ('1','2','3','4')"));
    EXPECT_FALSE(leComandoCep("COMMIT;"));

    const char *recusados[] = {
        "INSERT INTO CONFIG_GERAL (CNPJ) VALUES ('1')",
        "INSERT INTO CEP (NOM_CID) VALUES ('A'); DELETE FROM CONFIGNFE",
        "INSERT INTO CEP (NOM_CID) SELECT NOM_EMI FROM CONFIGNFE",
        "INSERT INTO CEP (NOM_CID) VALUES ((SELECT FIRST 1 CNPJ FROM CONFIG_GERAL))",
        "INSERT INTO CEP (NOM_CID, NOM_CID) VALUES ('A', 'B')",
        "INSERT INTO CEP (SENHA) VALUES ('A')",
        "INSERT INTO CEP (NOM_CID) VALUES ('A', 'B')",
        "INSERT INTO CEP (NOM_CID) VALUES ('SEM FIM)",
    };
    for (const char *linha : recusados)
        EXPECT_THROW(leComandoCep(linha), ErroComandoCep) << linha;
}

} // namespace
