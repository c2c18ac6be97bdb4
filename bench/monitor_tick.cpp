// One tick of the note screen's note timer over the loaded notes, as the
// screen runs it every second: 50 notes with 5 answers waiting, against 500
// notes with 50. The counter "ratio" (500 notes over 50) is the goal: at most
// 12, that is the tick grows with the notes and answers, not faster.

#include "app/dados/esquema_base.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "monitor_client/frm_nfe_2g.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/nfe_check/modulo_avulso.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>

namespace {

const std::string kCnpj = "11222333000181";

struct Cenario {
    testsupport::TempDir dir;
    std::unique_ptr<testsupport::ScopedEnv> dados;
    std::unique_ptr<ModuloAvulso> modulo;
    TabelasNotas tabelas;
    std::unique_ptr<TfrmNFE_2G> tela;
    int notas;
    int respostas;

    Cenario(int notas_, int respostas_) : notas(notas_), respostas(respostas_)
    {
        testsupport::useTestFirebird();
        dados = std::make_unique<testsupport::ScopedEnv>("XDG_DATA_HOME", (dir / "dados").string());
        std::filesystem::create_directories(dir / "troca" / "-resp");
        std::filesystem::create_directories(dir / "troca" / "-fil");
        const std::string arquivo = (dir / "modulo.kvl").string();
        {
            db::Database banco = db::Database::create(arquivo);
            db::Transaction t(banco);
            criaEsquema(t, esquemaBaseModulo());
            // What the schema updater adds to the base schema.
            criaEsquema(t, {"ALTER TABLE CONFIGNFE ADD CNPJ_ATIVO VARCHAR(1)"});
            db::executeSql(t,
                           "insert into CONFIGNFE (NOM_EMI, CNPJ_EMI, PATH_COMUNICACAO) values ('A', ?, ?)",
                           {kCnpj, (dir / "troca").string()});
            for (int n = 1; n <= notas; ++n)
                db::executeSql(
                    t,
                    "insert into DANFENFE (NRO_NOTA, SERIE_NOTA, COD_FILIAL, STATUS_NFE, DATA_ENVIO, "
                    "TIMER_ENVIO) values (?, '1', 181, 1, '2026-12-11', 3600)",
                    {n});
            t.commit();
        }
        modulo = std::make_unique<ModuloAvulso>(arquivo);
        tabelas.OpenFile();
        for (int n = 1; n <= notas; ++n) {
            LinhaNota nota = tabelas.tblNotas.nova();
            nota.nota = n;
            nota.nro_not = std::to_string(n);
            nota.nro_serie_not = 1;
            nota.cnpj_emitente = kCnpj;
            tabelas.posta(nota);
        }
        tela = std::make_unique<TfrmNFE_2G>(modulo->modulo(), tabelas, dir.path().string() + "/");
        tela->DataEnvio = "12/11/2026";
        tela->TimerEnvio = "3600";
    }

    // The answers waiting, their notes back in state 1, the grids open.
    void prepara()
    {
        db::executeSql(*modulo->modulo().ibtNFE, "update DANFENFE set STATUS_NFE = 1");
        modulo->modulo().dtmNFECommit();
        const int passo = notas / respostas;
        for (int i = 0; i < respostas; ++i) {
            const int n = 1 + i * passo;
            std::ofstream(dir / "troca" / "-resp" /
                              ("resp-nota001" + std::string(9 - std::to_string(n).size(), '0') +
                               std::to_string(n) + "#" + kCnpj + ".txt"),
                          std::ios::binary)
                << "RESULTADO=100\r\nMENSAGEM=Autorizado o uso da NF-e\r\nCHAVENFE=3526\r\nNPROTOCOLO=1\r\n";
        }
        tela->AbreGrades();
    }

    double tick()
    {
        const auto inicio = std::chrono::steady_clock::now();
        tela->TimerNotaTimer();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    }
};

void BM_TickDeNotas(benchmark::State &state)
{
    Cenario pequeno(50, 5);
    Cenario grande(500, 50);
    double tempoPequeno = 0, tempoGrande = 0;
    for (auto _ : state) {
        state.PauseTiming();
        pequeno.prepara();
        grande.prepara();
        state.ResumeTiming();
        tempoPequeno += pequeno.tick();
        tempoGrande += grande.tick();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["tick_50_ms"] = tempoPequeno / n * 1000;
    state.counters["tick_500_ms"] = tempoGrande / n * 1000;
    state.counters["ratio"] = tempoGrande / tempoPequeno;
}
BENCHMARK(BM_TickDeNotas)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
