#include "printing/posprinter/pos_printer.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <map>

#include "foundation/codes/enum_names.h"
#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace {

// The least a TCP printer is given to answer: the network adds its delay to
// the printer's.
constexpr int kTimeOutMinimoTCP = 1500;

// Brings the device's time-out and send interval back when an exchange ends.
class RestauraDevice {
  public:
    explicit RestauraDevice(TQuibDevice &device)
        : device_(device), timeOut_(device.TimeOutMilissegundos()), intervalo_(device.SendBytesInterval())
    {
    }
    ~RestauraDevice()
    {
        try {
            device_.SetTimeOutMilissegundos(timeOut_);
        } catch (...) {
        }
        device_.SetSendBytesInterval(intervalo_);
    }
    RestauraDevice(const RestauraDevice &) = delete;
    RestauraDevice &operator=(const RestauraDevice &) = delete;

  private:
    TQuibDevice &device_;
    int timeOut_;
    int intervalo_;
};

int inteiroOuZero(const std::map<std::string, std::string> &info, const std::string &nome)
{
    const auto it = info.find(nome);
    if (it == info.end())
        return 0;
    try {
        std::size_t usados = 0;
        const int valor = std::stoi(it->second, &usados);
        return usados == it->second.size() ? valor : 0;
    } catch (const std::exception &) {
        return 0;
    }
}

} // namespace

void TQuibPosPrinter::GravarLog(std::string_view texto, bool traduz, bool prefixoHora)
{
    try {
        std::string linha = traduz ? TraduzNaoImprimiveis(texto) : std::string(texto);
        bool tratado = false;
        if (OnGravarLog)
            OnGravarLog(linha, tratado);
        if (tratado || ArqLOG.empty())
            return;
        if (prefixoHora)
            linha = "-- " + DataHoraFormatoBR(nowLocal(), "dd/mm hh:nn:ss:zzz") + " - " + linha;
        GravaLinhaLog(ArqLOG, linha, false);
    } catch (...) {
        // The log never stops the printer.
    }
}

bool TQuibPosPrinter::PortaPermiteLeitura() const
{
    switch (device_.DeviceType()) {
    case dtNenhum:
    case dtSerial:
    case dtTCP:
    case dtHook:
    case dtUSB:
    case dtBlueTooth:
        return true;
    default:
        return false;
    }
}

void TQuibPosPrinter::ExigirLeitura() const
{
    if (!PortaPermiteLeitura())
        throw EPosPrinterException("Leitura de Informações não disponível na porta: " +
                                   std::string(EnumValueName(device_.DeviceType())));
}

std::string TQuibPosPrinter::TxRx(const std::string &comando, int n, bool esperarTerminador, int timeOut)
{
    device_.Limpar();
    GravarLog("TX -> " + comando, true, true);
    if (timeOut == 0) {
        timeOut = device_.TimeOutMilissegundos();
        if (device_.EhTCP())
            timeOut = std::max(timeOut, kTimeOutMinimoTCP);
    }
    std::string resposta;
    {
        RestauraDevice restaura(device_);
        device_.SetTimeOutMilissegundos(timeOut);
        if (!comando.empty()) {
            device_.SetSendBytesInterval(0);
            device_.EnviaString(comando);
            sleepFor(std::chrono::milliseconds(10));
        }
        if (esperarTerminador)
            resposta = device_.LeString(timeOut, 0, std::string(1, static_cast<char>(n)));
        else
            resposta = device_.LeString(timeOut, n);
    }
    GravarLog("RX <- " + resposta, true, true);
    return resposta;
}

TQuibPosPrinterStatus TQuibPosPrinter::LerStatusImpressora(int tentativas)
{
    tentativas = std::max(tentativas, 1);
    GravarLog("LerStatusImpressora( " + std::to_string(tentativas) + " )", false, true);
    TQuibPosPrinterStatus status;
    if (!PortaPermiteLeitura()) {
        status = {stApenasEscrita};
    } else {
        const bool estavaAtivo = ativo_;
        const auto restaurar = [this, estavaAtivo] {
            DefinirAtivo(estavaAtivo);
            if (ControlePorta)
                FecharPorta();
        };
        try {
            Ativar();
            AbrirPorta();
            for (int i = 0; i < tentativas; ++i) {
                status = {};
                modelo_atual_->LerStatus(status);
                if (!status.Contem(stErroLeitura))
                    break;
            }
        } catch (...) {
            restaurar();
            throw;
        }
        // A read that failed says nothing about the drawer: only a real
        // answer is inverted.
        if (config_.ConfigGaveta.SinalInvertido && !status.Contem(stErroLeitura))
            status.Alternar(stGavetaAberta);
        restaurar();
    }
    if (!status.Vazio())
        GravarLog("   " + StatusParaTexto(status), false, true);
    return status;
}

std::string TQuibPosPrinter::LerInfoImpressora()
{
    GravarLog("LerInfoImpressora", false, true);
    const bool estavaAtivo = ativo_;
    std::string info;
    try {
        ExigirLeitura();
        Ativar();
        AbrirPorta();
        info = modelo_atual_->LerInfo();
        if (!info.empty())
            GravarLog("   " + info, true, true);
    } catch (...) {
        DefinirAtivo(estavaAtivo);
        if (ControlePorta)
            FecharPorta();
        throw;
    }
    DefinirAtivo(estavaAtivo);
    if (ControlePorta)
        FecharPorta();
    return info;
}

void TQuibPosPrinter::LerCapacidades()
{
    if (!PortaPermiteLeitura()) {
        capacidades_ = {-1, -1, -1, -1};
        return;
    }
    LerInfoImpressora();
    const auto &info = modelo_atual_->Info();
    capacidades_.Guilhotina = inteiroOuZero(info, "Guilhotina");
    capacidades_.Cheque = inteiroOuZero(info, "Cheque");
    capacidades_.Autenticacao = inteiroOuZero(info, "Autenticacao");
    capacidades_.MICR = inteiroOuZero(info, " MICR");
}

int TQuibPosPrinter::CapacidadeCheque()
{
    if (capacidades_.Cheque < -1)
        LerCapacidades();
    return capacidades_.Cheque;
}

void TQuibPosPrinter::DefinirAtivo(bool valor)
{
    if (valor != ativo_) {
        if (valor)
            Ativar();
        else
            Desativar();
    }
}

void TQuibPosPrinter::RecusarImpressoraComProblema(TQuibPosPrinterStatus status)
{
    const char *problema = nullptr;
    if (status.Contem(stTampaAberta))
        problema = "com Tampa Aberta";
    else if (status.Contem(stSemPapel))
        problema = "Sem Papel";
    else if (status.Contem(stOffLine))
        problema = "Desligada";
    else if (status.Contem(stErro))
        problema = "em Erro";
    if (problema != nullptr)
        throw EPosPrinterException(std::string("Impressora ") + problema);
}
