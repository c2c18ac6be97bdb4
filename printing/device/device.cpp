#include "printing/device/device.h"

#include "foundation/text/text_utils.h"
#include "printing/device/device_trace.h"

namespace {

// Stands in for a device type that has no transport (a stored value outside
// the known types): activation says so plainly instead of discarding a receipt.
class UnavailableTransport : public TQuibDeviceClass {
  public:
    using TQuibDeviceClass::TQuibDeviceClass;
    void Conectar(const std::string &porta, int timeOutMilissegundos) override
    {
        TQuibDeviceClass::Conectar(porta, timeOutMilissegundos);
        DisparaExcecao(EQuibDeviceError("Porta " + porta + ": este tipo de porta ainda não é suportado"));
    }
};

std::string_view typeName(TQuibDeviceType tipo)
{
    return EnumValueName(tipo);
}

} // namespace

TQuibDevice::TQuibDevice()
    : plain_(std::make_unique<TQuibDeviceClass>(this)), serial_(std::make_unique<TQuibDeviceSerial>(this)),
      usb_(std::make_unique<TQuibDeviceWinUSB>(this)), tcp_(std::make_unique<TQuibDeviceTCP>(this)),
      lpt_(std::make_unique<TQuibDeviceLPT>(this)), hook_(std::make_unique<TQuibDeviceHook>(this)),
      raw_(std::make_unique<TQuibDeviceRaw>(this)),
      unavailable_(std::make_unique<UnavailableTransport>(this)), current_(plain_.get()),
      installedPrinters_(isInstalledPrinter)
{
    SetDefaultValues();
}

TQuibDevice::~TQuibDevice()
{
    GravaLog("Destroy");
    try {
        Desativar();
    } catch (...) {
        // Nothing can be reported from a destructor; the transports close
        // their ports when they are freed.
    }
}

void TQuibDevice::SetArqLOG(std::string_view valor)
{
    if (valor == arqLog_)
        return;
    arqLog_ = valor;
    usb_->API().SetArqLOG(valor);
}

void TQuibDevice::IdentificarDispositivoUSB(std::uint8_t &tipoEquipamento, int &protocolo)
{
    protocolo = 0;
    if (deviceType_ != dtSerial && deviceType_ != dtUSB)
        return;
    const auto identificacao = usb_->IdentificarDispositivoUSB(porta_, deviceType_);
    if (!identificacao)
        return;
    tipoEquipamento = identificacao->tipoEquipamento;
    protocolo = identificacao->protocolo;
    if (identificacao->portaSerial)
        SetPorta(*identificacao->portaSerial);
}

void TQuibDevice::SetDefaultValues()
{
    GravaLog("SetDefaultValues");
    serial_->SetDefaultValues();
}

void TQuibDevice::GravaLog(std::string_view texto, bool traduz)
{
    writeDeviceTrace(arqLog_, texto, traduz);
}

TQuibDeviceClass &TQuibDevice::transportFor(TQuibDeviceType tipo)
{
    switch (tipo) {
    case dtNenhum:
    case dtBlueTooth:
        return *plain_;
    case dtSerial:
        return *serial_;
    case dtUSB:
        return *usb_;
    case dtTCP:
        return *tcp_;
    case dtFile:
    case dtParallel:
        return *lpt_;
    case dtHook:
        return *hook_;
    case dtRawPrinter:
        return *raw_;
    default:
        return *unavailable_;
    }
}

TQuibDeviceType TQuibDevice::DeduzirTipoPorta(std::string_view porta)
{
    GravaLog("DeduzirTipoPorta(" + std::string(porta) + ")");
    const TQuibDeviceType tipo = deducePortType(porta, installedPrinters_);
    GravaLog("  " + std::string(typeName(tipo)));
    return tipo;
}

void TQuibDevice::SetPorta(std::string_view valor)
{
    if (valor == porta_)
        return;
    GravaLog("SetPorta(" + std::string(valor) + ")");
    if (ativo_)
        DisparaExcecao(EQuibDeviceError("Não é possível mudar a Porta com o Dispositivo Ativo"));
    porta_ = normalizePort(valor);
    SetDeviceType(DeduzirTipoPorta(porta_));
}

void TQuibDevice::SetDeviceType(TQuibDeviceType valor)
{
    if (valor == deviceType_)
        return;
    GravaLog("SetDeviceType(" + std::string(typeName(valor)) + ")");
    bool aceito = true;
    switch (valor) {
    case dtNenhum:
    case dtParallel:
        break;
    case dtFile:
    case dtSerial: {
        const TQuibDeviceType deduzido = DeduzirTipoPorta(porta_);
        aceito = deduzido == dtFile || deduzido == dtSerial;
        break;
    }
    default:
        aceito = valor == DeduzirTipoPorta(porta_);
        break;
    }
    if (!aceito)
        DisparaExcecao(EQuibDeviceError("Tipo de dispositivo informado não condiz com o valor da Porta"));
    deviceType_ = valor;
    current_ = &transportFor(valor);
}

void TQuibDevice::SetTimeOutMilissegundos(int valor)
{
    if (valor == timeOutMilissegundos_)
        return;
    GravaLog("SetTimeOutMilissegundos(" + std::to_string(valor) + ")");
    timeOutMilissegundos_ = valor;
    current_->SetTimeOutMilissegundos(valor);
}

void TQuibDevice::SetMaxBandwidth(int valor)
{
    GravaLog("SetMaxBandwidth(" + std::to_string(valor) + ")");
    current_->SetMaxBandwidth(valor);
}

std::string TQuibDevice::NomeDocumento() const
{
    return nomeDocumento_.empty() ? std::string("TQuibDevice") : nomeDocumento_;
}

void TQuibDevice::SetNomeDocumento(std::string_view valor)
{
    GravaLog("SetNomeDocumento(" + std::string(valor) + ")");
    nomeDocumento_ = trimText(valor);
}

void TQuibDevice::Ativar()
{
    if (ativo_)
        return;
    GravaLog("Ativar - Porta " + std::string(typeName(deviceType_).substr(2)) + ": " + porta_);
    if (porta_.empty() || (deviceType_ == dtNenhum && !upperAscii(porta_).starts_with("NULL")))
        DisparaExcecao(EQuibDeviceError("Porta não definida"));
    current_->Conectar(porta_, timeOutMilissegundos_);
    ativo_ = true;
}

void TQuibDevice::Desativar()
{
    if (!ativo_)
        return;
    GravaLog("Desativar");
    ativo_ = false;
    current_->Desconectar(true);
}

void TQuibDevice::EnviaString(std::string_view bytes)
{
    GravaLog("EnviaString(" + std::string(bytes) + ")", true);
    current_->EnviaString(bytes);
}

std::string TQuibDevice::LeString(int timeOut, int numBytes, std::string_view terminador)
{
    if (timeOut <= 0)
        timeOut = timeOutMilissegundos_;
    GravaLog("LeString(" + std::to_string(timeOut) + ", " + std::to_string(numBytes) + ", " +
                 std::string(terminador) + ")",
             true);
    std::string lido = current_->LeString(timeOut, numBytes, terminador);
    GravaLog("  " + lido, true);
    return lido;
}

void TQuibDevice::Limpar()
{
    GravaLog("Limpar");
    current_->Limpar();
}
