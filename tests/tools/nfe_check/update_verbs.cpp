// Verb "update": one run of the schema updater on an NF-e module database,
// as the button of its screen does. The data module finds its database
// through a management database, so the verb makes a throw-away one whose
// location row names the given file.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dados/esquema_base.h"
#include "app/dados/frm_create_file.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/firebird_root.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "app/regional/localiza_ini.h"
#include "foundation/files/ini_file.h"
#include "verbs.h"

namespace {

// A folder removed with everything in it when the verb ends.
class PastaTemporaria {
  public:
    PastaTemporaria()
    {
        std::string modelo = (std::filesystem::temp_directory_path() / "nfe-check-update-XXXXXX").string();
        if (mkdtemp(modelo.data()) == nullptr)
            throw db::DatabaseError(db::DbFailure::Other, "cannot create a temporary folder");
        caminho_ = modelo + "/";
    }
    ~PastaTemporaria()
    {
        std::error_code ignorado;
        std::filesystem::remove_all(caminho_, ignorado);
    }
    PastaTemporaria(const PastaTemporaria &) = delete;
    PastaTemporaria &operator=(const PastaTemporaria &) = delete;

    const std::string &caminho() const { return caminho_; }

  private:
    std::string caminho_;
};

// A management database whose location row of the module names `modulo`,
// and the application INI pointing at it.
void criaGerencia(const std::string &pasta, const std::string &modulo)
{
    const std::string banco = pasta + "gerencia.kvl";
    {
        db::Database gerencia = db::Database::create(banco);
        db::Transaction t(gerencia);
        criaEsquema(t, esquemaBaseGerencia());
        db::executeSql(t, "INSERT INTO PATHIB (ALIAS_IB, SERVIDOR_IB, PATH_IB, COD_EMP) VALUES (?, '', ?, 0)",
                       {db::Value(TdtmNFE_grd::kAliasBanco), db::Value(modulo)});
        t.commit();
    }
    IniFile(pasta + std::string(kArquivoIniAplicacao)).WriteString("IBGERENCIA", "PATH IB", banco);
}

} // namespace

int runUpdateVerb(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check update: expected <module db>\n");
        return 2;
    }
    try {
        db::prepareFirebirdEnvironment();
        const std::string modulo = std::filesystem::absolute(args[0]).string();
        if (!std::filesystem::exists(modulo))
            throw db::DatabaseError(db::DbFailure::Other, "no database at " + modulo);
        PastaTemporaria pasta;
        criaGerencia(pasta.caminho(), modulo);
        auto gerencia = std::make_unique<TdtmGerencia>(pasta.caminho());
        auto nfe = std::make_unique<TdtmNFE_grd>(*gerencia);
        if (!nfe->dtmConectBanco(true))
            throw db::DatabaseError(db::DbFailure::Other, "cannot connect to " + modulo);
        TfrmCreateFile tela(*nfe);
        tela.Executa_as_Atiualizacao();
        std::printf("Atualizacoes executadas = %s\n", tela.AtualizacoesExecutadas.c_str());
        if (tela.Falha) {
            std::fprintf(stderr, "step %02d: %s\n", tela.Falha->numero, tela.Falha->mensagem.c_str());
            return 1;
        }
        return 0;
    } catch (const db::DatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
