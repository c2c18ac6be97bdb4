#include "dfe/http/detail/win_inet_errors.h"

#include <array>
#include <utility>

namespace {

// libcurl's codes (CURLcode) that map to a WinINet code of their own.
// clang-format off
constexpr std::array<std::pair<int, std::uint32_t>, 17> kCurlParaWinInet{{
    {5,  kWinInetNomeNaoResolvido},   // proxy name not resolved
    {6,  kWinInetNomeNaoResolvido},   // host name not resolved
    {7,  kWinInetConexaoFalhou},      // connection refused or unreachable
    {18, kWinInetConexaoRedefinida},  // body shorter than announced
    {28, kWinInetTimeOut},
    {35, kWinInetCanalSeguro},        // TLS handshake failed
    {52, kWinInetConexaoEncerrada},   // the server closed without answering
    {53, kWinInetCanalSeguro},        // TLS engine missing
    {54, kWinInetCanalSeguro},        // TLS engine unusable
    {55, kWinInetConexaoEncerrada},   // connection lost while sending
    {56, kWinInetConexaoRedefinida},  // connection lost while receiving
    {58, kWinInetCertificadoCliente}, // client certificate or key unusable
    {59, kWinInetCanalSeguro},        // no cipher in common
    {60, kWinInetCanalSeguro},        // server certificate refused
    {66, kWinInetCanalSeguro},        // TLS engine could not start
    {83, kWinInetCanalSeguro},        // issuer check failed
    {90, kWinInetCanalSeguro},        // pinned key mismatch
}};

constexpr std::array<std::pair<std::uint32_t, std::string_view>, 11> kTextos{{
    {12002, "TimeOut de Requisição"},
    {12007, "O nome do servidor não pode ser resolvido"},
    {12029, "Conexão com o Servidor falhou"},
    {12030, "A conexão com o servidor foi redefinida ou encerrada, ou um protocolo SSL incompatível foi encontrado"},
    {12031, "A conexão com o servidor foi redefinida"},
    {12045, "Certificado raiz não é confiável pelo provedor de confiança"},
    {12057, "Revogação do Certificado não pode ser verificada porque o servidor de revogação está offline"},
    {12157, "Erro relacionado ao Canal Seguro"},
    {12175, "Um ou mais erros foram encontrados no certificado Secure Sockets Layer (SSL) enviado pelo servidor"},
    {12185, "O contexto para o certificado de cliente SSL não tem uma chave privada associada a ele. O "
            "certificado de cliente pode ter sido importado para o computador sem a chave privada"},
    {12186, "Falha ao obter a Chave Privada do Certificado para comunicação segura"},
}};
// clang-format on

} // namespace

std::uint32_t codigoWinInetDaFalhaCurl(int curlCode)
{
    for (const auto &[curl, winInet] : kCurlParaWinInet)
        if (curl == curlCode)
            return winInet;
    return kWinInetErroInterno;
}

std::string_view textoCodigoWinInet(std::uint32_t code)
{
    for (const auto &[codigo, texto] : kTextos)
        if (codigo == code)
            return texto;
    return {};
}
