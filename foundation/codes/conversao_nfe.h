#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_tabela.h"
#include "foundation/codes/enum_names.h"

// Enumerations and codes of the NF-e and NFC-e documents and their services. Every pair reads
// codes without regard to letter case; a code that no row holds gives the value named in the
// enumeration's comment with ok false; a value without a row gives the empty text.

// Web services of the NF-e system; the code is the service's key in the services INI. The three
// event services share "RecepcaoEvento", which reads as srvRecepcaoEventoAN; unknown names
// read as srvNfeRecepcao.
// clang-format off
enum TpcnServicoNFe : std::uint8_t {
    srvNfeRecepcao, srvNfeRetRecepcao, srvNfeCancelamento, srvNfeInutilizacao, srvNfeConsultaProtocolo,
    srvNfeStatusServico, srvNfeConsultaCadastro, srvRecepcaoEventoA, srvRecepcaoEvento, srvRecepcaoEventoAN,
    srvNfeConsultaDest, srvNfeDownloadNF, srvNfeAutorizacao, srvNfeRetAutorizacao, srvAdministrarCSCNFCe,
    srvNFeDistribuicaoDFe, srvEventoEPEC,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnServicoNFe> = std::to_array<EnumName<TpcnServicoNFe>>({
    {srvNfeRecepcao, "srvNfeRecepcao"},
    {srvNfeRetRecepcao, "srvNfeRetRecepcao"},
    {srvNfeCancelamento, "srvNfeCancelamento"},
    {srvNfeInutilizacao, "srvNfeInutilizacao"},
    {srvNfeConsultaProtocolo, "srvNfeConsultaProtocolo"},
    {srvNfeStatusServico, "srvNfeStatusServico"},
    {srvNfeConsultaCadastro, "srvNfeConsultaCadastro"},
    {srvRecepcaoEventoA, "srvRecepcaoEventoA"},
    {srvRecepcaoEvento, "srvRecepcaoEvento"},
    {srvRecepcaoEventoAN, "srvRecepcaoEventoAN"},
    {srvNfeConsultaDest, "srvNfeConsultaDest"},
    {srvNfeDownloadNF, "srvNfeDownloadNF"},
    {srvNfeAutorizacao, "srvNfeAutorizacao"},
    {srvNfeRetAutorizacao, "srvNfeRetAutorizacao"},
    {srvAdministrarCSCNFCe, "srvAdministrarCSCNFCe"},
    {srvNFeDistribuicaoDFe, "srvNFeDistribuicaoDFe"},
    {srvEventoEPEC, "srvEventoEPEC"},
});
std::string ServicoNFeParaNome(TpcnServicoNFe valor);
TpcnServicoNFe NomeParaServicoNFe(std::string_view codigo, bool &ok);
TpcnServicoNFe NomeParaServicoNFe(std::string_view codigo);

// Schemas of the NF-e documents and requests.
// clang-format off
enum TSchemaNFe : std::uint8_t {
    schErro, schNfe, schcancNFe, schInutNFe, schEnvCCe, schEnvEventoCancNFe, schEnvConfRecebto, schEnvEPEC,
    schconsReciNFe, schconsSitNFe, schconsStatServ, schconsCad, schenvEvento, schconsNFeDest, schdownloadNFe,
    schretEnviNFe, schadmCscNFCe, schdistDFeInt, scheventoEPEC, schCancSubst, schPedProrrog1, schPedProrrog2,
    schCanPedProrrog1, schCanPedProrrog2, schManifDestConfirmacao, schManifDestCiencia,
    schManifDestDesconhecimento, schManifDestOperNaoRealizada, schCompEntrega, schCancCompEntrega,
    schAtorInteressadoNFe,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TSchemaNFe> = std::to_array<EnumName<TSchemaNFe>>({
    {schErro, "schErro"},
    {schNfe, "schNfe"},
    {schcancNFe, "schcancNFe"},
    {schInutNFe, "schInutNFe"},
    {schEnvCCe, "schEnvCCe"},
    {schEnvEventoCancNFe, "schEnvEventoCancNFe"},
    {schEnvConfRecebto, "schEnvConfRecebto"},
    {schEnvEPEC, "schEnvEPEC"},
    {schconsReciNFe, "schconsReciNFe"},
    {schconsSitNFe, "schconsSitNFe"},
    {schconsStatServ, "schconsStatServ"},
    {schconsCad, "schconsCad"},
    {schenvEvento, "schenvEvento"},
    {schconsNFeDest, "schconsNFeDest"},
    {schdownloadNFe, "schdownloadNFe"},
    {schretEnviNFe, "schretEnviNFe"},
    {schadmCscNFCe, "schadmCscNFCe"},
    {schdistDFeInt, "schdistDFeInt"},
    {scheventoEPEC, "scheventoEPEC"},
    {schCancSubst, "schCancSubst"},
    {schPedProrrog1, "schPedProrrog1"},
    {schPedProrrog2, "schPedProrrog2"},
    {schCanPedProrrog1, "schCanPedProrrog1"},
    {schCanPedProrrog2, "schCanPedProrrog2"},
    {schManifDestConfirmacao, "schManifDestConfirmacao"},
    {schManifDestCiencia, "schManifDestCiencia"},
    {schManifDestDesconhecimento, "schManifDestDesconhecimento"},
    {schManifDestOperNaoRealizada, "schManifDestOperNaoRealizada"},
    {schCompEntrega, "schCompEntrega"},
    {schCancCompEntrega, "schCancCompEntrega"},
    {schAtorInteressadoNFe, "schAtorInteressadoNFe"},
});
// The schema's value name without its "sch" prefix ("consSitNFe" for schconsSitNFe).
std::string SchemaNFeParaNome(TSchemaNFe valor);
// The base name of an event's schema ("e110111" for schcancNFe); empty for other schemas.
std::string SchemaEventoParaNome(TSchemaNFe valor);
// The schema of the service's request; schErro for a value outside the enumeration.
TSchemaNFe ServicoNFeParaSchema(TpcnServicoNFe valor);

// Document model (mod). Unknown codes read as moNFe.
enum TpcnModeloDF : std::uint8_t { moNFe, moNFCe };
template <>
inline constexpr auto kEnumNames<TpcnModeloDF> = std::to_array<EnumName<TpcnModeloDF>>({
    {moNFe, "moNFe"},
    {moNFCe, "moNFCe"},
});
std::string ModeloDFParaCodigo(TpcnModeloDF valor);
TpcnModeloDF CodigoParaModeloDF(std::string_view codigo, bool &ok);
TpcnModeloDF CodigoParaModeloDF(std::string_view codigo);
// "NFCe" for moNFCe, "NFe" for every other value.
std::string ModeloDFParaSigla(TpcnModeloDF valor);

// Layout version of the document; it travels as a number (see NumeroParaVersaoDF).
enum TpcnVersaoDF : std::uint8_t { ve200, ve300, ve310, ve400 };
template <>
inline constexpr auto kEnumNames<TpcnVersaoDF> = std::to_array<EnumName<TpcnVersaoDF>>({
    {ve200, "ve200"},
    {ve300, "ve300"},
    {ve310, "ve310"},
    {ve400, "ve400"},
});
std::string VersaoDFParaCodigo(TpcnVersaoDF valor);
// The version as a number (3.1 for ve310); 0 for a value outside the enumeration.
double VersaoDFParaNumero(TpcnVersaoDF valor);
// The version of a number: below 3 ve200, below 3.1 ve300, below 4 ve310, else ve400; ok is
// always true.
TpcnVersaoDF NumeroParaVersaoDF(double numero, bool &ok);
TpcnVersaoDF NumeroParaVersaoDF(double numero);

// Version of the NFC-e QR code.
enum TpcnVersaoQrCode : std::uint8_t { veqr000, veqr100, veqr200 };
template <>
inline constexpr auto kEnumNames<TpcnVersaoQrCode> = std::to_array<EnumName<TpcnVersaoQrCode>>({
    {veqr000, "veqr000"},
    {veqr100, "veqr100"},
    {veqr200, "veqr200"},
});
std::string VersaoQrCodeParaCodigo(TpcnVersaoQrCode valor);
// The version as a number (2 for veqr200); 0 for a value outside the enumeration.
int VersaoQrCodeParaNumero(TpcnVersaoQrCode valor);

// Purpose of emission (finNFe). Unknown codes read as feNormal.
enum TpcnFinalidadeEmissao : std::uint8_t { feNormal, feComplementar, feAjuste, feDevolucao };
template <>
inline constexpr auto kEnumNames<TpcnFinalidadeEmissao> = std::to_array<EnumName<TpcnFinalidadeEmissao>>({
    {feNormal, "feNormal"},
    {feComplementar, "feComplementar"},
    {feAjuste, "feAjuste"},
    {feDevolucao, "feDevolucao"},
});
std::string FinalidadeEmissaoParaCodigo(TpcnFinalidadeEmissao valor);
TpcnFinalidadeEmissao CodigoParaFinalidadeEmissao(std::string_view codigo, bool &ok);
TpcnFinalidadeEmissao CodigoParaFinalidadeEmissao(std::string_view codigo);

// Operation of the new-vehicle group (tpOp). Unknown codes read as tovVendaConcessionaria.
// clang-format off
enum TpcnTipoOperacaoVeiculo : std::uint8_t {
    tovVendaConcessionaria, tovFaturamentoDireto, tovVendaDireta, tovOutros,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnTipoOperacaoVeiculo> = std::to_array<EnumName<TpcnTipoOperacaoVeiculo>>({
    {tovVendaConcessionaria, "tovVendaConcessionaria"},
    {tovFaturamentoDireto, "tovFaturamentoDireto"},
    {tovVendaDireta, "tovVendaDireta"},
    {tovOutros, "tovOutros"},
});
std::string TipoOperacaoVeiculoParaCodigo(TpcnTipoOperacaoVeiculo valor);
TpcnTipoOperacaoVeiculo CodigoParaTipoOperacaoVeiculo(std::string_view codigo, bool &ok);
TpcnTipoOperacaoVeiculo CodigoParaTipoOperacaoVeiculo(std::string_view codigo);

// Condition of the vehicle (condVeic). Unknown codes read as evAcabado.
enum TpcnEstadoVeiculo : std::uint8_t { evAcabado, evInacabado, evSemiacabado };
template <>
inline constexpr auto kEnumNames<TpcnEstadoVeiculo> = std::to_array<EnumName<TpcnEstadoVeiculo>>({
    {evAcabado, "evAcabado"},
    {evInacabado, "evInacabado"},
    {evSemiacabado, "evSemiacabado"},
});
std::string EstadoVeiculoParaCodigo(TpcnEstadoVeiculo valor);
TpcnEstadoVeiculo CodigoParaEstadoVeiculo(std::string_view codigo, bool &ok);
TpcnEstadoVeiculo CodigoParaEstadoVeiculo(std::string_view codigo);

// Class of a weapon (tpArma). Unknown codes read as caUsoPermitido.
enum TpcnClasseArma : std::uint8_t { caUsoPermitido, caUsoRestrito };
template <>
inline constexpr auto kEnumNames<TpcnClasseArma> = std::to_array<EnumName<TpcnClasseArma>>({
    {caUsoPermitido, "caUsoPermitido"},
    {caUsoRestrito, "caUsoRestrito"},
});
std::string ClasseArmaParaCodigo(TpcnClasseArma valor);
TpcnClasseArma CodigoParaClasseArma(std::string_view codigo, bool &ok);
TpcnClasseArma CodigoParaClasseArma(std::string_view codigo);

// Production scale (indEscala). The empty code reads as epNenhum; unknown codes read as
// epRelevante.
enum TpcnEscalaProducao : std::uint8_t { epRelevante, epNaoRelevante, epNenhum };
template <>
inline constexpr auto kEnumNames<TpcnEscalaProducao> = std::to_array<EnumName<TpcnEscalaProducao>>({
    {epRelevante, "epRelevante"},
    {epNaoRelevante, "epNaoRelevante"},
    {epNenhum, "epNenhum"},
});
std::string EscalaProducaoParaCodigo(TpcnEscalaProducao valor);
TpcnEscalaProducao CodigoParaEscalaProducao(std::string_view codigo, bool &ok);
TpcnEscalaProducao CodigoParaEscalaProducao(std::string_view codigo);

// Freight arrangement (modFrete). Unknown codes read as cfRemetente.
// clang-format off
enum TpcnContratacaoFrete : std::uint8_t {
    cfRemetente, cfDestinatario, cfTerceiros, cfProprioRemetente, cfProprioDestinatario, cfSemFrete,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnContratacaoFrete> = std::to_array<EnumName<TpcnContratacaoFrete>>({
    {cfRemetente, "cfRemetente"},
    {cfDestinatario, "cfDestinatario"},
    {cfTerceiros, "cfTerceiros"},
    {cfProprioRemetente, "cfProprioRemetente"},
    {cfProprioDestinatario, "cfProprioDestinatario"},
    {cfSemFrete, "cfSemFrete"},
});
std::string ContratacaoFreteParaCodigo(TpcnContratacaoFrete valor);
TpcnContratacaoFrete CodigoParaContratacaoFrete(std::string_view codigo, bool &ok);
TpcnContratacaoFrete CodigoParaContratacaoFrete(std::string_view codigo);

// Permission of the carrier named by the interested-party event (tpAutorizacao). Unknown codes
// read as ptNaoPermite.
enum TpcnPermissaoTransportador : std::uint8_t { ptNaoPermite, ptPermite };
// clang-format off
template <>
inline constexpr auto kEnumNames<TpcnPermissaoTransportador> = std::to_array<EnumName<TpcnPermissaoTransportador>>({
    {ptNaoPermite, "ptNaoPermite"},
    {ptPermite, "ptPermite"},
});
// clang-format on
std::string PermissaoTransportadorParaCodigo(TpcnPermissaoTransportador valor);
TpcnPermissaoTransportador CodigoParaPermissaoTransportador(std::string_view codigo, bool &ok);
TpcnPermissaoTransportador CodigoParaPermissaoTransportador(std::string_view codigo);

// Intermediary indicator (indIntermed). Unknown codes read as itmNenhum.
enum TpcnIntermediacao : std::uint8_t { itmNenhum, itmSemIntermediador, itmComIntermediador };
template <>
inline constexpr auto kEnumNames<TpcnIntermediacao> = std::to_array<EnumName<TpcnIntermediacao>>({
    {itmNenhum, "itmNenhum"},
    {itmSemIntermediador, "itmSemIntermediador"},
    {itmComIntermediador, "itmComIntermediador"},
});
std::string IntermediacaoParaCodigo(TpcnIntermediacao valor);
TpcnIntermediacao CodigoParaIntermediacao(std::string_view codigo, bool &ok);
TpcnIntermediacao CodigoParaIntermediacao(std::string_view codigo);

// Concession act (tpAto). Unknown codes read as acNenhum.
// clang-format off
enum TpcnAtoConcessorio : std::uint8_t {
    acNenhum, acTermoDeAcordo, acRegimeEspecial, acAutorizacaoEspecifica,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnAtoConcessorio> = std::to_array<EnumName<TpcnAtoConcessorio>>({
    {acNenhum, "acNenhum"},
    {acTermoDeAcordo, "acTermoDeAcordo"},
    {acRegimeEspecial, "acRegimeEspecial"},
    {acAutorizacaoEspecifica, "acAutorizacaoEspecifica"},
});
std::string AtoConcessorioParaCodigo(TpcnAtoConcessorio valor);
TpcnAtoConcessorio CodigoParaAtoConcessorio(std::string_view codigo, bool &ok);
TpcnAtoConcessorio CodigoParaAtoConcessorio(std::string_view codigo);

// Origin of the fuel (indImport). Unknown codes read as ocNacional.
enum TpcnOrigemCombustivel : std::uint8_t { ocNacional, ocImportado };
template <>
inline constexpr auto kEnumNames<TpcnOrigemCombustivel> = std::to_array<EnumName<TpcnOrigemCombustivel>>({
    {ocNacional, "ocNacional"},
    {ocImportado, "ocImportado"},
});
std::string OrigemCombustivelParaCodigo(TpcnOrigemCombustivel valor);
TpcnOrigemCombustivel CodigoParaOrigemCombustivel(std::string_view codigo, bool &ok);
TpcnOrigemCombustivel CodigoParaOrigemCombustivel(std::string_view codigo);

// Reason of the ad-rem rate reduction (motRedAdRem). Unknown codes read as mraTransporteColetivo.
enum TpcnMotivoReducaoAdRem : std::uint8_t { mraTransporteColetivo, mraOutros };
template <>
inline constexpr auto kEnumNames<TpcnMotivoReducaoAdRem> = std::to_array<EnumName<TpcnMotivoReducaoAdRem>>({
    {mraTransporteColetivo, "mraTransporteColetivo"},
    {mraOutros, "mraOutros"},
});
std::string MotivoReducaoAdRemParaCodigo(TpcnMotivoReducaoAdRem valor);
TpcnMotivoReducaoAdRem CodigoParaMotivoReducaoAdRem(std::string_view codigo, bool &ok);
TpcnMotivoReducaoAdRem CodigoParaMotivoReducaoAdRem(std::string_view codigo);

// Reads the NF-e event codes (tpEvento): "110111" gives tevCancelamento, "110112"
// tevCancelamentoPorSubstituicao; unknown codes give tevNaoMapeado with ok false. Writing uses
// TipoEventoParaCodigo.
TpcnTipoEvento CodigoParaTipoEventoNFe(std::string_view codigo, bool &ok);
TpcnTipoEvento CodigoParaTipoEventoNFe(std::string_view codigo);

// Registration of the NF-e event-code reader under the document name "NFe". The registry
// already holds it from its first use, so the call is never needed and changes nothing; it
// stays for callers that make it.
void RegistraConversorTipoEventoNFe();
