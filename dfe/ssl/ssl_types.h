#pragma once

#include <array>
#include <cstdint>

#include "foundation/codes/enum_names.h"
#include "foundation/fiscal/ssl_dgst.h"

// The library and TLS choices of the certificate, signing and transport
// facade, and the kind of key storage of a certificate. Declarations only (no
// source): stored settings hold the ordinals, so they never change. `TSSLDgst`
// lives in the foundation, where the signature template uses it.

enum TSSLCryptLib : std::uint8_t { cryNone, cryOpenSSL, cryCapicom, cryWinCrypt };
template <>
inline constexpr auto kEnumNames<TSSLCryptLib> = std::to_array<EnumName<TSSLCryptLib>>({
    {cryNone, "cryNone"},
    {cryOpenSSL, "cryOpenSSL"},
    {cryCapicom, "cryCapicom"},
    {cryWinCrypt, "cryWinCrypt"},
});

enum TSSLHttpLib : std::uint8_t { httpNone, httpWinINet, httpWinHttp, httpOpenSSL, httpIndy };
template <>
inline constexpr auto kEnumNames<TSSLHttpLib> = std::to_array<EnumName<TSSLHttpLib>>({
    {httpNone, "httpNone"},
    {httpWinINet, "httpWinINet"},
    {httpWinHttp, "httpWinHttp"},
    {httpOpenSSL, "httpOpenSSL"},
    {httpIndy, "httpIndy"},
});

enum TSSLXmlSignLib : std::uint8_t { xsNone, xsXmlSec, xsMsXml, xsMsXmlCapicom, xsLibXml2 };
template <>
inline constexpr auto kEnumNames<TSSLXmlSignLib> = std::to_array<EnumName<TSSLXmlSignLib>>({
    {xsNone, "xsNone"},
    {xsXmlSec, "xsXmlSec"},
    {xsMsXml, "xsMsXml"},
    {xsMsXmlCapicom, "xsMsXmlCapicom"},
    {xsLibXml2, "xsLibXml2"},
});

// A bundle of the three choices above (see applySslLib in dfe_ssl.h).
enum TSSLLib : std::uint8_t { libNone, libOpenSSL, libCapicom, libCapicomSoap, libWinCrypt, libCustom };
template <>
inline constexpr auto kEnumNames<TSSLLib> = std::to_array<EnumName<TSSLLib>>({
    {libNone, "libNone"},
    {libOpenSSL, "libOpenSSL"},
    {libCapicom, "libCapicom"},
    {libCapicomSoap, "libCapicomSoap"},
    {libWinCrypt, "libWinCrypt"},
    {libCustom, "libCustom"},
});

enum TSSLStoreLocation : std::uint8_t {
    slMemory,
    slLocalMachine,
    slCurrentUser,
    slActiveDirectory,
    slSmartCard
};
template <>
inline constexpr auto kEnumNames<TSSLStoreLocation> = std::to_array<EnumName<TSSLStoreLocation>>({
    {slMemory, "slMemory"},
    {slLocalMachine, "slLocalMachine"},
    {slCurrentUser, "slCurrentUser"},
    {slActiveDirectory, "slActiveDirectory"},
    {slSmartCard, "slSmartCard"},
});

// The TLS version choice of the transports.
enum TSSLType : std::uint8_t {
    LT_all,
    LT_SSLv2,
    LT_SSLv3,
    LT_TLSv1,
    LT_TLSv1_1,
    LT_TLSv1_2,
    LT_TLSv1_3,
    LT_SSHv2
};
template <>
inline constexpr auto kEnumNames<TSSLType> = std::to_array<EnumName<TSSLType>>({
    {LT_all, "LT_all"},
    {LT_SSLv2, "LT_SSLv2"},
    {LT_SSLv3, "LT_SSLv3"},
    {LT_TLSv1, "LT_TLSv1"},
    {LT_TLSv1_1, "LT_TLSv1_1"},
    {LT_TLSv1_2, "LT_TLSv1_2"},
    {LT_TLSv1_3, "LT_TLSv1_3"},
    {LT_SSHv2, "LT_SSHv2"},
});

// Where a certificate's private key lives: a file (A1) or a token/card (A3).
enum TTipoCertificado : std::uint8_t { tcDesconhecido, tcA1, tcA3 };
template <>
inline constexpr auto kEnumNames<TTipoCertificado> = std::to_array<EnumName<TTipoCertificado>>({
    {tcDesconhecido, "tcDesconhecido"},
    {tcA1, "tcA1"},
    {tcA3, "tcA3"},
});
