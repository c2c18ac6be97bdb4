// The note collection must stay linear: the business rules of a note in its
// number of items (compare BM_RegrasNegocio/990 with /99: at most 12 times),
// and the loading of a text in its number of notes (BM_CarregarTexto/50 with
// /5: at most 12 times), each piece of the text found without copying the
// rest of it.

#include <string>

#include <benchmark/benchmark.h>

#include "dfe/backends.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"
#include "tests/support/sample_notes.h"

namespace {

void BM_RegrasNegocio(benchmark::State &state)
{
    RegistraBackendsDFe();
    TQuibNFe componente;
    NotaFiscal &nota = componente.Notas().AdicionarNota();
    testsupport::fillNoteWithItems(nota.NFe(), static_cast<int>(state.range(0)));
    nota.GerarTextoXML();
    for (auto _ : state) {
        benchmark::DoNotOptimize(nota.ValidarRegrasNegocio());
        benchmark::DoNotOptimize(nota.MsgErroRegras.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RegrasNegocio)->Arg(99)->Arg(990)->Unit(benchmark::kMillisecond);

// Authorised notes of ten items each, one after the other, every other one
// a bare NFe.
std::string textoDeNotas(int notas)
{
    const std::string processada = testsupport::authorisedNoteXml(10);
    const std::size_t inicio = processada.find("<NFe");
    const std::string nua = processada.substr(inicio, processada.find("</NFe>") + 6 - inicio);
    std::string texto;
    for (int i = 0; i < notas; ++i)
        texto += i % 2 == 0 ? nua : processada;
    return texto;
}

void BM_CarregarTexto(benchmark::State &state)
{
    RegistraBackendsDFe();
    TQuibNFe componente;
    const std::string texto = textoDeNotas(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        componente.Notas().Clear();
        componente.Notas().CarregarTexto(texto);
        benchmark::DoNotOptimize(componente.Notas().Count());
    }
    if (componente.Notas().Count() != state.range(0))
        state.SkipWithError("the text did not split into its notes");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * texto.size()));
}
BENCHMARK(BM_CarregarTexto)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
