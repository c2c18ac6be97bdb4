#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes/enum_names.h"
#include "foundation/dates/date_time.h"

// UTC offsets of the date-times written into documents: the computer's own
// offset, the offset of a Brazilian state by the federal rules with daylight
// saving, or a typed one. Offsets are written "+hh:mm" / "-hh:mm" ("-03:00").

enum TTimeZoneModoDeteccao : std::uint8_t {
    tzSistema, // the computer's own offset
    tzPCN,     // the offset of the state, by the Brazilian rules
    tzManual   // a fixed offset typed by the user
};
template <>
inline constexpr auto kEnumNames<TTimeZoneModoDeteccao> = std::to_array<EnumName<TTimeZoneModoDeteccao>>({
    {tzSistema, "tzSistema"},
    {tzPCN, "tzPCN"},
    {tzManual, "tzManual"},
});

// A time-zone setting: the detection mode and, in tzManual only, the typed
// offset. One instance is process-wide (FusoHorarioGlobal); each web-service
// configuration owns another and copies it in with Assign before writing.
class TTimeZoneConf {
  public:
    TTimeZoneConf() = default;
    TTimeZoneConf(const TTimeZoneConf &) = default;
    TTimeZoneConf &operator=(const TTimeZoneConf &) = default;
    virtual ~TTimeZoneConf() = default;

    // Copies the mode and the text as they are, without the setters' rules.
    virtual void Assign(const TTimeZoneConf &source);

    TTimeZoneModoDeteccao ModoDeteccao() const { return modoDeteccao_; }
    const std::string &TimeZoneStr() const { return timeZoneStr_; }

    // Leaving or staying outside tzManual clears the text; entering tzManual
    // with an empty text fills it with the computer's offset.
    void SetModoDeteccao(TTimeZoneModoDeteccao value);
    // Outside tzManual the text is cleared whatever the value. In tzManual a
    // blank value stores the computer's offset; anything else must be
    // "+hh:mm" / "-hh:mm" with hours -11 to +14 and minutes 0 to 59, else
    // EQuibException is raised and the text stays as it was.
    void SetTimeZoneStr(std::string_view value);

  private:
    TTimeZoneModoDeteccao modoDeteccao_ = tzSistema;
    std::string timeZoneStr_;
};

// The process-wide setting that the document writers follow, created on first
// use as tzSistema. Not thread-safe: callers on several threads serialise
// around it.
TTimeZoneConf &FusoHorarioGlobal();

// The computer's UTC offset now (from the injectable clock).
std::string FusoHorarioDoSistema();
// The offset for a state and a local date-time under FusoHorarioGlobal:
// tzSistema gives the computer's offset, tzManual the typed text, tzPCN the
// state's offset ("90", "91" and an empty text count as "DF"; a state of no
// group gets "-03:00").
std::string FusoHorarioDaUF(std::string_view uf, TDateTime dataHora);
// True when the state kept daylight saving and the date-time lies in a season
// (from the start day at 00:00 to the end day at 00:00, inclusive). The last
// season ran from 2018-11-04 to 2019-02-17.
bool EmHorarioDeVerao(std::string_view uf, TDateTime dataHora);

// ---- The daylight-saving calendar --------------------------------------------

// Easter Sunday by Gauss's rule (M = 24, N = 5, without the exceptions).
TDateTime DomingoDePascoa(int ano);
// Easter Sunday - 47 days.
TDateTime TercaDeCarnaval(int ano);
// The first Sunday among days 1 to 7 of the month; the third is 14 days later.
TDateTime PrimeiroDomingo(int ano, int mes);
TDateTime TerceiroDomingo(int ano, int mes);
// Start of the season that begins in the year: the third Sunday of October
// before 2018, the first Sunday of November in 2018, 0 (none) afterwards.
TDateTime ComecoDoHorarioDeVerao(int ano);
// End of the season that ends in the year: the third Sunday of February, a
// week later when it is Carnival Sunday; 0 (none) from 2020 on.
TDateTime TerminoDoHorarioDeVerao(int ano);
