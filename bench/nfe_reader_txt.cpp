// Reading a TXT-layout note must stay linear in its number of items: compare
// the times at 99 and 990 items (their ratio should stay near 10).

#include <cstdint>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"
#include "tests/support/sample_notes.h"

namespace {

// Each round reads into a new document; the document of the round before is
// destroyed outside the timing, after the new one was read, so the allocator
// never hands the whole heap back to the system between rounds (what would be
// timed then is the kernel faulting the same pages in again).
void BM_ReadTxtNote(benchmark::State &state)
{
    const std::string text = testsupport::noteTxt(static_cast<int>(state.range(0)));
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
