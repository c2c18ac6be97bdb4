#pragma once

#include "app/firebird/sonda_firebird.h"

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// A scripted system for the Firebird controller: a clock that moves only
// when the controller waits, one service whose state changes a while after a
// request, and one guard program whose server answers a while after it is
// started and which ends a while after it is asked to. Every request is
// recorded in `pedidos`.
class SondaFalsa : public SondaFirebird {
  public:
    std::vector<std::string> pedidos;
    std::int64_t agora = 0;

    // The service.
    bool servicoInstalado = true;
    int estadoDoServico = 1;
    bool recusaPedidos = false;
    int msServico = 1000; // from a request to the new state
    bool servicoNaoSobe = false;
    std::deque<int> proximosEstados; // answered before estadoDoServico
    void mudaServicoEm(int ms, int estado) { servico_ = Mudanca{agora + ms, estado}; }

    // The guard program.
    std::map<std::string, std::string> registros; // "key|name" -> value
    std::set<std::string> arquivos;
    std::optional<pid_t> guarda;
    bool portaAberta = false;
    int msPorta = 2000; // from the start to the port answering
    int msFim = 1000;   // from the stop request to the end
    bool guardaTeimosa = false;

    std::int64_t agoraMs() override { return agora; }
    void espera(int ms) override;
    void processaEventos() override {}

    bool servicoExiste(std::string_view) override { return servicoInstalado; }
    int estadoServico(std::string_view) override;
    bool iniciaServico(std::string_view servico) override;
    bool paraServico(std::string_view servico) override;

    bool arquivoExiste(std::string_view arquivo) override { return arquivos.contains(std::string(arquivo)); }
    std::string registro(std::string_view chave, std::string_view nome) override;
    std::optional<pid_t> procuraProcesso(std::string_view) override { return guarda; }
    pid_t iniciaPrograma(std::string_view programa, std::string_view parametros, std::string_view variavel,
                         std::string_view valor) override;
    bool processoVivo(pid_t) override { return guarda.has_value(); }
    void pedeFim(pid_t) override;
    bool portaAceita(int) override { return portaAberta; }
    std::string leArquivo(std::string_view) override { return {}; }

  private:
    struct Mudanca {
        std::int64_t quando;
        int estado;
    };
    std::optional<Mudanca> servico_;
    std::optional<std::int64_t> portaAbre_;
    std::optional<std::int64_t> guardaSai_;
};
