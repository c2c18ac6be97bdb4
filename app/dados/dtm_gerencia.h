#pragma once

#include "app/dados/consulta_selecao.h"
#include "app/db/data_set.h"
#include "app/db/database.h"
#include "app/db/memory_table.h"
#include "app/db/transaction.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The data module of the suite's management database: users, companies,
// database locations, and a small key/value store in its own CONFIG_GERAL.
// Creation finds the database through "PATH IB" of the application INI,
// connects (failures raise DatabaseError to the creator), opens the four
// tables, copies the companies into the in-memory lists and fixes the
// company the program works for, asking with the chooser when there are
// several. The tables commit after every post and delete. Builders take
// conditions with `?` placeholders and their values beside them; they never
// commit and their failures raise DatabaseError. Main thread only.
// Implemented in dtm_gerencia.cpp.
class TdtmGerencia {
  public:
    static constexpr const char *kArquivoPadrao = "GERENCIA.KVL";

    // `pastaIni` is where "KVLAplic.ini" lives (LocalizaIni() at start-up);
    // `codigoEmpresa` is the company the login chose (0: none).
    explicit TdtmGerencia(std::string pastaIni, int codigoEmpresa = 0);
    ~TdtmGerencia();
    TdtmGerencia(const TdtmGerencia &) = delete;
    TdtmGerencia &operator=(const TdtmGerencia &) = delete;

    int NivelUsuario = 0;
    std::string PastaIni;
    const std::string &DatabaseName() const { return databaseName_; }

    void dtmGerenciaOpen();
    void dtmGerenciaClose();
    void TransfEmpresa();
    // Connecting also creates the management CONFIG_GERAL when missing.
    void dtmConectBanco(bool conectar);
    bool conectado() const { return ibtGerencia != nullptr; }
    // Commits retaining; on failure rolls back retaining, shows "Transação
    // não efetuada, será revertida, favor tentar novamente." and gives false.
    bool dtmGerenciaCommit(db::DataSet *tabela = nullptr);

    // Query "1" or "2"; "CLOSE" (any case) closes both and gives false.
    bool SelectFile(std::string_view consulta, std::string_view tabela, std::string_view condicao,
                    const std::vector<db::Value> &parametros = {});
    void UPDATEFILE(std::string_view tabela, std::string_view atribuicoes, std::string_view condicao,
                    const std::vector<db::Value> &parametros = {});
    void DeleteRegistro(std::string_view tabela, std::string_view condicao,
                        const std::vector<db::Value> &parametros = {});
    // Every (name, value) pair, empty values too, each value with "," turned
    // into "." and "'" into a blank. No pair at all makes the statement fail.
    void INSERTFILE(std::string_view tabela, const std::vector<std::string> &nomesEValores);

    // The key cut to 30 characters and upper-cased, the value cut to 100 and
    // stored unchanged, on the first write and on later ones alike.
    void Grava_Valor_Referencia(std::string_view chave, std::string_view valor);
    std::string Busca_Valor_Referencia(std::string_view chave);

    // Connection, transaction and tables exist while connected.
    std::unique_ptr<db::Database> dtbGerencia;
    std::unique_ptr<db::Transaction> ibtGerencia;
    std::unique_ptr<db::DataSet> tblUsuarios, tblEmpresaHD, tblRegistro, tblPathIb;
    ConsultaSelecao qrySelect1, qrySelect2;
    db::MemoryTable tblEmpresa;
    db::MemoryTable tblEmpresaMulti;

  private:
    db::Transaction &transacao();
    void criaTabelas();
    void escolheEmpresa(int codigoEmpresa);

    std::string databaseName_;
};
