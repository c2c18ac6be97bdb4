#pragma once

#include <memory>
#include <string>

#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_grd.h"

// The NF-e module data module connected to a given database file. The data
// module finds its database through a management database, so a throw-away
// one (with the application INI naming it) is made in a temporary folder
// whose location row names the file; the folder goes when the object does.
// Raises db::DatabaseError when the file is missing or cannot be connected.
// Implemented in modulo_nfe.cpp.
class ModuloNFeAberto {
  public:
    explicit ModuloNFeAberto(const std::string &banco);
    ~ModuloNFeAberto();
    ModuloNFeAberto(const ModuloNFeAberto &) = delete;
    ModuloNFeAberto &operator=(const ModuloNFeAberto &) = delete;

    TdtmNFE_grd &modulo() { return *nfe_; }

  private:
    std::string pasta_;
    std::unique_ptr<TdtmGerencia> gerencia_;
    std::unique_ptr<TdtmNFE_grd> nfe_;
};
