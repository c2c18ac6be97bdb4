#include "printing/device/usb_device_api.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "printing/device/usb_sysfs.h"

namespace {

constexpr std::size_t kTamanhoPacote = 1024;

std::string variavelOu(const char *nome, const char *padrao)
{
    const char *valor = std::getenv(nome);
    return valor != nullptr && *valor != '\0' ? valor : padrao;
}

std::chrono::system_clock::time_point prazoEm(int milissegundos)
{
    return currentTimePoint() + std::chrono::milliseconds(milissegundos);
}

int restanteAte(std::chrono::system_clock::time_point prazo)
{
    const auto restante = std::chrono::ceil<std::chrono::milliseconds>(prazo - currentTimePoint());
    return restante.count() > 0 ? static_cast<int>(restante.count()) : 0;
}

// Waits up to the time for the events; false when the time ran out.
bool esperar(int fd, short eventos, int milissegundos)
{
    pollfd entrada{fd, eventos, 0};
    int pronto = 0;
    do {
        pronto = ::poll(&entrada, 1, milissegundos);
    } while (pronto < 0 && errno == EINTR);
    return pronto > 0;
}

bool semDadosAgora(int erro)
{
    return erro == EAGAIN || erro == EWOULDBLOCK || erro == EINTR;
}

std::string nomeAmigavel(const UsbSysfsEntry &entrada)
{
    std::string nome(trimText(entrada.fabricante + " " + entrada.produto));
    if (!entrada.no.empty())
        nome += (nome.empty() ? "(/dev/" : " (/dev/") + entrada.no + ")";
    return nome;
}

// Which sysfs listing stands for an interface class; nullopt for the classes
// whose devices the kernel's single printer class already lists.
std::optional<UsbSysfsKind> listagemDaClasse(std::string_view classe)
{
    const std::string chave = upperAscii(classe);
    if (chave == TQuibUSBWinDeviceAPI::kClasseImpressorasUSB)
        return UsbSysfsKind::Impressoras;
    if (chave == TQuibUSBWinDeviceAPI::kClassePortas)
        return UsbSysfsKind::Seriais;
    if (chave == TQuibUSBWinDeviceAPI::kClasseTodosDispositivos)
        return UsbSysfsKind::Todos;
    return std::nullopt;
}

} // namespace

TQuibUSBWinDeviceAPI::TQuibUSBWinDeviceAPI()
    : raizSysfs_(variavelOu("KVL_SYSFS_ROOT", "/sys")), raizDev_(variavelOu("KVL_DEV_ROOT", "/dev"))
{
}

TQuibUSBWinDeviceAPI::~TQuibUSBWinDeviceAPI()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void TQuibUSBWinDeviceAPI::GravaLogUSB(std::string_view texto, bool traduz) const
{
    if (arqLog_.empty())
        return;
    GravaLinhaLog(arqLog_,
                  "-- " + DataHoraFormatoBR(nowLocal(), "dd/mm hh:nn:ss:zzz") + " - " + std::string(texto),
                  traduz);
}

int TQuibUSBWinDeviceAPI::EnumerarInterfaces(std::string_view classe, TQuibUSBWinDeviceList &lista)
{
    const std::optional<UsbSysfsKind> listagem = listagemDaClasse(classe);
    if (!listagem)
        return 0;
    int contagem = 0;
    for (const UsbSysfsEntry &entrada : listarUsbSysfs(raizSysfs_, *listagem)) {
        TQuibUSBWinDevice *dispositivo = nullptr;
        try {
            dispositivo = &lista.NovoDispositivo(entrada.vendorId, entrada.productId);
        } catch (const EQuibDeviceError &) {
            continue; // identifiers that cannot be read as such: not a device we can name
        }
        dispositivo->GUID = lowerAscii(classe);
        dispositivo->DeviceInterface = entrada.no.empty() ? std::string() : raizDev_ + "/" + entrada.no;
        dispositivo->LocationInformation = entrada.local;
        dispositivo->ClassGUID = lowerAscii(entrada.pasta);
        dispositivo->FriendlyName = nomeAmigavel(entrada);
        dispositivo->HardwareID =
            "usb:v" + upperAscii(entrada.vendorId) + "p" + upperAscii(entrada.productId);
        ++contagem;
    }
    return contagem;
}

int TQuibUSBWinDeviceAPI::ProcurarImpressorasUSB(TQuibUSBWinDeviceList *lista)
{
    TQuibUSBWinDeviceList &alvo = lista != nullptr ? *lista : lista_;
    alvo.Clear();
    int contagem = 0;
    for (const std::string_view classe :
         {kClasseImpressorasUSB, kClassePortas, kClasseImpressoras, kClasseImpressorasFabricante})
        contagem += EnumerarInterfaces(classe, alvo);
    return contagem + ProcurarDispositivosUSB(alvo);
}

int TQuibUSBWinDeviceAPI::ProcurarDispositivosUSB(TQuibUSBWinDeviceList &lista)
{
    int indice = lista.Count();
    EnumerarInterfaces(kClasseTodosDispositivos, lista);
    int mantidos = 0;
    while (indice < lista.Count()) {
        TQuibUSBWinDevice &dispositivo = lista[indice];
        const bool mantido = (filtro_ == 0 || filtro_ == dispositivo.TipoEquipamento()) &&
                             !dispositivo.Fabricante().empty() &&
                             lista.IndiceDaClasse(dispositivo.ClassGUID) == indice;
        if (mantido) {
            ++mantidos;
            ++indice;
        } else {
            lista.Delete(indice);
        }
    }
    return mantidos;
}

void TQuibUSBWinDeviceAPI::SelecionarDispositivo(int indice)
{
    if (indice == indice_)
        return;
    if (indice >= lista_.Count())
        throw EQuibDeviceError("Dispositivo USB num: " + std::to_string(indice) + " não existe");
    Fechar();
    indice_ = indice < 0 ? -1 : indice;
}

void TQuibUSBWinDeviceAPI::Abrir(std::string_view porta)
{
    Fechar();
    const std::string_view aparada = trimText(porta);
    const std::string_view nome = upperAscii(aparada).starts_with("USB")
                                      ? aparada.substr(std::min<std::size_t>(4, aparada.size()))
                                      : aparada;
    if (lista_.Count() == 0)
        ProcurarImpressorasUSB();
    std::string caminho;
    if (nome.starts_with("\\\\") || nome.starts_with("/")) {
        SelecionarDispositivo(-1);
        caminho = nome;
    } else {
        if (nome.empty() && lista_.Count() == 0)
            throw EQuibDeviceError("Nenhum dispositivo USB encontrado");
        const int indice = lista_.IndiceDoNome(nome);
        if (indice < 0)
            throw EQuibDeviceError("Erro, dispositivo [" + std::string(porta) + "] não encontrado");
        SelecionarDispositivo(indice);
        caminho = lista_[indice].DeviceInterface;
    }
    fd_ = ::open(caminho.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        throw EQuibDeviceError("Erro " + CodigoErroHexa(errno) + " ao abrir o Porta USB " +
                               std::string(porta));
    porta_ = porta;
    bufferRecepcao_.clear();
}

void TQuibUSBWinDeviceAPI::Fechar()
{
    if (fd_ < 0)
        return;
    // The descriptor is gone whatever close answers, so it is forgotten first.
    const int resultado = ::close(fd_);
    const int erro = errno;
    fd_ = -1;
    const std::string porta = std::move(porta_);
    porta_.clear();
    if (resultado != 0 && erro != EINTR)
        throw EQuibDeviceError("Erro " + CodigoErroHexa(erro) + " ao fechar a Porta USB " + porta);
}

void TQuibUSBWinDeviceAPI::exigirAberto() const
{
    if (fd_ < 0)
        throw EQuibDeviceError("Dispositivo USB não está aberto");
}

int TQuibUSBWinDeviceAPI::Escrever(std::string_view bytes, int timeOut)
{
    exigirAberto();
    const int espera = prazoDe(timeOut);
    const std::string total = std::to_string(bytes.size());
    std::size_t enviados = 0;
    // A busy printer takes part of the bytes at a time: the rest is written as
    // it frees room, and only a wait without progress ends the send.
    while (enviados < bytes.size()) {
        const ssize_t escritos = ::write(fd_, bytes.data() + enviados, bytes.size() - enviados);
        if (escritos > 0) {
            enviados += static_cast<std::size_t>(escritos);
            continue;
        }
        const int erro = escritos < 0 ? errno : EAGAIN;
        if (!semDadosAgora(erro))
            throw EQuibDeviceError("Erro " + CodigoErroHexa(erro) + ", ao enviar " + total +
                                   " bytes para USB");
        if (!esperar(fd_, POLLOUT, espera))
            throw EQuibDeviceError("Erro TimeOut, ao enviar " + total + " bytes para USB");
    }
    return static_cast<int>(enviados);
}

std::string TQuibUSBWinDeviceAPI::ReceivePacket(int timeOut)
{
    exigirAberto();
    const int espera = prazoDe(timeOut);
    GravaLogUSB("ReceivePacket: TimeOut: " + std::to_string(espera));
    const auto prazo = prazoEm(espera);
    std::string pacote(kTamanhoPacote, '\0');
    for (;;) {
        if (!esperar(fd_, POLLIN, restanteAte(prazo))) {
            GravaLogUSB("  ReadFile: TimeOut");
            return {};
        }
        const ssize_t lidos = ::read(fd_, pacote.data(), pacote.size());
        const int erro = lidos < 0 ? errno : 0;
        GravaLogUSB("  Err: " + std::to_string(erro) +
                    ", BytesReaded: " + std::to_string(lidos > 0 ? lidos : 0));
        if (lidos > 0) {
            pacote.resize(static_cast<std::size_t>(lidos));
            GravaLogUSB("  Buffer Lido: " + pacote, true);
            return pacote;
        }
        // End of data or a failing device: nothing more will come.
        if (lidos == 0 || !semDadosAgora(erro))
            return {};
    }
}

std::string TQuibUSBWinDeviceAPI::ReceiveNumBytes(int count, int timeOut)
{
    if (count <= 0)
        return {};
    exigirAberto();
    const int espera = prazoDe(timeOut);
    GravaLogUSB("ReceiveNumBytes: BytesToRead: " + std::to_string(count) +
                ", TimeOut: " + std::to_string(espera));
    const auto prazo = prazoEm(espera);
    const auto quantidade = static_cast<std::size_t>(count);
    while (bufferRecepcao_.size() < quantidade) {
        const int restante = restanteAte(prazo);
        if (restante <= 0)
            break;
        const std::string pacote = ReceivePacket(restante);
        if (pacote.empty())
            break;
        bufferRecepcao_ += pacote;
    }
    std::string resultado = bufferRecepcao_.substr(0, quantidade);
    bufferRecepcao_.erase(0, resultado.size());
    return resultado;
}

std::string TQuibUSBWinDeviceAPI::ReceiveTerminated(std::string_view terminador, int timeOut)
{
    if (terminador.empty())
        return {};
    exigirAberto();
    const int espera = prazoDe(timeOut);
    GravaLogUSB("ReceiveTerminated: Terminator: " + std::string(terminador) +
                    ", TimeOut: " + std::to_string(espera),
                true);
    const auto prazo = prazoEm(espera);
    std::size_t posicao = bufferRecepcao_.find(terminador);
    while (posicao == std::string::npos) {
        const int restante = restanteAte(prazo);
        if (restante <= 0)
            break;
        const std::string pacote = ReceivePacket(restante);
        if (pacote.empty())
            break;
        bufferRecepcao_ += pacote;
        posicao = bufferRecepcao_.find(terminador);
    }
    if (posicao == std::string::npos)
        return {};
    std::string resultado = bufferRecepcao_.substr(0, posicao);
    bufferRecepcao_.erase(0, posicao + terminador.size());
    return resultado;
}

void TQuibUSBWinDeviceAPI::Purge()
{
    GravaLogUSB("Purge");
    if (fd_ < 0)
        return;
    GravaLogUSB("  RX");
    if (::isatty(fd_) != 0) {
        ::tcflush(fd_, TCIFLUSH);
    } else {
        // A printer node has no input queue to flush: what it holds is read
        // and dropped, up to a bound so a chatty device cannot hold us here.
        char descarte[kTamanhoPacote];
        for (int i = 0; i < 64 && ::read(fd_, descarte, sizeof descarte) > 0; ++i) {
        }
    }
    // Writes complete before Escrever returns: none is pending here.
    GravaLogUSB("  TX");
}
