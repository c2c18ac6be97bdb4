#pragma once

#include "app/principal/fabrica_telas.h"

#include <string>

// Stand-ins for the screens whose layers are not built yet.
//   - A screen that is "not built yet" tells so in a box when shown.
//   - The re-print screen: `Criar_Forms` does nothing; `Ativa_Modelo_Exportacao`
//     opens CONFIGNFE through the NF-e module and keeps whether TIPO_EMISSOR
//     of its current row is "NFE SEFAZ" (database errors reach the caller).
//   - The hidden windows are empty objects.
// Implemented in telas_provisorias.cpp.

// "A tela \"<nome>\" ainda não foi construída nesta versão."
std::string textoTelaNaoConstruida(const std::string &nome);

class TelaNaoConstruida : public TelaModal {
  public:
    explicit TelaNaoConstruida(std::string nome) : nome_(std::move(nome)) {}
    void ShowModal() override;

  private:
    std::string nome_;
};

class ReimpressaoProvisoria : public TelaReimpressao {
  public:
    explicit ReimpressaoProvisoria(ModulosDados &modulos) : modulos_(modulos) {}
    void Criar_Forms() override {}
    void Ativa_Modelo_Exportacao() override;

    bool ModoExportacao = false;

  private:
    ModulosDados &modulos_;
};

// Every entry filled with its stand-in; `modulos` must outlive the factory.
FabricaTelas fabricaProvisoria(ModulosDados &modulos);
