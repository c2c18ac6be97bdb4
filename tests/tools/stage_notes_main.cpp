// stage-notes: stages notes as the calling program would and shows the note
// screen over them, the send run starting when the window shows.
//
//   stage-notes [--db <module db>] <notes.json>
//
// The notes file is read by the staged-notes loader. Without --db the module
// database is found as the program finds it (the application INI, the
// management database, its location row). The city list is read beside the
// notes file when it is there, else from the program folder. Ends with 0 once
// the window closed (the run's final label on standard output), 1 when the database or the notes cannot be
// used, 2 on bad arguments.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/regional/localiza_ini.h"
#include "app/ui/aplicacao.h"
#include "app/ui/dialogs/dialogos_qt.h"
#include "foundation/base/quib_exception.h"
#include "monitor_client/frm_nfe_2g.h"
#include "monitor_client/tabelas_notas.h"
#include "monitor_client/ui/frm_nfe_2g_view.h"
#include "tests/support/staged_notes.h"
#include "tests/tools/nfe_check/modulo_avulso.h"

namespace {

constexpr const char *kUso = "uso: stage-notes [--db BANCO] NOTAS.json";

// The module database named on the command line, or the one the program uses.
class Modulo {
  public:
    explicit Modulo(const std::optional<std::string> &arquivo)
    {
        if (arquivo) {
            avulso_ = std::make_unique<ModuloAvulso>(*arquivo);
            return;
        }
        gerencia_ = std::make_unique<TdtmGerencia>(LocalizaIni());
        nfe_ = std::make_unique<TdtmNFE_grd>(*gerencia_);
        if (!nfe_->dtmConectBanco(true))
            throw ProgramError("Banco de dados da NF-e não conectado.");
    }
    TdtmNFE_grd &nfe() { return avulso_ ? avulso_->modulo() : *nfe_; }

  private:
    std::unique_ptr<ModuloAvulso> avulso_;
    std::unique_ptr<TdtmGerencia> gerencia_;
    std::unique_ptr<TdtmNFE_grd> nfe_;
};

int executa(const std::optional<std::string> &banco, const std::string &arquivoNotas)
{
    TabelasNotas tabelas;
    try {
        testsupport::loadStagedNotesFile(arquivoNotas, tabelas);
    } catch (const testsupport::StagedNotesError &e) {
        std::fprintf(stderr, "stage-notes: %s\n", e.what());
        return 1;
    }
    std::string pastaCidades = std::filesystem::absolute(arquivoNotas).parent_path().string() + "/";
    if (!std::filesystem::exists(pastaCidades + "Tabela_Cidades_IBGE.txt"))
        pastaCidades = PastaPrograma();
    try {
        Modulo modulo(banco);
        TfrmNFE_2G tela(modulo.nfe(), tabelas, pastaCidades);
        MostraNFE_2G(tela);
        std::printf("%s\n", tela.ConcluidoVisivel ? tela.lblConcluido.c_str() : "");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "stage-notes: %s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    std::optional<std::string> banco;
    std::vector<std::string> posicionais;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--db" && i + 1 < argc && !banco)
            banco = argv[++i];
        else if (arg.starts_with("--"))
            ok = false;
        else
            posicionais.push_back(arg);
    }
    if (!ok || posicionais.size() != 1) {
        std::fprintf(stderr, "%s\n", kUso);
        return 2;
    }
    AplicacaoKvl aplicacao(argc, argv);
    instalaDialogos(std::make_unique<DialogosQt>());
    const int resultado = executa(banco, posicionais.front());
    instalaDialogos(nullptr);
    return resultado;
}
