#include <ostream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "foundation/xml/gerador.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// ---- Field checks and alerts -------------------------------------------------

struct CasoCampo {
    const char *nome;
    TTipoValorCampo tipo;
    int min, max, ocorrencias;
    TValorCampo valor;
    std::string xml;                  // what the field writes inside <ide>
    std::vector<std::string> alertas; // the %MSG% of each alert line
};

std::string linhaDeAlerta(const std::string &msg)
{
    return "TAG:<ide> ID:B03/cNF(Código numérico) - " + msg + ".";
}

class AlertasDeCampo : public ::testing::TestWithParam<CasoCampo> {};

TEST_P(AlertasDeCampo, EscreveEAlertaComOsTextosDoLayout)
{
    const CasoCampo &caso = GetParam();
    TGerador gerador;
    gerador.EscreveGrupo("ide", "", true);
    const std::size_t antes = gerador.ArquivoFormatoXML.size();
    gerador.EscreveCampo(caso.tipo, "B03", "cNF", static_cast<std::int16_t>(caso.min),
                         static_cast<std::int16_t>(caso.max), static_cast<std::int16_t>(caso.ocorrencias),
                         caso.valor, " Código numérico ");
    EXPECT_EQ(gerador.ArquivoFormatoXML.substr(antes), caso.xml);
    std::vector<std::string> esperadas;
    for (const std::string &msg : caso.alertas)
        esperadas.push_back(linhaDeAlerta(msg));
    EXPECT_EQ(gerador.ListaDeAlertas, esperadas);
}

const std::string kMenor = "Tamanho menor que o mínimo permitido";
const std::string kMaior = "Tamanho maior que o máximo permitido";
const std::string kNenhum = "Nenhum valor informado";
const std::string kInvalido = "Conteúdo inválido";
constexpr auto kTipoSemRegra = static_cast<TTipoValorCampo>(99);

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Tabela, AlertasDeCampo,
    ::testing::Values(
        CasoCampo{"IgnoradoMesmoLongo",              vcTexto,       1,  2, -1, "longo demais",             "",                        {}},
        CasoCampo{"ObrigatorioVazioComMinimo",       vcTexto,       1,  8,  1, "   ",                      "<cNF/>",                  {kNenhum}},
        CasoCampo{"ObrigatorioVazioSemMinimo",       vcTexto,       0,  8,  1, "",                         "<cNF/>",                  {}},
        CasoCampo{"ObrigatorioNulo",                 vcTexto,       2,  8,  1, TValorCampo{},              "<cNF/>",                  {kNenhum}},
        CasoCampo{"OpcionalVazio",                   vcTexto,       1,  8,  0, "",                         "",                        {}},
        CasoCampo{"AbaixoDoMinimo",                  vcTexto,       3,  8,  1, "12",                       "<cNF>12</cNF>",           {kMenor + " [12]"}},
        CasoCampo{"AcimaDoMaximo",                   vcTexto,       1,  4,  1, "12345",                    "<cNF>12345</cNF>",        {kMaior + " [12345]"}},
        CasoCampo{"OpcionalAcimaDoMaximo",           vcTexto,       1,  4,  0, "12345",                    "<cNF>12345</cNF>",        {kMaior + " [12345]"}},
        CasoCampo{"ContaCaracteresNaoBytes",         vcTexto,       4,  4,  1, "ação",                     "<cNF>acao</cNF>",         {}},
        CasoCampo{"TextoAparado",                    vcTexto,       1,  3,  1, "  abc ",                   "<cNF>abc</cNF>",          {}},
        CasoCampo{"InteiroOpcionalZeroOmitido",      vcInteiro,     1,  8,  0, 0,                          "",                        {}},
        CasoCampo{"InteiroObrigatorioZero",          vcInteiro,     1,  8,  1, 0,                          "<cNF>0</cNF>",            {}},
        CasoCampo{"InteiroCompletadoComZeros",       vcInteiro,     3,  8,  1, 7,                          "<cNF>007</cNF>",          {}},
        CasoCampo{"InteiroNegativoCompletado",       vcInteiro,     3,  8,  1, -7,                         "<cNF>-07</cNF>",          {}},
        CasoCampo{"InteiroDeTexto",                  vcInteiro,     1,  8,  1, " 42 ",                     "<cNF>42</cNF>",           {}},
        CasoCampo{"InteiroIlegivelViraZero",         vcInteiro,     1,  8,  1, "4x",                       "<cNF>0</cNF>",            {}},
        CasoCampo{"InteiroAcimaDoMaximoComValor",    vcInteiro,     1,  2,  1, 123,                        "<cNF>123</cNF>",          {kMaior + " [123]"}},
        CasoCampo{"Inteiro64",                       vcInteiro64,   1, 20,  1, std::int64_t{123456789012}, "<cNF>123456789012</cNF>", {}},
        CasoCampo{"Inteiro32ForaDaFaixaViraZero",    vcInteiro,     1, 20,  1, std::int64_t{123456789012}, "<cNF>0</cNF>",            {}},
        CasoCampo{"DecimalOpcionalZeroOmitido",      vcDecimal2,    1, 15,  0, 0.0,                        "",                        {}},
        CasoCampo{"DecimalObrigatorioZero",          vcDecimal2,    1, 15,  1, 0.0,                        "<cNF>0.00</cNF>",         {}},
        CasoCampo{"DecimalMaximoContaOSeparador",    vcDecimal2,    1,  6,  1, 1234.5,                     "<cNF>1234.50</cNF>",      {}},
        CasoCampo{"DecimalAcimaDoMaximo",            vcDecimal2,    1,  5,  1, 1234.5,                     "<cNF>1234.50</cNF>",      {kMaior + " [1234.5]"}},
        CasoCampo{"DecimalCompletadoAteOMinimo",     vcDecimal2,    6, 15,  1, 1.5,                        "<cNF>0001.50</cNF>",      {}},
        CasoCampo{"DecimalIlegivelViraZero",         vcDecimal2,    1, 15,  1, "doze",                     "<cNF>0.00</cNF>",         {}},
        CasoCampo{"DecimalIlegivelOpcionalOmitido",  vcDecimal2,    1, 15,  0, "doze",                     "",                        {}},
        CasoCampo{"DigitosValidos",                  vcDigitos,     1,  8,  1, " 0123 ",                   "<cNF>0123</cNF>",         {}},
        CasoCampo{"DigitosComLetra",                 vcDigitos,     1,  8,  1, "12a",                      "<cNF>12a</cNF>",          {kInvalido}},
        CasoCampo{"DigitosOpcionalVazioAindaAlerta", vcDigitos,     1,  8,  0, "",                         "",                        {kInvalido}},
        CasoCampo{"DigitosObrigatorioVazio",         vcDigitos,     1,  8,  1, "",                         "<cNF/>",                  {kInvalido, kNenhum}},
        CasoCampo{"DigitosCurtos",                   vcDigitos,     3,  8,  1, "1x",                       "<cNF>1x</cNF>",           {kInvalido, kMenor + " [1x]"}},
        CasoCampo{"NumeroZeros",                     vcNumeroZeros, 5,  8,  1, "12",                       "<cNF>00012</cNF>",        {}},
        CasoCampo{"TextoBrutoNaoAparado",            vcTextoBruto,  1,  8,  1, " a ",                      "<cNF>a</cNF>",            {}},
        CasoCampo{"Logico",                          vcLogico,      1,  5,  1, true,                       "<cNF>true</cNF>",         {}},
        CasoCampo{"LogicoDeTexto",                   vcLogico,      1,  5,  0, "FALSE",                    "<cNF>false</cNF>",        {}},
        CasoCampo{"DataAcimaDoMaximoMostraAData",    vcData,        1,  8,  1, encodeDate(2019, 5, 2),     "<cNF>2019-05-02</cNF>",   {kMaior + " [02/05/2019]"}},
        CasoCampo{"TipoSemRegra",                    kTipoSemRegra, 1,  2,  1, "xyz",                      "",                        {}}),
    [](const ::testing::TestParamInfo<CasoCampo> &info) { return std::string(info.param.nome); });
// clang-format on

TEST(TGerador, AlertaNoFormatoDoLayoutComCaminhoDosGrupos)
{
    TGerador gerador;
    gerador.EscreveGrupo("ide", "B01", true);
    gerador.EscreveCampo(vcTexto, "B03", "cNF", 8, 8, 1, "123", "Número da Nota Fiscal Eletrônica");
    EXPECT_THAT(
        gerador.ListaDeAlertas,
        ElementsAre("TAG:<ide> ID:B03/cNF(Número da Nota Fiscal Eletrônica) - Tamanho menor que o mínimo "
                    "permitido [123]."));

    gerador.ListaDeAlertas.clear();
    gerador.Opcoes.FormatoAlerta = "%MSG% em %TAG% (%ID%) %TAG%";
    gerador.AdicionaAlerta("X1", "campo", "d", "Falhou");
    gerador.AdicionaAlerta("X1", "campo", "d", "   ");
    EXPECT_THAT(gerador.ListaDeAlertas, ElementsAre("Falhou em campo (X1) campo"));
}

TEST(TGerador, SomenteValidarAlertaSemEscrever)
{
    TGerador gerador;
    gerador.Opcoes.SomenteValidar = true;
    gerador.EscreveCampo(vcTexto, "B03", "cNF", 3, 8, 1, "12");
    EXPECT_EQ(gerador.ArquivoFormatoXML, "");
    EXPECT_EQ(gerador.ListaDeAlertas.size(), 1u);
}

TEST(TGerador, ElementoVazioLongoAtributoELimpeza)
{
    TGerador gerador;
    gerador.Opcoes.TagVaziaNoFormatoResumido = false;
    gerador.EscreveCampo(vcTexto, "", "xObs", 0, 8, 1, "", "", true, "  xCampo=\"a\" ");
    gerador.EscreveCampo(vcTexto, "", "xTexto", 0, 60, 1, " Pão  &  <leite> \"já\" 'ok' ");
    gerador.EscreveCampo(vcTexto, "", "xCru", 0, 60, 1, "<b>já</b>", "", false);
    gerador.Opcoes.RetirarAcentos = false;
    gerador.Opcoes.RetirarEspacos = false;
    gerador.EscreveCampo(vcTexto, "", "xAcento", 0, 60, 1, "Pão  doce");
    EXPECT_EQ(gerador.ArquivoFormatoXML,
              "<xObs xCampo=\"a\"></xObs>"
              "<xTexto>Pao &amp; &lt;leite&gt; &quot;ja&quot; &#39;ok&#39;</xTexto>"
              "<xCru><b>já</b></xCru>"
              "<xAcento>Pão  doce</xAcento>");
}

TEST(TGerador, ValorComDataHoraNaoConversivelLevantaErroSemEscrever)
{
    TGerador gerador;
    EXPECT_THROW(gerador.EscreveCampo(vcData, "", "dEmi", 10, 10, 1, "2019-05-02"), ConversionError);
    EXPECT_THROW(gerador.EscreveCampo(vcLogico, "", "ind", 1, 5, 1, 2.5), ConversionError);
    EXPECT_EQ(gerador.ArquivoFormatoXML, "");
}

// ---- Decimal kinds -----------------------------------------------------------

struct CasoDecimal {
    TTipoValorCampo tipo;
    TValorCampo valor;
    char decimalChar;
    bool suprimir;
    std::string texto;
};

void PrintTo(const CasoDecimal &caso, std::ostream *os)
{
    *os << EnumValueName(caso.tipo) << " -> " << caso.texto;
}

void PrintTo(const CasoCampo &caso, std::ostream *os)
{
    *os << caso.nome;
}

class Decimais : public ::testing::TestWithParam<CasoDecimal> {};

TEST_P(Decimais, CasasArredondamentoSeparadorESupressao)
{
    const CasoDecimal &caso = GetParam();
    TGerador gerador;
    gerador.Opcoes.DecimalChar = caso.decimalChar;
    gerador.Opcoes.SuprimirDecimais = caso.suprimir;
    gerador.EscreveCampo(caso.tipo, "", "v", 1, 30, 1, caso.valor);
    EXPECT_EQ(gerador.ArquivoFormatoXML, "<v>" + caso.texto + "</v>");
    EXPECT_THAT(gerador.ListaDeAlertas, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, Decimais,
    ::testing::Values(CasoDecimal{vcDecimal2, 1234.5, '.', false, "1234.50"},
                      CasoDecimal{vcDecimal2, 1234.5, ',', false, "1234,50"},
                      CasoDecimal{vcDecimal2, 1.005, '.', false, "1.01"},
                      CasoDecimal{vcDecimal2, 2.675, '.', false, "2.68"},
                      CasoDecimal{vcDecimal2, -2.675, '.', false, "-2.68"},
                      CasoDecimal{vcDecimal2, 0.004, '.', false, "0.00"},
                      CasoDecimal{vcDecimal1, 0.25, '.', false, "0.3"},
                      CasoDecimal{vcDecimal3, 10, '.', false, "10.000"},
                      CasoDecimal{vcDecimal4, std::int64_t{-3}, '.', false, "-3.0000"},
                      CasoDecimal{vcDecimal5, 1.0 / 3.0, '.', false, "0.33333"},
                      CasoDecimal{vcDecimal6, 12.3456785, '.', false, "12.345679"},
                      CasoDecimal{vcDecimal7, 0.1, '.', false, "0.1000000"},
                      CasoDecimal{vcDecimal8, 99.999999995, '.', false, "100.00000000"},
                      CasoDecimal{vcDecimal10, 0.1, '.', false, "0.1000000000"},
                      CasoDecimal{vcDecimal2, Decimal::fromUnits(26750), '.', false, "2.68"},
                      CasoDecimal{vcDecimal3, Decimal::fromUnits(5), ',', false, "0,001"},
                      CasoDecimal{vcDecimal10, Decimal::fromUnits(-12345), '.', false, "-1.2345000000"},
                      CasoDecimal{vcDecimal2, "12,5", '.', false, "12.50"},
                      CasoDecimal{vcDecimal2, 1234.0, '.', true, "1234"},
                      CasoDecimal{vcDecimal2, 1234.5, '.', true, "1234.50"},
                      CasoDecimal{vcDecimal4, Decimal(15), ',', true, "15"},
                      CasoDecimal{vcDecimal4, Decimal::fromUnits(150001), ',', true, "15,0001"}),
    [](const ::testing::TestParamInfo<CasoDecimal> &info) { return "Caso" + std::to_string(info.index); });

TEST(TGerador, SuprimirDecimaisNaoContaOSeparadorNosLimites)
{
    TGerador gerador;
    gerador.Opcoes.SuprimirDecimais = true;
    // Min and Max stay as given: "15" fits 2..2, "1.50" does not.
    gerador.EscreveCampo(vcDecimal2, "", "v", 2, 2, 1, 15.0);
    EXPECT_THAT(gerador.ListaDeAlertas, IsEmpty());
    gerador.EscreveCampo(vcDecimal2, "", "v", 2, 2, 1, 1.5);
    EXPECT_THAT(gerador.ListaDeAlertas,
                ElementsAre("TAG: ID:/v() - Tamanho maior que o máximo permitido [1.5]."));
}

// ---- Dates and times -----------------------------------------------------------

TEST(TGerador, DatasEHorasPorTipo)
{
    const TDateTime momento = encodeDateTime({2019, 5, 2, 10, 11, 12, 0});
    const struct {
        TTipoValorCampo tipo;
        const char *texto;
    } casos[] = {
        {vcData, "2019-05-02"},    {vcDataHora, "2019-05-02T10:11:12"},    {vcDataCompacta, "20190502"},
        {vcDataBR, "02/05/2019"},  {vcDataHoraCompacta, "20190502101112"}, {vcHora, "10:11:12"},
        {vcHoraCompacta, "101112"}};
    for (const auto &caso : casos) {
        TGerador gerador;
        gerador.EscreveCampo(caso.tipo, "", "d", 0, 30, 1, momento);
        EXPECT_EQ(gerador.ArquivoFormatoXML, std::string("<d>") + caso.texto + "</d>") << caso.texto;
    }

    TGerador gerador;
    gerador.EscreveCampo(vcData, "", "semData", 10, 10, 0, 0.0);
    gerador.EscreveCampo(vcDataHora, "", "soHora", 19, 19, 0, encodeTime(8, 0, 0));
    gerador.EscreveCampo(vcHora, "", "meiaNoite", 8, 8, 0, encodeDate(2019, 5, 2));
    gerador.EscreveCampo(vcData, "", "obrigatoria", 10, 10, 1, 0.0);
    EXPECT_EQ(gerador.ArquivoFormatoXML, "<obrigatoria/>");
    EXPECT_THAT(gerador.ListaDeAlertas, ElementsAre("TAG: ID:/obrigatoria() - Nenhum valor informado."));
}

// ---- Groups, indentation and the alert path --------------------------------------

TEST(TGerador, IndentacaoPorProfundidade)
{
    TGerador gerador;
    gerador.Opcoes.IdentarXML = true;
    gerador.EscreveGrupo("NFe", "", true);
    gerador.EscreveGrupo("ide", "", true);
    gerador.EscreveCampo(vcInteiro, "", "cUF", 2, 2, 1, 35);
    gerador.EscreveCampo(vcTexto, "", "vazio", 0, 2, 0, "");
    gerador.EscreveGrupo("/ide", "", true);
    gerador.EscreveGrupo("/NFe", "", true);
    EXPECT_EQ(gerador.ArquivoFormatoXML, "<NFe>\r\n"
                                         "   <ide>\r\n"
                                         "      <cUF>35</cUF>\r\n"
                                         "   </ide>\r\n"
                                         "</NFe>\r\n");
    EXPECT_EQ(gerador.Opcoes.ProfundidadeAtual, 0);

    // Self-closing groups raise the depth like any opening group; the listed
    // tags lower it by one before they are written.
    TGerador semRecuo;
    semRecuo.Opcoes.IdentarXML = true;
    semRecuo.Opcoes.TamanhoIdentacao = 2;
    semRecuo.TagsSemRecuo = "|Transform Algorithm=\"b|/Transforms|";
    semRecuo.EscreveGrupo("?xml version=\"1.0\"?", "", false);
    semRecuo.EscreveGrupo("Transforms", "", true);
    semRecuo.EscreveGrupo("Transform Algorithm=\"a\"/", "", true);
    semRecuo.EscreveGrupo("Transform Algorithm=\"b\"/", "", true);
    semRecuo.EscreveGrupo("/Transforms", "", true);
    EXPECT_EQ(semRecuo.ArquivoFormatoXML, "<?xml version=\"1.0\"?>\r\n"
                                          "<Transforms>\r\n"
                                          "  <Transform Algorithm=\"a\"/>\r\n"
                                          "  <Transform Algorithm=\"b\"/>\r\n"
                                          "</Transforms>\r\n");
    EXPECT_EQ(semRecuo.Opcoes.ProfundidadeAtual, 0);
}

TEST(TGerador, CaminhoDosGruposNosAlertas)
{
    TGerador gerador;
    gerador.Opcoes.FormatoAlerta = "%TAGNIVEL%";
    gerador.TagsForaDoNivel = "|NFe xmlns|infNFe versao|";
    gerador.EscreveGrupo("NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"", "", true);
    gerador.EscreveGrupo("infNFe versao=\"4.00\" Id=\"NFe1\"", "A01", true);
    gerador.EscreveGrupo("det nItem=\"1\"", "H01", true);
    gerador.EscreveGrupo("prod", "I01", true);
    gerador.AdicionaAlerta("", "", "", "x");
    gerador.EscreveGrupo("detExport", "", true);
    gerador.AdicionaAlerta("", "", "", "x");
    gerador.EscreveGrupo("/detExport", "", true); // cuts the path before the item's own tag
    gerador.AdicionaAlerta("", "", "", "x");
    gerador.EscreveGrupo("/prod", "", true);
    gerador.EscreveGrupo("total", "", true);
    gerador.EscreveGrupo("ICMSTot", "", true);
    gerador.EscreveGrupo("/total", "", true);
    gerador.AdicionaAlerta("", "", "", "x");
    EXPECT_THAT(gerador.ListaDeAlertas, ElementsAre("<det nItem=\"1\"><prod>",
                                                    "<det nItem=\"1\"><prod><detExport>", "", "<ICMSTot>"));
    EXPECT_EQ(gerador.TagNivel(), "<ICMSTot>");
}

// A group opened with attributes leaves the path when it closes.
TEST(TGerador, GrupoComAtributosSaiDoNivelAoFechar)
{
    TGerador gerador;
    gerador.EscreveGrupo("nfeProc versao=\"4.00\"", "", true);
    gerador.EscreveGrupo("protNFe", "", true);
    EXPECT_EQ(gerador.TagNivel(), "<nfeProc versao=\"4.00\"><protNFe>");
    gerador.EscreveGrupo("/protNFe", "", true);
    gerador.EscreveGrupo("/nfeProc", "", true);
    EXPECT_EQ(gerador.TagNivel(), "");
}

TEST(TGerador, PrefixoETextoPronto)
{
    TGerador gerador;
    gerador.Prefixo = "ns:";
    gerador.EscreveGrupo("raiz a=\"1\"", "", true);
    gerador.EscreveCampo(vcTexto, "", "campo", 0, 5, 1, "v");
    gerador.EscreveTexto("<Signature>...</Signature>");
    gerador.EscreveGrupo("/raiz", "", true);
    EXPECT_EQ(gerador.ArquivoFormatoXML,
              "<ns:raiz a=\"1\"><ns:campo>v</ns:campo><Signature>...</Signature></ns:raiz>");
}

// ---- CNPJ and CPF ------------------------------------------------------------------

TEST(TGerador, CNPJouCPFPelaQuantidadeDeDigitos)
{
    const struct {
        const char *valor;
        int ocorrencias;
        bool completar;
        const char *xml;
        std::vector<std::string> alertas;
    } casos[] = {
        {"123.456.789-0", 1, true, "<CPF>01234567890</CPF>", {}},
        {"111.444.777-35", 1, false, "<CPF>11144477735</CPF>", {}},
        {"111.444.777-36", 1, false, "<CPF>11144477736</CPF>", {"P25/CPF(CPF) - Conteúdo inválido"}},
        {"1122233000120", 1, true, "<CNPJ>01122233000120</CNPJ>", {}},
        {"11.222.333/0001-81", 1, true, "<CNPJ>11222333000181</CNPJ>", {}},
        {"112223330001",
         1,
         false,
         "<CNPJ>112223330001</CNPJ>",
         {"P24/CNPJ(CNPJ) - Conteúdo inválido", "P24-P25/CNPJ-CPF(CNPJ/CPF) - Conteúdo inválido"}},
        {"", 0, true, "", {}},
        {"", 1, false, "<CNPJ/>", {}},
    };
    for (const auto &caso : casos) {
        TGerador gerador;
        gerador.Opcoes.FormatoAlerta = "%ID%/%TAG%(%DESCRICAO%) - %MSG%";
        gerador.EscreveCNPJouCPF("P24", "P25", caso.valor, static_cast<std::int16_t>(caso.ocorrencias),
                                 caso.completar);
        EXPECT_EQ(gerador.ArquivoFormatoXML, caso.xml) << caso.valor;
        EXPECT_EQ(gerador.ListaDeAlertas, caso.alertas) << caso.valor;
    }
}

TEST(TGerador, CNPJDaParteBrasileiraOuEstrangeira)
{
    TGerador gerador;
    gerador.Opcoes.FormatoAlerta = "%ID%/%TAG%(%DESCRICAO%) - %MSG%";
    gerador.EscreveCNPJ("E02", "11.222.333/0001-81", 1058, true);
    gerador.EscreveCNPJ("E02", "123", 3000, true);
    gerador.EscreveCNPJ("E02", "11.222.333/0001-82", 1058, false);
    gerador.EscreveCNPJ("E02", "", 1058, false);
    EXPECT_EQ(gerador.ArquivoFormatoXML, "<CNPJ>11222333000181</CNPJ><CNPJ/><CNPJ>11222333000182</CNPJ>");
    EXPECT_THAT(gerador.ListaDeAlertas, ElementsAre("E02/CNPJ(CNPJ(MF)) - Conteúdo inválido",
                                                    "E02/CNPJ(CNPJ(MF)) - Conteúdo inválido",
                                                    "E02/CNPJ(CNPJ(MF)) - Conteúdo inválido"));
}

// ---- TXT output ----------------------------------------------------------------------

std::vector<std::string> modeloTXT()
{
    return {"<A01>  NOTA FISCAL|1",
            "<B01>        A|4.00|^ID^",
            "<B01>        B|CUF\xA8|CNF\xA8",
            "<C01>        C|XNOME\xA8",
            "<C01>      C02|CNPJ\xA8",
            "<C01>     C02A|CPF\xA8",
            "<H01>        H|NITEM\xA8|INFADPROD\xA8",
            "<I01>        I|CPROD\xA8|XPROD\xA8",
            "<Z01>        Z|INFCPL\xA8"};
}

TEST(TGerador, SaidaTXTPreencheORegistroDoGrupoAberto)
{
    TGerador gerador;
    gerador.LayoutArquivoTXT.Atribui(modeloTXT());
    gerador.EscreveGrupo("infNFe versao=\"4.00\" Id=\"NFe35\"", "A01", true);
    gerador.EscreveGrupo("ide", "B01", true);
    gerador.EscreveCampo(vcInteiro, "", "cUF", 2, 2, 1, 35);
    gerador.EscreveCampo(vcTexto, "", "cNF", 0, 8, 1, "0001");
    gerador.EscreveGrupo("/ide", "", true);
    gerador.EscreveCampo(vcTexto, "", "cNF", 0, 8, 1, "perdido"); // the parent's line has no cNF
    gerador.EscreveGrupo("emit", "C01", true);
    gerador.EscreveCampo(vcTexto, "", "xNome", 0, 60, 1, "Café è Cia|Filial", "", false);
    gerador.EscreveCNPJouCPF("C02", "C02a", "11144477735", 1, true);
    gerador.EscreveGrupo("/emit", "", true);
    for (int item = 1; item <= 2; ++item) {
        gerador.EscreveGrupo("det nItem=\"" + std::to_string(item) + "\"", "H01", true);
        gerador.EscreveGrupo("prod", "I01", true);
        gerador.EscreveCampo(vcTexto, "", "cProd", 0, 60, 1, "P" + std::to_string(item));
        if (item == 2) // item 1 has no description: item 2's never goes to item 1
            gerador.EscreveCampo(vcTexto, "", "xProd", 0, 60, 1, "Produto 2");
        gerador.EscreveGrupo("/prod", "", true);
        gerador.EscreveGrupo("/det", "", true);
    }
    gerador.EscreveGrupo("infAdic", "Z01", true); // no field filled: no record line
    gerador.EscreveGrupo("/infAdic", "", true);
    gerador.EscreveGrupo("/infNFe", "", true);
    gerador.ConcluiTXT("NFe35");

    EXPECT_EQ(gerador.ArquivoFormatoTXT, "NOTA FISCAL|1\r\n"
                                         "A|4.00|NFe35\r\n"
                                         "B|35|0001\r\n"
                                         "C|Café è Cia-Filial\r\n"
                                         "C02a|11144477735\r\n"
                                         "H|1|\r\n"
                                         "I|P1|\r\n"
                                         "H|2|\r\n"
                                         "I|P2|Produto 2\r\n");
    EXPECT_EQ(gerador.IDNivel(), "");
    // The value that no record holds and the one whose "|" was replaced are named.
    ASSERT_EQ(gerador.ListaDeAlertas.size(), 2u);
    EXPECT_NE(gerador.ListaDeAlertas[0].find("/cNF() - " + std::string(kSemRegistroTXT)), std::string::npos)
        << gerador.ListaDeAlertas[0];
    EXPECT_NE(gerador.ListaDeAlertas[1].find("/xNome() - " + std::string(kValorAlteradoTXT)),
              std::string::npos)
        << gerador.ListaDeAlertas[1];
}

TEST(TGerador, IDNivelVoltaAoRegistroDoGrupoPai)
{
    TGerador gerador;
    gerador.LayoutArquivoTXT.Atribui({"<C01>        C|XNOME\xA8|IE\xA8", "<C05>      C05|XLGR\xA8",
                                      "<H01>        H|NITEM\xA8|INFADPROD\xA8", "<I01>        I|CPROD\xA8"});
    gerador.EscreveGrupo("emit", "C01", true);
    gerador.EscreveCampo(vcTexto, "", "xNome", 0, 60, 1, "Empresa");
    gerador.EscreveGrupo("enderEmit", "C05", true);
    gerador.EscreveCampo(vcTexto, "", "xLgr", 0, 60, 1, "Rua A");
    gerador.EscreveGrupo("/enderEmit", "", true);
    EXPECT_EQ(gerador.IDNivel(), "C01"); // closing a group goes back to its parent's record
    gerador.IDNivel("c01");
    EXPECT_EQ(gerador.IDNivel(), "C01");
    gerador.EscreveCampo(vcTexto, "", "IE", 0, 14, 1, "123");
    gerador.EscreveGrupo("/emit", "", true);
    // Each item goes back to its own record, never to an earlier item's.
    for (int item = 1; item <= 2; ++item) {
        gerador.EscreveGrupo("det", "H01", true);
        gerador.EscreveCampo(vcInteiro, "", "nItem", 1, 3, 1, item);
        gerador.EscreveGrupo("prod", "I01", true);
        gerador.EscreveCampo(vcTexto, "", "cProd", 0, 60, 1, "P" + std::to_string(item));
        gerador.EscreveGrupo("/prod", "", true);
        gerador.IDNivel("H01");
        if (item == 2)
            gerador.EscreveCampo(vcTexto, "", "infAdProd", 0, 60, 1, "segundo");
        gerador.EscreveGrupo("/det", "", true);
    }
    gerador.IDNivel("Z01"); // never opened: nothing is current
    gerador.EscreveCampo(vcTexto, "", "infAdProd", 0, 60, 1, "perdido");
    gerador.ConcluiTXT("NFe1");
    EXPECT_EQ(gerador.ArquivoFormatoTXT, "C|Empresa|123\r\n"
                                         "C05|Rua A\r\n"
                                         "H|1|\r\n"
                                         "I|P1\r\n"
                                         "H|2|segundo\r\n"
                                         "I|P2\r\n");
}

TEST(TGerador, SaidaTXTGruposSemLinhaPropriaERegistrosRepetidos)
{
    // A template taken apart beforehand: names are upper-cased, the text composed.
    TGerador gerador;
    gerador.LayoutArquivoTXT.AtribuiAnalisadas({
        {"", "b12a", {"BA02", ""}, {"refNFe"}},
        {"", "B12A", {"BA10", "", ""}, {"cUF", "refCTe"}},
        {"", "B12A", {"BA13", ""}, {"CNPJ"}},
        {"", "I01", {"I", "", ""}, {"cProd", "xPed"}},
        {"", "I01", {"I05a", ""}, {"NVE"}},
        {"", "I18", {"I18", ""}, {"nDI"}},
        {"", "X26", {"X26", ""}, {"qVol"}},
    });
    EXPECT_EQ(gerador.LayoutArquivoTXT.linhas()[1], "<B12A>BA10|CUF\xA8|REFCTE\xA8");
    gerador.EscreveGrupo("NFref", "B12a", true);
    gerador.EscreveGrupo("refNFP", "B20a", true); // no line of its own: fills the parent's lines
    gerador.EscreveCampo(vcInteiro, "", "cUF", 2, 2, 1, 41);
    gerador.EscreveCampo(vcTexto, "", "CNPJ", 0, 14, 1, "11222333000181");
    gerador.EscreveGrupo("/refNFP", "", true);
    gerador.EscreveGrupo("/NFref", "", true);
    gerador.EscreveGrupo("prod", "I01", true);
    gerador.EscreveCampo(vcTexto, "", "cProd", 0, 60, 1, "P1");
    gerador.EscreveCampo(vcTexto, "", "cProd", 0, 60, 1, "segundo"); // a line of several fields never repeats
    gerador.EscreveCampo(vcTexto, "", "NVE", 0, 6, 0, "AA0001");
    gerador.EscreveCampo(vcTexto, "", "NVE", 0, 6, 0, "AB0002"); // a single-field line repeats
    gerador.EscreveGrupo("DI", "I18", true);
    gerador.EscreveCampo(vcTexto, "", "nDI", 0, 15, 1, "DI1");
    gerador.EscreveGrupo("/DI", "", true);
    gerador.EscreveCampo(vcTexto, "", "xPed", 0, 15, 0, "PED1"); // after a nested group
    gerador.EscreveGrupo("/prod", "", true);
    gerador.EscreveGrupo("vol/", "X26", true); // self-closing: closes at once
    gerador.EscreveCampo(vcInteiro, "", "qVol", 1, 15, 1, 3);
    gerador.ConcluiTXT("NFe1");
    EXPECT_EQ(gerador.ArquivoFormatoTXT, "BA10|41|\r\n"
                                         "BA13|11222333000181\r\n"
                                         "I|P1|PED1\r\n"
                                         "I05a|AA0001\r\n"
                                         "I05a|AB0002\r\n"
                                         "I18|DI1\r\n");
}

TEST(TGerador, SemModeloNaoHaSaidaTXT)
{
    TGerador gerador;
    gerador.EscreveGrupo("ide", "b01", true);
    EXPECT_EQ(gerador.IDNivel(), "B01");
    gerador.EscreveCampo(vcInteiro, "", "cUF", 2, 2, 1, 35);
    gerador.ConcluiTXT("NFe1");
    EXPECT_EQ(gerador.ArquivoFormatoTXT, "");

    // A template given as text, and a value whose UTF-8 bytes hold 0xA8.
    gerador.LayoutArquivoTXT.AtribuiTexto("<B01>  B|CUF\xA8|XNOME\xA8\n\r<C01>  C|X\xA8\r\n");
    EXPECT_EQ(gerador.LayoutArquivoTXT.linhas().size(), 3u);
    gerador.EscreveGrupo("ide", "B01", true);
    gerador.EscreveCampo(vcTexto, "", "xNome", 0, 60, 1, "¨è|CUF", "", false);
    gerador.EscreveCampo(vcInteiro, "", "cUF", 2, 2, 1, 35);
    gerador.ConcluiTXT("NFe1");
    EXPECT_EQ(gerador.ArquivoFormatoTXT, "B|35|¨è-CUF\r\n");
}

} // namespace
