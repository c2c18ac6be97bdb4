// Dates in fixed formats and UTC offsets.

#include <charconv>
#include <cmath>

#include "foundation/base/quib_exception.h"
#include "foundation/numbers/number_date_utils.h"

namespace {

std::string twoDigits(int value)
{
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

std::string padded(int value, std::size_t width)
{
    std::string text = std::to_string(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t runLength(std::string_view format, std::size_t pos)
{
    std::size_t end = pos;
    while (end < format.size() && lower(format[end]) == lower(format[pos]))
        ++end;
    return end - pos;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[i]) != prefix[i])
            return false;
    }
    return true;
}

// The pattern tokens this formatter does not build: names of months and week
// days, the long and locale forms and the AM/PM markers. Writing them as
// numbers or letters would give a plainly wrong date, so they are refused.
std::string_view unsupportedToken(std::string_view format, std::size_t pos, std::size_t run)
{
    const char c = lower(format[pos]);
    if ((c == 'm' || c == 'd') && run >= 3)
        return format.substr(pos, run);
    if (c == 'c' || c == 't')
        return format.substr(pos, run);
    for (const std::string_view marker : {"am/pm", "ampm", "a/p"}) {
        if (startsWithNoCase(format.substr(pos), marker))
            return format.substr(pos, marker.size());
    }
    return {};
}

std::string formatPattern(const DateTimeParts &p, std::string_view format)
{
    std::string out;
    bool afterHour = false;
    for (std::size_t i = 0; i < format.size();) {
        const char c = lower(format[i]);
        if (c == '"' || c == '\'') {
            const std::size_t close = format.find(format[i], i + 1);
            const std::size_t end = close == std::string_view::npos ? format.size() : close;
            out.append(format.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        const std::size_t run = runLength(format, i);
        if (const std::string_view token = unsupportedToken(format, i, run); !token.empty())
            throw EQuibException("Formato de data \"" + std::string(format) + "\" não suportado: \"" +
                                 std::string(token) + "\" não é gerado");
        switch (c) {
        case 'y':
            out += run >= 3 ? padded(p.year, 4) : twoDigits(p.year % 100);
            break;
        case 'm':
            if (afterHour)
                out += run >= 2 ? twoDigits(p.minute) : std::to_string(p.minute);
            else
                out += run >= 2 ? twoDigits(p.month) : std::to_string(p.month);
            break;
        case 'd':
            out += run >= 2 ? twoDigits(p.day) : std::to_string(p.day);
            break;
        case 'h':
            out += run >= 2 ? twoDigits(p.hour) : std::to_string(p.hour);
            break;
        case 'n':
            out += run >= 2 ? twoDigits(p.minute) : std::to_string(p.minute);
            break;
        case 's':
            out += run >= 2 ? twoDigits(p.second) : std::to_string(p.second);
            break;
        case 'z':
            out += run >= 3 ? padded(p.millisecond, 3) : std::to_string(p.millisecond);
            break;
        default:
            out.append(format.substr(i, run));
            break;
        }
        if (c == 'h')
            afterHour = true;
        else if (c != '/' && c != ':' && c != ' ' && c != '.' && c != '-')
            afterHour = false;
        i += run;
    }
    return out;
}

// The number in the text, or 0 when it is empty or not all digits.
int numberOrZero(std::string_view text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return 0;
    return value;
}

bool twoDigitsAt(std::string_view text, std::size_t pos)
{
    return pos + 1 < text.size() && EhDigito(static_cast<unsigned char>(text[pos])) &&
           EhDigito(static_cast<unsigned char>(text[pos + 1]));
}

int twoDigitValue(std::string_view text, std::size_t pos)
{
    return (text[pos] - '0') * 10 + (text[pos + 1] - '0');
}

} // namespace

std::string DataFormatoBR(TDateTime value, std::string_view format)
{
    return formatPattern(decodeDateTime(dateOf(value)), format.empty() ? "DD/MM/YYYY" : format);
}

std::string DataHoraFormatoBR(TDateTime value, std::string_view format)
{
    return formatPattern(decodeDateTime(value), format.empty() ? "DD/MM/YYYY hh:nn:ss" : format);
}

std::string DataHoraParaTextoCompacto(TDateTime value)
{
    return formatPattern(decodeDateTime(value), "yyyymmddhhnnss");
}

TDateTime TextoCompactoParaDataHora(std::string_view text)
{
    const std::string_view t = trimText(text);
    auto part = [&](std::size_t pos, std::size_t size) {
        return pos < t.size() ? numberOrZero(t.substr(pos, size)) : 0;
    };
    const DateTimeParts parts{part(0, 4), part(4, 2), part(6, 2), part(8, 2), part(10, 2), part(12, 2), 0};
    TDateTime result;
    return tryEncodeDateTime(parts, result) ? result : 0.0;
}

bool FusoValido(std::string_view zone)
{
    if (zone == "Z" || zone == "z")
        return true;
    return zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && twoDigitsAt(zone, 1) && zone[3] == ':' &&
           twoDigitsAt(zone, 4);
}

bool TextoTemFuso(std::string_view dateTimeText)
{
    if (dateTimeText.empty())
        return false;
    return FusoValido(dateTimeText.substr(dateTimeText.size() - 1)) ||
           (dateTimeText.size() >= 6 && FusoValido(dateTimeText.substr(dateTimeText.size() - 6)));
}

int MinutosDoFuso(std::string_view dateTimeText)
{
    if (!TextoTemFuso(dateTimeText))
        return -1;
    const std::string_view t = trimText(dateTimeText);
    if (!t.empty() && (t.back() == 'Z' || t.back() == 'z'))
        return 0;
    const std::string_view zone = t.substr(t.size() - 6);
    const int minutes = twoDigitValue(zone, 1) * 60 + twoDigitValue(zone, 4);
    return zone[0] == '+' ? -minutes : minutes;
}

TDateTime ConverteParaFuso(std::string_view zone, TDateTime value)
{
    if (value == 0)
        value = nowLocal();
    const std::string zoneText = zone.empty() ? formatUtcOffset(localUtcOffsetMinutes()) : std::string(zone);
    if (zoneText.size() != 6 || (zoneText[0] != '+' && zoneText[0] != '-') || zoneText[3] != ':' ||
        !twoDigitsAt(zoneText, 1) || !twoDigitsAt(zoneText, 4) || twoDigitValue(zoneText, 1) > 14 ||
        twoDigitValue(zoneText, 4) > 59)
        return 0;
    return incMinutes(value, MinutosDoFuso(zoneText));
}

std::string formatUtcOffset(int minutesEast)
{
    const int magnitude = std::abs(minutesEast);
    return std::string(minutesEast < 0 ? "-" : "+") + twoDigits(magnitude / 60) + ":" +
           twoDigits(magnitude % 60);
}
