#include "foundation/dates/fuso_horario.h"

#include <charconv>
#include <chrono>

#include "foundation/base/quib_exception.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace {

using namespace std::chrono;

// States by standard offset, and those that kept daylight saving; each
// abbreviation is enclosed in dots so that "." + UF + "." finds it whole.
constexpr std::string_view kGrupoUTCMenos4 = ".AM.RR.RO.MT.MS.";
constexpr std::string_view kGrupoUTCMenos3 =
    ".AP.PA.MA.PI.TO.GO.CE.RN.PB.PE.AL.SE.BA.MG.ES.RJ.SP.PR.SC.RS.DF.";
constexpr std::string_view kGrupoUTCMenos5 = ".AC.";
constexpr std::string_view kComHorarioDeVerao = ".MT.MS.GO.MG.ES.RJ.SP.PR.SC.RS.DF.";

bool noGrupo(std::string_view grupo, std::string_view uf)
{
    if (uf.empty() || uf.find('.') != std::string_view::npos)
        return false;
    const std::string marcada = "." + std::string(uf) + ".";
    return grupo.find(marcada) != std::string_view::npos;
}

// A signed whole number, or -99 when the text is not one.
int inteiroOuMenos99(std::string_view texto)
{
    int valor = 0;
    const char *first = texto.data();
    const char *last = texto.data() + texto.size();
    if (first != last && *first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, valor);
    if (first == last || ec != std::errc() || ptr != last)
        return -99;
    return valor;
}

} // namespace

// ---- TTimeZoneConf -------------------------------------------------------------

void TTimeZoneConf::Assign(const TTimeZoneConf &source)
{
    modoDeteccao_ = source.modoDeteccao_;
    timeZoneStr_ = source.timeZoneStr_;
}

void TTimeZoneConf::SetModoDeteccao(TTimeZoneModoDeteccao value)
{
    if (value == modoDeteccao_)
        return;
    modoDeteccao_ = value;
    if (modoDeteccao_ != tzManual)
        timeZoneStr_.clear();
    else if (timeZoneStr_.empty())
        timeZoneStr_ = FusoHorarioDoSistema();
}

void TTimeZoneConf::SetTimeZoneStr(std::string_view value)
{
    if (value == timeZoneStr_)
        return;
    if (modoDeteccao_ != tzManual) {
        timeZoneStr_.clear();
        return;
    }
    if (trimText(value).empty()) {
        timeZoneStr_ = FusoHorarioDoSistema();
        return;
    }
    if (value.size() != 6)
        throw EQuibException("Tamanho de TimeZone deve ser 6. Ex: -03:00");
    if (value[0] != '+' && value[0] != '-')
        throw EQuibException("Primeiro caractere deve ser \"+,-\". Ex: -03:00");
    if (value[3] != ':')
        throw EQuibException("Quarto caractere deve ser \":\". Ex: -03:00");
    const int horas = inteiroOuMenos99(value.substr(0, 3));
    if (horas < -11 || horas > 14)
        throw EQuibException("Hora deve estar entre -11 a +14. Ex: -03:00");
    const int minutos = inteiroOuMenos99(value.substr(4, 2));
    if (minutos < 0 || minutos > 59)
        throw EQuibException("Minuto deve estar entre 0 a 59. Ex: -03:00");
    timeZoneStr_ = std::string(value);
}

TTimeZoneConf &FusoHorarioGlobal()
{
    static TTimeZoneConf global;
    return global;
}

// ---- Offsets ---------------------------------------------------------------------

std::string FusoHorarioDoSistema()
{
    return formatUtcOffset(localUtcOffsetMinutes());
}

std::string FusoHorarioDaUF(std::string_view uf, TDateTime dataHora)
{
    const TTimeZoneConf &conf = FusoHorarioGlobal();
    switch (conf.ModoDeteccao()) {
    case tzSistema:
        return FusoHorarioDoSistema();
    case tzManual:
        return conf.TimeZoneStr();
    case tzPCN:
        break;
    }

    if (uf.empty() || uf == "90" || uf == "91")
        uf = "DF";
    const bool verao = EmHorarioDeVerao(uf, dataHora);
    if (noGrupo(kGrupoUTCMenos4, uf))
        return verao ? "-03:00" : "-04:00";
    if (noGrupo(kGrupoUTCMenos3, uf))
        return verao ? "-02:00" : "-03:00";
    if (noGrupo(kGrupoUTCMenos5, uf))
        return "-05:00";
    return "-03:00";
}

bool EmHorarioDeVerao(std::string_view uf, TDateTime dataHora)
{
    const DateTimeParts partes = decodeDateTime(dataHora);
    const int temporada = partes.month >= 10 ? partes.year : partes.year - 1;
    if (temporada < 1)
        return false;

    const TDateTime comeco = ComecoDoHorarioDeVerao(temporada);
    const TDateTime termino = TerminoDoHorarioDeVerao(temporada + 1);
    const bool depoisDoComeco = comeco == 0 || dataHora >= comeco;
    const bool antesDoTermino = termino != 0 && dataHora <= termino;
    return depoisDoComeco && antesDoTermino && noGrupo(kComHorarioDeVerao, uf);
}

// ---- Calendar --------------------------------------------------------------------

TDateTime DomingoDePascoa(int ano)
{
    const int a = ano % 19;
    const int b = ano % 4;
    const int c = ano % 7;
    const int d = (19 * a + 24) % 30;
    const int e = (2 * b + 4 * c + 6 * d + 5) % 7;
    if (d + e < 10)
        return encodeDate(ano, 3, d + e + 22);
    return encodeDate(ano, 4, d + e - 9);
}

TDateTime TercaDeCarnaval(int ano)
{
    return DomingoDePascoa(ano) - 47;
}

TDateTime PrimeiroDomingo(int ano, int mes)
{
    const sys_days primeiro{year{ano} / month{static_cast<unsigned>(mes)} / 1};
    const unsigned diaDaSemana = weekday{primeiro}.c_encoding(); // 0 = Sunday
    const int ateDomingo = static_cast<int>((7 - diaDaSemana) % 7);
    return encodeDate(ano, mes, 1 + ateDomingo);
}

TDateTime TerceiroDomingo(int ano, int mes)
{
    return PrimeiroDomingo(ano, mes) + 14;
}

TDateTime ComecoDoHorarioDeVerao(int ano)
{
    if (ano < 2018)
        return TerceiroDomingo(ano, 10);
    if (ano == 2018)
        return PrimeiroDomingo(ano, 11);
    return 0;
}

TDateTime TerminoDoHorarioDeVerao(int ano)
{
    if (ano >= 2020)
        return 0;
    TDateTime termino = TerceiroDomingo(ano, 2);
    if (TercaDeCarnaval(ano) - 2 == termino)
        termino += 7;
    return termino;
}
