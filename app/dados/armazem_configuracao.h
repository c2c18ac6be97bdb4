#pragma once

#include "app/db/statement.h"

#include <memory>
#include <string>
#include <string_view>

namespace db {
class Transaction;
}

// The per-company settings store: rows of CONFIG_GERAL of the NF-e module
// database, keyed by CNPJ and key, sectioned rows also by section. Keys and
// sections are stored and compared upper-cased (accented letters too);
// values are stored exactly as given, an empty value as null; a CNPJ, key or
// section is always written, empty or not, so an empty one is found again.
// A write updates the matching rows, else inserts one. Nothing commits: the
// module's commit does. A text longer than its column (value 100, key and
// section 50, CNPJ 14) raises DatabaseError (TextTooLong) and changes
// nothing; other database failures raise DatabaseError too.
//
// The statements are prepared once, on the first use, for the transaction
// given at construction; the module makes a new store for each connection.
// Implemented in armazem_configuracao.cpp.

// The column a sectioned value lives in.
enum class ColunaConfig { Campo_Valor, Campo_memo };
// "Campo_Valor" or "Campo_memo" in any case; DatabaseError otherwise.
ColunaConfig colunaConfig(std::string_view nome);

// A key of the store (CAMPO_REF), a type of its own so that it cannot be
// passed where the value or the section goes.
struct CampoRef {
    std::string nome;
    explicit CampoRef(std::string_view n) : nome(n) {}
};

class ArmazemConfiguracao {
  public:
    explicit ArmazemConfiguracao(db::Transaction &transacao);
    ~ArmazemConfiguracao();

    // Flat rows: the section is not looked at. A write updates every row of
    // the CNPJ and key whatever its section, else inserts one with no
    // section. A read prefers the flat row (no section or "V-3.0"), then the
    // lowest section.
    void Grava_Valor_Referencia(std::string_view cnpj, const CampoRef &chave, std::string_view valor);
    std::string Busca_Valor_Referencia(std::string_view cnpj, const CampoRef &chave);

    // Sectioned rows, the value in the given column; a read gives the empty
    // text when no row matches or the column is null.
    void Grava_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao, const CampoRef &chave,
                                       std::string_view valor, ColunaConfig coluna);
    std::string Busca_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                              const CampoRef &chave, ColunaConfig coluna);

  private:
    struct Comandos;
    Comandos &comandos();

    db::Transaction &transacao_;
    std::unique_ptr<Comandos> comandos_;
};
