// Decoding a receipt's tag text must stay linear in its length: texts of
// 1,000 and 10,000 lines, decoded with a translating callback, the larger at
// most twelve times the smaller.

#include <string>

#include <benchmark/benchmark.h>

#include "printing/device/tag_parser.h"

namespace {

// A receipt of `lines` lines in the tag language: plain tags, centred and
// barcode blocks, accented text, a stray "<" and an unknown tag.
std::string receipt(std::int64_t lines)
{
    std::string text;
    for (std::int64_t i = 0; i < lines; ++i) {
        switch (i % 5) {
        case 0:
            text += "<ce><n>CAFÉ & AÇÚCAR LTDA</n></ce>\n";
            break;
        case 1:
            text += "<e>Item 001</e> Pão de queijo 2 x 3,50 < 10 un\n";
            break;
        case 2:
            text += "<code128>35240112345678000199650010000001231000001234</code128>\n";
            break;
        case 3:
            text += "<ad>Total R$ 7,00</ad><desconhecida>\n";
            break;
        default:
            text += "</linha_simples>\n";
            break;
        }
    }
    return text + "</corte_total>";
}

void configure(TQuibTagProcessor &processor)
{
    processor.AdicionarTags({"<e>", "</e>", "<n>", "</n>", "</linha_simples>", "</corte_total>"}, {}, false);
    processor.AdicionarTags({"<ce>", "<ad>", "<code128>", "<qrcode>"}, {}, true);
    processor.OnTraduzirTag = [](const std::string &tag, std::string &translation) {
        translation = tag == "</linha_simples>" ? std::string(48, '-') : "\x1b" + tag.substr(1, 1);
    };
    processor.OnTraduzirTagBloco = [](const std::string &tag, const std::string &content,
                                      std::string &translation) {
        translation = "\x1b" + tag.substr(1, 1) + content + "\x1b";
    };
}

void BM_DecodificarTags(benchmark::State &state)
{
    TQuibTagProcessor processor;
    configure(processor);
    const std::string text = receipt(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(processor.DecodificarTags(text));
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_DecodificarTags)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
