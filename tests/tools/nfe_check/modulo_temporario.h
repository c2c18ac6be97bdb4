#pragma once

// The NF-e data module of the verbs that work on a module database file.
// The data module finds its database through a management database, so a
// throw-away one is made in a temporary folder, its location row naming the
// file; the folder goes when the object does. Implemented in
// modulo_temporario.cpp.

#include <memory>
#include <string>

class TdtmGerencia;
class TdtmNFE_grd;

class ModuloTemporario {
  public:
    // Connects to the module database `arquivo`; DatabaseError when it does
    // not exist or cannot be connected to.
    explicit ModuloTemporario(const std::string &arquivo);
    ~ModuloTemporario();
    ModuloTemporario(const ModuloTemporario &) = delete;
    ModuloTemporario &operator=(const ModuloTemporario &) = delete;

    TdtmNFE_grd &modulo() { return *nfe_; }

  private:
    std::string pasta_;
    std::unique_ptr<TdtmGerencia> gerencia_;
    std::unique_ptr<TdtmNFE_grd> nfe_;
};
