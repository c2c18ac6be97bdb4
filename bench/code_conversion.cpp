// One million layout codes converted each way, over the longest tables (event kinds, payment
// means, card brands, ICMS situations) and mixed letter case.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_itens.h"
#include "foundation/codes/conversao_nfe.h"

namespace {

constexpr std::size_t kConversoes = 1'000'000;

std::vector<std::string> codigosDeEntrada()
{
    std::vector<std::string> codigos;
    for (const auto &row : kEnumNames<TpcnTipoEvento>)
        codigos.push_back(TipoEventoParaCodigo(row.value));
    for (const auto &row : kEnumNames<TpcnMeioPagamento>)
        codigos.push_back(MeioPagamentoParaCodigo(row.value));
    for (const auto &row : kEnumNames<TpcnSitTributariaICMS>)
        codigos.push_back(SitTributariaICMSParaCodigo(row.value));
    codigos.push_back("10PART");
    codigos.push_back("nfeautorizacao");
    codigos.push_back("desconhecido");
    return codigos;
}

void BM_CodigoParaValor(benchmark::State &state)
{
    const std::vector<std::string> codigos = codigosDeEntrada();
    for (auto _ : state) {
        unsigned soma = 0;
        for (std::size_t i = 0; i < kConversoes; ++i) {
            const std::string_view codigo = codigos[i % codigos.size()];
            bool ok = false;
            // clang-format off
            switch (i % 5) {
            case 0: soma += CodigoParaTipoEventoNFe(codigo, ok); break;
            case 1: soma += CodigoParaMeioPagamento(codigo, ok); break;
            case 2: soma += CodigoParaSitTributariaICMS(codigo, ok); break;
            case 3: soma += CodigoParaBandeiraOperadora(codigo, ok); break;
            default: soma += NomeParaServicoNFe(codigo, ok); break;
            }
            // clang-format on
            soma += ok ? 1 : 0;
        }
        benchmark::DoNotOptimize(soma);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kConversoes));
}
BENCHMARK(BM_CodigoParaValor)->Unit(benchmark::kMillisecond);

void BM_ValorParaCodigo(benchmark::State &state)
{
    for (auto _ : state) {
        std::size_t tamanho = 0;
        for (std::size_t i = 0; i < kConversoes; ++i) {
            const auto ordinal = static_cast<std::uint8_t>(i % 71);
            // clang-format off
            switch (i % 4) {
            case 0: tamanho += TipoEventoParaCodigo(static_cast<TpcnTipoEvento>(ordinal)).size(); break;
            case 1: tamanho += MeioPagamentoParaCodigo(static_cast<TpcnMeioPagamento>(ordinal % 18)).size(); break;
            case 2: tamanho += SitTributariaICMSParaCodigo(static_cast<TpcnSitTributariaICMS>(ordinal % 25)).size(); break;
            default: tamanho += SiglaUFParaCUF("SP") + CUFParaSiglaUF(ordinal).size(); break;
            }
            // clang-format on
        }
        benchmark::DoNotOptimize(tamanho);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kConversoes));
}
BENCHMARK(BM_ValorParaCodigo)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
