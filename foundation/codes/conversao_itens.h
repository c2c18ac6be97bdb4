#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes/conversao_tabela.h"
#include "foundation/codes/enum_names.h"

// Layout codes of a document item and its taxes. Every pair reads codes without regard to
// letter case; a code that no row holds gives the value named in the enumeration's comment
// with ok false; a value without a row gives the empty text.

// Origin of the goods (orig of every ICMS group). The empty code reads as oprVazio;
// unknown codes read as opr0.
// clang-format off
enum TpcnOrigemProduto : std::uint8_t {
    opr0, opr1, opr2, opr3, opr4, opr5, opr6, opr7, opr8, opr9, oprVazio,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnOrigemProduto> = std::to_array<EnumName<TpcnOrigemProduto>>({
    {opr0, "opr0"},
    {opr1, "opr1"},
    {opr2, "opr2"},
    {opr3, "opr3"},
    {opr4, "opr4"},
    {opr5, "opr5"},
    {opr6, "opr6"},
    {opr7, "opr7"},
    {opr8, "opr8"},
    {opr9, "opr9"},
    {oprVazio, "oprVazio"},
});
std::string OrigemProdutoParaCodigo(TpcnOrigemProduto valor);
TpcnOrigemProduto CodigoParaOrigemProduto(std::string_view codigo, bool &ok);
TpcnOrigemProduto CodigoParaOrigemProduto(std::string_view codigo);

// ICMS tax situation (CST of the ICMS groups). The read codes "10part", "90part", "41rep", "60rep"
// and "91" are written with the code of their base situation; unknown codes read as stiVazio.
// clang-format off
enum TpcnSitTributariaICMS : std::uint8_t {
    sti00, sti10, sti20, sti30, sti40, sti41, sti45, sti50, sti51, sti60, sti70, sti80, sti81, sti90,
    sti10Part, sti90Part, sti41Rep, stiVazio, sti91, stiSN, sti60Rep, sti02, sti15, sti53, sti61,
};
template <>
inline constexpr auto kEnumNames<TpcnSitTributariaICMS> = std::to_array<EnumName<TpcnSitTributariaICMS>>({
    {sti00, "sti00"},
    {sti10, "sti10"},
    {sti20, "sti20"},
    {sti30, "sti30"},
    {sti40, "sti40"},
    {sti41, "sti41"},
    {sti45, "sti45"},
    {sti50, "sti50"},
    {sti51, "sti51"},
    {sti60, "sti60"},
    {sti70, "sti70"},
    {sti80, "sti80"},
    {sti81, "sti81"},
    {sti90, "sti90"},
    {sti10Part, "sti10Part"},
    {sti90Part, "sti90Part"},
    {sti41Rep, "sti41Rep"},
    {stiVazio, "stiVazio"},
    {sti91, "sti91"},
    {stiSN, "stiSN"},
    {sti60Rep, "sti60Rep"},
    {sti02, "sti02"},
    {sti15, "sti15"},
    {sti53, "sti53"},
    {sti61, "sti61"},
});
// clang-format on
std::string SitTributariaICMSParaCodigo(TpcnSitTributariaICMS valor);
TpcnSitTributariaICMS CodigoParaSitTributariaICMS(std::string_view codigo, bool &ok);
TpcnSitTributariaICMS CodigoParaSitTributariaICMS(std::string_view codigo);
// Suffix after "N" of the id of the situation's group ("02" for sti00); empty for sti45,
// stiVazio, sti91 and stiSN.
std::string SitTributariaICMSParaIdLayout(TpcnSitTributariaICMS valor);

// Simples Nacional situation (CSOSN). The empty code reads as ssnVazio; unknown codes read as
// ssnVazio with ok false.
// clang-format off
enum TpcnSitSimplesNacional : std::uint8_t {
    ssnVazio, ssn101, ssn102, ssn103, ssn201, ssn202, ssn203, ssn300, ssn400, ssn500, ssn900,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnSitSimplesNacional> = std::to_array<EnumName<TpcnSitSimplesNacional>>({
    {ssnVazio, "ssnVazio"},
    {ssn101, "ssn101"},
    {ssn102, "ssn102"},
    {ssn103, "ssn103"},
    {ssn201, "ssn201"},
    {ssn202, "ssn202"},
    {ssn203, "ssn203"},
    {ssn300, "ssn300"},
    {ssn400, "ssn400"},
    {ssn500, "ssn500"},
    {ssn900, "ssn900"},
});
std::string SitSimplesNacionalParaCodigo(TpcnSitSimplesNacional valor);
TpcnSitSimplesNacional CodigoParaSitSimplesNacional(std::string_view codigo, bool &ok);
TpcnSitSimplesNacional CodigoParaSitSimplesNacional(std::string_view codigo);
// Suffix of the group element after "ICMSSN" ("102" for ssn103); empty for ssnVazio.
std::string SitSimplesNacionalParaGrupo(TpcnSitSimplesNacional valor);
// Suffix after "N" of the group's id ("10d" for ssn103); empty for ssnVazio.
std::string SitSimplesNacionalParaIdLayout(TpcnSitSimplesNacional valor);

// Mode of the ICMS calculation base (modBC). The empty code reads as mbcVazio; unknown codes
// read as mbc0.
enum TpcnModalidadeBCICMS : std::uint8_t { mbc0, mbc1, mbc2, mbc3, mbcVazio };
template <>
inline constexpr auto kEnumNames<TpcnModalidadeBCICMS> = std::to_array<EnumName<TpcnModalidadeBCICMS>>({
    {mbc0, "mbc0"},
    {mbc1, "mbc1"},
    {mbc2, "mbc2"},
    {mbc3, "mbc3"},
    {mbcVazio, "mbcVazio"},
});
std::string ModalidadeBCICMSParaCodigo(TpcnModalidadeBCICMS valor);
TpcnModalidadeBCICMS CodigoParaModalidadeBCICMS(std::string_view codigo, bool &ok);
TpcnModalidadeBCICMS CodigoParaModalidadeBCICMS(std::string_view codigo);

// Mode of the ICMS-ST calculation base (modBCST). The empty value has ordinal 255; unknown
// codes read as mbs0.
enum TpcnModalidadeBCICMSST : std::uint8_t { mbs0, mbs1, mbs2, mbs3, mbs4, mbs5, mbs6, mbsVazio = 255 };
template <>
inline constexpr auto kEnumNames<TpcnModalidadeBCICMSST> = std::to_array<EnumName<TpcnModalidadeBCICMSST>>({
    {mbs0, "mbs0"},
    {mbs1, "mbs1"},
    {mbs2, "mbs2"},
    {mbs3, "mbs3"},
    {mbs4, "mbs4"},
    {mbs5, "mbs5"},
    {mbs6, "mbs6"},
    {mbsVazio, "mbsVazio"},
});
std::string ModalidadeBCICMSSTParaCodigo(TpcnModalidadeBCICMSST valor);
TpcnModalidadeBCICMSST CodigoParaModalidadeBCICMSST(std::string_view codigo, bool &ok);
TpcnModalidadeBCICMSST CodigoParaModalidadeBCICMSST(std::string_view codigo);

// Reason of ICMS relief (motDesICMS, motDesICMSST). The empty value has ordinal 255; unknown
// codes read as mdi1.
// clang-format off
enum TpcnMotivoDesoneracao : std::uint8_t {
    mdi1, mdi2, mdi3, mdi4, mdi5, mdi6, mdi7, mdi8, mdi9, mdi10, mdi11, mdi12, mdi16, mdi90, mdiVazio = 255,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnMotivoDesoneracao> = std::to_array<EnumName<TpcnMotivoDesoneracao>>({
    {mdi1, "mdi1"},
    {mdi2, "mdi2"},
    {mdi3, "mdi3"},
    {mdi4, "mdi4"},
    {mdi5, "mdi5"},
    {mdi6, "mdi6"},
    {mdi7, "mdi7"},
    {mdi8, "mdi8"},
    {mdi9, "mdi9"},
    {mdi10, "mdi10"},
    {mdi11, "mdi11"},
    {mdi12, "mdi12"},
    {mdi16, "mdi16"},
    {mdi90, "mdi90"},
    {mdiVazio, "mdiVazio"},
});
std::string MotivoDesoneracaoParaCodigo(TpcnMotivoDesoneracao valor);
TpcnMotivoDesoneracao CodigoParaMotivoDesoneracao(std::string_view codigo, bool &ok);
TpcnMotivoDesoneracao CodigoParaMotivoDesoneracao(std::string_view codigo);

// IPI tax situation (CST of the IPI groups). Unknown codes read as sip00.
// clang-format off
enum TpcnSitTributariaIPI : std::uint8_t {
    sip00, sip49, sip50, sip99, sip01, sip02, sip03, sip04, sip05, sip51, sip52, sip53, sip54, sip55,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnSitTributariaIPI> = std::to_array<EnumName<TpcnSitTributariaIPI>>({
    {sip00, "sip00"},
    {sip49, "sip49"},
    {sip50, "sip50"},
    {sip99, "sip99"},
    {sip01, "sip01"},
    {sip02, "sip02"},
    {sip03, "sip03"},
    {sip04, "sip04"},
    {sip05, "sip05"},
    {sip51, "sip51"},
    {sip52, "sip52"},
    {sip53, "sip53"},
    {sip54, "sip54"},
    {sip55, "sip55"},
});
std::string SitTributariaIPIParaCodigo(TpcnSitTributariaIPI valor);
TpcnSitTributariaIPI CodigoParaSitTributariaIPI(std::string_view codigo, bool &ok);
TpcnSitTributariaIPI CodigoParaSitTributariaIPI(std::string_view codigo);

// PIS tax situation (CST of the PIS groups). Unknown codes read as stp01.
// clang-format off
enum TpcnSitTributariaPIS : std::uint8_t {
    stp01, stp02, stp03, stp04, stp05, stp06, stp07, stp08, stp09, stp49, stp50, stp51, stp52, stp53, stp54,
    stp55, stp56, stp60, stp61, stp62, stp63, stp64, stp65, stp66, stp67, stp70, stp71, stp72, stp73, stp74,
    stp75, stp98, stp99,
};
template <>
inline constexpr auto kEnumNames<TpcnSitTributariaPIS> = std::to_array<EnumName<TpcnSitTributariaPIS>>({
    {stp01, "stp01"},
    {stp02, "stp02"},
    {stp03, "stp03"},
    {stp04, "stp04"},
    {stp05, "stp05"},
    {stp06, "stp06"},
    {stp07, "stp07"},
    {stp08, "stp08"},
    {stp09, "stp09"},
    {stp49, "stp49"},
    {stp50, "stp50"},
    {stp51, "stp51"},
    {stp52, "stp52"},
    {stp53, "stp53"},
    {stp54, "stp54"},
    {stp55, "stp55"},
    {stp56, "stp56"},
    {stp60, "stp60"},
    {stp61, "stp61"},
    {stp62, "stp62"},
    {stp63, "stp63"},
    {stp64, "stp64"},
    {stp65, "stp65"},
    {stp66, "stp66"},
    {stp67, "stp67"},
    {stp70, "stp70"},
    {stp71, "stp71"},
    {stp72, "stp72"},
    {stp73, "stp73"},
    {stp74, "stp74"},
    {stp75, "stp75"},
    {stp98, "stp98"},
    {stp99, "stp99"},
});
// clang-format on
std::string SitTributariaPISParaCodigo(TpcnSitTributariaPIS valor);
TpcnSitTributariaPIS CodigoParaSitTributariaPIS(std::string_view codigo, bool &ok);
TpcnSitTributariaPIS CodigoParaSitTributariaPIS(std::string_view codigo);

// COFINS tax situation (CST of the COFINS groups). Unknown codes read as stc01.
// clang-format off
enum TpcnSitTributariaCOFINS : std::uint8_t {
    stc01, stc02, stc03, stc04, stc05, stc06, stc07, stc08, stc09, stc49, stc50, stc51, stc52, stc53, stc54,
    stc55, stc56, stc60, stc61, stc62, stc63, stc64, stc65, stc66, stc67, stc70, stc71, stc72, stc73, stc74,
    stc75, stc98, stc99,
};
template <>
inline constexpr auto kEnumNames<TpcnSitTributariaCOFINS> = std::to_array<EnumName<TpcnSitTributariaCOFINS>>({
    {stc01, "stc01"},
    {stc02, "stc02"},
    {stc03, "stc03"},
    {stc04, "stc04"},
    {stc05, "stc05"},
    {stc06, "stc06"},
    {stc07, "stc07"},
    {stc08, "stc08"},
    {stc09, "stc09"},
    {stc49, "stc49"},
    {stc50, "stc50"},
    {stc51, "stc51"},
    {stc52, "stc52"},
    {stc53, "stc53"},
    {stc54, "stc54"},
    {stc55, "stc55"},
    {stc56, "stc56"},
    {stc60, "stc60"},
    {stc61, "stc61"},
    {stc62, "stc62"},
    {stc63, "stc63"},
    {stc64, "stc64"},
    {stc65, "stc65"},
    {stc66, "stc66"},
    {stc67, "stc67"},
    {stc70, "stc70"},
    {stc71, "stc71"},
    {stc72, "stc72"},
    {stc73, "stc73"},
    {stc74, "stc74"},
    {stc75, "stc75"},
    {stc98, "stc98"},
    {stc99, "stc99"},
});
// clang-format on
std::string SitTributariaCOFINSParaCodigo(TpcnSitTributariaCOFINS valor);
TpcnSitTributariaCOFINS CodigoParaSitTributariaCOFINS(std::string_view codigo, bool &ok);
TpcnSitTributariaCOFINS CodigoParaSitTributariaCOFINS(std::string_view codigo);

// Whether PIS-ST enters the totals (indSomaPISST). Unknown codes read as spsVazio.
enum TpcnSomaPISST : std::uint8_t { spsVazio, sps0, sps1 };
template <>
inline constexpr auto kEnumNames<TpcnSomaPISST> = std::to_array<EnumName<TpcnSomaPISST>>({
    {spsVazio, "spsVazio"},
    {sps0, "sps0"},
    {sps1, "sps1"},
});
std::string SomaPISSTParaCodigo(TpcnSomaPISST valor);
TpcnSomaPISST CodigoParaSomaPISST(std::string_view codigo, bool &ok);
TpcnSomaPISST CodigoParaSomaPISST(std::string_view codigo);

// Whether COFINS-ST enters the totals (indSomaCOFINSST). Unknown codes read as scsVazio.
enum TpcnSomaCOFINSST : std::uint8_t { scsVazio, scs0, scs1 };
template <>
inline constexpr auto kEnumNames<TpcnSomaCOFINSST> = std::to_array<EnumName<TpcnSomaCOFINSST>>({
    {scsVazio, "scsVazio"},
    {scs0, "scs0"},
    {scs1, "scs1"},
});
std::string SomaCOFINSSTParaCodigo(TpcnSomaCOFINSST valor);
TpcnSomaCOFINSST CodigoParaSomaCOFINSST(std::string_view codigo, bool &ok);
TpcnSomaCOFINSST CodigoParaSomaCOFINSST(std::string_view codigo);

// Whether the item's amount enters the total (indTot). Unknown codes read as ist0.
enum TpcnIndSomaTotal : std::uint8_t { ist1, ist0 };
template <>
inline constexpr auto kEnumNames<TpcnIndSomaTotal> = std::to_array<EnumName<TpcnIndSomaTotal>>({
    {ist1, "ist1"},
    {ist0, "ist0"},
});
std::string IndSomaTotalParaCodigo(TpcnIndSomaTotal valor);
TpcnIndSomaTotal CodigoParaIndSomaTotal(std::string_view codigo, bool &ok);
TpcnIndSomaTotal CodigoParaIndSomaTotal(std::string_view codigo);

// Service-tax situation (cSitTrib). The empty code reads as sisVazio; unknown codes read as
// sisVazio with ok false.
enum TpcnSitTributariaISSQN : std::uint8_t { sisVazio, sisN, sisR, sisS, sisI };
template <>
inline constexpr auto kEnumNames<TpcnSitTributariaISSQN> = std::to_array<EnumName<TpcnSitTributariaISSQN>>({
    {sisVazio, "sisVazio"},
    {sisN, "sisN"},
    {sisR, "sisR"},
    {sisS, "sisS"},
    {sisI, "sisI"},
});
std::string SitTributariaISSQNParaCodigo(TpcnSitTributariaISSQN valor);
TpcnSitTributariaISSQN CodigoParaSitTributariaISSQN(std::string_view codigo, bool &ok);
TpcnSitTributariaISSQN CodigoParaSitTributariaISSQN(std::string_view codigo);

// Service-tax enforceability (indISS). Unknown codes read as eis1.
enum TpcnExigibilidadeISS : std::uint8_t { eis1, eis2, eis3, eis4, eis5, eis6, eis7 };
template <>
inline constexpr auto kEnumNames<TpcnExigibilidadeISS> = std::to_array<EnumName<TpcnExigibilidadeISS>>({
    {eis1, "eis1"},
    {eis2, "eis2"},
    {eis3, "eis3"},
    {eis4, "eis4"},
    {eis5, "eis5"},
    {eis6, "eis6"},
    {eis7, "eis7"},
});
std::string ExigibilidadeISSParaCodigo(TpcnExigibilidadeISS valor);
TpcnExigibilidadeISS CodigoParaExigibilidadeISS(std::string_view codigo, bool &ok);
TpcnExigibilidadeISS CodigoParaExigibilidadeISS(std::string_view codigo);

// Tax incentive indicator (indIncentivo). Unknown codes read as ifi1.
enum TpcnIncentivoFiscal : std::uint8_t { ifi1, ifi2 };
template <>
inline constexpr auto kEnumNames<TpcnIncentivoFiscal> = std::to_array<EnumName<TpcnIncentivoFiscal>>({
    {ifi1, "ifi1"},
    {ifi2, "ifi2"},
});
std::string IncentivoFiscalParaCodigo(TpcnIncentivoFiscal valor);
TpcnIncentivoFiscal CodigoParaIncentivoFiscal(std::string_view codigo, bool &ok);
TpcnIncentivoFiscal CodigoParaIncentivoFiscal(std::string_view codigo);

// Special service-tax regime (cRegTrib). Unknown codes read as rei0.
enum TpcnRegimeEspecialISSQN : std::uint8_t { rei1, rei2, rei3, rei4, rei5, rei6, rei0 };
template <>
inline constexpr auto kEnumNames<TpcnRegimeEspecialISSQN> = std::to_array<EnumName<TpcnRegimeEspecialISSQN>>({
    {rei1, "rei1"},
    {rei2, "rei2"},
    {rei3, "rei3"},
    {rei4, "rei4"},
    {rei5, "rei5"},
    {rei6, "rei6"},
    {rei0, "rei0"},
});
std::string RegimeEspecialISSQNParaCodigo(TpcnRegimeEspecialISSQN valor);
TpcnRegimeEspecialISSQN CodigoParaRegimeEspecialISSQN(std::string_view codigo, bool &ok);
TpcnRegimeEspecialISSQN CodigoParaRegimeEspecialISSQN(std::string_view codigo);

// International transport route of an import declaration (tpViaTransp). Unknown codes read
// as vti1.
// clang-format off
enum TpcnViaTransporteInternacional : std::uint8_t {
    vti1, vti2, vti3, vti4, vti5, vti6, vti7, vti8, vti9, vti10, vti11, vti12, vti13,
};
template <>
inline constexpr auto kEnumNames<TpcnViaTransporteInternacional> = std::to_array<EnumName<TpcnViaTransporteInternacional>>({
    {vti1, "vti1"},
    {vti2, "vti2"},
    {vti3, "vti3"},
    {vti4, "vti4"},
    {vti5, "vti5"},
    {vti6, "vti6"},
    {vti7, "vti7"},
    {vti8, "vti8"},
    {vti9, "vti9"},
    {vti10, "vti10"},
    {vti11, "vti11"},
    {vti12, "vti12"},
    {vti13, "vti13"},
});
// clang-format on
std::string ViaTransporteInternacionalParaCodigo(TpcnViaTransporteInternacional valor);
TpcnViaTransporteInternacional CodigoParaViaTransporteInternacional(std::string_view codigo, bool &ok);
TpcnViaTransporteInternacional CodigoParaViaTransporteInternacional(std::string_view codigo);

// Form of import of an import declaration (tpIntermedio). Unknown codes read as fim1.
enum TpcnFormaImportacao : std::uint8_t { fim1, fim2, fim3 };
template <>
inline constexpr auto kEnumNames<TpcnFormaImportacao> = std::to_array<EnumName<TpcnFormaImportacao>>({
    {fim1, "fim1"},
    {fim2, "fim2"},
    {fim3, "fim3"},
});
std::string FormaImportacaoParaCodigo(TpcnFormaImportacao valor);
TpcnFormaImportacao CodigoParaFormaImportacao(std::string_view codigo, bool &ok);
TpcnFormaImportacao CodigoParaFormaImportacao(std::string_view codigo);
