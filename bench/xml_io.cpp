// Writing a document of n list items (30 fields each) with TGerador and reading
// every field back with TLeitor, for 99 and 990 items; and, for scale, libxml2
// parsing the same 990-item text.
//
// Goals: the 990-item time at most 12 times the 99-item time, for writing and
// for reading; reading every field of the 990-item document at most 5 times
// what xmlReadMemory takes for the same text.
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include "foundation/dates/date_time.h"
#include "foundation/xml/gerador.h"
#include "foundation/xml/leitor.h"

namespace {

struct Campo {
    const char *tag;
    TTipoValorCampo tipo;
};

// 30 fields per item, of the kinds an NF-e item carries.
const std::vector<Campo> &camposDoItem()
{
    static const std::vector<Campo> campos = {
        {"cProd", vcTexto},      {"cEAN", vcTexto},        {"xProd", vcTexto},     {"NCM", vcTexto},
        {"CEST", vcTexto},       {"CFOP", vcInteiro},      {"uCom", vcTexto},      {"qCom", vcDecimal4},
        {"vUnCom", vcDecimal10}, {"vProd", vcDecimal2},    {"cEANTrib", vcTexto},  {"uTrib", vcTexto},
        {"qTrib", vcDecimal4},   {"vUnTrib", vcDecimal10}, {"vFrete", vcDecimal2}, {"vSeg", vcDecimal2},
        {"vDesc", vcDecimal2},   {"vOutro", vcDecimal2},   {"indTot", vcInteiro},  {"xPed", vcTexto},
        {"nItemPed", vcInteiro}, {"nFCI", vcTexto},        {"orig", vcInteiro},    {"CST", vcTexto},
        {"modBC", vcInteiro},    {"vBC", vcDecimal2},      {"pICMS", vcDecimal4},  {"vICMS", vcDecimal2},
        {"dFab", vcData},        {"infAdProd", vcTexto},
    };
    return campos;
}

TValorCampo valorDoCampo(const Campo &campo, int item, int indice)
{
    switch (campo.tipo) {
    case vcInteiro:
        return item * 10 + indice;
    case vcData:
        return encodeDate(2024, 1 + item % 12, 1 + item % 28);
    case vcTexto:
        return std::string(campo.tag) + " do item " + std::to_string(item) + " & cia";
    default:
        return item * 1.25 + indice;
    }
}

std::string escreveDocumento(int itens)
{
    TGerador gerador;
    gerador.EscreveGrupo("NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"");
    gerador.EscreveGrupo("infNFe versao=\"4.00\" Id=\"NFe35240111222333000181550010000000011000000010\"",
                         "A01");
    gerador.EscreveGrupo("ide", "B01");
    gerador.EscreveCampo(vcInteiro, "B02", "cUF", 2, 2, 1, 35);
    gerador.EscreveCampo(vcTexto, "B04", "natOp", 1, 60, 1, "Venda de mercadoria");
    gerador.EscreveGrupo("/ide");
    const auto &campos = camposDoItem();
    for (int item = 1; item <= itens; ++item) {
        gerador.EscreveGrupo("det nItem=\"" + std::to_string(item) + "\"", "H01");
        for (std::size_t i = 0; i < campos.size(); ++i)
            gerador.EscreveCampo(campos[i].tipo, "I01", campos[i].tag, 0, 120, 1,
                                 valorDoCampo(campos[i], item, static_cast<int>(i)));
        gerador.EscreveGrupo("/det");
    }
    gerador.EscreveGrupo("/infNFe");
    gerador.EscreveGrupo("/NFe");
    return std::move(gerador.ArquivoFormatoXML);
}

// Reads every field of every item; returns a checksum so nothing is optimised away.
std::size_t leDocumento(const std::string &xml)
{
    TLeitor leitor;
    leitor.setArquivo(xml);
    std::size_t soma = 0;
    leitor.ExtraiGrupo(1, "infNFe");
    soma += leitor.LeAtributo("Id").size();
    leitor.ExtraiGrupo(2, "ide");
    soma += static_cast<std::size_t>(std::get<int>(leitor.LeCampo(vcInteiro, "cUF")));
    const auto &campos = camposDoItem();
    for (int item = 1; leitor.ExtraiGrupo(2, "det", "", item) != ""; ++item) {
        soma += leitor.LeAtributo("nItem").size();
        for (const Campo &campo : campos) {
            const TValorCampo valor = leitor.LeCampo(campo.tipo, campo.tag);
            soma += valor.index();
            if (const auto *texto = std::get_if<std::string>(&valor))
                soma += texto->size();
        }
    }
    return soma;
}

void BM_EscreveComTGerador(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(escreveDocumento(itens));
    state.SetLabel(std::to_string(escreveDocumento(itens).size()) + " bytes");
}

void BM_LeCadaCampoComTLeitor(benchmark::State &state)
{
    const std::string xml = escreveDocumento(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(leDocumento(xml));
}

void BM_LibXml2ReadMemory(benchmark::State &state)
{
    const std::string xml = escreveDocumento(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        xmlDocPtr doc =
            xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "nfe.xml", nullptr, XML_PARSE_NONET);
        benchmark::DoNotOptimize(doc);
        xmlFreeDoc(doc);
    }
}

BENCHMARK(BM_EscreveComTGerador)->Arg(99)->Arg(990)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeCadaCampoComTLeitor)->Arg(99)->Arg(990)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibXml2ReadMemory)->Arg(990)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
