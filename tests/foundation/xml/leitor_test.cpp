#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "foundation/text/detail/busca_texto.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/detail/indice_de_tags.h"
#include "foundation/xml/leitor.h"
#include "tests/support/temp_dir.h"

namespace {

std::string texto(const TValorCampo &valor)
{
    return std::get<std::string>(valor);
}

double numero(const TValorCampo &valor)
{
    return std::get<double>(valor);
}

const char *const kNota = R"(<?xml version="1.0"?>
<nfeProc versao="4.00"><NFe><infNFe versao="4.00" Id="NFe35">
<ide><cUF>35</cUF><natOp>Venda &amp; Cia</natOp><dhEmi>2019-05-02T10:11:12-03:00</dhEmi></ide>
<det nItem="1"><prod><cProd>A1</cProd><vProd>12.50</vProd></prod></det>
<det nItem="2"><prod><cProd>B2</cProd><vProd>12,50</vProd></prod></det>
<transp><modFrete>0</modFrete><transporta><xNome>Transportadora</xNome></transporta></transp>
</infNFe></NFe></nfeProc>)";

TEST(TLeitor, ExtraiGruposPorNivelEItensDeUmaLista)
{
    TLeitor leitor;
    leitor.setArquivo(kNota);
    const std::string infNFe = leitor.ExtraiGrupo(1, "infNFe");
    EXPECT_TRUE(infNFe.starts_with("<infNFe versao=\"4.00\" Id=\"NFe35\">"));
    EXPECT_TRUE(infNFe.ends_with("</infNFe>"));
    EXPECT_EQ(leitor.Grupo(), infNFe);

    EXPECT_EQ(leitor.ExtraiGrupo(2, "det", "", 1),
              "<det nItem=\"1\"><prod><cProd>A1</cProd><vProd>12.50</vProd></prod></det>");
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "cProd")), "A1");
    EXPECT_EQ(leitor.ExtraiGrupo(2, "det", "", 2).substr(0, 15), "<det nItem=\"2\">");
    EXPECT_EQ(leitor.ExtraiGrupo(3, "prod"), "<prod><cProd>B2</cProd><vProd>12,50</vProd></prod>");
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "cProd")), "B2");
    EXPECT_EQ(leitor.ExtraiGrupo(2, "det", "", 3), "");
    EXPECT_EQ(leitor.Grupo(), "");

    // A failed extraction keeps the level's previous text: level 3 still reads
    // from item 2.
    EXPECT_EQ(leitor.ExtraiGrupo(3, "cProd"), "<cProd>B2</cProd>");
    EXPECT_THROW(leitor.ExtraiGrupo(0, "x"), std::out_of_range);
    EXPECT_THROW(leitor.ExtraiGrupo(11, "x"), std::out_of_range);
}

TEST(TLeitor, ItensEmQualquerOrdemDaoOMesmoQueUmLeitorNovo)
{
    std::string lista = "<lista>";
    for (int i = 1; i <= 30; ++i)
        lista += "<item n=\"" + std::to_string(i) + "\"><v>" + std::to_string(i * 10) + "</v></item>";
    lista += "</lista>";

    TLeitor andando;
    andando.setArquivo(lista);
    for (const int item : {1, 2, 3, 7, 7, 5, 30, 31, 2, 1, 29}) {
        TLeitor novo;
        novo.setArquivo(lista);
        EXPECT_EQ(andando.ExtraiGrupo(1, "item", "", item), novo.ExtraiGrupo(1, "item", "", item)) << item;
    }

    // A new document resets the walk.
    andando.setArquivo("<item><v>1</v></item><item><v>2</v></item>");
    EXPECT_EQ(andando.ExtraiGrupo(1, "item", "", 2), "<item><v>2</v></item>");
}

TEST(TLeitor, ElementosAninhadosComOMesmoNomeNaoSaoContados)
{
    TLeitor leitor;
    leitor.setArquivo("<a><b><a>x</a></b></a><c>fora</c>");
    EXPECT_EQ(leitor.ExtraiGrupo(1, "a"), "<a><b><a>x</a>");
    EXPECT_EQ(leitor.ExtraiGrupo(1, "ide", "/x"), "");
    // Closing tag with a namespace prefix after the name.
    leitor.setArquivo("<ret><x>1</x></ret:fim>");
    EXPECT_EQ(leitor.ExtraiGrupo(1, "ret"), "<ret><x>1</x></ret:");
}

TEST(TLeitor, LeCamposPorTipo)
{
    TLeitor leitor;
    leitor.setArquivo(kNota);
    leitor.ExtraiGrupo(1, "infNFe");
    EXPECT_EQ(std::get<int>(leitor.LeCampo(vcInteiro, "CUF")), 35);
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, " natop ")), "Venda & Cia");
    EXPECT_EQ(texto(leitor.LeCampo(vcDigitos, "natOp")), "Venda &amp; Cia");
    EXPECT_DOUBLE_EQ(numero(leitor.LeCampo(vcDecimal2, "vProd")), 12.5);
    EXPECT_DOUBLE_EQ(numero(leitor.LeCampo(vcDecimal2, "vNF")), 0);
    EXPECT_EQ(std::get<int>(leitor.LeCampo(vcInteiro, "ausente")), 0);
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "ausente")), "");
    EXPECT_EQ(std::get<TDateTime>(leitor.LeCampo(vcDataHora, "dhEmi")),
              encodeDateTime({2019, 5, 2, 10, 11, 12, 0}));
    leitor.ExtraiGrupo(2, "det", "", 2);
    EXPECT_DOUBLE_EQ(numero(leitor.LeCampo(vcDecimal2, "vProd")), 12.5);

    // The element's opening tag carries attributes: the content starts after
    // the last ">" before its closing tag.
    leitor.setGrupo("<x><nItem a=\"1\">  7 </nItem></x>");
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "nItem")), "7");
    leitor.setGrupo("<x><vazio/><n>-12.50</n><ch>  </ch></x>");
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "vazio")), "");
    EXPECT_EQ(std::get<int>(leitor.LeCampo(vcInteiro, "n")), 1250); // the digits only
    EXPECT_EQ(std::get<std::int64_t>(leitor.LeCampo(vcInteiro64, "n")), 1250);
    EXPECT_DOUBLE_EQ(numero(leitor.LeCampo(vcDecimal2, "ch")), 0);

    leitor.FloatIsIntString = true;
    leitor.setGrupo("<v>12345</v><w></w>");
    EXPECT_DOUBLE_EQ(numero(leitor.LeCampo(vcDecimal2, "v")), 123.45);
    EXPECT_DOUBLE_EQ(numero(leitor.LeCampo(vcDecimal2, "w")), 0);
}

TEST(TLeitor, TagLimite)
{
    TLeitor leitor;
    leitor.setGrupo("<transp><transporta><xNome>T</xNome></transporta></transp>");
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "xNome", "transporta")), "");
    leitor.setGrupo("<dest><xNome>D</xNome></dest><transporta><xNome>T</xNome></transporta>");
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "xNome", "transporta")), "D");
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "xNome", "ausente")), "D");
    // The first closing tag before the first plain opening tag reads as empty.
    leitor.setGrupo("<a></xNome><xNome>X</xNome>");
    EXPECT_EQ(texto(leitor.LeCampo(vcTexto, "xNome")), "");
}

TEST(TLeitor, DatasEHoras)
{
    const TDateTime esperado = encodeDateTime({2019, 5, 2, 10, 11, 12, 0});
    TLeitor leitor;
    for (const char *forma : {"2019-05-02T10:11:12-03:00", "02/05/2019 10:11:12", "02/05/2019T10:11:12",
                              "02/05/201910:11:12", "2019-05-02T10:11:12"}) {
        leitor.setGrupo(std::string("<dh>") + forma + "</dh>");
        EXPECT_EQ(std::get<TDateTime>(leitor.LeCampo(vcDataHora, "dh")), esperado) << forma;
    }
    leitor.setGrupo("<dh>2019-05-02T10:11:xx</dh>");
    EXPECT_EQ(std::get<TDateTime>(leitor.LeCampo(vcDataHora, "dh")),
              encodeDateTime({2019, 5, 2, 10, 11, 0, 0}));

    const struct {
        TTipoValorCampo tipo;
        const char *conteudo;
        TDateTime valor;
    } casos[] = {
        {vcData, "2019-05-02", encodeDate(2019, 5, 2)},
        {vcDataCompacta, "20190502", encodeDate(2019, 5, 2)},
        {vcDataBR, "02/05/2019", encodeDate(2019, 5, 2)},
        {vcDataHoraCompacta, "20190502101112", esperado},
        {vcHora, "10:11:12", encodeTime(10, 11, 12)},
        {vcHoraCompacta, "101112", encodeTime(10, 11, 12)},
        {vcData, "", 0},
        {vcHora, "", 0},
    };
    for (const auto &caso : casos) {
        leitor.setGrupo(std::string("<d>") + caso.conteudo + "</d>");
        EXPECT_EQ(std::get<TDateTime>(leitor.LeCampo(caso.tipo, "d")), caso.valor) << caso.conteudo;
    }

    leitor.setGrupo("<d>2019-0x-02</d><h>2019-05-02</h>");
    EXPECT_THROW(leitor.LeCampo(vcData, "d"), ConversionError);
    EXPECT_THROW(leitor.LeCampo(vcDataHora, "h"), ConversionError); // no time
    leitor.setGrupo("<d>2019-13-02</d>");
    EXPECT_THROW(leitor.LeCampo(vcData, "d"), ConversionError);
}

TEST(TLeitor, TiposSemRegraDeLeitura)
{
    TLeitor leitor;
    leitor.setGrupo("<a>true</a><b> 007 </b>");
    EXPECT_TRUE(std::get<bool>(leitor.LeCampo(vcLogico, "a")));
    EXPECT_FALSE(std::get<bool>(leitor.LeCampo(vcLogico, "b")));
    EXPECT_EQ(texto(leitor.LeCampo(vcNumeroZeros, "b")), "007");
    try {
        leitor.LeCampo(static_cast<TTipoValorCampo>(40), "b");
        FAIL();
    } catch (const EQuibException &erro) {
        EXPECT_STREQ(erro.what(), "Tag <B> com conteúdo inválido. 007");
    }
}

TEST(TLeitor, Atributos)
{
    TLeitor leitor;
    leitor.setArquivo(kNota);
    leitor.ExtraiGrupo(1, "nfeProc");
    EXPECT_EQ(leitor.LeAtributo("versao"), "4.00");
    EXPECT_EQ(leitor.LeAtributo("Id", "infNFe"), "NFe35");
    // An outer element before infNFe also carries versao: the one inside the
    // infNFe tag is read.
    leitor.setGrupo("<nfeProc versao=\"1.00\"><infNFe versao=\"4.00\">");
    EXPECT_EQ(leitor.LeAtributo("versao", "infNFe"), "4.00");
    EXPECT_EQ(leitor.LeAtributo("versao="), "1.00");

    leitor.setGrupo("<a x='um \"dois\"' y = \"A &amp; B\" z=\"\" w=\"aberto>");
    EXPECT_EQ(leitor.LeAtributo("x"), "um \"dois\"");
    EXPECT_EQ(leitor.LeAtributo("y"), "A & B");
    EXPECT_EQ(leitor.LeAtributo("z"), "");
    EXPECT_EQ(leitor.LeAtributo("w"), "");
    EXPECT_EQ(leitor.LeAtributo("ausente"), "");
    EXPECT_EQ(leitor.LeAtributo("  "), "");
}

TEST(TLeitor, CNPJouCPF)
{
    TLeitor leitor;
    leitor.setGrupo("<emit><CNPJ> 11222333000181 </CNPJ></emit>");
    EXPECT_EQ(leitor.LeCNPJouCPF(), "11222333000181");
    leitor.setGrupo("<emit><CNPJ></CNPJ><CPF>11144477735</CPF></emit>");
    EXPECT_EQ(leitor.LeCNPJouCPF(), "11144477735");
}

TEST(TLeitor, LeArquivoJuntaAsLinhasComCRLF)
{
    testsupport::TempDir pasta;
    const auto utf8 = pasta.write("utf8.xml", "\xEF\xBB\xBF<a>\n<b>ação</b>\r\n</a>");
    const auto latin1 = pasta.write("latin1.xml", "<b>a\xE7\xE3o</b>\r<c/>");

    TLeitor leitor;
    EXPECT_TRUE(leitor.LeArquivo(utf8.string()));
    EXPECT_EQ(leitor.Arquivo(), "<a>\r\n<b>ação</b>\r\n</a>\r\n");
    EXPECT_TRUE(leitor.LeArquivo(latin1.string()));
    EXPECT_EQ(leitor.Arquivo(), "<b>ação</b>\r\n<c/>\r\n");
    EXPECT_THROW(leitor.LeArquivo((pasta / "nao-existe.xml").string()), EQuibException);
}

} // namespace

namespace {

// The tag index answers what a substring search for "<" + token + ">" does,
// in the whole text and in any range of it, on texts full of stray "<", ">",
// mixed case and near-miss names.
TEST(IndiceDeTags, ConcordaComABuscaDeSubtexto)
{
    std::mt19937 aleatorio(20240229);
    const std::string pedacos[] = {"<",  ">",   "/",    "a",    "A",     "b",     "ab",    "aB", " ",  "=",
                                   "\"", "<a>", "</A>", "<ab>", "<b x>", "<<a>>", "</ab>", "ç",  "<ç>"};
    const std::string tokens[] = {"A", "/A", "AB", "/AB", "B", "B X", "", "Ç", "<A", "A>"};
    for (int rodada = 0; rodada < 500; ++rodada) {
        std::string texto;
        const int tamanho = static_cast<int>(aleatorio() % 40);
        for (int i = 0; i < tamanho; ++i)
            texto += pedacos[aleatorio() % std::size(pedacos)];
        const IndiceDeTags indice(texto);
        for (const std::string &token : tokens) {
            for (std::size_t inicio = 0; inicio <= texto.size(); inicio += 7) {
                const std::size_t esperado = buscaSemCaixa(texto, "<" + token + ">", inicio);
                if (IndiceDeTags::tokenValido(token)) {
                    EXPECT_EQ(indice.busca(token, inicio), esperado) << texto << " / " << token;
                }
                // The plain search agrees with a byte-by-byte reference.
                std::size_t referencia = std::string_view::npos;
                const std::string agulha = "<" + token + ">";
                for (std::size_t p = inicio;
                     p + agulha.size() <= texto.size() && referencia == std::string_view::npos; ++p) {
                    if (upperAscii(texto.substr(p, agulha.size())) == agulha)
                        referencia = p;
                }
                EXPECT_EQ(esperado, referencia) << texto << " / " << token;
            }
            // Limited to a range, it answers what the search in that range alone does.
            for (std::size_t de = 0; de <= texto.size(); de += 5) {
                for (std::size_t ate = de; ate <= texto.size(); ate += 3) {
                    const std::size_t noTrecho =
                        buscaSemCaixa(std::string_view(texto).substr(de, ate - de), "<" + token + ">");
                    if (IndiceDeTags::tokenValido(token)) {
                        EXPECT_EQ(indice.busca(token, de, ate),
                                  noTrecho == std::string_view::npos ? noTrecho : de + noTrecho)
                            << texto << " / " << token << " in [" << de << ", " << ate << ")";
                    }
                }
            }
        }
    }
}

} // namespace
