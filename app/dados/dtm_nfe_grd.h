#pragma once

#include "app/dados/armazem_configuracao.h"
#include "app/dados/consulta_selecao.h"
#include "app/db/data_set.h"
#include "app/db/database.h"
#include "app/db/memory_table.h"
#include "app/db/transaction.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TdtmGerencia;

// The data module of the NF-e module database: its one connection and
// transaction (started on connecting; every commit and rollback retains it),
// the tables CONFIGNFE, DANFENFE and CEP, three select queries, the
// in-memory printer list, the generic SQL builders every screen of the
// module uses, and the per-company settings store (armazem_configuracao.h).
//
// Creation finds the database through the management module's PATHIB row of
// alias "IB_DANFE_NFE" and company 0 and stays disconnected until the first
// dtmNFEOpen or dtmConectBanco(true). Builders take conditions and
// assignments with `?` placeholders and their values beside them; table,
// column, order and field-list texts are the program's own. Nothing here
// commits but dtmNFECommit. Statement and select failures raise
// DatabaseError to the caller; the four message boxes (missing location,
// failed connection, failed commit, CONFIGNFE that cannot be opened) go
// through the installed dialogs. Main thread only. Implemented in
// dtm_nfe_grd.cpp and dtm_nfe_grd_construtores.cpp.
class TdtmNFE_grd {
  public:
    static constexpr const char *kArquivoPadrao = "DanfeNFE.kvl";
    static constexpr const char *kAliasBanco = "IB_DANFE_NFE";
    static constexpr const char *kErroConexao = "Erro ao conectar o bando de dados da \"NFE\"...";
    static constexpr const char *kErroConfigNFE =
        "Sera necessário criar as variaveis do Arquivo de Configuração da NFE.";

    // Creation: locates the database through `gerencia`, which must outlive
    // this module.
    explicit TdtmNFE_grd(TdtmGerencia &gerencia);
    ~TdtmNFE_grd();
    TdtmNFE_grd(const TdtmNFE_grd &) = delete;
    TdtmNFE_grd &operator=(const TdtmNFE_grd &) = delete;

    bool Iniciado = false;
    // The company (CNPJ digits) whose settings the typed settings operations
    // read and write.
    std::string CnpjEmpresa;

    const std::string &DatabaseName() const { return databaseName_; }
    // Points the module at another database file (disconnecting it first).
    void setDatabaseName(std::string nome);

    bool dtmConectBanco(bool conectar);
    bool conectado() const { return ibtNFE != nullptr; }
    bool dtmNFECommit(db::DataSet *tabela = nullptr);
    void dtmNFERollback();
    void dtmNFERefresh();
    // Logical names "ConfigNFE", "DanfeNFE", "Cep" or "ALL", any case.
    void dtmNFEOpen(const std::vector<std::string> &nomes);
    void dtmNFEClose(const std::vector<std::string> &nomes);

    // Query "1", "2" or "3"; "CLOSE" (any case) closes all three and gives
    // false; any other number does nothing and gives false.
    bool SelectFile(std::string_view consulta, std::string_view tabela, std::string_view condicao,
                    const std::vector<db::Value> &parametros = {});
    bool SelectFileOrdem(std::string_view consulta, std::string_view tabela, std::string_view condicao,
                         std::string_view ordem, const std::vector<db::Value> &parametros = {});
    bool SelectFileOrdemCampo(std::string_view consulta, std::string_view tabela, std::string_view condicao,
                              std::string_view ordem, std::string_view campos,
                              const std::vector<db::Value> &parametros = {});
    ConsultaSelecao *consulta(std::string_view numero);

    // Pairs (name, value) of a flat array; pairs with an empty value are
    // left out and nothing runs when none remains. Values are stored as
    // given.
    void INSERTFILE(std::string_view tabela, const std::vector<std::string> &nomesEValores);
    void UPDATEFILE(std::string_view tabela, std::string_view atribuicoes, std::string_view condicao,
                    const std::vector<db::Value> &parametros = {});
    // Assignments from the non-empty pairs, each value with "," turned into
    // "." and quotes into blanks; `parametros` are the condition's values.
    void UPDATEFILE_Matriz(std::string_view tabela, std::string_view condicao,
                           const std::vector<std::string> &nomesEValores,
                           const std::vector<db::Value> &parametros = {});
    void DeleteRegistro(std::string_view tabela, std::string_view condicao,
                        const std::vector<db::Value> &parametros = {});
    int BuscaGerador(std::string_view gerador);
    int RegimeTributacao();

    // Server and path of the alias's row for company 0; empty, after the
    // message, when there is none.
    std::string LoadPathIb(std::string_view alias);
    // The last four characters, upper-cased, of the alias's location in the
    // management module's PATHIB table (any company); empty when absent.
    std::string LoadExtensao(std::string_view alias);

    // The settings store of the connection (DatabaseError when disconnected).
    ArmazemConfiguracao &armazem();
    void Grava_Valor_Referencia(std::string_view cnpj, const CampoRef &chave, std::string_view valor);
    std::string Busca_Valor_Referencia(std::string_view cnpj, const CampoRef &chave);
    void Grava_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao, const CampoRef &chave,
                                       std::string_view valor, ColunaConfig coluna);
    std::string Busca_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                              const CampoRef &chave, ColunaConfig coluna);

    // Connection, transaction and tables exist while connected.
    std::unique_ptr<db::Database> dtbNFE;
    std::unique_ptr<db::Transaction> ibtNFE;
    std::unique_ptr<db::DataSet> tblConfigNFE, tblDanfeNFE, tblCep;
    ConsultaSelecao qrySelect1, qrySelect2, qrySelect3;
    db::MemoryTable tblListPrint;

  private:
    db::Transaction &transacao();
    void criaTabelas();

    TdtmGerencia &gerencia_;
    std::string databaseName_;
    std::unique_ptr<ArmazemConfiguracao> armazem_;
};
