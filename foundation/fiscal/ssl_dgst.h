#pragma once

#include <array>
#include <cstdint>

#include "foundation/codes/enum_names.h"

// Digest algorithms of the certificate and signing layer. Declared here so
// that the signature template of the foundation can choose its algorithm
// identifiers; stored settings hold the ordinals.
//
// Header only: no source of its own.
enum TSSLDgst : std::uint8_t {
    dgstMD2,
    dgstMD4,
    dgstMD5,
    dgstRMD160,
    dgstSHA,
    dgstSHA1,
    dgstSHA256,
    dgstSHA512
};
template <>
inline constexpr auto kEnumNames<TSSLDgst> = std::to_array<EnumName<TSSLDgst>>({
    {dgstMD2, "dgstMD2"},
    {dgstMD4, "dgstMD4"},
    {dgstMD5, "dgstMD5"},
    {dgstRMD160, "dgstRMD160"},
    {dgstSHA, "dgstSHA"},
    {dgstSHA1, "dgstSHA1"},
    {dgstSHA256, "dgstSHA256"},
    {dgstSHA512, "dgstSHA512"},
});
