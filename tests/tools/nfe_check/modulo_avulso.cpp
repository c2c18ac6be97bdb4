#include "modulo_avulso.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/dados/esquema_base.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/firebird_root.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "app/regional/localiza_ini.h"
#include "foundation/files/ini_file.h"

namespace {

std::string criaPastaTemporaria()
{
    std::string modelo = (std::filesystem::temp_directory_path() / "nfe-check-module-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr)
        throw db::DatabaseError(db::DbFailure::Other, "cannot create a temporary folder");
    return modelo + "/";
}

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

void removePasta(const std::string &pasta)
{
    std::error_code ignorado;
    std::filesystem::remove_all(pasta, ignorado);
}

} // namespace

ModuloAvulso::ModuloAvulso(const std::string &arquivo)
{
    db::prepareFirebirdEnvironment();
    const std::string modulo = std::filesystem::absolute(arquivo).string();
    if (!std::filesystem::exists(modulo))
        throw db::DatabaseError(db::DbFailure::Other, "no database at " + modulo);
    pasta_ = criaPastaTemporaria();
    try {
        criaGerencia(pasta_, modulo);
        gerencia_ = std::make_unique<TdtmGerencia>(pasta_);
        nfe_ = std::make_unique<TdtmNFE_grd>(*gerencia_);
        // The location row names a file only by its extension (.kvl, .gdb);
        // the file given is used whatever its name.
        nfe_->setDatabaseName(modulo);
        if (!nfe_->dtmConectBanco(true))
            throw db::DatabaseError(db::DbFailure::Other, "cannot connect to " + modulo);
    } catch (...) {
        nfe_.reset();
        gerencia_.reset();
        removePasta(pasta_);
        throw;
    }
}

ModuloAvulso::~ModuloAvulso()
{
    nfe_.reset();
    gerencia_.reset();
    removePasta(pasta_);
}
