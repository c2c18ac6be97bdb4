#pragma once

#include "monitor_client/frm_nfe_2g.h"
#include "monitor_client/tabelas_notas.h"
#include "tests/app/dados/bancos_fixture.h"

#include <chrono>
#include <memory>
#include <string>

// The note screen's core over the shared module database, with two
// emitters (normal regime "11222333000181", Simples regime under the
// homologation switch "44555666000199"), a few CEP rows and one NcmImposto
// row (NCM 22030000: 10.00 national, 15.00 imported), the clock at
// 2024-03-07 10:20:30 local time and the staged notes of
// data/monitor_client/notas.json. Implemented in nota_fixture.cpp.
class NotaFixture : public BancosFixture {
  protected:
    static constexpr const char *kEmitenteProducao = "11222333000181";
    static constexpr const char *kEmitenteHomologacao = "44555666000199";

    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    static std::string pastaDados();
    // Replaces the staged notes with those of a file under tests/data/.
    void carregaNotas(const std::string &arquivo);
    void selecionaEmitente(const std::string &cnpj);
    // The request document of the note with the key, as the file's bytes.
    std::string documento(int nota);
    // The note's document against the golden data/monitor_client/<golden>.txt
    // (rewritten when NFE_WRITE_GOLDENS is set): Windows-1252, CR LF and
    // passing the fake monitor's check.
    void confereGolden(int nota, const std::string &golden);

    TabelasNotas tabelas;
    std::unique_ptr<TfrmNFE_2G> tela;
};

// A local wall-clock time as a moment.
std::chrono::system_clock::time_point agoraLocal(int ano, int mes, int dia, int h, int m, int s);
