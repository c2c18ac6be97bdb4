#include "printing/device/epson_usb_printer.h"

#include <cstdint>

#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "printing/device/device_errors.h"

namespace {

constexpr std::size_t kTamanhoTextoLido = 32;
constexpr std::size_t kTamanhoFlagsSlip = 4;

// A buffer of blanks the library writes a text into (one more byte keeps a
// text that fills it terminated).
std::string bufferEmBranco(std::size_t tamanho)
{
    std::string buffer(tamanho + 1, ' ');
    buffer.back() = '\0';
    return buffer;
}

// The text the library wrote: up to its terminator, trimmed.
std::string textoDoBuffer(const std::string &buffer)
{
    return std::string(trimText(std::string_view(buffer.c_str())));
}

bool comeca(const std::string &dados, char primeiro, char segundo)
{
    return dados.size() >= 2 && dados[0] == primeiro && dados[1] == segundo;
}

} // namespace

void TEpsonUSBPrinter::CarregarFuncoes()
{
    if (Inicializada())
        return;
    CarregarFuncao("IniciaPorta", iniciaPorta_);
    CarregarFuncao("FechaPorta", fechaPorta_);
    CarregarFuncao("ComandoTX", comandoTX_);
    CarregarFuncao("Le_Status", leStatus_);
    CarregarFuncao("Le_Status_Slip", leStatusSlip_);
    CarregarFuncao("Le_Status_Gaveta", leStatusGaveta_);
    CarregarFuncao("LeModelo", leModelo_);
    CarregarFuncao("LeNumeroSerie", leNumeroSerie_);
    CarregarFuncao("LeMICR", leMICR_);
}

void TEpsonUSBPrinter::LiberarFuncoes()
{
    TQuibPosPrinterHook::LiberarFuncoes();
    limparFuncoes();
}

void TEpsonUSBPrinter::limparFuncoes()
{
    iniciaPorta_ = nullptr;
    fechaPorta_ = nullptr;
    comandoTX_ = nullptr;
    leStatus_ = nullptr;
    leStatusSlip_ = nullptr;
    leStatusGaveta_ = nullptr;
    leModelo_ = nullptr;
    leNumeroSerie_ = nullptr;
    leMICR_ = nullptr;
}

void TEpsonUSBPrinter::Inicializar()
{
    if (Inicializada())
        return;
    TQuibPosPrinterHook::Inicializar();
    statusPendente_ = 0;
    infoPendente_ = ' ';
    modeloLido_.clear();
}

void TEpsonUSBPrinter::Conectar(const std::string &porta)
{
    if (Conectada())
        return;
    try {
        TQuibPosPrinterHook::Conectar(porta);
        if (iniciaPorta_(Porta().c_str()) != 1)
            throw EQuibDeviceError("Erro ao Abrir porta " + Porta() + " da impressora " + Marca());
    } catch (...) {
        DefinirConectada(false);
        DefinirPorta({});
        throw;
    }
}

void TEpsonUSBPrinter::Desconectar()
{
    if (!Conectada())
        return;
    if (fechaPorta_() != 1)
        throw EQuibDeviceError("Erro ao Fechar a porta " + Porta() + " da impressora " + Marca());
    TQuibPosPrinterHook::Desconectar();
}

void TEpsonUSBPrinter::EnviarDados(const std::string &dados)
{
    VerificarConectada();
    if (comeca(dados, '\x10', '\x04')) {
        statusPendente_ = dados.size() > 2 ? static_cast<unsigned char>(dados[2]) : 0;
        return;
    }
    if (comeca(dados, '\x1D', 'I')) {
        infoPendente_ = dados.size() > 2 ? dados[2] : ' ';
        return;
    }
    if (comeca(dados, '\x1C', 'b')) {
        infoPendente_ = 'b';
        return;
    }
    if (comandoTX_(dados.data(), static_cast<int>(dados.size())) != 1)
        throw EQuibDeviceError("Erro ao Enviar Dados para porta " + Porta() + " da impressora " + Marca());
}

std::string TEpsonUSBPrinter::LerDados(int, int)
{
    VerificarConectada();
    if (statusPendente_ > 0) {
        const int pedido = statusPendente_;
        statusPendente_ = 0;
        return respostaStatus(pedido);
    }
    if (infoPendente_ == ' ')
        return {};
    const char pedido = infoPendente_;
    infoPendente_ = ' ';
    return respostaInfo(pedido);
}

std::string TEpsonUSBPrinter::respostaStatus(int pedido)
{
    std::int32_t status = 0;
    switch (pedido) {
    case 1:
        if (leStatusGaveta_() == 2)
            LigaBit(status, 2);
        break;
    case 2:
        switch (leStatus_()) {
        case 0:
            LigaBit(status, 6);
            break;
        case 9:
            LigaBit(status, 2);
            break;
        case 32:
            LigaBit(status, 5);
            break;
        default:
            break;
        }
        break;
    case 4:
        switch (leStatus_()) {
        case 5:
            LigaBit(status, 2);
            break;
        case 32:
            LigaBit(status, 6);
            break;
        default:
            break;
        }
        break;
    case 5: {
        status = 6;
        std::string flags = bufferEmBranco(kTamanhoFlagsSlip);
        leStatusSlip_(flags.data());
        if (flags[0] == '1')
            LigaBit(status, 3);
        if (flags[1] != '1')
            LigaBit(status, 5);
        if (flags[2] != '1')
            LigaBit(status, 6);
        break;
    }
    default:
        break;
    }
    return std::string(1, static_cast<char>(status));
}

std::string TEpsonUSBPrinter::respostaInfo(char pedido)
{
    switch (pedido) {
    case '2':
        return std::string(1, lerModelo().find("H6000") != std::string::npos ? '\x0A' : '\x02');
    case 'A':
        return "A";
    case 'B':
        return "_EPSON";
    case 'C':
        return lerModelo();
    case 'D': {
        std::string buffer = bufferEmBranco(kTamanhoTextoLido);
        return leNumeroSerie_(buffer.data()) == 1 ? textoDoBuffer(buffer) : std::string();
    }
    default:
        return {};
    }
}

std::string TEpsonUSBPrinter::lerModelo()
{
    if (modeloLido_.empty()) {
        std::string buffer = bufferEmBranco(kTamanhoTextoLido);
        if (leModelo_(buffer.data()) == 1)
            modeloLido_ = textoDoBuffer(buffer);
    }
    return modeloLido_;
}
