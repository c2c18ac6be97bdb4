#include "printing/device/device_tcp.h"

#include "printing/device/device.h"

TcpAddress parseTcpPort(std::string_view porta)
{
    std::string_view resto = porta.size() > 4 ? porta.substr(4, 255) : std::string_view();
    TcpAddress endereco;
    const auto doisPontos = resto.find(':');
    endereco.ip = std::string(resto.substr(0, doisPontos));
    if (doisPontos != std::string_view::npos)
        endereco.porta = std::string(resto.substr(doisPontos + 1, 5));
    if (endereco.porta.empty())
        endereco.porta = "9100";
    return endereco;
}

void TQuibDeviceTCP::Conectar(const std::string &porta, int timeOutMilissegundos)
{
    TQuibDeviceClass::Conectar(porta, timeOutMilissegundos);
    const TcpAddress endereco = parseTcpPort(porta);
    ip_ = endereco.ip;
    portaTcp_ = endereco.porta;
    Desconectar(true);
    GravaLog("  IP:" + ip_ + ", Porta:" + portaTcp_);
    timeOut_ = timeOutMilissegundos;
    socket_.connect(ip_, portaTcp_, timeOut_);
    Limpar();
}

void TQuibDeviceTCP::Desconectar(bool ignorarErros)
{
    TQuibDeviceClass::Desconectar(ignorarErros);
    socket_.close();
}

void TQuibDeviceTCP::EnviaString(std::string_view bytes)
{
    GravaLog("  TQuibDeviceTCP.EnviaString");
    sendInPieces(bytes,
                 [this](std::string_view peca) { socket_.sendAll(peca, Owner().TimeOutMilissegundos()); });
}

void TQuibDeviceTCP::EnviaByte(std::uint8_t byte)
{
    const char valor = static_cast<char>(byte);
    socket_.sendAll(std::string_view(&valor, 1), Owner().TimeOutMilissegundos());
}

std::string TQuibDeviceTCP::LeString(int timeOutMilissegundos, int numBytes, std::string_view terminador)
{
    if (numBytes > 0)
        return socket_.recvExact(static_cast<std::size_t>(numBytes), timeOutMilissegundos);
    if (!terminador.empty())
        return socket_.recvTerminated(terminador, timeOutMilissegundos);
    return socket_.recvAvailable(timeOutMilissegundos);
}

std::uint8_t TQuibDeviceTCP::LeByte(int timeOutMilissegundos)
{
    return static_cast<std::uint8_t>(socket_.recvExact(1, timeOutMilissegundos)[0]);
}
