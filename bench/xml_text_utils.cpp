// Whole-document text functions must stay linear in the size of the text.

#include <string>

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK_MAIN();
