#include "printing/device/device_usb.h"

#include <chrono>

#include "foundation/dates/date_time.h"
#include "foundation/text/text_utils.h"
#include "printing/device/device.h"
#include "printing/device/ports.h"

TQuibDeviceWinUSB::TQuibDeviceWinUSB(TQuibDevice *owner) : TQuibDeviceClass(owner) {}

void TQuibDeviceWinUSB::Conectar(const std::string &porta, int timeOutMilissegundos)
{
    TQuibDeviceClass::Conectar(porta, timeOutMilissegundos);
    api_.Abrir(porta);
    api_.SetTimeOut(timeOutMilissegundos);
}

void TQuibDeviceWinUSB::Desconectar(bool ignorarErros)
{
    TQuibDeviceClass::Desconectar(ignorarErros);
    try {
        api_.Fechar();
    } catch (const EQuibDeviceError &) {
        if (!ignorarErros)
            throw;
    }
}

void TQuibDeviceWinUSB::EnviaString(std::string_view bytes)
{
    GravaLog("  TQuibDeviceWinUSB.EnviaString");
    const int tamanhoPeca = Owner().SendBytesCount();
    const int intervalo = Owner().SendBytesInterval();
    const std::size_t peca = tamanhoPeca > 0 ? static_cast<std::size_t>(tamanhoPeca) : bytes.size();
    std::size_t posicao = 0;
    do {
        GravaLog("  BytesToSend:" + std::to_string(tamanhoPeca));
        const std::string_view trecho = bytes.substr(posicao, peca);
        api_.Escrever(trecho, 0);
        posicao += trecho.size();
        if (intervalo > 0) {
            GravaLog("  Sleep(" + std::to_string(intervalo) + ")");
            sleepFor(std::chrono::milliseconds(intervalo));
        }
    } while (posicao < bytes.size());
}

std::string TQuibDeviceWinUSB::LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador)
{
    if (numBytes > 0)
        return api_.ReceiveNumBytes(numBytes, timeOutMilissegundos);
    if (!terminador.empty())
        return api_.ReceiveTerminated(terminador, timeOutMilissegundos);
    return api_.ReceivePacket(timeOutMilissegundos);
}

TQuibUSBWinDevice *TQuibDeviceWinUSB::dispositivoDaPorta(std::string_view porta)
{
    TQuibUSBWinDeviceList &lista = api_.DeviceList();
    const std::string maiuscula = upperAscii(porta);
    const bool serial = maiuscula.starts_with("COM") || maiuscula.starts_with("/DEV/");
    const std::string procurado =
        serial ? "(" + upperAscii(serialDevicePath(porta)) + ")"
               : upperAscii(NormalizaVCOM(porta.substr(std::min<std::size_t>(4, porta.size()))));
    for (int i = 0; i < lista.Count(); ++i) {
        TQuibUSBWinDevice &dispositivo = lista[i];
        if (serial) {
            if (upperAscii(dispositivo.FriendlyName).find(procurado) != std::string::npos)
                return &dispositivo;
        } else if (maiuscula.starts_with("USB")) {
            if (upperAscii(NormalizaVCOM(dispositivo.NomeDispositivo())).starts_with(procurado))
                return &dispositivo;
        } else if (maiuscula.starts_with("\\\\?")) {
            if (upperAscii(dispositivo.DeviceInterface).starts_with(maiuscula))
                return &dispositivo;
        }
    }
    return nullptr;
}

std::optional<TQuibDeviceWinUSB::Identificacao>
TQuibDeviceWinUSB::IdentificarDispositivoUSB(std::string_view porta, TQuibDeviceType tipo)
{
    if (api_.DeviceList().Count() == 0)
        api_.ProcurarImpressorasUSB();
    TQuibUSBWinDevice *dispositivo = dispositivoDaPorta(porta);
    if (dispositivo == nullptr)
        return std::nullopt;
    Identificacao resposta;
    resposta.tipoEquipamento = dispositivo->TipoEquipamento();
    resposta.protocolo = dispositivo->Protocolo();
    // A USB-serial adapter is driven through its serial port, whose node its
    // friendly name holds; a printer's name holds its printer node instead.
    if (tipo == dtUSB) {
        if (std::string serial = PortaCOMDoNome(dispositivo->FriendlyName); !serial.empty())
            resposta.portaSerial = std::move(serial);
    }
    return resposta;
}
