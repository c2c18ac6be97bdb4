#pragma once

#include "monitor_client/frm_nfe_2g.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/fake_monitor.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

#include <memory>
#include <string>
#include <vector>

// The note screen's core over the shared module database, with an emitter of
// its own (a CNPJ no other test uses) whose exchange folder is a fresh folder
// watched by the in-process fake monitor, and local copies in a fresh user
// data folder. The run's filter is fixed at 12/11/2026, time tag 3600.
class MonitorFixture : public BancosFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the fake monitor with the script lines.
    void roteiro(const std::string &script);
    // Adds a DANFENFE row of the emitter in that state, in the run.
    void linhaDanfe(int numero, int serie, int estado, const std::string &desStatus = "ENVIADA");
    // Hands a note request over as the send run does and lets the monitor answer.
    void entregaNota(int numero, int serie);
    // Hands a short request ("danfe", "email" ...) over and lets the monitor answer.
    void entregaPedido(const std::string &tipo, int numero, int serie);
    // The row's columns joined by "|", read by a connection of its own:
    // STATUS_NFE, DES_STATUS_NFE, RESULTADO, MENSAGEM, MENSAGEM_2, CHAVE_NFE.
    std::string linha(int numero, int serie,
                      const std::string &colunas = "STATUS_NFE,DES_STATUS_NFE,RESULTADO,MENSAGEM,MENSAGEM_2");
    std::vector<std::string> respostas() const; // names in "-resp"
    static std::vector<std::string> linhasNota(int numero, int serie, const std::string &cnpj);

    std::string cnpj;
    std::unique_ptr<testsupport::TempDir> troca, dados;
    std::unique_ptr<testsupport::ScopedEnv> xdg;
    std::unique_ptr<testsupport::FakeMonitor> monitor;
    TabelasNotas tabelas;
    std::unique_ptr<TfrmNFE_2G> tela;
};
