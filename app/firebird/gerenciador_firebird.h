#pragma once

#include "app/firebird/sonda_firebird.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Queries, starts and stops the local Firebird server, either as a service
// (the systemd unit "firebird3.0", which every service name maps to) or as an
// application (the guard program "bin/fbguard" of the Firebird root that the
// registry names, started with "-a"). The login uses it once, to get the
// server running as an application after a failed connection.
//
// States: 1 stopped, 2 starting, 3 stopping, 4 running, 0 unknown. Start and
// Stop never raise: every failure becomes a report and the answer true
// ("the server is not where it was asked to be"); they answer false on
// success and when nothing had to be done. Progress and errors go to `OnLog`
// (standard error when none is attached). Every Start and Stop shows the busy
// cursor. All waits go through the probe, which keeps the screen's events
// processed. The probe must outlive the controllers. Implemented in
// gerenciador_firebird.cpp.
class TBaseAppService {
  public:
    explicit TBaseAppService(SondaFirebird &sonda) : sonda_(sonda) {}
    virtual ~TBaseAppService() = default;
    TBaseAppService(const TBaseAppService &) = delete;
    TBaseAppService &operator=(const TBaseAppService &) = delete;

    std::string Name;
    std::string ExePath;
    bool Installed = false;
    int WaitAfterMs = 8000;
    bool AlwaysWait = true;
    std::string Params;
    std::unique_ptr<TBaseAppService> Inner;
    std::function<void(const std::string &, int)> OnLog;

    virtual int GetState() = 0;
    virtual bool IsRunning() = 0;
    virtual bool IsStopped() { return !IsRunning(); }
    virtual bool Start(int segundos) = 0;
    virtual bool Stop(int segundos) = 0;

  protected:
    void relata(const std::string &texto);
    // Pauses WaitAfterMs when something was done or AlwaysWait is set.
    void pausa(bool feito);
    bool esgotado(std::int64_t inicio, int segundos);
    SondaFirebird &sonda_;
};

// The server as an application watched through its guard process: starting
// while the process lives and the server's port does not answer, running
// once it answers, stopping from the stop request until the process is gone.
class TAppController : public TBaseAppService {
  public:
    using TBaseAppService::TBaseAppService;

    // The server's port (RemoteServicePort of the root's firebird.conf).
    int Porta = 3050;
    // The guard's process, refreshed by RefreshWindow.
    std::optional<pid_t> Window;

    void RefreshWindow();
    int GetState() override;
    bool IsRunning() override;
    bool Start(int segundos) override;
    bool Stop(int segundos) override;

  protected:
    // Variable and value given to the started program's environment.
    std::string variavel_;
    std::string valor_;
    std::optional<pid_t> parando_; // the process a stop was asked of
};

// The server as a service of the service manager.
class TServiceController : public TBaseAppService {
  public:
    using TBaseAppService::TBaseAppService;

    std::string ServiceName;
    std::string GuardName;

    int GetState() override;
    bool IsRunning() override;
    bool Start(int segundos) override;
    bool Stop(int segundos) override;
};

// The Firebird services. With `comInterno` the application form is its
// inner controller.
class TFirebirdService : public TServiceController {
  public:
    static constexpr const char *kUnidade = "firebird3.0";
    TFirebirdService(SondaFirebird &sonda, bool comInterno);
};

// The Firebird guard program. Its root comes from the registry value
// "DefaultInstance" of "SOFTWARE\Firebird Project\Firebird Server\Instances",
// else "RootDirectory" of "SOFTWARE\FirebirdSQL\Firebird\CurrentVersion";
// a root without "bin/fbguard" does not count. The guard runs with FIREBIRD
// set to that root. With `comInterno` the service form is its inner
// controller.
class TFirebirdApplication : public TAppController {
  public:
    TFirebirdApplication(SondaFirebird &sonda, bool comInterno);
    std::string BinFolder;

    bool Stop(int segundos) override;
};

// The service whose state and requests stand for a service name of the
// suite's installations (all of them: "firebird3.0").
std::string unidadeDoServico(std::string_view nome);
