#include "app/regional/formatos_processo.h"

#include <cctype>
#include <charconv>
#include <vector>

#include "foundation/text/text_utils.h"

FormatosDoProcesso &formatosDoProcesso()
{
    static FormatosDoProcesso formatos;
    return formatos;
}

void restauraFormatosDoProcesso()
{
    formatosDoProcesso() = FormatosDoProcesso{};
}

namespace {

// The letters d, m and y of the pattern in their order, and its separator.
struct DateOrder {
    std::string fields;
    char separator = '/';
};

DateOrder dateOrder(std::string_view pattern)
{
    DateOrder order;
    bool separatorFound = false;
    for (const char c : pattern) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == 'd' || lower == 'm' || lower == 'y') {
            if (order.fields.find(lower) == std::string::npos)
                order.fields += lower;
        } else if (!separatorFound && !std::isalpha(static_cast<unsigned char>(c))) {
            order.separator = c;
            separatorFound = true;
        }
    }
    if (order.fields.size() != 3)
        order.fields = "dmy";
    return order;
}

int fullYear(int year, int digits)
{
    if (digits > 2)
        return year;
    const int current = decodeDateTime(nowLocal()).year;
    int full = current / 100 * 100 + year;
    if (full < current - 50)
        full += 100;
    else if (full > current + 50)
        full -= 100;
    return full;
}

} // namespace

bool tryTextoParaData(std::string_view texto, TDateTime &data)
{
    const DateOrder order = dateOrder(formatosDoProcesso().formatoDataCurta);
    std::vector<std::string_view> parts;
    std::string_view rest = trimText(texto);
    while (true) {
        const std::size_t at = rest.find(order.separator);
        parts.push_back(rest.substr(0, at));
        if (at == std::string_view::npos)
            break;
        rest.remove_prefix(at + 1);
    }
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    int day = 0, month = 0, year = decodeDateTime(nowLocal()).year;
    std::size_t index = 0;
    for (const char field : order.fields) {
        if (field == 'y' && parts.size() == 2)
            continue;
        const std::string_view part = parts[index++];
        int value = 0;
        if (part.empty() || part.size() > 4 || !SoDigitos(part) ||
            std::from_chars(part.data(), part.data() + part.size(), value).ec != std::errc())
            return false;
        if (field == 'd')
            day = value;
        else if (field == 'm')
            month = value;
        else
            year = fullYear(value, static_cast<int>(part.size()));
    }
    return tryEncodeDate(year, month, day, data);
}
