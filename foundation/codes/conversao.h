#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes/conversao_tabela.h"
#include "foundation/codes/enum_names.h"

// Layout codes of the document's identification, issuer and recipient groups, and the state
// codes. Every pair reads codes without regard to letter case; a code that no row holds
// gives the value named in the enumeration's comment with ok false; a value without a row
// gives the empty text.

// Environment of a document or request (tpAmb). Unknown codes read as taProducao.
enum TpcnTipoAmbiente : std::uint8_t { taProducao, taHomologacao };
template <>
inline constexpr auto kEnumNames<TpcnTipoAmbiente> = std::to_array<EnumName<TpcnTipoAmbiente>>({
    {taProducao, "taProducao"},
    {taHomologacao, "taHomologacao"},
});
std::string TipoAmbienteParaCodigo(TpcnTipoAmbiente valor);
TpcnTipoAmbiente CodigoParaTipoAmbiente(std::string_view codigo, bool &ok);
TpcnTipoAmbiente CodigoParaTipoAmbiente(std::string_view codigo);

// Emission type (tpEmis). Unknown codes read as teNormal.
// clang-format off
enum TpcnTipoEmissao : std::uint8_t {
    teNormal, teContingencia, teSCAN, teDPEC, teFSDA, teSVCAN, teSVCRS, teSVCSP, teOffLine,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnTipoEmissao> = std::to_array<EnumName<TpcnTipoEmissao>>({
    {teNormal, "teNormal"},
    {teContingencia, "teContingencia"},
    {teSCAN, "teSCAN"},
    {teDPEC, "teDPEC"},
    {teFSDA, "teFSDA"},
    {teSVCAN, "teSVCAN"},
    {teSVCRS, "teSVCRS"},
    {teSVCSP, "teSVCSP"},
    {teOffLine, "teOffLine"},
});
std::string TipoEmissaoParaCodigo(TpcnTipoEmissao valor);
TpcnTipoEmissao CodigoParaTipoEmissao(std::string_view codigo, bool &ok);
TpcnTipoEmissao CodigoParaTipoEmissao(std::string_view codigo);

// DANFE print format (tpImp). Unknown codes read as tiSemGeracao.
// clang-format off
enum TpcnTipoImpressao : std::uint8_t {
    tiSemGeracao, tiRetrato, tiPaisagem, tiSimplificado, tiNFCe, tiMsgEletronica,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnTipoImpressao> = std::to_array<EnumName<TpcnTipoImpressao>>({
    {tiSemGeracao, "tiSemGeracao"},
    {tiRetrato, "tiRetrato"},
    {tiPaisagem, "tiPaisagem"},
    {tiSimplificado, "tiSimplificado"},
    {tiNFCe, "tiNFCe"},
    {tiMsgEletronica, "tiMsgEletronica"},
});
std::string TipoImpressaoParaCodigo(TpcnTipoImpressao valor);
TpcnTipoImpressao CodigoParaTipoImpressao(std::string_view codigo, bool &ok);
TpcnTipoImpressao CodigoParaTipoImpressao(std::string_view codigo);

// Emission process (procEmi). Unknown codes read as pem0.
enum TpcnProcEmissao : std::uint8_t { pem0, pem1, pem2, pem3 };
template <>
inline constexpr auto kEnumNames<TpcnProcEmissao> = std::to_array<EnumName<TpcnProcEmissao>>({
    {pem0, "pem0"},
    {pem1, "pem1"},
    {pem2, "pem2"},
    {pem3, "pem3"},
});
std::string ProcEmissaoParaCodigo(TpcnProcEmissao valor);
TpcnProcEmissao CodigoParaProcEmissao(std::string_view codigo, bool &ok);
TpcnProcEmissao CodigoParaProcEmissao(std::string_view codigo);

// Operation type: entry or exit (tpNF; also used by events). Unknown codes read as tdf0.
enum TpcnTipoDocFiscal : std::uint8_t { tdf0, tdf1 };
template <>
inline constexpr auto kEnumNames<TpcnTipoDocFiscal> = std::to_array<EnumName<TpcnTipoDocFiscal>>({
    {tdf0, "tdf0"},
    {tdf1, "tdf1"},
});
std::string TipoDocFiscalParaCodigo(TpcnTipoDocFiscal valor);
TpcnTipoDocFiscal CodigoParaTipoDocFiscal(std::string_view codigo, bool &ok);
TpcnTipoDocFiscal CodigoParaTipoDocFiscal(std::string_view codigo);

// Destination of the operation (idDest). Unknown codes read as ld1.
enum TpcnLocalDestino : std::uint8_t { ld1, ld2, ld3 };
template <>
inline constexpr auto kEnumNames<TpcnLocalDestino> = std::to_array<EnumName<TpcnLocalDestino>>({
    {ld1, "ld1"},
    {ld2, "ld2"},
    {ld3, "ld3"},
});
std::string LocalDestinoParaCodigo(TpcnLocalDestino valor);
TpcnLocalDestino CodigoParaLocalDestino(std::string_view codigo, bool &ok);
TpcnLocalDestino CodigoParaLocalDestino(std::string_view codigo);

// Final-consumer indicator (indFinal). Unknown codes read as icf0.
enum TpcnIndConsumidorFinal : std::uint8_t { icf0, icf1 };
template <>
inline constexpr auto kEnumNames<TpcnIndConsumidorFinal> = std::to_array<EnumName<TpcnIndConsumidorFinal>>({
    {icf0, "icf0"},
    {icf1, "icf1"},
});
std::string IndConsumidorFinalParaCodigo(TpcnIndConsumidorFinal valor);
TpcnIndConsumidorFinal CodigoParaIndConsumidorFinal(std::string_view codigo, bool &ok);
TpcnIndConsumidorFinal CodigoParaIndConsumidorFinal(std::string_view codigo);

// Buyer presence indicator (indPres). Unknown codes read as ipr0.
enum TpcnIndPresenca : std::uint8_t { ipr0, ipr1, ipr2, ipr3, ipr4, ipr5, ipr9 };
template <>
inline constexpr auto kEnumNames<TpcnIndPresenca> = std::to_array<EnumName<TpcnIndPresenca>>({
    {ipr0, "ipr0"},
    {ipr1, "ipr1"},
    {ipr2, "ipr2"},
    {ipr3, "ipr3"},
    {ipr4, "ipr4"},
    {ipr5, "ipr5"},
    {ipr9, "ipr9"},
});
std::string IndPresencaParaCodigo(TpcnIndPresenca valor);
TpcnIndPresenca CodigoParaIndPresenca(std::string_view codigo, bool &ok);
TpcnIndPresenca CodigoParaIndPresenca(std::string_view codigo);

// Model of a referenced fiscal-printer coupon (mod of refECF). The empty code reads as mecfVazio;
// unknown codes read as mecfVazio with ok false.
enum TpcnModeloECF : std::uint8_t { mecfVazio, mecf2B, mecf2C, mecf2D };
template <>
inline constexpr auto kEnumNames<TpcnModeloECF> = std::to_array<EnumName<TpcnModeloECF>>({
    {mecfVazio, "mecfVazio"},
    {mecf2B, "mecf2B"},
    {mecf2C, "mecf2C"},
    {mecf2D, "mecf2D"},
});
std::string ModeloECFParaCodigo(TpcnModeloECF valor);
TpcnModeloECF CodigoParaModeloECF(std::string_view codigo, bool &ok);
TpcnModeloECF CodigoParaModeloECF(std::string_view codigo);

// Tax regime of the issuer (CRT). The empty code reads as crt3 (with ok true), which is
// written "3"; unknown codes read as crt3 with ok false.
enum TpcnRegimeTributario : std::uint8_t { crt1, crt2, crt3 };
template <>
inline constexpr auto kEnumNames<TpcnRegimeTributario> = std::to_array<EnumName<TpcnRegimeTributario>>({
    {crt1, "crt1"},
    {crt2, "crt2"},
    {crt3, "crt3"},
});
std::string RegimeTributarioParaCodigo(TpcnRegimeTributario valor);
TpcnRegimeTributario CodigoParaRegimeTributario(std::string_view codigo, bool &ok);
TpcnRegimeTributario CodigoParaRegimeTributario(std::string_view codigo);

// State-registration indicator of the recipient (indIEDest). Unknown codes read as iie1.
enum TpcnIndIEDestinatario : std::uint8_t { iie1, iie2, iie9 };
template <>
inline constexpr auto kEnumNames<TpcnIndIEDestinatario> = std::to_array<EnumName<TpcnIndIEDestinatario>>({
    {iie1, "iie1"},
    {iie2, "iie2"},
    {iie9, "iie9"},
});
std::string IndIEDestinatarioParaCodigo(TpcnIndIEDestinatario valor);
TpcnIndIEDestinatario CodigoParaIndIEDestinatario(std::string_view codigo, bool &ok);
TpcnIndIEDestinatario CodigoParaIndIEDestinatario(std::string_view codigo);

// When the NF-e writer emits the signature block.
enum TpcnTagAssinatura : std::uint8_t { taSempre, taNunca, taSomenteSeAssinada, taSomenteParaNaoAssinada };
template <>
inline constexpr auto kEnumNames<TpcnTagAssinatura> = std::to_array<EnumName<TpcnTagAssinatura>>({
    {taSempre, "taSempre"},
    {taNunca, "taNunca"},
    {taSomenteSeAssinada, "taSomenteSeAssinada"},
    {taSomenteParaNaoAssinada, "taSomenteParaNaoAssinada"},
});

// When the NF-e writer forces elements that the authority otherwise rejects.
enum TForcarGeracaoTag : std::uint8_t { fgtNunca, fgtSomenteProducao, fgtSomenteHomologacao, fgtSempre };
template <>
inline constexpr auto kEnumNames<TForcarGeracaoTag> = std::to_array<EnumName<TForcarGeracaoTag>>({
    {fgtNunca, "fgtNunca"},
    {fgtSomenteProducao, "fgtSomenteProducao"},
    {fgtSomenteHomologacao, "fgtSomenteHomologacao"},
    {fgtSempre, "fgtSempre"},
});

// Format of the decimal-places setting of the DANFE report.
enum TDetFormato : std::uint8_t { tdetInteger, tdetMascara };
template <>
inline constexpr auto kEnumNames<TDetFormato> = std::to_array<EnumName<TDetFormato>>({
    {tdetInteger, "tdetInteger"},
    {tdetMascara, "tdetMascara"},
});

// State codes of the 27 federative units (IBGE): "SP" <-> 35.
// The abbreviation is compared exactly ("sp" is not listed): -1 when not listed.
int SiglaUFParaCUF(std::string_view sigla);
// The abbreviation of a state code; empty when not listed.
std::string CUFParaSiglaUF(int cuf);
