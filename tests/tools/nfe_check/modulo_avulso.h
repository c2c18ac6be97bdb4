#pragma once

// An NF-e module database opened on its own, as the verbs that drive a
// screen core need it. The data module finds its database only through a
// management database, so a throw-away one is made in a temporary folder
// (removed with everything in it when the object goes) whose location row
// names the given file. Implemented in modulo_avulso.cpp.

#include <memory>
#include <string>

#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_grd.h"

class ModuloAvulso {
  public:
    // Connects to the module database at `arquivo`; db::DatabaseError when
    // the file is missing or cannot be opened.
    explicit ModuloAvulso(const std::string &arquivo);
    ~ModuloAvulso();
    ModuloAvulso(const ModuloAvulso &) = delete;
    ModuloAvulso &operator=(const ModuloAvulso &) = delete;

    TdtmNFE_grd &modulo() { return *nfe_; }
    TdtmGerencia &gerencia() { return *gerencia_; }

  private:
    std::string pasta_;
    std::unique_ptr<TdtmGerencia> gerencia_;
    std::unique_ptr<TdtmNFE_grd> nfe_;
};
