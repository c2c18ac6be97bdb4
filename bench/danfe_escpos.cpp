// Building the ESC/POS bytes of an NFC-e DANFE must stay linear in the number
// of items: notes of 99 and 990 items, laid out by the thermal DANFE and
// translated by the Epson writer, the larger at most twelve times the smaller.

#include <string>

#include <benchmark/benchmark.h>

#include "nfe/document/nfe_model.h"
#include "nfe/services/quib_nfe.h"
#include "printing/danfe/danfe_escpos.h"
#include "printing/posprinter/pos_printer.h"
#include "tests/support/sample_nfce_notes.h"

namespace {

void BM_DanfeEscPosBytes(benchmark::State &state)
{
    TNFe nota;
    testsupport::fillNfceWithItems(nota, static_cast<int>(state.range(0)));
    testsupport::nfceXml(nota); // gives the note its Id, as a loaded note has

    TQuibNFe nfe;
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("NULL");
    pos.SetEspacoEntreLinhas(30);
    pos.LinhasEntreCupons = 5;
    std::string bytes;
    pos.OnEnviarStringDevice = [&bytes](const std::string &cmd, bool &tratado) {
        bytes = cmd;
        tratado = true;
    };
    TQuibNFeDANFeESCPOS danfe;
    danfe.SetPosPrinter(&pos);
    danfe.SetQuibNFe(&nfe);

    for (auto _ : state) {
        danfe.ImprimirDANFE(&nota);
        benchmark::DoNotOptimize(bytes.data());
    }
    danfe.SetPosPrinter(nullptr);
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DanfeEscPosBytes)->Arg(99)->Arg(990)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
