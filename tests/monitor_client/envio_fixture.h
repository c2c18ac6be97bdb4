#pragma once

#include "tests/monitor_client/monitor_fixture.h"
#include "tests/support/scripted_dialogs.h"

#include <memory>
#include <string>

// The monitor fixture with a complete emitter (state SP, printers), the
// staged note of "data/monitor_client/envio.json" (note 123, series 1) for
// that emitter, the city list of the test data, and scripted dialogs.
class EnvioFixture : public MonitorFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Sets CONFIGNFE columns of the fixture's emitter ("COL = value, ...").
    void emitente(const std::string &atribuicoes);
    // The first request of that kind the monitor took, its lines; fails when none.
    const testsupport::MonitorRequest *pedido(const std::string &tipo) const;
    int quantosPedidos(const std::string &tipo) const;

    testsupport::ScriptedDialogs *caixas = nullptr;
    std::unique_ptr<Dialogos> anteriores;
};
