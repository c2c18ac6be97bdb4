#include "printing/device/device_transport.h"

#include "printing/device/device.h"

#include <chrono>

#include "foundation/dates/date_time.h"

TQuibDeviceClass::TQuibDeviceClass(TQuibDevice *owner) : owner_(owner)
{
    if (owner == nullptr)
        throw EQuibDeviceError("Dono de TQuibDeviceClass deve ser TQuibDevice");
}

void TQuibDeviceClass::Conectar(const std::string &porta, int timeOutMilissegundos)
{
    GravaLog("   " + std::string(ClassName()) + ".Conectar(" + porta + ", " +
             std::to_string(timeOutMilissegundos) + ")");
    porta_ = porta;
}

void TQuibDeviceClass::Desconectar(bool ignorarErros)
{
    GravaLog("   " + std::string(ClassName()) + ".Desconectar(" + (ignorarErros ? "True" : "False") + ")");
}

bool TQuibDeviceClass::EmLinha(int)
{
    return true;
}

void TQuibDeviceClass::EnviaString(std::string_view) {}

void TQuibDeviceClass::EnviaByte(std::uint8_t byte)
{
    const char value = static_cast<char>(byte);
    EnviaString(std::string_view(&value, 1));
}

std::string TQuibDeviceClass::LeString(int, int, std::string_view)
{
    return {};
}

std::uint8_t TQuibDeviceClass::LeByte(int timeOutMilissegundos)
{
    const std::string lido = LeString(timeOutMilissegundos, 1, {});
    return lido.empty() ? 0 : static_cast<std::uint8_t>(lido[0]);
}

void TQuibDeviceClass::Limpar()
{
    while (!LeString(100, 0, {}).empty()) {
    }
}

void TQuibDeviceClass::GravaLog(std::string_view texto, bool traduz)
{
    owner_->GravaLog(texto, traduz);
}

void TQuibDeviceClass::traceError(const EQuibDeviceError &erro)
{
    GravaLog(std::string(erro.className()) + ": " + erro.what());
}

void TQuibDeviceClass::sendInPieces(std::string_view bytes,
                                    const std::function<void(std::string_view)> &enviaPeca)
{
    const int tamanhoPeca = owner_->SendBytesCount();
    const int intervalo = owner_->SendBytesInterval();
    const std::size_t peca = tamanhoPeca > 0 ? static_cast<std::size_t>(tamanhoPeca) : bytes.size();
    std::size_t posicao = 0;
    do {
        GravaLog("  BytesToSend:" + std::to_string(tamanhoPeca));
        enviaPeca(bytes.substr(posicao, peca));
        if (intervalo > 0) {
            GravaLog("  Sleep(" + std::to_string(intervalo) + ")");
            sleepFor(std::chrono::milliseconds(intervalo));
        }
        posicao += peca;
    } while (posicao < bytes.size());
}
