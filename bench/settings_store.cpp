// Reading one company's sectioned settings the way the console does on
// every activation (120 reads), against the query tool running the same
// 120 selects. The counter "ours/isql-fb" is the goal: below 1.

#include "app/dados/armazem_configuracao.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

namespace {

constexpr int kEmpresas = 50;
constexpr int kPorEmpresa = 150;
constexpr int kLidas = 120;

std::string cnpj(int i)
{
    return "11222333" + std::to_string(100000 + i);
}
std::string sessao(int k)
{
    return "SESSAO" + std::to_string(k / 15);
}
std::string chave(int k)
{
    return "CHAVE" + std::to_string(k);
}

struct Banco {
    testsupport::TempDir dir;
    std::string arquivo = (dir / "modulo.kvl").string();

    Banco()
    {
        testsupport::useTestFirebird();
        db::Database banco = db::Database::create(arquivo);
        db::Transaction t(banco);
        db::executeSql(t, "CREATE TABLE CONFIG_GERAL (CNPJ VARCHAR(14), CAMPO_REF VARCHAR(50), "
                          "CAMPO_VALOR VARCHAR(100), SESSAO_REFERENCIA VARCHAR(50), "
                          "CAMPO_MEMO BLOB SUB_TYPE 0 SEGMENT SIZE 80)");
        t.commitRetaining();
        ArmazemConfiguracao armazem(t);
        for (int e = 0; e < kEmpresas; ++e)
            for (int k = 0; k < kPorEmpresa; ++k)
                armazem.Grava_Valor_Referencia_Sessao(cnpj(e), sessao(k), CampoRef(chave(k)),
                                                      "valor " + std::to_string(k),
                                                      ColunaConfig::Campo_Valor);
        t.commit();
    }
};

Banco &banco()
{
    static Banco b;
    return b;
}

double segundosDoIsql()
{
    std::string script = "SET HEADING OFF;\n";
    for (int k = 0; k < kLidas; ++k)
        script += "SELECT CAMPO_VALOR FROM CONFIG_GERAL WHERE CNPJ = '" + cnpj(25) + "' AND CAMPO_REF = '" +
                  chave(k) + "' AND SESSAO_REFERENCIA = '" + sessao(k) + "';\n";
    double melhor = 1e9;
    for (int vez = 0; vez < 3; ++vez) {
        const auto inicio = std::chrono::steady_clock::now();
        const auto r = testsupport::runCommand({"isql-fb", "-q", "-ch", "UTF8", banco().arquivo}, script);
        const std::chrono::duration<double> gasto = std::chrono::steady_clock::now() - inicio;
        if (r.exitCode != 0)
            return 0;
        melhor = std::min(melhor, gasto.count());
    }
    return melhor;
}

void BM_LeituraDe120Configuracoes(benchmark::State &state)
{
    const std::string arquivo = banco().arquivo;
    const double isql = segundosDoIsql();
    double nossos = 0;
    for (auto _ : state) {
        const auto inicio = std::chrono::steady_clock::now();
        db::Database conexao = db::Database::attach(arquivo);
        {
            db::Transaction t(conexao);
            ArmazemConfiguracao armazem(t);
            for (int k = 0; k < kLidas; ++k)
                benchmark::DoNotOptimize(armazem.Busca_Valor_Referencia_Sessao(
                    cnpj(25), sessao(k), CampoRef(chave(k)), ColunaConfig::Campo_Valor));
            t.commit();
        }
        conexao.detach();
        nossos += std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    }
    if (isql > 0)
        state.counters["ours/isql-fb"] = nossos / static_cast<double>(state.iterations()) / isql;
    else
        state.SkipWithError("isql-fb did not run");
}
BENCHMARK(BM_LeituraDe120Configuracoes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
