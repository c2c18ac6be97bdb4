#include "printing/device/elgin_usb_printer.h"

#include <algorithm>

#include "foundation/text/utf8.h"
#include "printing/device/device_errors.h"

namespace {

constexpr char16_t kModeloImpressora[] = u"i7";

} // namespace

void TElginUSBPrinter::CarregarFuncoes()
{
    if (Inicializada())
        return;
    CarregarFuncao("PrtPrinterCreatorW", prtPrinterCreatorW_);
    CarregarFuncao("PrtPortOpenW", prtPortOpenW_);
    CarregarFuncao("PrtPortClose", prtPortClose_);
    CarregarFuncao("PrtDirectIO", prtDirectIO_);
}

void TElginUSBPrinter::LiberarFuncoes()
{
    TQuibPosPrinterHook::LiberarFuncoes();
    limparFuncoes();
}

void TElginUSBPrinter::limparFuncoes()
{
    prtPrinterCreatorW_ = nullptr;
    prtPortOpenW_ = nullptr;
    prtPortClose_ = nullptr;
    prtDirectIO_ = nullptr;
}

void TElginUSBPrinter::Inicializar()
{
    if (Inicializada())
        return;
    TQuibPosPrinterHook::Inicializar();
    try {
        handleImpressora_ = nullptr;
        const int resultado = prtPrinterCreatorW_(&handleImpressora_, kModeloImpressora);
        if (resultado != 0) {
            handleImpressora_ = nullptr;
            throw EQuibPosPrinterHook("Erro ao criar instância do Objeto da impressora ELGIN: " +
                                      std::to_string(resultado));
        }
    } catch (...) {
        LiberarFuncoes();
        DefinirInicializada(false);
        throw;
    }
}

void TElginUSBPrinter::Finalizar()
{
    TQuibPosPrinterHook::Finalizar();
    handleImpressora_ = nullptr;
}

void TElginUSBPrinter::Conectar(const std::string &porta)
{
    if (Conectada())
        return;
    try {
        TQuibPosPrinterHook::Conectar(porta);
        if (prtPortOpenW_(handleImpressora_, utf8ToUtf16(Porta()).c_str()) != 0)
            throw EQuibDeviceError("Erro ao Abrir porta " + Porta() + " da impressora " + Marca());
    } catch (...) {
        DefinirConectada(false);
        DefinirPorta({});
        throw;
    }
}

void TElginUSBPrinter::Desconectar()
{
    if (!Conectada())
        return;
    if (prtPortClose_(handleImpressora_) != 0)
        throw EQuibDeviceError("Erro ao Fechar a porta " + Porta() + " da impressora " + Marca());
    TQuibPosPrinterHook::Desconectar();
}

void TElginUSBPrinter::EnviarDados(const std::string &dados)
{
    VerificarConectada();
    unsigned int lidos = 0;
    prtDirectIO_(handleImpressora_, reinterpret_cast<const unsigned char *>(dados.data()),
                 static_cast<unsigned int>(dados.size()), nullptr, 0, &lidos);
}

std::string TElginUSBPrinter::LerDados(int, int)
{
    VerificarConectada();
    std::string buffer(kCapacidadeLeitura, ' ');
    unsigned int lidos = 0;
    prtDirectIO_(handleImpressora_, nullptr, 0, reinterpret_cast<unsigned char *>(buffer.data()),
                 kCapacidadeLeitura, &lidos);
    // A count beyond the buffer would read past it.
    buffer.resize(std::min(lidos, kCapacidadeLeitura));
    return buffer;
}
