#pragma once

#include <cstdint>
#include <string_view>

// The WinINet error codes through which the Windows request engines report a
// transport failure, and their texts. Implemented in win_inet_errors.cpp.

// clang-format off
inline constexpr std::uint32_t kWinInetTimeOut          = 12002;
inline constexpr std::uint32_t kWinInetErroInterno      = 12004;
inline constexpr std::uint32_t kWinInetNomeNaoResolvido = 12007;
inline constexpr std::uint32_t kWinInetConexaoFalhou    = 12029;
inline constexpr std::uint32_t kWinInetConexaoEncerrada = 12030;
inline constexpr std::uint32_t kWinInetConexaoRedefinida = 12031;
inline constexpr std::uint32_t kWinInetCanalSeguro      = 12157;
inline constexpr std::uint32_t kWinInetCertificadoCliente = 12185;
// clang-format on

// The code under which WinHTTP or WinINet report a libcurl failure (its
// CURLcode): unknown host or proxy 12007, refused connection 12029,
// time-out 12002, connection closed while sending or nothing answered 12030,
// reset while receiving or a body cut short 12031, TLS handshake 12157, a
// client certificate or key the TLS layer cannot use 12185; any other
// failure 12004 (internal error).
std::uint32_t codigoWinInetDaFalhaCurl(int curlCode);

// The Portuguese text of a WinINet code ("TimeOut de Requisição" for
// 12002); empty for a code outside the table.
std::string_view textoCodigoWinInet(std::uint32_t code);
