// Reading a note must stay linear in its number of items, and close to what
// a plain XML parse of the same text costs. Compare BM_NFeRead/990 with
// BM_NFeRead/99 (at most 12 times) and with BM_LibXml2Parse/990 (at most
// twice). Both run with the allocator as the program has it.

#include <string>

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"
#include "tests/support/sample_notes.h"

namespace {

void BM_NFeRead(benchmark::State &state)
{
    const std::string xml = testsupport::authorisedNoteXml(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNFe nfe;
        TNFeR leitor(nfe);
        leitor.Leitor().setArquivo(xml);
        leitor.ImportarXml();
        benchmark::DoNotOptimize(nfe.det.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_NFeRead)->Arg(99)->Arg(990)->Unit(benchmark::kMillisecond);

void BM_LibXml2Parse(benchmark::State &state)
{
    const std::string xml = testsupport::authorisedNoteXml(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        xmlDocPtr doc =
            xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET);
        benchmark::DoNotOptimize(doc);
        xmlFreeDoc(doc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_LibXml2Parse)->Arg(99)->Arg(990)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
