// Whole-document text functions must stay linear in the size of the text.
// ParteEmLinhas (every HTTP error body) and DesfazEscapeXML (every value read)
// run at two sizes, ten times apart: the larger may cost at most twelve times
// the smaller.

#include <charconv>
#include <string>

#include <benchmark/benchmark.h>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"

namespace {

std::string documentWithItems(std::int64_t items)
{
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe>";
    for (std::int64_t i = 0; i < items; ++i)
        text += "<det nItem=\"1\"><prod><xProd>Caf&eacute; &amp; a&ccedil;&uacute;car &lt;1kg&gt;</xProd>"
                "<vProd>10.00</vProd></prod></det>";
    text += "</infNFe></NFe><protNFe><cStat>100</cStat></protNFe></nfeProc>";
    return text;
}

void BM_ConteudoDaTagAtTheEnd(benchmark::State &state)
{
    const std::string text = documentWithItems(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConteudoDaTag(text, "CSTAT", false, true, true));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ConteudoDaTagAtTheEnd)->RangeMultiplier(4)->Range(64, 16384)->Complexity(benchmark::oN);

void BM_ConteudoDaTagWholeDocument(benchmark::State &state)
{
    const std::string text = documentWithItems(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConteudoDaTag(text, "NFe", true, false, false));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ConteudoDaTagWholeDocument)->RangeMultiplier(4)->Range(64, 16384)->Complexity(benchmark::oN);

void BM_DecodeEntities(benchmark::State &state)
{
    const std::string text = documentWithItems(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConverteEntidades(text, true, true));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DecodeEntities)->RangeMultiplier(4)->Range(64, 16384)->Complexity(benchmark::oN);

void BM_EncodeEntities(benchmark::State &state)
{
    const std::string text = documentWithItems(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConverteEntidades(text, false, false));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_EncodeEntities)->RangeMultiplier(4)->Range(64, 16384)->Complexity(benchmark::oN);

void BM_RemoveTagsHTML(benchmark::State &state)
{
    const std::string text = documentWithItems(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(RemoveTagsHTML(text));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RemoveTagsHTML)->RangeMultiplier(4)->Range(64, 16384)->Complexity(benchmark::oN);

// An answer body without line breaks, cut as the HTTP error message would be
// without its limit of 20 lines.
void BM_ParteEmLinhasWithoutLimit(benchmark::State &state)
{
    std::string text;
    while (text.size() < static_cast<std::size_t>(state.range(0)))
        text += "Rejei\xC3\xA7\xC3\xA3o: erro n\xC3\xA3o catalogado <b>x</b> ";
    for (auto _ : state)
        benchmark::DoNotOptimize(ParteEmLinhas(text, 80, 0, false));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ParteEmLinhasWithoutLimit)->Arg(40'000)->Arg(400'000);

// A value holding many different hexadecimal character references.
void BM_DesfazEscapeXMLDistinctReferences(benchmark::State &state)
{
    std::string text;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        char hex[16];
        const auto end = std::to_chars(hex, hex + sizeof hex, 0x4E00 + i, 16).ptr;
        text += "&#x" + std::string(hex, end) + ";";
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(DesfazEscapeXML(text));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_DesfazEscapeXMLDistinctReferences)->Arg(1'600)->Arg(16'000);

} // namespace

BENCHMARK_MAIN();
