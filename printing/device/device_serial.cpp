#include "printing/device/device_serial.h"

#include <chrono>
#include <cstring>
#include <typeinfo>

#include "foundation/dates/date_time.h"
#include "foundation/text/text_utils.h"
#include "printing/device/device.h"
#include "printing/device/ports.h"

namespace {

constexpr std::string_view kParityChars = "NOEMS";

std::string boolText(bool value)
{
    return value ? "True" : "False";
}

} // namespace

TQuibDeviceSerial::TQuibDeviceSerial(TQuibDevice *owner) : TQuibDeviceClass(owner) {}

void TQuibDeviceSerial::SetDefaultValues()
{
    baud_ = 9600;
    data_ = 8;
    parity_ = 'N';
    stop_ = 0;
    handShake_ = hsNenhum;
    hardFlow_ = false;
    softFlow_ = false;
    ConfigurarSerial();
}

template <typename T> void TQuibDeviceSerial::applySetting(T &field, T value)
{
    const T previous = field;
    field = value;
    try {
        ConfigurarSerial();
    } catch (...) {
        field = previous;
        throw;
    }
}

void TQuibDeviceSerial::ConfigurarSerial()
{
    if (!port_.isOpen())
        return;
    GravaLog("  ConfigurarSerial");
    if (stop_ == 1)
        GravaLog("  Stop 1,5 não existe nas portas deste sistema: usando 2");
    port_.configure(baud_, data_, parity_, stop_, softFlow_, hardFlow_);
    if (handShake_ == hsRTS_CTS) {
        GravaLog("  Serial.RTS");
        raiseModemLine("RTS", port_.setRts(true));
    } else if (handShake_ == hsDTR_DSR) {
        GravaLog("  Serial.DTR");
        raiseModemLine("DTR", port_.setDtr(true));
    }
}

void TQuibDeviceSerial::raiseModemLine(std::string_view line, bool ok)
{
    if (!ok)
        GravaLog("  Serial." + std::string(line) +
                 " não disponível nesta porta: " + std::strerror(port_.lastError()));
}

void TQuibDeviceSerial::Conectar(const std::string &porta, int timeOutMilissegundos)
{
    TQuibDeviceClass::Conectar(porta, timeOutMilissegundos);
    std::string mensagem;
    try {
        Desconectar(true);
        port_.setWriteTimeoutMs(timeOutMilissegundos);
        port_.open(serialDevicePath(porta));
        ConfigurarSerial();
        Limpar();
        return;
    } catch (const ESerialError &erro) {
        mensagem = erro.code() == kSerialPortNotFound ? "Porta " + porta + " não encontrada" : erro.what();
    } catch (const EQuibDeviceError &erro) {
        mensagem = std::string(erro.className()) + ": " + erro.what();
    } catch (const std::exception &erro) {
        mensagem = std::string("Exception: ") + erro.what();
    }
    Desconectar(true);
    DisparaExcecao(EQuibDeviceError(mensagem));
}

void TQuibDeviceSerial::Desconectar(bool ignorarErros)
{
    TQuibDeviceClass::Desconectar(ignorarErros);
    port_.close();
}

bool TQuibDeviceSerial::EmLinha(int timeOutMilissegundos)
{
    if (!port_.isOpen())
        return false;
    const auto prazo = currentTimePoint() + std::chrono::milliseconds(timeOutMilissegundos);
    bool resposta = false;
    bool falhaRegistrada = false;
    while (!resposta && currentTimePoint() < prazo) {
        std::optional<bool> linha = true;
        if (handShake_ == hsRTS_CTS)
            linha = port_.cts();
        else if (handShake_ == hsDTR_DSR)
            linha = port_.dsr();
        if (!linha && !falhaRegistrada) {
            GravaLog(std::string("  Serial.") + (handShake_ == hsRTS_CTS ? "CTS" : "DSR") +
                     " não disponível nesta porta: " + std::strerror(port_.lastError()));
            falhaRegistrada = true;
        }
        resposta = linha.value_or(false);
        if (!resposta)
            sleepFor(std::chrono::milliseconds(10));
    }
    return resposta;
}

void TQuibDeviceSerial::EnviaString(std::string_view bytes)
{
    GravaLog("  TQuibDeviceSerial.EnviaString");
    const int tamanhoPeca = Owner().SendBytesCount();
    const int intervalo = Owner().SendBytesInterval();
    std::size_t posicao = 0;
    int falhas = 0;
    while (posicao < bytes.size() && falhas < 10) {
        const std::size_t peca = tamanhoPeca > 0 ? static_cast<std::size_t>(tamanhoPeca) : bytes.size();
        GravaLog("  BytesToSend:" + std::to_string(peca));
        const std::size_t escritos = port_.sendBuffer(bytes.substr(posicao, peca));
        if (escritos > 0) {
            falhas = 0;
        } else {
            ++falhas;
            GravaLog("  FailCount:" + std::to_string(falhas));
        }
        if (intervalo > 0) {
            GravaLog("  Sleep(" + std::to_string(intervalo) + ")");
            sleepFor(std::chrono::milliseconds(intervalo));
        }
        posicao += escritos;
    }
    if (falhas >= 10)
        DisparaExcecao(EQuibDeviceError("Erro ao enviar dados para a porta: " + Porta()));
}

std::string TQuibDeviceSerial::LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador)
{
    if (numBytes > 0)
        return port_.recvExact(static_cast<std::size_t>(numBytes), timeOutMilissegundos);
    if (!terminador.empty())
        return port_.recvTerminated(terminador, timeOutMilissegundos);
    return port_.recvAvailable(timeOutMilissegundos);
}

void TQuibDeviceSerial::SetBaud(int valor)
{
    if (valor == baud_)
        return;
    GravaLog("SetBaud(" + std::to_string(valor) + ")");
    if (valor < 50 || valor > 4000000)
        DisparaExcecao(EQuibDeviceError("Valor deve estar na faixa de 50 a 4000000.\nNormalmente os "
                                        "equipamentos Seriais utilizam: 9600"));
    applySetting(baud_, valor);
}

void TQuibDeviceSerial::SetData(int valor)
{
    if (valor == data_)
        return;
    GravaLog("SetData(" + std::to_string(valor) + ")");
    if (valor < 5 || valor > 8)
        DisparaExcecao(EQuibDeviceError(
            "Valor deve estar na faixa de 5 a 8.\nNormalmente os equipamentos Seriais utilizam: 7 ou 8"));
    applySetting(data_, valor);
}

TQuibSerialParity TQuibDeviceSerial::Parity() const
{
    const auto posicao = kParityChars.find(parity_);
    return posicao == std::string_view::npos ? pNone : static_cast<TQuibSerialParity>(posicao);
}

void TQuibDeviceSerial::SetParity(TQuibSerialParity valor)
{
    if (valor == Parity())
        return;
    GravaLog("SetParity(" + std::string(EnumValueName(valor)) + ")");
    applySetting(parity_, kParityChars[valor]);
}

void TQuibDeviceSerial::SetStop(TQuibSerialStop valor)
{
    if (valor == Stop())
        return;
    GravaLog("SetStop(" + std::string(EnumValueName(valor)) + ")");
    applySetting(stop_, static_cast<int>(valor));
}

void TQuibDeviceSerial::SetHandShake(TQuibHandShake valor)
{
    GravaLog("SetHandShake(" + std::string(EnumValueName(valor)) + ")");
    const bool hardFlow = hardFlow_;
    const bool softFlow = softFlow_;
    const TQuibHandShake handShake = handShake_;
    hardFlow_ = valor == hsRTS_CTS;
    softFlow_ = valor == hsXON_XOFF;
    handShake_ = valor;
    try {
        ConfigurarSerial();
    } catch (...) {
        hardFlow_ = hardFlow;
        softFlow_ = softFlow;
        handShake_ = handShake;
        throw;
    }
}

void TQuibDeviceSerial::SetHardFlow(bool valor)
{
    GravaLog("SetHardFlow(" + boolText(valor) + ")");
    if (valor)
        SetHandShake(hsRTS_CTS);
    else if (handShake_ == hsRTS_CTS)
        SetHandShake(hsNenhum);
}

void TQuibDeviceSerial::SetSoftFlow(bool valor)
{
    GravaLog("SetSoftFlow(" + boolText(valor) + ")");
    if (valor)
        SetHandShake(hsXON_XOFF);
    else if (handShake_ == hsXON_XOFF)
        SetHandShake(hsNenhum);
}

std::string TQuibDeviceSerial::DeviceToString(bool apenasParametrosDiferentesDoDefault)
{
    const bool todos = !apenasParametrosDiferentesDoDefault;
    std::string linha;
    if (todos || baud_ != 9600)
        linha += " BAUD=" + std::to_string(baud_);
    if (todos || data_ != 8)
        linha += " DATA=" + std::to_string(data_);
    if (todos || parity_ != 'N')
        linha += std::string(" PARITY=") + parity_;
    if (todos || stop_ != 0)
        linha += std::string(" STOP=") + (stop_ == 1 ? "1,5" : stop_ == 2 ? "2" : "1");
    if (todos || handShake_ != hsNenhum) {
        static constexpr std::string_view kNomes[] = {"", "XON/XOFF", "RTS/CTS", "DTR/DSR"};
        linha += " HANDSHAKE=" + std::string(kNomes[handShake_]);
    }
    if (hardFlow_)
        linha += " HARDFLOW";
    if (softFlow_)
        linha += " SOFTFLOW";
    const int banda = Owner().MaxBandwidth();
    if (todos || banda > 0)
        linha += " MAXBANDWIDTH=" + std::to_string(banda);
    if (todos || Owner().SendBytesCount() > 0)
        linha += " SENDBYTESCOUNT=" + std::to_string(Owner().SendBytesCount());
    if (todos || Owner().SendBytesInterval() > 0)
        linha += " SENDBYTESINTERVAL=" + std::to_string(Owner().SendBytesInterval());
    const std::string resultado(trimText(linha));
    GravaLog("  DeviceToString: " + resultado);
    return resultado;
}
