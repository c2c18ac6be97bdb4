#include "foundation/codes/conversao_nfe.h"

#include <array>
#include <cstddef>

namespace {

// clang-format off
constexpr auto kServicoNFe = MakeCodeTable<TpcnServicoNFe>({
    {"NfeRecepcao", srvNfeRecepcao}, {"NfeRetRecepcao", srvNfeRetRecepcao},
    {"NfeCancelamento", srvNfeCancelamento}, {"NfeInutilizacao", srvNfeInutilizacao},
    {"NfeConsultaProtocolo", srvNfeConsultaProtocolo}, {"NfeStatusServico", srvNfeStatusServico},
    {"NfeConsultaCadastro", srvNfeConsultaCadastro}, {"RecepcaoEvento", srvRecepcaoEventoA},
    {"RecepcaoEvento", srvRecepcaoEvento}, {"RecepcaoEvento", srvRecepcaoEventoAN},
    {"NfeConsultaDest", srvNfeConsultaDest}, {"NfeDownloadNF", srvNfeDownloadNF},
    {"NfeAutorizacao", srvNfeAutorizacao}, {"NfeRetAutorizacao", srvNfeRetAutorizacao},
    {"AdministrarCSCNFCe", srvAdministrarCSCNFCe}, {"NFeDistribuicaoDFe", srvNFeDistribuicaoDFe},
    {"EventoEPEC", srvEventoEPEC},
});

constexpr auto kSchemaEvento = MakeCodeTable<TSchemaNFe>({
    {"e110111", schcancNFe}, {"e110110", schEnvCCe}, {"e110140", schEnvEPEC}, {"e110112", schCancSubst},
    {"e111500", schPedProrrog1}, {"e111501", schPedProrrog2}, {"e111502", schCanPedProrrog1},
    {"e111503", schCanPedProrrog2}, {"e210200", schManifDestConfirmacao}, {"e210210", schManifDestCiencia},
    {"e210220", schManifDestDesconhecimento}, {"e210240", schManifDestOperNaoRealizada},
    {"e110130", schCompEntrega}, {"e110131", schCancCompEntrega}, {"e110150", schAtorInteressadoNFe},
});
// clang-format on

// The request schema of each service, by ordinal.
// clang-format off
constexpr std::array<TSchemaNFe, EnumCount<TpcnServicoNFe>()> kSchemaDoServico{
    schNfe, // srvNfeRecepcao
    schconsReciNFe, // srvNfeRetRecepcao
    schcancNFe, // srvNfeCancelamento
    schInutNFe, // srvNfeInutilizacao
    schconsSitNFe, // srvNfeConsultaProtocolo
    schconsStatServ, // srvNfeStatusServico
    schconsCad, // srvNfeConsultaCadastro
    schenvEvento, // srvRecepcaoEventoA
    schenvEvento, // srvRecepcaoEvento
    schenvEvento, // srvRecepcaoEventoAN
    schconsNFeDest, // srvNfeConsultaDest
    schdownloadNFe, // srvNfeDownloadNF
    schNfe, // srvNfeAutorizacao
    schretEnviNFe, // srvNfeRetAutorizacao
    schadmCscNFCe, // srvAdministrarCSCNFCe
    schdistDFeInt, // srvNFeDistribuicaoDFe
    scheventoEPEC, // srvEventoEPEC
};

constexpr auto kModeloDF = MakeCodeTable<TpcnModeloDF>({
    {"55", moNFe}, {"65", moNFCe},
});

constexpr auto kVersaoDF = MakeCodeTable<TpcnVersaoDF>({
    {"2.00", ve200}, {"3.00", ve300}, {"3.10", ve310}, {"4.00", ve400},
});

constexpr auto kVersaoQrCode = MakeCodeTable<TpcnVersaoQrCode>({
    {"0", veqr000}, {"1", veqr100}, {"2", veqr200},
});

constexpr auto kFinalidadeEmissao = MakeCodeTable<TpcnFinalidadeEmissao>({
    {"1", feNormal}, {"2", feComplementar}, {"3", feAjuste}, {"4", feDevolucao},
});

constexpr auto kTipoOperacaoVeiculo = MakeCodeTable<TpcnTipoOperacaoVeiculo>({
    {"1", tovVendaConcessionaria}, {"2", tovFaturamentoDireto}, {"3", tovVendaDireta}, {"0", tovOutros},
});

constexpr auto kEstadoVeiculo = MakeCodeTable<TpcnEstadoVeiculo>({
    {"1", evAcabado}, {"2", evInacabado}, {"3", evSemiacabado},
});

constexpr auto kClasseArma = MakeCodeTable<TpcnClasseArma>({
    {"0", caUsoPermitido}, {"1", caUsoRestrito},
});

constexpr auto kEscalaProducao = MakeCodeTable<TpcnEscalaProducao>({
    {"S", epRelevante}, {"N", epNaoRelevante}, {"", epNenhum},
});

constexpr auto kContratacaoFrete = MakeCodeTable<TpcnContratacaoFrete>({
    {"0", cfRemetente}, {"1", cfDestinatario}, {"2", cfTerceiros}, {"3", cfProprioRemetente},
    {"4", cfProprioDestinatario}, {"9", cfSemFrete},
});

constexpr auto kPermissaoTransportador = MakeCodeTable<TpcnPermissaoTransportador>({
    {"0", ptNaoPermite}, {"1", ptPermite},
});

constexpr auto kIntermediacao = MakeCodeTable<TpcnIntermediacao>({
    {"", itmNenhum}, {"0", itmSemIntermediador}, {"1", itmComIntermediador},
});

constexpr auto kAtoConcessorio = MakeCodeTable<TpcnAtoConcessorio>({
    {"", acNenhum}, {"08", acTermoDeAcordo}, {"10", acRegimeEspecial}, {"12", acAutorizacaoEspecifica},
});

constexpr auto kOrigemCombustivel = MakeCodeTable<TpcnOrigemCombustivel>({
    {"0", ocNacional}, {"1", ocImportado},
});

constexpr auto kMotivoReducaoAdRem = MakeCodeTable<TpcnMotivoReducaoAdRem>({
    {"1", mraTransporteColetivo}, {"9", mraOutros},
});

constexpr auto kTipoEventoNFe = MakeCodeTable<TpcnTipoEvento>({
    {"-99999", tevNaoMapeado}, {"110110", tevCCe}, {"110111", tevCancelamento},
    {"110112", tevCancelamentoPorSubstituicao}, {"110140", tevEPECNFe}, {"111500", tevPedProrrog1},
    {"111501", tevPedProrrog2}, {"111502", tevCanPedProrrog1}, {"111503", tevCanPedProrrog2},
    {"210200", tevManifDestConfirmacao}, {"210210", tevManifDestCiencia},
    {"210220", tevManifDestDesconhecimento}, {"210240", tevManifDestOperNaoRealizada},
    {"610600", tevRegistroCTe}, {"610614", tevMDFeAutorizadoComCTe}, {"790700", tevAverbacaoExportacao},
    {"990900", tevVistoriaSuframa}, {"990910", tevConfInternalizacao}, {"110180", tevSemNome55},
    {"610554", tevRegPasAutMDFeComCte}, {"610510", tevRegPasNfeProMDFe},
    {"610615", tevCancelamentoMDFeAutComCTe}, {"610610", tevMDFeAutorizado}, {"110130", tevComprEntregaNFe},
    {"110131", tevCancComprEntregaNFe}, {"110150", tevAtorInteressadoNFe}, {"610130", tevComprEntregaCTe},
    {"610131", tevCancComprEntregaCTe}, {"610601", tevCTeCancelado},
});
// clang-format on

} // namespace

std::string ServicoNFeParaNome(TpcnServicoNFe valor)
{
    return EnumParaCodigo(valor, kServicoNFe);
}

TpcnServicoNFe NomeParaServicoNFe(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kServicoNFe, ok);
}

TpcnServicoNFe NomeParaServicoNFe(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kServicoNFe, ok);
}

std::string SchemaNFeParaNome(TSchemaNFe valor)
{
    const std::string_view nome = EnumValueName(valor);
    return nome.size() < 3 ? std::string{} : std::string(nome.substr(3));
}

std::string SchemaEventoParaNome(TSchemaNFe valor)
{
    return EnumParaCodigo(valor, kSchemaEvento);
}

TSchemaNFe ServicoNFeParaSchema(TpcnServicoNFe valor)
{
    const auto ordinal = static_cast<std::size_t>(valor);
    return ordinal < kSchemaDoServico.size() ? kSchemaDoServico[ordinal] : schErro;
}

std::string ModeloDFParaCodigo(TpcnModeloDF valor)
{
    return EnumParaCodigo(valor, kModeloDF);
}

TpcnModeloDF CodigoParaModeloDF(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kModeloDF, ok);
}

TpcnModeloDF CodigoParaModeloDF(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kModeloDF, ok);
}

std::string ModeloDFParaSigla(TpcnModeloDF valor)
{
    return valor == moNFCe ? "NFCe" : "NFe";
}

std::string VersaoDFParaCodigo(TpcnVersaoDF valor)
{
    return EnumParaCodigo(valor, kVersaoDF);
}

double VersaoDFParaNumero(TpcnVersaoDF valor)
{
    // clang-format off
    switch (valor) {
    case ve200: return 2.0;
    case ve300: return 3.0;
    case ve310: return 3.1;
    case ve400: return 4.0;
    }
    // clang-format on
    return 0;
}

TpcnVersaoDF NumeroParaVersaoDF(double numero, bool &ok)
{
    ok = true;
    // No double lies between the exact 3.1 and the double nearest to it, so comparing with
    // the double 3.1 reads "3.10" as ve310.
    if (numero < 3.0)
        return ve200;
    if (numero < 3.1)
        return ve300;
    if (numero < 4.0)
        return ve310;
    return ve400;
}

TpcnVersaoDF NumeroParaVersaoDF(double numero)
{
    bool ok = false;
    return NumeroParaVersaoDF(numero, ok);
}

std::string VersaoQrCodeParaCodigo(TpcnVersaoQrCode valor)
{
    return EnumParaCodigo(valor, kVersaoQrCode);
}

int VersaoQrCodeParaNumero(TpcnVersaoQrCode valor)
{
    // clang-format off
    switch (valor) {
    case veqr000: return 0;
    case veqr100: return 1;
    case veqr200: return 2;
    }
    // clang-format on
    return 0;
}

std::string FinalidadeEmissaoParaCodigo(TpcnFinalidadeEmissao valor)
{
    return EnumParaCodigo(valor, kFinalidadeEmissao);
}

TpcnFinalidadeEmissao CodigoParaFinalidadeEmissao(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kFinalidadeEmissao, ok);
}

TpcnFinalidadeEmissao CodigoParaFinalidadeEmissao(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kFinalidadeEmissao, ok);
}

std::string TipoOperacaoVeiculoParaCodigo(TpcnTipoOperacaoVeiculo valor)
{
    return EnumParaCodigo(valor, kTipoOperacaoVeiculo);
}

TpcnTipoOperacaoVeiculo CodigoParaTipoOperacaoVeiculo(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kTipoOperacaoVeiculo, ok);
}

TpcnTipoOperacaoVeiculo CodigoParaTipoOperacaoVeiculo(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kTipoOperacaoVeiculo, ok);
}

std::string EstadoVeiculoParaCodigo(TpcnEstadoVeiculo valor)
{
    return EnumParaCodigo(valor, kEstadoVeiculo);
}

TpcnEstadoVeiculo CodigoParaEstadoVeiculo(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kEstadoVeiculo, ok);
}

TpcnEstadoVeiculo CodigoParaEstadoVeiculo(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kEstadoVeiculo, ok);
}

std::string ClasseArmaParaCodigo(TpcnClasseArma valor)
{
    return EnumParaCodigo(valor, kClasseArma);
}

TpcnClasseArma CodigoParaClasseArma(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kClasseArma, ok);
}

TpcnClasseArma CodigoParaClasseArma(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kClasseArma, ok);
}

std::string EscalaProducaoParaCodigo(TpcnEscalaProducao valor)
{
    return EnumParaCodigo(valor, kEscalaProducao);
}

TpcnEscalaProducao CodigoParaEscalaProducao(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kEscalaProducao, ok);
}

TpcnEscalaProducao CodigoParaEscalaProducao(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kEscalaProducao, ok);
}

std::string ContratacaoFreteParaCodigo(TpcnContratacaoFrete valor)
{
    return EnumParaCodigo(valor, kContratacaoFrete);
}

TpcnContratacaoFrete CodigoParaContratacaoFrete(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kContratacaoFrete, ok);
}

TpcnContratacaoFrete CodigoParaContratacaoFrete(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kContratacaoFrete, ok);
}

std::string PermissaoTransportadorParaCodigo(TpcnPermissaoTransportador valor)
{
    return EnumParaCodigo(valor, kPermissaoTransportador);
}

TpcnPermissaoTransportador CodigoParaPermissaoTransportador(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kPermissaoTransportador, ok);
}

TpcnPermissaoTransportador CodigoParaPermissaoTransportador(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kPermissaoTransportador, ok);
}

std::string IntermediacaoParaCodigo(TpcnIntermediacao valor)
{
    return EnumParaCodigo(valor, kIntermediacao);
}

TpcnIntermediacao CodigoParaIntermediacao(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kIntermediacao, ok);
}

TpcnIntermediacao CodigoParaIntermediacao(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kIntermediacao, ok);
}

std::string AtoConcessorioParaCodigo(TpcnAtoConcessorio valor)
{
    return EnumParaCodigo(valor, kAtoConcessorio);
}

TpcnAtoConcessorio CodigoParaAtoConcessorio(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kAtoConcessorio, ok);
}

TpcnAtoConcessorio CodigoParaAtoConcessorio(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kAtoConcessorio, ok);
}

std::string OrigemCombustivelParaCodigo(TpcnOrigemCombustivel valor)
{
    return EnumParaCodigo(valor, kOrigemCombustivel);
}

TpcnOrigemCombustivel CodigoParaOrigemCombustivel(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kOrigemCombustivel, ok);
}

TpcnOrigemCombustivel CodigoParaOrigemCombustivel(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kOrigemCombustivel, ok);
}

std::string MotivoReducaoAdRemParaCodigo(TpcnMotivoReducaoAdRem valor)
{
    return EnumParaCodigo(valor, kMotivoReducaoAdRem);
}

TpcnMotivoReducaoAdRem CodigoParaMotivoReducaoAdRem(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kMotivoReducaoAdRem, ok);
}

TpcnMotivoReducaoAdRem CodigoParaMotivoReducaoAdRem(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kMotivoReducaoAdRem, ok);
}

TpcnTipoEvento CodigoParaTipoEventoNFe(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kTipoEventoNFe, ok);
}

TpcnTipoEvento CodigoParaTipoEventoNFe(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kTipoEventoNFe, ok);
}

void RegistraConversorTipoEventoNFe()
{
    const TConversorTipoEvento conversor = CodigoParaTipoEventoNFe;
    RegistraConversorTipoEvento(conversor, "NFe");
}
