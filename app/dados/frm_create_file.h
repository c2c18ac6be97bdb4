#pragma once

#include <cstdint>
#include <optional>
#include <string>

class TdtmNFE_grd;

namespace db {
class DatabaseError;
}

// True when the engine refused a CREATE or ADD because the table, column,
// index or generator already exists (decided from its error codes).
bool objetoJaExiste(const db::DatabaseError &erro);

// The schema updater ("Criação e Alteração de Tabelas"), the core of its
// screen: brings the NF-e module database to the layout the suite expects
// by running the update steps (passos_atualizacao.h) above the number kept
// in the generator Controla_Atualizacao_NFE_40.
//
// Each due step runs in the module's transaction and is committed whole;
// the new counter follows in a commit of its own, so the counter never
// names a step whose work was not kept (a run killed between the two runs
// the step again, which then meets its objects already there). Before a
// step with work, pages left by a table creation that died in its commit
// are released (db/orphan_pages.h), so the step's tables take their
// indexes. A step that meets a table, column, index or generator
// that already exists is undone and skipped (not listed) and the run goes
// on. Any other failure (lock conflict, lost connection, unreadable
// setting, failed commit) undoes that step, stops the run with the counter
// at the last step that succeeded, and is kept in `Falha`; the button shows
// it after the list of the steps applied. Message boxes go through
// dialogos(). The module must be connected and outlive the core.
// Implemented in frm_create_file.cpp.
class TfrmCreateFile {
  public:
    static constexpr const char *kGerador = "Controla_Atualizacao_NFE_40";

    struct FalhaPasso {
        int numero = 0;
        std::string mensagem;
    };

    explicit TfrmCreateFile(TdtmNFE_grd &modulo) : modulo_(modulo) {}

    std::int32_t UltimaAtualizacao = 0;
    std::string AtualizacoesExecutadas;
    std::optional<FalhaPasso> Falha;
    std::string lblultima = "Última atualização:";

    // One run. Raises DatabaseError when the counter cannot be read (no
    // GERADOR table, no connection); a failing step does not raise.
    void Executa_as_Atiualizacao();
    // Sets the counter inside the module's open transaction (not committed).
    void Set_Gerador_Atualizacao(int numero);
    // Reads the counter into UltimaAtualizacao and the label; failures are
    // ignored.
    void FormActivate();
    // Runs, then shows "Atualizacoes executadas = " and the list, then the
    // failure, if any.
    void btnAtualizaClick();

  private:
    std::int32_t leContador();

    TdtmNFE_grd &modulo_;
};
