#pragma once

#include <array>
#include <cstdint>

#include "foundation/codes/enum_names.h"

// The enumerations of the printer device: the kind of port and the serial line
// settings, with their value names in ordinal order, and the barcode settings
// the printer component keeps. Header only: no source of its own.

// The kind of port a port text names.
enum TQuibDeviceType : std::uint8_t {
    dtNenhum,
    dtFile,
    dtSerial,
    dtParallel,
    dtTCP,
    dtRawPrinter,
    dtHook,
    dtUSB,
    dtBlueTooth
};

// clang-format off
template <>
inline constexpr auto kEnumNames<TQuibDeviceType> = std::to_array<EnumName<TQuibDeviceType>>({
    {dtNenhum, "dtNenhum"},     {dtFile, "dtFile"},             {dtSerial, "dtSerial"},
    {dtParallel, "dtParallel"}, {dtTCP, "dtTCP"},               {dtRawPrinter, "dtRawPrinter"},
    {dtHook, "dtHook"},         {dtUSB, "dtUSB"},               {dtBlueTooth, "dtBlueTooth"}});
// clang-format on

enum TQuibSerialParity : std::uint8_t { pNone, pOdd, pEven, pMark, pSpace };

template <>
inline constexpr auto kEnumNames<TQuibSerialParity> = std::to_array<EnumName<TQuibSerialParity>>(
    {{pNone, "pNone"}, {pOdd, "pOdd"}, {pEven, "pEven"}, {pMark, "pMark"}, {pSpace, "pSpace"}});

// One, one and a half, two stop bits.
enum TQuibSerialStop : std::uint8_t { s1, s1eMeio, s2 };

template <>
inline constexpr auto kEnumNames<TQuibSerialStop> =
    std::to_array<EnumName<TQuibSerialStop>>({{s1, "s1"}, {s1eMeio, "s1eMeio"}, {s2, "s2"}});

enum TQuibHandShake : std::uint8_t { hsNenhum, hsXON_XOFF, hsRTS_CTS, hsDTR_DSR };

template <>
inline constexpr auto kEnumNames<TQuibHandShake> = std::to_array<EnumName<TQuibHandShake>>(
    {{hsNenhum, "hsNenhum"}, {hsXON_XOFF, "hsXON_XOFF"}, {hsRTS_CTS, "hsRTS_CTS"}, {hsDTR_DSR, "hsDTR_DSR"}});

// Barcode settings of the printer component; plain values, no behaviour.
struct TQuibECFConfigBarras {
    bool MostrarCodigo = false; // print the human-readable text under the bars
    int Altura = 0;             // bar height
    int LarguraLinha = 0;       // bar width
    int Margem = 0;
};
