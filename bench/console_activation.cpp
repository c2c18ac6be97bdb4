// The console screen's activation (the 97 settings reads of one company and
// their application to the NF-e component) among 50 companies, against the
// query tool running a script of the same 97 selects on the same database:
// the counter "ours/isql-fb" is the goal, below 1. The time to show the
// window (creation, activation, first frame painted offscreen) is reported
// against the same query-tool run as "window/isql-fb", goal below 1 too.

#include "app/dados/esquema_base.h"
#include "app/db/database.h"
#include "app/db/transaction.h"
#include "console/config_geral/chaves_configuracao.h"
#include "console/config_geral/frm_config_geral40.h"
#include "console/ui/config_geral/frm_config_geral40_view.h"
#include "foundation/files/file_utils.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/nfe_check/modulo_avulso.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kEmpresas = 50;
constexpr int kMedida = 25;

std::string cnpj(int i)
{
    return "11222333" + std::to_string(100000 + i);
}

std::string maiusculo(std::string_view texto)
{
    std::string s(texto);
    std::ranges::transform(s, s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// The keys the reader really takes from the store: the model version and
// the schema folder are shown without a read.
bool lidaDoArmazem(const ChaveConfiguracao &chave)
{
    return chave.leitura > 0 && chave.conversao != Conversao::VersaoDF &&
           chave.conversao != Conversao::PastaSchemas;
}

struct Banco {
    testsupport::TempDir dir;
    std::string arquivo = (dir / "modulo.kvl").string();
    std::unique_ptr<ModuloAvulso> avulso;

    Banco()
    {
        testsupport::useTestFirebird();
        {
            db::Database banco = db::Database::create(arquivo);
            db::Transaction t(banco);
            criaEsquema(t, esquemaBaseModulo());
            // What the schema updater adds for the settings store.
            criaEsquema(t, {"CREATE TABLE CONFIG_GERAL (CNPJ VARCHAR(14), CAMPO_REF VARCHAR(50), "
                            "CAMPO_VALOR VARCHAR(100), SESSAO_REFERENCIA VARCHAR(50), "
                            "CAMPO_MEMO BLOB SUB_TYPE 0 SEGMENT SIZE 80)"});
            t.commit();
        }
        avulso = std::make_unique<ModuloAvulso>(arquivo);
        // Every key of every company written as the save button does, from
        // the defaults the first activation shows.
        for (int e = 0; e < kEmpresas; ++e) {
            modulo().CnpjEmpresa = cnpj(e);
            TfrmConfigGeral40 tela(modulo(), PastaDoPrograma());
            tela.FormActivate();
            tela.controle("edtEmitRazao").texto = "Empresa " + std::to_string(e);
            tela.GravarConfiguracoes();
            modulo().dtmNFECommit();
        }
        modulo().CnpjEmpresa = cnpj(kMedida);
    }
    TdtmNFE_grd &modulo() { return avulso->modulo(); }
};

Banco &banco()
{
    static Banco b;
    return b;
}

double segundosDoIsql()
{
    static const double segundos = [] {
        std::string script = "SET HEADING OFF;\n";
        for (const auto &chave : chavesConfiguracao())
            if (lidaDoArmazem(chave))
                script += std::string("SELECT ") +
                          (chave.conversao == Conversao::Memo ? "CAMPO_MEMO" : "CAMPO_VALOR") +
                          " FROM CONFIG_GERAL WHERE CNPJ = '" + cnpj(kMedida) + "' AND CAMPO_REF = '" +
                          maiusculo(chave.chave) + "' AND SESSAO_REFERENCIA = '" + maiusculo(chave.sessao) +
                          "';\n";
        double melhor = 1e9;
        for (int vez = 0; vez < 5; ++vez) {
            const auto inicio = std::chrono::steady_clock::now();
            const auto r = testsupport::runCommand({"isql-fb", "-q", "-ch", "UTF8", banco().arquivo}, script);
            const std::chrono::duration<double> gasto = std::chrono::steady_clock::now() - inicio;
            if (r.exitCode != 0)
                return 0.0;
            melhor = std::min(melhor, gasto.count());
        }
        return melhor;
    }();
    return segundos;
}

void BM_AtivacaoDaTela(benchmark::State &state)
{
    TdtmNFE_grd &modulo = banco().modulo();
    // isql-fb opens the file for itself: measured before the screen holds it.
    const double isql = segundosDoIsql();
    TfrmConfigGeral40 tela(modulo, PastaDoPrograma());
    double nossos = 0;
    for (auto _ : state) {
        const auto inicio = std::chrono::steady_clock::now();
        tela.FormActivate();
        nossos += std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        benchmark::DoNotOptimize(tela.controle("edtEmitRazao").texto);
    }
    if (isql > 0)
        state.counters["ours/isql-fb"] = nossos / static_cast<double>(state.iterations()) / isql;
    else
        state.SkipWithError("isql-fb did not run");
}
BENCHMARK(BM_AtivacaoDaTela)->Unit(benchmark::kMillisecond);

// Sees the window's first paint.
class PrimeiroQuadro : public QObject {
  public:
    bool pintado = false;
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint)
            pintado = true;
        return false;
    }
};

void BM_MostrarJanela(benchmark::State &state)
{
    TdtmNFE_grd &modulo = banco().modulo();
    const double isql = segundosDoIsql();
    double nossos = 0;
    for (auto _ : state) {
        const auto inicio = std::chrono::steady_clock::now();
        {
            TfrmConfigGeral40 tela(modulo, PastaDoPrograma());
            TfrmConfigGeral40View janela(tela);
            PrimeiroQuadro quadro;
            janela.installEventFilter(&quadro);
            janela.resize(1100, 700);
            janela.show();
            janela.activateWindow();
            while (!quadro.pintado || tela.controle("edtEmitRazao").texto.empty())
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            nossos += std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        }
        QApplication::processEvents();
    }
    if (isql > 0)
        state.counters["window/isql-fb"] = nossos / static_cast<double>(state.iterations()) / isql;
    else
        state.SkipWithError("isql-fb did not run");
}
BENCHMARK(BM_MostrarJanela)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication aplicacao(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
