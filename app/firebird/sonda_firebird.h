#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

// What the Firebird server controller (gerenciador_firebird.h) asks of the
// system, behind one interface so that tests drive it with a fake and never
// touch a real service. sondaDoSistema() gives the real one (sonda_sistema.cpp):
// services are systemd units run through `systemctl`, programs are started
// with posix_spawn and watched by their PID, and waits keep processing the
// screen's events through the installed pump.
class SondaFirebird {
  public:
    virtual ~SondaFirebird() = default;

    // --- clock ---
    // Milliseconds from any fixed start.
    virtual std::int64_t agoraMs() = 0;
    // Pauses (0 or less: only processes pending events).
    virtual void espera(int ms) = 0;
    // Processes pending events of the screen.
    virtual void processaEventos() = 0;

    // --- services ---
    virtual bool servicoExiste(std::string_view servico) = 0;
    // 1 stopped, 2 starting, 3 stopping, 4 running. Raises std::runtime_error
    // when the state cannot be read.
    virtual int estadoServico(std::string_view servico) = 0;
    // Asks the service manager to start or stop the service; false when the
    // request is refused (no privilege, unknown service).
    virtual bool iniciaServico(std::string_view servico) = 0;
    virtual bool paraServico(std::string_view servico) = 0;

    // --- programs ---
    virtual bool arquivoExiste(std::string_view arquivo) = 0;
    // The value of the per-user registry; empty when missing.
    virtual std::string registro(std::string_view chave, std::string_view nome) = 0;
    // The PID of a running process of that program file, if any.
    virtual std::optional<pid_t> procuraProcesso(std::string_view programa) = 0;
    // Starts the program with its parameters (separated by blanks) and the
    // extra environment variable; 0 when it cannot be started. The real
    // system first gives SIGUSR1 a handler that does nothing when it has
    // none: the guard's server sends it to the guard's parent once ready.
    virtual pid_t iniciaPrograma(std::string_view programa, std::string_view parametros,
                                 std::string_view variavel, std::string_view valor) = 0;
    virtual bool processoVivo(pid_t pid) = 0;
    // Asks the process to end (SIGTERM).
    virtual void pedeFim(pid_t pid) = 0;
    // True when something accepts connections on 127.0.0.1 at the port.
    virtual bool portaAceita(int porta) = 0;
    // The text of a file, empty when it cannot be read.
    virtual std::string leArquivo(std::string_view arquivo) = 0;
};

// The real system. One object for the process.
SondaFirebird &sondaDoSistema();

// The screen's event pump that the real system's waits call (an empty
// function removes it). The Qt layer installs one at start-up.
void instalaProcessaEventos(std::function<void()> pump);
