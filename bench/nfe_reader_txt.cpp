// Reading a TXT-layout note must stay linear in its number of items: compare
// the times at 99 and 990 items (their ratio should stay near 10).

#include <cstdint>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"

namespace {

std::string noteWithItems(std::int64_t items)
{
    std::string text =
        "NOTAFISCAL|1\r\n"
        "A|4.00|NFe35240512345678000195550010000012341000012344\r\n"
        "B|35|00001234|VENDA|55|1|1234|2024-05-17T10:30:15-03:00||1|1|3550308|1|1|4|2|1|1|1|0|APP|||\r\n"
        "C|EMPRESA DE TESTE LTDA|FANTASIA|123456789012|||4711|3\r\nC02|12345678000195\r\n"
        "C05|RUA A|10||CENTRO|3550308|SAO PAULO|SP|01001000|1058|BRASIL|1133334444\r\n"
        "E|CLIENTE|1|ISENTO|||cliente@example.com\r\nE02|11222333000181\r\n";
    for (std::int64_t i = 1; i <= items; ++i) {
        const std::string n = std::to_string(i);
        text += "H|" + n + "|ITEM " + n + "\r\n";
        text +=
            "I|P" + n + "|SEM GTIN|PRODUTO " + n +
            "|22030000||5102|UN|2.0000|10.5000000000|21.00|SEM GTIN|UN|2.0000|10.5000000000|||||1|||||\r\n";
        text += "I18|DI" + n + "|2024-01-02|SANTOS|SP|2024-01-03|1|10.00|1|11222333000181|SP|EXP\r\n";
        text += "I25|1|1|FAB|0.50|\r\nI25|2|2|FAB|0.50|\r\nI50|\r\nI52|240000000001||1.0000\r\n";
        text += "M|3.78\r\nN|\r\nN02|0|00|3|21.00|18.00|3.78||\r\nO|||0|999\r\nO07|50|2.10\r\nO10|21.00|10."
                "00|2.10\r\n";
        text += "Q|\r\nQ02|01|21.00|1.65|0.35\r\nS|\r\nS02|01|21.00|7.60|1.60\r\n";
    }
    text += "W|\r\nW02|21.00|3.78|0|0|0|0|0|0|21.00|0|0|0|0|2.10|0|0.35|1.60|0|23.10|3.78\r\n"
            "X|9\r\nYA|\r\nYA01|0|01|23.10\r\nZ||INFORMACOES\r\n";
    return text;
}

// Each round reads into a new document; the document of the round before is
// destroyed outside the timing, after the new one was read, so the allocator
// never hands the whole heap back to the system between rounds (what would be
// timed then is the kernel faulting the same pages in again).
void BM_ReadTxtNote(benchmark::State &state)
{
    const std::string text = noteWithItems(state.range(0));
    auto previous = std::make_unique<TNFe>();
    for (auto _ : state) {
        auto nfe = std::make_unique<TNFe>();
        TNFeRTXT reader(*nfe);
        reader.CarregarTexto(text);
        benchmark::DoNotOptimize(reader.InterpretarArquivo());
        state.PauseTiming();
        previous = std::move(nfe);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadTxtNote)->Arg(99)->Arg(990)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
