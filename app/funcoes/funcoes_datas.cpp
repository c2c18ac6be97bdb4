// Date and time functions of funcoes_kvl.h.

#include <chrono>
#include <string>

#include <sys/stat.h>

#include "app/funcoes/funcoes_kvl.h"
#include "app/regional/formatos_processo.h"
#include "foundation/base/quib_exception.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

namespace {

std::string twoDigits(int value)
{
    return ZerosEsquerda(value, 2);
}

// One pattern of FormataDataHora: its fields in order ('D' day, 'M' month,
// 'A' four-digit year, 'a' two-digit year, 'h' hours, 'm' minutes, 's'
// seconds) and the separator between them.
struct Pattern {
    std::string_view name;
    std::string_view fields;
    std::string_view separator;
};

// clang-format off
constexpr Pattern kPatterns[] = {
    {"HHMMSS",     "hms", ""},  {"HH:MM:SS",   "hms", ":"}, {"HH:MM",      "hm",  ":"},
    {"HHMM",       "hm",  ""},  {"MM:SS",      "ms",  ":"}, {"AAAAMMDD",   "AMD", ""},
    {"DDMMAAAA",   "DMA", ""},  {"DDMM",       "DM",  ""},  {"AAMM",       "aM",  ""},
    {"AAAAMM",     "AM",  ""},  {"AAAA",       "A",   ""},  {"MMDD",       "MD",  ""},
    {"DDMMAA",     "DMa", ""},  {"MMAAAA",     "MA",  ""},  {"DD/MM/AAAA", "DMA", "/"},
    {"DD-MM-AAAA", "DMA", "-"}, {"DD/MM/AA",   "DMa", "/"}, {"MM/DD/AAAA", "MDA", "/"},
    {"AAAA-MM-DD", "AMD", "-"}, {"AAAA-DD-MM", "ADM", "-"},
};
// clang-format on

std::string field(char kind, const DateTimeParts &parts)
{
    switch (kind) {
    case 'D':
        return twoDigits(parts.day);
    case 'M':
        return twoDigits(parts.month);
    case 'A':
        return ZerosEsquerda(parts.year, 4);
    case 'a':
        return twoDigits(parts.year % 100);
    case 'h':
        return twoDigits(parts.hour);
    case 'm':
        return twoDigits(parts.minute);
    default:
        return twoDigits(parts.second);
    }
}

} // namespace

int ParteData(std::string_view parte, TDateTime data)
{
    const DateTimeParts parts = decodeDateTime(data);
    const std::string name = upperAscii(parte);
    if (name == "MES")
        return parts.month;
    if (name == "ANO")
        return parts.year;
    return parts.day;
}

int DiasDoMes(int mes, int ano)
{
    switch (mes) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0 ? 29 : 28;
    default:
        return 31;
    }
}

std::string MesAbreviado(int mes)
{
    static constexpr std::string_view kMeses[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                                  "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
    return mes >= 1 && mes <= 12 ? std::string(kMeses[mes - 1]) : std::string();
}

int SegundosDoDia()
{
    const DateTimeParts parts = decodeDateTime(nowLocal());
    return parts.hour * 3600 + parts.minute * 60 + parts.second;
}

bool DataInvalida(std::string_view texto)
{
    TDateTime data = 0;
    return !tryTextoParaData(texto, data);
}

std::string DataMMDDAAAA(std::string_view texto)
{
    TDateTime data = 0;
    if (!tryTextoParaData(texto, data))
        throw ConversionError("'" + std::string(texto) + "' is not a valid date");
    return FormataDataHora("MM/DD/AAAA", data);
}

std::string FormataDataHora(std::string_view padrao, TDateTime data)
{
    const std::string name = upperAscii(padrao);
    for (const Pattern &pattern : kPatterns) {
        if (pattern.name != name)
            continue;
        const DateTimeParts parts = decodeDateTime(data);
        std::string out;
        for (const char kind : pattern.fields) {
            if (!out.empty())
                out += pattern.separator;
            out += field(kind, parts);
        }
        return out;
    }
    return {};
}

TDateTime DataArquivo(std::string_view arquivo)
{
    struct stat info {};
    if (stat(localPath(arquivo).c_str(), &info) != 0)
        return kDataNaoInformada;
    return toLocalDateTime(std::chrono::system_clock::from_time_t(info.st_mtime));
}
