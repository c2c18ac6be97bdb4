// Rounding of doubles, bits, binary and hexadecimal texts and byte strings.

#include <cmath>

#include "foundation/numbers/number_date_utils.h"

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

double ArredondaPotencia10(std::int8_t exponent, double value)
{
    // Scaling by an exact power of ten keeps the quotient as close as it gets.
    long double scale = 1;
    for (int i = 0; i < std::abs(static_cast<int>(exponent)); ++i)
        scale *= 10;
    const long double x = value;
    const long double q = exponent < 0 ? x * scale : x / scale;
    const long double r = x >= 0 ? std::trunc(q + 0.5L) : std::trunc(q - 0.5L);
    return static_cast<double>(exponent < 0 ? r / scale : r * scale);
}

std::int64_t TruncaSemResiduo(double value)
{
    return static_cast<std::int64_t>(std::trunc(ArredondaPotencia10(-9, value)));
}

int ComparaComTolerancia(double a, double b, double tolerance)
{
    const double difference = ArredondaPotencia10(-9, std::fabs(a - b));
    if (difference <= tolerance)
        return 0;
    return a >= b ? 1 : -1;
}

bool BitLigado(std::int32_t value, int bit)
{
    return (static_cast<std::uint32_t>(value) >> (bit & 31) & 1U) != 0;
}

void LigaBit(std::int32_t &value, int bit)
{
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) | (1U << (bit & 31)));
}

std::string InteiroParaBinario(std::int64_t value, int width)
{
    std::string out(width > 0 ? static_cast<std::size_t>(width) : 0, '0');
    for (std::size_t i = out.size(); value > 0 && i > 0; --i) {
        if (value & 1)
            out[i - 1] = '1';
        value >>= 1;
    }
    return out;
}

std::int32_t BinarioParaInteiro(std::string_view text)
{
    const std::size_t first = text.find_first_not_of('0');
    if (first == std::string_view::npos)
        return 0;
    text.remove_prefix(first);
    std::uint32_t result = 0;
    const std::size_t places = std::min<std::size_t>(text.size(), 32);
    for (std::size_t k = 0; k < places; ++k) {
        if (text[text.size() - 1 - k] == '1')
            result |= 1U << k;
    }
    return static_cast<std::int32_t>(result);
}

std::string InteiroParaBytesLE(std::int64_t value, int byteCount)
{
    const std::uint64_t bits =
        value < 0 ? static_cast<std::uint32_t>(value) : static_cast<std::uint64_t>(value);
    std::string out;
    for (int i = 0; i < byteCount; ++i)
        out += static_cast<char>(i < 8 ? (bits >> (8 * i)) & 0xFF : 0);
    return out;
}

std::string HexParaBytes(std::string_view text)
{
    const std::string_view hex = trimText(text);
    std::string out;
    out.reserve(hex.size() / 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int high = hexValue(hex[i]);
        const int low = hexValue(hex[i + 1]);
        if (high < 0 || low < 0)
            throw ConversionError("\"" + std::string(hex.substr(i, 2)) +
                                  "\" não é um valor hexadecimal válido");
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

bool TentaHexParaBytes(std::string_view text, std::string &output)
{
    try {
        output = HexParaBytes(text);
        return true;
    } catch (const ConversionError &) {
        output.clear();
        return false;
    }
}

std::string HexParaBytesOuPadrao(std::string_view text, std::string_view defaultBytes)
{
    std::string bytes;
    return TentaHexParaBytes(text, bytes) ? bytes : std::string(defaultBytes);
}

std::string BytesParaHex(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}
