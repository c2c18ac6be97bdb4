#include "printing/device/device_hook.h"

#include <chrono>

#include "printing/device/device.h"
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

void TQuibDeviceHook::Conectar(const std::string &porta, int timeOutMilissegundos)
{
    TQuibDeviceClass::Conectar(porta, timeOutMilissegundos);
    if (Owner().hookAtivar)
        Owner().hookAtivar(porta, Owner().DeviceToString(false));
}

void TQuibDeviceHook::Desconectar(bool ignorarErros)
{
    TQuibDeviceClass::Desconectar(ignorarErros);
    if (Owner().hookDesativar)
        Owner().hookDesativar(Porta());
}

void TQuibDeviceHook::EnviaString(std::string_view bytes)
{
    if (!Owner().hookEnviaString)
        return;
    GravaLog("  TQuibDeviceHook.EnviaString");
    Owner().hookEnviaString(std::string(bytes));
}

std::string TQuibDeviceHook::LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador)
{
    std::string resultado;
    if (!Owner().hookLeString)
        return resultado;
    std::size_t tamanho = numBytes > 1 ? static_cast<std::size_t>(numBytes) : 1;
    const auto prazo = Clock::now() + std::chrono::milliseconds(timeOutMilissegundos);
    do {
        std::string peca;
        Owner().hookLeString(static_cast<int>(tamanho), timeOutMilissegundos, peca);
        if (!terminador.empty() && !peca.empty() && peca.ends_with(terminador)) {
            peca.resize(peca.size() - terminador.size());
            tamanho = 0;
        }
        if (peca.empty() && tamanho > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        resultado += peca;
    } while (resultado.size() < tamanho && Clock::now() < prazo);
    return resultado;
}

void TQuibDeviceHook::Limpar()
{
    const auto prazo = Clock::now() + std::chrono::milliseconds(Owner().TimeOutMilissegundos());
    while (!LeString(100, 0, {}).empty() && Clock::now() < prazo) {
    }
}
