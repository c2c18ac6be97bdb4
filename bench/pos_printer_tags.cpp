// Translating a receipt's tag text into Epson printer bytes must stay linear
// in the number of items: receipts of 100 and 1,000 items, recoded to code
// page 850 and translated, the larger at most twelve times the smaller.

#include <string>

#include <benchmark/benchmark.h>

#include "printing/posprinter/pos_printer.h"

namespace {

// A receipt of `items` items in the tag language: a centred header, one
// condensed line and one right-aligned total per item, a barcode every ten
// items, then the QR code and the cut.
std::string receipt(std::int64_t items)
{
    std::string text = "</zera><ce><e><n>CAFÉ & AÇÚCAR LTDA</n></e></ce>\n</linha_dupla>\n";
    for (std::int64_t i = 0; i < items; ++i) {
        text += "<c>" + std::to_string(i + 1) + " 7891234567895 Pão de queijo</c>\n";
        text += "<ad>2 UN x 3,50 = <n>7,00</n></ad>\n";
        if (i % 10 == 9)
            text += "<ean13>7891234567895</ean13>\n";
    }
    return text + "</linha_simples>\n<qrcode>https://nfce.fazenda.exemplo/qrcode?p=3520011234567800019965"
                  "0010000001231000001234|2|1|1|ABCDEF</qrcode>\n</corte_total>";
}

void BM_PosPrinterTraduzirRecibo(benchmark::State &state)
{
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    const std::string text = receipt(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(pos.DecodificarTags(pos.CodificarPaginaDeCodigo(text)));
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_PosPrinterTraduzirRecibo)->Arg(100)->Arg(1000)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
