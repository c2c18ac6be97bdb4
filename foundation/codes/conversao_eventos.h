#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes/conversao_tabela.h"
#include "foundation/codes/enum_names.h"

// Layout codes of events, payments, referenced processes, the NFC-e security-code
// administration and distributed documents. Every pair reads codes without regard to letter
// case; a code that no row holds gives the value named in the enumeration's comment with ok
// false; a value without a row gives the empty text.

// Kinds of fiscal-document events. Each has a six-character layout code (tpEvento); several codes
// stand at two values, so reading a code belongs to each document type (see the registry below).
// clang-format off
enum TpcnTipoEvento : std::uint8_t {
    tevNaoMapeado, tevCCe, tevCancelamento, tevManifDestConfirmacao, tevManifDestCiencia,
    tevManifDestDesconhecimento, tevManifDestOperNaoRealizada, tevEncerramento, tevEPEC, tevInclusaoCondutor,
    tevMultiModal, tevRegistroPassagem, tevRegistroPassagemBRId, tevEPECNFe, tevRegistroCTe,
    tevRegistroPassagemNFeCancelado, tevRegistroPassagemNFeRFID, tevCTeCancelado, tevMDFeCancelado,
    tevVistoriaSuframa, tevPedProrrog1, tevPedProrrog2, tevCanPedProrrog1, tevCanPedProrrog2,
    tevEventoFiscoPP1, tevEventoFiscoPP2, tevEventoFiscoCPP1, tevEventoFiscoCPP2, tevRegistroPassagemNFe,
    tevConfInternalizacao, tevCTeAutorizado, tevMDFeAutorizado, tevPrestDesacordo, tevGTV, tevMDFeAutorizado2,
    tevNaoEmbarque, tevMDFeCancelado2, tevMDFeAutorizadoComCTe, tevRegPasNfeProMDFe, tevRegPasNfeProMDFeCte,
    tevRegPasAutMDFeComCte, tevCancelamentoMDFeAutComCTe, tevAverbacaoExportacao, tevAutCteComplementar,
    tevCancCteComplementar, tevCTeSubstituicao, tevCTeAnulacao, tevLiberacaoEPEC, tevLiberacaoPrazoCanc,
    tevAutorizadoRedespacho, tevAutorizadoRedespIntermed, tevAutorizadoSubcontratacao,
    tevAutorizadoServMultimodal, tevCancelamentoPorSubstituicao, tevAlteracaoPoltrona, tevSemNome55,
    tevSemNome56, tevSemNome57, tevSemNome58, tevSemNome59, tevSemNome60, tevSemNome61, tevExcessoBagagem,
    tevEncerramentoFisco, tevComprEntregaNFe, tevCancComprEntregaNFe, tevAtorInteressadoNFe,
    tevComprEntregaCTe, tevCancComprEntregaCTe, tevSemNome69, tevSemNome70,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnTipoEvento> = std::to_array<EnumName<TpcnTipoEvento>>({
    {tevNaoMapeado, "tevNaoMapeado"},
    {tevCCe, "tevCCe"},
    {tevCancelamento, "tevCancelamento"},
    {tevManifDestConfirmacao, "tevManifDestConfirmacao"},
    {tevManifDestCiencia, "tevManifDestCiencia"},
    {tevManifDestDesconhecimento, "tevManifDestDesconhecimento"},
    {tevManifDestOperNaoRealizada, "tevManifDestOperNaoRealizada"},
    {tevEncerramento, "tevEncerramento"},
    {tevEPEC, "tevEPEC"},
    {tevInclusaoCondutor, "tevInclusaoCondutor"},
    {tevMultiModal, "tevMultiModal"},
    {tevRegistroPassagem, "tevRegistroPassagem"},
    {tevRegistroPassagemBRId, "tevRegistroPassagemBRId"},
    {tevEPECNFe, "tevEPECNFe"},
    {tevRegistroCTe, "tevRegistroCTe"},
    {tevRegistroPassagemNFeCancelado, "tevRegistroPassagemNFeCancelado"},
    {tevRegistroPassagemNFeRFID, "tevRegistroPassagemNFeRFID"},
    {tevCTeCancelado, "tevCTeCancelado"},
    {tevMDFeCancelado, "tevMDFeCancelado"},
    {tevVistoriaSuframa, "tevVistoriaSuframa"},
    {tevPedProrrog1, "tevPedProrrog1"},
    {tevPedProrrog2, "tevPedProrrog2"},
    {tevCanPedProrrog1, "tevCanPedProrrog1"},
    {tevCanPedProrrog2, "tevCanPedProrrog2"},
    {tevEventoFiscoPP1, "tevEventoFiscoPP1"},
    {tevEventoFiscoPP2, "tevEventoFiscoPP2"},
    {tevEventoFiscoCPP1, "tevEventoFiscoCPP1"},
    {tevEventoFiscoCPP2, "tevEventoFiscoCPP2"},
    {tevRegistroPassagemNFe, "tevRegistroPassagemNFe"},
    {tevConfInternalizacao, "tevConfInternalizacao"},
    {tevCTeAutorizado, "tevCTeAutorizado"},
    {tevMDFeAutorizado, "tevMDFeAutorizado"},
    {tevPrestDesacordo, "tevPrestDesacordo"},
    {tevGTV, "tevGTV"},
    {tevMDFeAutorizado2, "tevMDFeAutorizado2"},
    {tevNaoEmbarque, "tevNaoEmbarque"},
    {tevMDFeCancelado2, "tevMDFeCancelado2"},
    {tevMDFeAutorizadoComCTe, "tevMDFeAutorizadoComCTe"},
    {tevRegPasNfeProMDFe, "tevRegPasNfeProMDFe"},
    {tevRegPasNfeProMDFeCte, "tevRegPasNfeProMDFeCte"},
    {tevRegPasAutMDFeComCte, "tevRegPasAutMDFeComCte"},
    {tevCancelamentoMDFeAutComCTe, "tevCancelamentoMDFeAutComCTe"},
    {tevAverbacaoExportacao, "tevAverbacaoExportacao"},
    {tevAutCteComplementar, "tevAutCteComplementar"},
    {tevCancCteComplementar, "tevCancCteComplementar"},
    {tevCTeSubstituicao, "tevCTeSubstituicao"},
    {tevCTeAnulacao, "tevCTeAnulacao"},
    {tevLiberacaoEPEC, "tevLiberacaoEPEC"},
    {tevLiberacaoPrazoCanc, "tevLiberacaoPrazoCanc"},
    {tevAutorizadoRedespacho, "tevAutorizadoRedespacho"},
    {tevAutorizadoRedespIntermed, "tevAutorizadoRedespIntermed"},
    {tevAutorizadoSubcontratacao, "tevAutorizadoSubcontratacao"},
    {tevAutorizadoServMultimodal, "tevAutorizadoServMultimodal"},
    {tevCancelamentoPorSubstituicao, "tevCancelamentoPorSubstituicao"},
    {tevAlteracaoPoltrona, "tevAlteracaoPoltrona"},
    {tevSemNome55, "tevSemNome55"},
    {tevSemNome56, "tevSemNome56"},
    {tevSemNome57, "tevSemNome57"},
    {tevSemNome58, "tevSemNome58"},
    {tevSemNome59, "tevSemNome59"},
    {tevSemNome60, "tevSemNome60"},
    {tevSemNome61, "tevSemNome61"},
    {tevExcessoBagagem, "tevExcessoBagagem"},
    {tevEncerramentoFisco, "tevEncerramentoFisco"},
    {tevComprEntregaNFe, "tevComprEntregaNFe"},
    {tevCancComprEntregaNFe, "tevCancComprEntregaNFe"},
    {tevAtorInteressadoNFe, "tevAtorInteressadoNFe"},
    {tevComprEntregaCTe, "tevComprEntregaCTe"},
    {tevCancComprEntregaCTe, "tevCancComprEntregaCTe"},
    {tevSemNome69, "tevSemNome69"},
    {tevSemNome70, "tevSemNome70"},
});
// The layout code of the event kind ("110111" for tevCancelamento); empty for a value outside
// the enumeration.
std::string TipoEventoParaCodigo(TpcnTipoEvento valor);
// The name under which the event's files are filed ("Cancelamento"); empty for the kinds
// without a stored name (tevSemNome55 ... tevSemNome70).
std::string TipoEventoParaNome(TpcnTipoEvento valor);

// Reads an event code of one document type.
using TConversorTipoEvento = TpcnTipoEvento (*)(std::string_view codigo, bool &ok);

// One entry of the event-code converter registry.
struct TStrToTpEventoDFe {
    TConversorTipoEvento conversor;
    std::string nomeDocumento; // upper case
};

// The registry is process-wide, created on first use already holding the NF-e reader
// (CodigoParaTipoEventoNFe) under "NFe", and safe to use from any thread.
// Registers the converter of a document type under its name (compared without regard to
// ASCII case). The first registration for a name stays; later ones are dropped.
void RegistraConversorTipoEvento(TConversorTipoEvento conversor, std::string_view nomeDocumento);

// Reads an event code through the converter registered for the document name, which sets ok.
// With no converter for the name: tevNaoMapeado with ok false.
TpcnTipoEvento CodigoParaTipoEventoDoc(std::string_view codigo, std::string_view nomeDocumento, bool &ok);

// Author of an event (tpAutor). Unknown codes read as aev1.
enum TpcnAutorEvento : std::uint8_t { aev1, aev2, aev3, aev5, aev6, aev9 };
template <>
inline constexpr auto kEnumNames<TpcnAutorEvento> = std::to_array<EnumName<TpcnAutorEvento>>({
    {aev1, "aev1"},
    {aev2, "aev2"},
    {aev3, "aev3"},
    {aev5, "aev5"},
    {aev6, "aev6"},
    {aev9, "aev9"},
});
std::string AutorEventoParaCodigo(TpcnAutorEvento valor);
TpcnAutorEvento CodigoParaAutorEvento(std::string_view codigo, bool &ok);
TpcnAutorEvento CodigoParaAutorEvento(std::string_view codigo);

// Indicator of the form of payment (indPag). The empty code reads as ifpVazio; unknown codes
// read as ifp0.
enum TpcnIndFormaPagamento : std::uint8_t { ifp0, ifp1, ifp2, ifpVazio };
template <>
inline constexpr auto kEnumNames<TpcnIndFormaPagamento> = std::to_array<EnumName<TpcnIndFormaPagamento>>({
    {ifp0, "ifp0"},
    {ifp1, "ifp1"},
    {ifp2, "ifp2"},
    {ifpVazio, "ifpVazio"},
});
std::string IndFormaPagamentoParaCodigo(TpcnIndFormaPagamento valor);
TpcnIndFormaPagamento CodigoParaIndFormaPagamento(std::string_view codigo, bool &ok);
TpcnIndFormaPagamento CodigoParaIndFormaPagamento(std::string_view codigo);

// Means of payment (tPag). Unknown codes read as mpDinheiro.
// clang-format off
enum TpcnMeioPagamento : std::uint8_t {
    mpDinheiro, mpCheque, mpCartaoCredito, mpCartaoDebito, mpCreditoLoja, mpValeAlimentacao, mpValeRefeicao,
    mpValePresente, mpValeCombustivel, mpDuplicataMercantil, mpBoletoBancario, mpDepositoBancario,
    mpPagamentoInstantaneo, mpTransferenciaBancaria, mpProgramaFidelidade, mpSemPagamento,
    mpRegimeEspecialNFF, mpOutro,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnMeioPagamento> = std::to_array<EnumName<TpcnMeioPagamento>>({
    {mpDinheiro, "mpDinheiro"},
    {mpCheque, "mpCheque"},
    {mpCartaoCredito, "mpCartaoCredito"},
    {mpCartaoDebito, "mpCartaoDebito"},
    {mpCreditoLoja, "mpCreditoLoja"},
    {mpValeAlimentacao, "mpValeAlimentacao"},
    {mpValeRefeicao, "mpValeRefeicao"},
    {mpValePresente, "mpValePresente"},
    {mpValeCombustivel, "mpValeCombustivel"},
    {mpDuplicataMercantil, "mpDuplicataMercantil"},
    {mpBoletoBancario, "mpBoletoBancario"},
    {mpDepositoBancario, "mpDepositoBancario"},
    {mpPagamentoInstantaneo, "mpPagamentoInstantaneo"},
    {mpTransferenciaBancaria, "mpTransferenciaBancaria"},
    {mpProgramaFidelidade, "mpProgramaFidelidade"},
    {mpSemPagamento, "mpSemPagamento"},
    {mpRegimeEspecialNFF, "mpRegimeEspecialNFF"},
    {mpOutro, "mpOutro"},
});
std::string MeioPagamentoParaCodigo(TpcnMeioPagamento valor);
TpcnMeioPagamento CodigoParaMeioPagamento(std::string_view codigo, bool &ok);
TpcnMeioPagamento CodigoParaMeioPagamento(std::string_view codigo);
// The receipt text of the means of payment; for mpOutro a non-empty free description (xPag)
// is given back unchanged.
std::string MeioPagamentoDescricao(TpcnMeioPagamento valor, std::string_view descricaoLivre);

// Card brand of a card payment (tBand). The empty value has ordinal 255 and reads from the empty
// code; unknown codes read as bdVisa.
// clang-format off
enum TpcnBandeiraOperadora : std::uint8_t {
    bdVisa, bdMasterCard, bdAmericanExpress, bdSorocred, bdDinersClub, bdElo, bdHipercard, bdAura, bdCabal,
    bdAlelo, bdBanesCard, bdCalCard, bdCredz, bdDiscover, bdGoodCard, bdGreenCard, bdHiper, bdJcB, bdMais,
    bdMaxVan, bdPolicard, bdRedeCompras, bdSodexo, bdValeCard, bdVerocheque, bdVR, bdTicket, bdOutros,
    bdVazio = 255,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TpcnBandeiraOperadora> = std::to_array<EnumName<TpcnBandeiraOperadora>>({
    {bdVisa, "bdVisa"},
    {bdMasterCard, "bdMasterCard"},
    {bdAmericanExpress, "bdAmericanExpress"},
    {bdSorocred, "bdSorocred"},
    {bdDinersClub, "bdDinersClub"},
    {bdElo, "bdElo"},
    {bdHipercard, "bdHipercard"},
    {bdAura, "bdAura"},
    {bdCabal, "bdCabal"},
    {bdAlelo, "bdAlelo"},
    {bdBanesCard, "bdBanesCard"},
    {bdCalCard, "bdCalCard"},
    {bdCredz, "bdCredz"},
    {bdDiscover, "bdDiscover"},
    {bdGoodCard, "bdGoodCard"},
    {bdGreenCard, "bdGreenCard"},
    {bdHiper, "bdHiper"},
    {bdJcB, "bdJcB"},
    {bdMais, "bdMais"},
    {bdMaxVan, "bdMaxVan"},
    {bdPolicard, "bdPolicard"},
    {bdRedeCompras, "bdRedeCompras"},
    {bdSodexo, "bdSodexo"},
    {bdValeCard, "bdValeCard"},
    {bdVerocheque, "bdVerocheque"},
    {bdVR, "bdVR"},
    {bdTicket, "bdTicket"},
    {bdOutros, "bdOutros"},
    {bdVazio, "bdVazio"},
});
std::string BandeiraOperadoraParaCodigo(TpcnBandeiraOperadora valor);
TpcnBandeiraOperadora CodigoParaBandeiraOperadora(std::string_view codigo, bool &ok);
TpcnBandeiraOperadora CodigoParaBandeiraOperadora(std::string_view codigo);
// The receipt text of the card brand ("Diners Club"); empty for bdVazio.
std::string BandeiraOperadoraDescricao(TpcnBandeiraOperadora valor);

// Integration of a card payment (tpIntegra). Unknown codes read as ipgVazio.
enum TpcnIntegracaoPagamento : std::uint8_t { ipgVazio, ipg1, ipg2 };
template <>
inline constexpr auto kEnumNames<TpcnIntegracaoPagamento> = std::to_array<EnumName<TpcnIntegracaoPagamento>>({
    {ipgVazio, "ipgVazio"},
    {ipg1, "ipg1"},
    {ipg2, "ipg2"},
});
std::string IntegracaoPagamentoParaCodigo(TpcnIntegracaoPagamento valor);
TpcnIntegracaoPagamento CodigoParaIntegracaoPagamento(std::string_view codigo, bool &ok);
TpcnIntegracaoPagamento CodigoParaIntegracaoPagamento(std::string_view codigo);

// Origin of a referenced process (indProc). Unknown codes read as fpSefaz.
enum TpcnOrigemProcesso : std::uint8_t { fpSefaz, fpJusticaFederal, fpJusticaEstadual, fpSecexRFB, fpOutros };
template <>
inline constexpr auto kEnumNames<TpcnOrigemProcesso> = std::to_array<EnumName<TpcnOrigemProcesso>>({
    {fpSefaz, "fpSefaz"},
    {fpJusticaFederal, "fpJusticaFederal"},
    {fpJusticaEstadual, "fpJusticaEstadual"},
    {fpSecexRFB, "fpSecexRFB"},
    {fpOutros, "fpOutros"},
});
std::string OrigemProcessoParaCodigo(TpcnOrigemProcesso valor);
TpcnOrigemProcesso CodigoParaOrigemProcesso(std::string_view codigo, bool &ok);
TpcnOrigemProcesso CodigoParaOrigemProcesso(std::string_view codigo);
// The DANFE text of the origin ("JUSTIÇA FEDERAL").
std::string OrigemProcessoDescricao(TpcnOrigemProcesso valor);

// Operation of the NFC-e security-code administration (indOp). Unknown codes read as ocs1.
enum TpcnOperacaoCSC : std::uint8_t { ocs1, ocs2, ocs3 };
template <>
inline constexpr auto kEnumNames<TpcnOperacaoCSC> = std::to_array<EnumName<TpcnOperacaoCSC>>({
    {ocs1, "ocs1"},
    {ocs2, "ocs2"},
    {ocs3, "ocs3"},
});
std::string OperacaoCSCParaCodigo(TpcnOperacaoCSC valor);
TpcnOperacaoCSC CodigoParaOperacaoCSC(std::string_view codigo, bool &ok);
TpcnOperacaoCSC CodigoParaOperacaoCSC(std::string_view codigo);

// Situation in a distributed document summary (cSitNFe); read only. Unknown codes read as srd1.
enum TpcnSituacaoResumoDFe : std::uint8_t { srd1, srd2, srd3, srd4 };
template <>
inline constexpr auto kEnumNames<TpcnSituacaoResumoDFe> = std::to_array<EnumName<TpcnSituacaoResumoDFe>>({
    {srd1, "srd1"},
    {srd2, "srd2"},
    {srd3, "srd3"},
    {srd4, "srd4"},
});
TpcnSituacaoResumoDFe CodigoParaSituacaoResumoDFe(std::string_view codigo, bool &ok);
TpcnSituacaoResumoDFe CodigoParaSituacaoResumoDFe(std::string_view codigo);

// Transport mode in the detail of a distributed event (modal); read only. Unknown codes read
// as mtr01.
enum TpcnModalTransporte : std::uint8_t { mtr01, mtr02, mtr03, mtr04, mtr05, mtr06 };
template <>
inline constexpr auto kEnumNames<TpcnModalTransporte> = std::to_array<EnumName<TpcnModalTransporte>>({
    {mtr01, "mtr01"},
    {mtr02, "mtr02"},
    {mtr03, "mtr03"},
    {mtr04, "mtr04"},
    {mtr05, "mtr05"},
    {mtr06, "mtr06"},
});
TpcnModalTransporte CodigoParaModalTransporte(std::string_view codigo, bool &ok);
TpcnModalTransporte CodigoParaModalTransporte(std::string_view codigo);

// Schema of a distributed document; its value names are the keys.
// clang-format off
enum TSchemaDFe : std::uint8_t {
    schresNFe, schresEvento, schprocNFe, schprocEventoNFe, schresCTe, schprocCTe, schprocCTeOS,
    schprocEventoCTe, schresMDFe, schprocMDFe, schprocEventoMDFe, schresBPe, schprocBPe, schprocEventoBPe,
    schprocGTVe,
};
// clang-format on
template <>
inline constexpr auto kEnumNames<TSchemaDFe> = std::to_array<EnumName<TSchemaDFe>>({
    {schresNFe, "schresNFe"},
    {schresEvento, "schresEvento"},
    {schprocNFe, "schprocNFe"},
    {schprocEventoNFe, "schprocEventoNFe"},
    {schresCTe, "schresCTe"},
    {schprocCTe, "schprocCTe"},
    {schprocCTeOS, "schprocCTeOS"},
    {schprocEventoCTe, "schprocEventoCTe"},
    {schresMDFe, "schresMDFe"},
    {schprocMDFe, "schprocMDFe"},
    {schprocEventoMDFe, "schprocEventoMDFe"},
    {schresBPe, "schresBPe"},
    {schprocBPe, "schprocBPe"},
    {schprocEventoBPe, "schprocEventoBPe"},
    {schprocGTVe, "schprocGTVe"},
});
// The schema of a distributed document from its schema attribute ("resNFe_v1.01"): the part
// before the first "_", with "sch" put in front unless it begins with exactly "sch", looked up
// among the value names without regard to ASCII case. Throws EQuibException when not listed.
TSchemaDFe TextoParaSchemaDFe(std::string_view texto);
