// Writing a note must stay linear in its number of items: a note of 990 items
// may take at most 12 times as long as one of 99, with or without the TXT
// layout text. And it must stay close to what a plain XML serialisation of the
// same document costs: BM_MontarXmlPorItens/990 at most twice
// BM_LibXml2Serializa/990, libxml2 writing the document parsed from our own
// output.
//
// Writing the same signed note again and again must cost the same each time
// (a console writes notes all day with one model and one writer):
// BM_EscreveNotaAssinadaRepetidamente writes one note 10,000 times and gives
// the time of the first and of the last thousand writes and their ratio
// (goal: about 1).

#include <chrono>
#include <string>

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/sample_notes.h"

namespace {

void BM_MontarXmlPorItens(benchmark::State &state)
{
    TNFe nfe;
    testsupport::fillTaxedNote(nfe, static_cast<int>(state.range(0)));
    TNFeW escritor(nfe);
    for (auto _ : state) {
        escritor.MontarXml();
        benchmark::DoNotOptimize(escritor.Gerador.ArquivoFormatoXML.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MontarXmlPorItens)
    ->Arg(1)
    ->Arg(99)
    ->Arg(990)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

// The same note with its TXT layout text written alongside.
void BM_MontarXmlComTXTPorItens(benchmark::State &state)
{
    TNFe nfe;
    testsupport::fillTaxedNote(nfe, static_cast<int>(state.range(0)));
    TNFeW escritor(nfe);
    escritor.Opcoes.GerarTXTSimultaneamente = true;
    for (auto _ : state) {
        escritor.MontarXml();
        benchmark::DoNotOptimize(escritor.Gerador.ArquivoFormatoTXT.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MontarXmlComTXTPorItens)
    ->Arg(99)
    ->Arg(990)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

void BM_EscreveNotaAssinadaRepetidamente(benchmark::State &state)
{
    constexpr int kEscritas = 10000;
    constexpr int kBloco = 1000;
    using Relogio = std::chrono::steady_clock;
    for (auto _ : state) {
        // A SHA-1 digest, a 2048-bit RSA signature and a certificate of about
        // 1.6 kB, as Base64.
        TNFe nfe;
        testsupport::fillTaxedNote(nfe, 1);
        nfe.Signature.DigestValue = std::string(28, 'D');
        nfe.Signature.SignatureValue = std::string(344, 'S');
        nfe.Signature.X509Certificate = std::string(2176, 'C');
        TNFeW escritor(nfe);
        double primeiras = 0;
        double ultimas = 0;
        for (int bloco = 0; bloco < kEscritas / kBloco; ++bloco) {
            const Relogio::time_point inicio = Relogio::now();
            for (int i = 0; i < kBloco; ++i) {
                escritor.MontarXml();
                benchmark::DoNotOptimize(escritor.Gerador.ArquivoFormatoXML.data());
            }
            const double tempo = std::chrono::duration<double, std::micro>(Relogio::now() - inicio).count();
            if (bloco == 0)
                primeiras = tempo;
            ultimas = tempo;
        }
        state.counters["primeiras_1000_us"] = primeiras;
        state.counters["ultimas_1000_us"] = ultimas;
        state.counters["ultimas_por_primeiras"] = ultimas / primeiras;
    }
}
BENCHMARK(BM_EscreveNotaAssinadaRepetidamente)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LibXml2Serializa(benchmark::State &state)
{
    TNFe nfe;
    testsupport::fillTaxedNote(nfe, static_cast<int>(state.range(0)));
    TNFeW escritor(nfe);
    escritor.MontarXml();
    const std::string &xml = escritor.Gerador.ArquivoFormatoXML;
    xmlDocPtr doc =
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET);
    if (doc == nullptr) {
        state.SkipWithError("libxml2 did not read the writer's output");
        return;
    }
    for (auto _ : state) {
        xmlChar *texto = nullptr;
        int tamanho = 0;
        xmlDocDumpMemory(doc, &texto, &tamanho);
        benchmark::DoNotOptimize(texto);
        xmlFree(texto);
    }
    xmlFreeDoc(doc);
}
BENCHMARK(BM_LibXml2Serializa)->Arg(99)->Arg(990)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
