// Numbers to text and back, with fixed separators (never the locale).

#include <charconv>
#include <cmath>
#include <vector>

#include "foundation/base/quib_exception.h"
#include "foundation/numbers/decimal_text.h"
#include "foundation/numbers/number_date_utils.h"

namespace {

// ---- Reading -------------------------------------------------------------------

ConversionError notANumber(std::string_view text)
{
    return ConversionError("\"" + std::string(text) + "\" não é um número válido");
}

double parseNumber(std::string_view original, std::string_view text)
{
    // Plain decimal notation with an optional exponent; from_chars would also
    // take "inf", "nan" and hexadecimal forms, which are no numbers here.
    if (!parseDecimalText(text))
        throw notANumber(original);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw notANumber(original);
    return value;
}

// ---- Writing: general form -------------------------------------------------------

std::string generalForm(double value, char decimalChar)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // 15 significant digits, correctly rounded.
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    (void)ec;
    const DecimalText text =
        *parseDecimalText(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    std::string digits = text.digits;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    // Exponent of the first digit: value = d.ddd × 10^leading.
    const int leading = text.exponent + static_cast<int>(text.digits.size()) - 1;
    std::string out = text.negative ? "-" : "";
    if (leading < -5 || leading >= 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += decimalChar;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(leading);
        return out;
    }
    if (leading < 0) {
        out += '0';
        out += decimalChar;
        out.append(static_cast<std::size_t>(-leading - 1), '0');
        out += digits;
        return out;
    }
    const auto integerCount = static_cast<std::size_t>(leading + 1);
    if (digits.size() <= integerCount) {
        out += digits;
        out.append(integerCount - digits.size(), '0');
    } else {
        out += digits.substr(0, integerCount);
        out += decimalChar;
        out += digits.substr(integerCount);
    }
    return out;
}

// ---- Writing: masks ------------------------------------------------------------

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

std::vector<std::string_view> splitSections(std::string_view mask)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (isQuote(mask[i])) {
            const std::size_t close = mask.find(mask[i], i + 1);
            i = close == std::string_view::npos ? mask.size() - 1 : close;
        } else if (mask[i] == ';' && sections.size() < 2) {
            sections.push_back(mask.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(mask.substr(start));
    return sections;
}

struct SectionLayout {
    int integerPlaces = 0; // "0"/"#" before the point
    int minIntegerDigits = 0;
    bool grouping = false;
    int maxDecimals = 0;
    int minDecimals = 0;
};

// Walks a section, calling literal(text) for quoted and literal text and
// placeholder(char, afterPoint) for "0", "#", "." and ",".
template <typename Literal, typename Placeholder>
void walkSection(std::string_view section, Literal literal, Placeholder placeholder)
{
    bool afterPoint = false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (isQuote(c)) {
            const std::size_t close = section.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? section.size() : close;
            literal(section.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '0' || c == '#' || c == ',' || (c == '.' && !afterPoint)) {
            placeholder(c, afterPoint);
            if (c == '.')
                afterPoint = true;
        } else {
            literal(section.substr(i, 1));
        }
    }
}

SectionLayout layoutOf(std::string_view section)
{
    SectionLayout layout;
    int firstZero = -1;
    walkSection(
        section, [](std::string_view) {},
        [&](char c, bool afterPoint) {
            if (c == ',') {
                if (!afterPoint)
                    layout.grouping = true;
            } else if (c != '.' && !afterPoint) {
                if (c == '0' && firstZero < 0)
                    firstZero = layout.integerPlaces;
                ++layout.integerPlaces;
            } else if (c != '.') {
                ++layout.maxDecimals;
                if (c == '0')
                    layout.minDecimals = layout.maxDecimals;
            }
        });
    layout.minIntegerDigits = firstZero < 0 ? 0 : layout.integerPlaces - firstZero;
    return layout;
}

std::string formatSection(std::string_view section, const DecimalText &value, bool writeMinus,
                          std::string_view decimalSep, std::string_view thousandsSep)
{
    const SectionLayout layout = layoutOf(section);
    const FixedDigits fixed = roundToPlaces(value, layout.maxDecimals);

    std::string integer = fixed.integerDigits;
    if (static_cast<int>(integer.size()) < layout.minIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(layout.minIntegerDigits) - integer.size(), '0');
    std::string fraction = fixed.fraction;
    while (static_cast<int>(fraction.size()) > layout.minDecimals && fraction.back() == '0')
        fraction.pop_back();

    const int length = static_cast<int>(integer.size());
    const int places = layout.integerPlaces;
    std::string out = writeMinus && fixed.negative ? "-" : "";
    bool integerWritten = false;
    auto writeDigits = [&](int from, int to) {
        for (int idx = std::max(from, 0); idx <= to && idx < length; ++idx) {
            out += integer[static_cast<std::size_t>(idx)];
            const int remaining = length - idx - 1;
            if (layout.grouping && remaining > 0 && remaining % 3 == 0)
                out += thousandsSep;
        }
    };
    auto writeAllIntegerDigits = [&] {
        if (!integerWritten && places == 0)
            writeDigits(0, length - 1);
        integerWritten = true;
    };

    int integerIndex = 0;
    int decimalIndex = 0;
    walkSection(
        section, [&](std::string_view text) { out += text; },
        [&](char c, bool afterPoint) {
            if (c == ',')
                return;
            if (c == '.') {
                writeAllIntegerDigits();
                if (!fraction.empty())
                    out += decimalSep;
            } else if (!afterPoint) {
                const int k = integerIndex++;
                writeDigits(k == 0 ? 0 : length - places + k, length - places + k);
                integerWritten = true;
            } else {
                if (decimalIndex < static_cast<int>(fraction.size()))
                    out += fraction[static_cast<std::size_t>(decimalIndex)];
                ++decimalIndex;
            }
        });
    writeAllIntegerDigits();
    return out;
}

// Scientific notation ("E+", "E-", "e+", "e-" outside quotes) is not built
// here: a mask asking for it is refused rather than written as digits and a
// literal "E+".
void refuseScientificMask(std::string_view mask)
{
    for (std::size_t i = 0; i + 1 < mask.size(); ++i) {
        if (isQuote(mask[i])) {
            const std::size_t close = mask.find(mask[i], i + 1);
            if (close == std::string_view::npos)
                return;
            i = close;
        } else if ((mask[i] == 'E' || mask[i] == 'e') && (mask[i + 1] == '+' || mask[i + 1] == '-')) {
            throw EQuibException("Máscara numérica \"" + std::string(mask) +
                                 "\" não suportada: notação científica (" + std::string(mask.substr(i, 2)) +
                                 ") não é gerada");
        }
    }
}

std::string formatWithMask(const DecimalText &value, std::string_view mask, std::string_view decimalSep,
                           std::string_view thousandsSep)
{
    refuseScientificMask(mask);
    const auto sections = splitSections(mask);
    const FixedDigits first = roundToPlaces(value, layoutOf(sections[0]).maxDecimals);
    DecimalText magnitude = value;
    magnitude.negative = false;
    if (sections.size() >= 3 && first.isZero() && !sections[2].empty())
        return formatSection(sections[2], magnitude, false, decimalSep, thousandsSep);
    if (sections.size() >= 2 && first.negative && !sections[1].empty())
        return formatSection(sections[1], magnitude, false, decimalSep, thousandsSep);
    return formatSection(sections[0], value, true, decimalSep, thousandsSep);
}

DecimalText exactText(Decimal value)
{
    return *parseDecimalText(value.toString());
}

} // namespace

double TextoParaFloat(std::string_view text)
{
    std::string cleaned(trimText(text));
    for (char &c : cleaned) {
        if (c == ',')
            c = '.';
    }
    // Only the last separator is the decimal one.
    for (auto dot = cleaned.find('.'); dot != cleaned.rfind('.'); dot = cleaned.find('.'))
        cleaned.erase(dot, 1);
    return parseNumber(text, cleaned);
}

double TextoParaFloatOuPadrao(std::string_view text, double defaultValue)
{
    if (text.empty())
        return defaultValue;
    try {
        return TextoParaFloat(text);
    } catch (const ConversionError &) {
        return defaultValue;
    }
}

double InteiroImplicitoParaFloat(std::string_view digits, int places)
{
    std::string text(digits);
    if (places > 0) {
        if (static_cast<int>(text.size()) < places)
            text.insert(0, static_cast<std::size_t>(places) - text.size(), '0');
        text.insert(text.size() - static_cast<std::size_t>(places), ".");
    }
    return parseNumber(digits, text);
}

std::string FloatParaTexto(char decimalChar, std::string_view mask, double value)
{
    if (mask.empty() || !std::isfinite(value))
        return generalForm(value, decimalChar);
    return formatWithMask(shortestDecimalText(value), mask, std::string_view(&decimalChar, 1), "");
}

std::string FloatParaTexto(char decimalChar, std::string_view mask, Decimal value)
{
    if (mask.empty()) {
        std::string text = value.toString();
        for (char &c : text) {
            if (c == '.')
                c = decimalChar;
        }
        return text;
    }
    return formatWithMask(exactText(value), mask, std::string_view(&decimalChar, 1), "");
}

std::string MascaraDecimais(std::int16_t places, bool grouping)
{
    if (places < 1)
        return "0";
    return std::string(grouping ? "," : "") + "0." + std::string(static_cast<std::size_t>(places), '0');
}

std::string FloatComCasas(char decimalChar, int places, double value)
{
    if (places < 1 || !std::isfinite(value))
        return FloatParaTexto(decimalChar, MascaraDecimais(static_cast<std::int16_t>(places), false), value);
    // The mask "0.00...0": the sign, at least one integer digit, every place.
    const FixedDigits fixed = roundToPlaces(shortestDecimalText(value), places);
    std::string out;
    out.reserve(fixed.integerDigits.size() + fixed.fraction.size() + 3);
    if (fixed.negative)
        out += '-';
    out += fixed.integerDigits.empty() ? std::string_view("0") : std::string_view(fixed.integerDigits);
    out += decimalChar;
    out += fixed.fraction;
    return out;
}

std::string FormataNumeroBrasil(double value, std::string_view mask)
{
    if (!std::isfinite(value))
        return generalForm(value, ',');
    return formatWithMask(shortestDecimalText(value), mask.empty() ? ",0.00" : mask, ",", ".");
}

std::string FormataNumeroBrasil(Decimal value, std::string_view mask)
{
    return formatWithMask(exactText(value), mask.empty() ? ",0.00" : mask, ",", ".");
}

bool TextoVazio(std::string_view text)
{
    return text.empty();
}

bool TextoPreenchido(std::string_view text)
{
    return !text.empty();
}

bool InteiroZero(std::int64_t value)
{
    return value == 0;
}
