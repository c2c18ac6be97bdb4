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

#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"

namespace {

void preencheNota(TNFe &nfe, std::int64_t itens)
{
    nfe.infNFe.versao = 4.0;
    nfe.ide.cUF = 35;
    nfe.ide.cNF = 12345678;
    nfe.ide.natOp = "VENDA";
    nfe.ide.mod = 55;
    nfe.ide.serie = 1;
    nfe.ide.nNF = 1;
    nfe.ide.dEmi = encodeDateTime({2024, 5, 17, 10, 30, 0, 0});
    nfe.ide.cMunFG = 3550308;
    nfe.emit.CNPJCPF = "11222333000181";
    nfe.emit.xNome = "EMPRESA";
    nfe.emit.IE = "110042490114";
    nfe.dest.CNPJCPF = "11444777000161";
    nfe.dest.xNome = "CLIENTE";
    for (std::int64_t i = 1; i <= itens; ++i) {
        TDetCollectionItem &det = nfe.det.NovoItem();
        det.prod.nItem = static_cast<int>(i);
        det.prod.cProd = "P" + std::to_string(i);
        det.prod.cEAN = "7891000315507";
        det.prod.xProd = "PRODUTO DE TESTE COM ACENTUAÇÃO " + std::to_string(i);
        det.prod.NCM = "84719012";
        det.prod.SetCFOP("5102");
        det.prod.uCom = "UN";
        det.prod.qCom = 2;
        det.prod.vUnCom = 10.5;
        det.prod.vProd = 21;
        det.prod.uTrib = "UN";
        det.prod.qTrib = 2;
        det.prod.vUnTrib = 10.5;
        TICMS &icms = det.imposto.ICMS;
        icms.CST = i % 3 == 0 ? sti10 : i % 3 == 1 ? sti00 : sti60;
        icms.vBC = 21;
        icms.pICMS = 18;
        icms.vICMS = Decimal::fromUnits(37800);
        icms.vBCST = 25;
        icms.pICMSST = 18;
        icms.vICMSST = Decimal::fromUnits(7200);
        icms.vBCSTRet = 21;
        icms.vICMSSTRet = Decimal::fromUnits(37800);
        det.imposto.IPI.CST = sip50;
        det.imposto.IPI.vBC = 21;
        det.imposto.IPI.pIPI = 5;
        det.imposto.IPI.vIPI = Decimal::fromUnits(10500);
        det.imposto.PIS.vBC = 21;
        det.imposto.PIS.pPIS = Decimal::fromUnits(16500);
        det.imposto.COFINS.vBC = 21;
        det.imposto.COFINS.pCOFINS = Decimal::fromUnits(76000);
        det.infAdProd = "INFORMACAO ADICIONAL DO ITEM";
    }
}

void BM_MontarXmlPorItens(benchmark::State &state)
{
    TNFe nfe;
    preencheNota(nfe, state.range(0));
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
    preencheNota(nfe, state.range(0));
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
        preencheNota(nfe, 1);
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
    preencheNota(nfe, state.range(0));
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
