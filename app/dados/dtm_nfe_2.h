#pragma once

#include "app/db/data_set.h"

#include <memory>
#include <string>
#include <vector>

class TdtmNFE_grd;

// The staged-invoice data module: one table of the NF-e module database for
// each table in which the suite's programs leave the invoices to be issued,
// and one for CONFIG_GERAL, all on the connection and transaction of the NF-e
// data module. Each table declares the columns it needs, so opening it on a
// database that lacks one of them raises DatabaseError naming the column:
// opening them all doubles as a check of the schema. The module must
// outlive this one. Implemented in dtm_nfe_2.cpp.
class TdtmNFE_2 {
  public:
    // A table of the module: its component name, table, logical name and
    // declared fields.
    struct Tabela {
        const char *componente;
        const char *tabela;
        const char *nomeLogico;
        std::vector<std::string> campos;
    };

    explicit TdtmNFE_2(TdtmNFE_grd &modulo);
    ~TdtmNFE_2();

    // Asks the module to connect, then opens each closed table whose logical
    // name, or "ALL", is in the list (any case), in the fixed order
    // CONFIG_GERAL, NOTAS, NOTAS_CCE, NOTAS_CAB, NOTAS_FAT, NOTAS_OBS,
    // NOTAS_TOTAIS, NOTAS_TRANSP, NOTAS_ITEM, NOTAS_ITEM_II, NOTAS_ITEM_REF,
    // NOTAS_ITEM_IMP. The first table that fails raises; the ones after it
    // stay closed, the ones before it stay open.
    void dtmNFEOpen(const std::vector<std::string> &nomes);
    void dtmNFEClose(const std::vector<std::string> &nomes);

    // The open table of a component name ("tblNotas"), or nullptr.
    db::DataSet *tabela(std::string_view componente) const;
    static const std::vector<Tabela> &tabelas();

  private:
    TdtmNFE_grd &modulo_;
    std::vector<std::unique_ptr<db::DataSet>> abertas_; // parallel to tabelas()
};
