#include "app/firebird/gerenciador_firebird.h"

#include "foundation/base/busy_cursor.h"
#include "foundation/files/windows_paths.h"

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace {

// One pass of a wait: the screen's events, then a short pause.
constexpr int kPassoEsperaMs = 50;

constexpr const char *kChaveInstancias = "SOFTWARE\\Firebird Project\\Firebird Server\\Instances";
constexpr const char *kChaveVersao = "SOFTWARE\\FirebirdSQL\\Firebird\\CurrentVersion";

std::string comBarra(std::string pasta)
{
    if (!pasta.empty() && pasta.back() != '/')
        pasta += '/';
    return pasta;
}

// RemoteServicePort of a firebird.conf text; 3050 when it is not set.
int portaDoConf(const std::string &texto)
{
    int porta = 3050;
    std::istringstream linhas(texto);
    std::string linha;
    while (std::getline(linhas, linha)) {
        const auto inicio = linha.find_first_not_of(" \t");
        if (inicio == std::string::npos || linha[inicio] == '#')
            continue;
        const auto igual = linha.find('=');
        if (igual == std::string::npos)
            continue;
        std::string chave = linha.substr(inicio, igual - inicio);
        chave.erase(chave.find_last_not_of(" \t") + 1);
        if (chave != "RemoteServicePort")
            continue;
        try {
            porta = std::stoi(linha.substr(igual + 1));
        } catch (const std::exception &) {
            // a value that is not a number leaves the default
        }
    }
    return porta;
}

} // namespace

std::string unidadeDoServico(std::string_view)
{
    return TFirebirdService::kUnidade;
}

// --- TBaseAppService ---

void TBaseAppService::relata(const std::string &texto)
{
    if (OnLog)
        OnLog(texto, 0);
    else
        std::cerr << texto << '\n';
}

void TBaseAppService::pausa(bool feito)
{
    if (feito || AlwaysWait)
        sonda_.espera(WaitAfterMs);
}

bool TBaseAppService::esgotado(std::int64_t inicio, int segundos)
{
    return sonda_.agoraMs() - inicio >= static_cast<std::int64_t>(segundos) * 1000;
}

// --- TAppController ---

void TAppController::RefreshWindow()
{
    Window = ExePath.empty() ? std::nullopt : sonda_.procuraProcesso(ExePath);
    if (!Window)
        parando_.reset();
}

int TAppController::GetState()
{
    RefreshWindow();
    int estado = 1;
    if (Window) {
        if (parando_ == Window)
            estado = 3;
        else
            estado = sonda_.portaAceita(Porta) ? 4 : 2;
    }
    if (estado < 2 && Inner)
        return Inner->GetState();
    return estado;
}

bool TAppController::IsRunning()
{
    RefreshWindow();
    return Window.has_value() || GetState() == 4;
}

bool TAppController::Start(int segundos)
{
    BusyCursor ocupado;
    bool resposta = false;
    bool feito = false;
    if (IsStopped()) {
        relata("Starting Application: " + Name);
        RefreshWindow();
        if (!ExePath.empty() && sonda_.arquivoExiste(ExePath)) {
            bool iniciou = true;
            if (!Window)
                iniciou = sonda_.iniciaPrograma(ExePath, Params, variavel_, valor_) != 0;
            const auto inicio = sonda_.agoraMs();
            while (iniciou && !(GetState() == 4 && Window) && !esgotado(inicio, segundos)) {
                sonda_.processaEventos();
                sonda_.espera(kPassoEsperaMs);
            }
            if (iniciou && Window && GetState() == 4) {
                relata("  - " + Name + " started");
                feito = true;
            } else {
                if (!iniciou)
                    relata("Unable to run: " + ExePath);
                resposta = true;
            }
        } else {
            relata("Unable to locate executable: " + ExePath);
            resposta = true;
        }
    }
    pausa(feito);
    return resposta;
}

bool TAppController::Stop(int segundos)
{
    BusyCursor ocupado;
    bool resposta = false;
    bool feito = false;
    if (IsRunning()) {
        RefreshWindow();
        relata("Stopping Application: " + Name);
        if (Window) {
            parando_ = Window;
            sonda_.pedeFim(*Window);
        }
        const auto inicio = sonda_.agoraMs();
        while (Window && !esgotado(inicio, segundos)) {
            sonda_.processaEventos();
            sonda_.espera(kPassoEsperaMs);
            RefreshWindow();
        }
        if (!Window) {
            relata("  - " + Name + " stopped");
            feito = true;
        } else {
            resposta = true;
        }
    }
    pausa(feito);
    return resposta;
}

// --- TServiceController ---

int TServiceController::GetState()
{
    int estado = 0;
    if (Installed) {
        try {
            estado = sonda_.estadoServico(unidadeDoServico(Name));
        } catch (const std::exception &erro) {
            relata(std::string("Exception getting service state: ") + erro.what());
            estado = 0;
        }
    }
    if (estado < 2 && Inner)
        return Inner->GetState();
    return estado;
}

bool TServiceController::IsRunning()
{
    return GetState() == 4;
}

bool TServiceController::Start(int segundos)
{
    if (!Installed)
        return true;
    BusyCursor ocupado;
    try {
        bool feito = false;
        if (GetState() == 1) {
            relata("Starting Service: " + Name);
            const std::string servico = unidadeDoServico(ServiceName);
            if (!sonda_.iniciaServico(servico))
                throw std::runtime_error("Unable to start " + Name);
            const auto inicio = sonda_.agoraMs();
            while (GetState() != 4 && !esgotado(inicio, segundos)) {
                sonda_.processaEventos();
                sonda_.espera(kPassoEsperaMs);
                if (esgotado(inicio, segundos / 2))
                    sonda_.iniciaServico(servico);
            }
            if (GetState() != 4)
                throw std::runtime_error("Timed out, unable to start " + Name);
            relata("  - " + Name + " started");
            feito = true;
        }
        pausa(feito);
        return false;
    } catch (const std::exception &erro) {
        relata(std::string("Exception Starting Service: ") + erro.what());
        return true;
    }
}

bool TServiceController::Stop(int segundos)
{
    if (Inner && Inner->IsRunning())
        Inner->Stop(30);
    BusyCursor ocupado;
    try {
        bool feito = false;
        bool resposta = false;
        if (IsRunning()) {
            relata("Stopping Service: " + Name);
            if (ServiceName != GuardName) {
                sonda_.paraServico(unidadeDoServico(ServiceName));
                sonda_.espera(1000);
            }
            const std::string guarda = unidadeDoServico(GuardName);
            const int estado = sonda_.estadoServico(guarda);
            if (estado != 1 && estado != 3 && !sonda_.paraServico(guarda))
                throw std::runtime_error("Unable to get " + Name + " status");
            const auto inicio = sonda_.agoraMs();
            while (GetState() != 1 && !esgotado(inicio, segundos)) {
                sonda_.processaEventos();
                sonda_.espera(kPassoEsperaMs);
            }
            if (GetState() == 1) {
                relata("  - " + Name + " stopped");
                feito = true;
            } else {
                resposta = true;
            }
        }
        pausa(feito);
        return resposta;
    } catch (const std::exception &erro) {
        relata(std::string("Exception Stopping Service: ") + erro.what());
        return true;
    }
}

// --- TFirebirdService ---

TFirebirdService::TFirebirdService(SondaFirebird &sonda, bool comInterno) : TServiceController(sonda)
{
    Name = "FirebirdServer";
    if (sonda.servicoExiste(unidadeDoServico(Name))) {
        ServiceName = GuardName = "FirebirdGuardian";
    } else {
        Name = ServiceName = GuardName = "FirebirdServerDefaultInstance";
        if (sonda.servicoExiste(unidadeDoServico(Name)))
            ServiceName = GuardName = "FirebirdGuardianDefaultInstance";
    }
    Installed = sonda.servicoExiste(unidadeDoServico(Name));
    WaitAfterMs = 0;
    if (comInterno)
        Inner = std::make_unique<TFirebirdApplication>(sonda, false);
}

// --- TFirebirdApplication ---

TFirebirdApplication::TFirebirdApplication(SondaFirebird &sonda, bool comInterno) : TAppController(sonda)
{
    std::string raiz;
    for (const auto &[chave, nome] :
         {std::pair{kChaveInstancias, "DefaultInstance"}, std::pair{kChaveVersao, "RootDirectory"}}) {
        const std::string valor = sonda.registro(chave, nome);
        if (valor.empty())
            continue;
        raiz = comBarra(localPath(valor));
        if (sonda.arquivoExiste(raiz + "bin/fbguard")) {
            BinFolder = raiz + "bin/";
            break;
        }
    }
    Name = "Firebird Server";
    Params = "-forever";
    if (!BinFolder.empty()) {
        ExePath = BinFolder + "fbguard";
        variavel_ = "FIREBIRD";
        valor_ = raiz;
        Porta = portaDoConf(sonda.leArquivo(raiz + "firebird.conf"));
    }
    Installed = !ExePath.empty() && sonda.arquivoExiste(ExePath);
    RefreshWindow();
    if (comInterno)
        Inner = std::make_unique<TFirebirdService>(sonda, false);
    if (!Installed)
        relata("Unable to locate FBGuard.exe!");
}

bool TFirebirdApplication::Stop(int segundos)
{
    if (Inner)
        Inner->Stop(30);
    return TAppController::Stop(segundos);
}
