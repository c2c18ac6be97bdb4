// Walks every layout enumeration: each value's code reads back as the value (except the
// many-to-one rows listed below), an unknown code reads as the table's fallback with ok false,
// and the names table matches the enumeration's ordinals.
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_itens.h"
#include "foundation/codes/conversao_nfe.h"

namespace {

// Values written with a code that reads back as another value.
struct ManyToOne {
    std::string_view value;
    std::string_view readsAs;
};

constexpr ManyToOne kManyToOne[] = {
    {"sti10Part", "sti10"},
    {"sti90Part", "sti90"},
    {"sti91", "sti90"},
    {"sti41Rep", "sti41"},
    {"sti60Rep", "sti60"},
    {"srvRecepcaoEventoA", "srvRecepcaoEventoAN"},
    {"srvRecepcaoEvento", "srvRecepcaoEventoAN"},
};

// A code that no table holds.
constexpr std::string_view kCodigoDesconhecido = "?x";

template <typename E> std::size_t ordinal(E value)
{
    return static_cast<std::size_t>(static_cast<std::underlying_type_t<E>>(value));
}

// Ordinals run 0, 1, 2 ... in table order; only an empty value may stand at 255.
template <typename E> void expectNamesTable()
{
    static_assert(EnumNamesInOrdinalOrder<E>());
    const auto &names = kEnumNames<E>;
    ASSERT_FALSE(names.empty());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (ordinal(names[i].value) == 255) {
            EXPECT_EQ(i, names.size() - 1) << names[i].name;
            EXPECT_TRUE(names[i].name.ends_with("Vazio")) << names[i].name;
        } else {
            EXPECT_EQ(ordinal(names[i].value), i) << names[i].name;
        }
    }
}

template <typename E> E readsBackAs(const EnumName<E> &row)
{
    for (const auto &entry : kManyToOne) {
        if (entry.value == row.name)
            return EnumValueFromName<E>(entry.readsAs).value();
    }
    return row.value;
}

template <typename E>
void expectRoundTrip(std::string (*paraCodigo)(E), E (*codigoPara)(std::string_view, bool &), E naoListado)
{
    expectNamesTable<E>();
    for (const auto &row : kEnumNames<E>) {
        const std::string codigo = paraCodigo(row.value);
        bool ok = false;
        const E lido = codigoPara(codigo, ok);
        EXPECT_TRUE(ok) << row.name << " -> \"" << codigo << '"';
        EXPECT_EQ(EnumValueName(lido), EnumValueName(readsBackAs(row)))
            << row.name << " -> \"" << codigo << '"';
    }
    bool ok = true;
    EXPECT_EQ(EnumValueName(codigoPara(kCodigoDesconhecido, ok)), EnumValueName(naoListado));
    EXPECT_FALSE(ok) << EnumValueName(naoListado);
}

// Read-only enumerations: the codes in ordinal order.
template <typename E>
void expectReads(E (*codigoPara)(std::string_view, bool &), const std::vector<std::string_view> &codigos)
{
    expectNamesTable<E>();
    ASSERT_EQ(codigos.size(), EnumCount<E>());
    for (std::size_t i = 0; i < codigos.size(); ++i) {
        bool ok = false;
        EXPECT_EQ(codigoPara(codigos[i], ok), kEnumNames<E>[i].value) << codigos[i];
        EXPECT_TRUE(ok) << codigos[i];
    }
    bool ok = true;
    EXPECT_EQ(codigoPara(kCodigoDesconhecido, ok), kEnumNames<E>[0].value);
    EXPECT_FALSE(ok);
}

TEST(CodeTables, EveryEnumerationRoundTrips)
{
    // Document codes.
    expectRoundTrip<TpcnTipoAmbiente>(TipoAmbienteParaCodigo, CodigoParaTipoAmbiente, taProducao);
    expectRoundTrip<TpcnTipoEmissao>(TipoEmissaoParaCodigo, CodigoParaTipoEmissao, teNormal);
    expectRoundTrip<TpcnTipoImpressao>(TipoImpressaoParaCodigo, CodigoParaTipoImpressao, tiSemGeracao);
    expectRoundTrip<TpcnProcEmissao>(ProcEmissaoParaCodigo, CodigoParaProcEmissao, pem0);
    expectRoundTrip<TpcnTipoDocFiscal>(TipoDocFiscalParaCodigo, CodigoParaTipoDocFiscal, tdf0);
    expectRoundTrip<TpcnLocalDestino>(LocalDestinoParaCodigo, CodigoParaLocalDestino, ld1);
    expectRoundTrip<TpcnIndConsumidorFinal>(IndConsumidorFinalParaCodigo, CodigoParaIndConsumidorFinal, icf0);
    expectRoundTrip<TpcnIndPresenca>(IndPresencaParaCodigo, CodigoParaIndPresenca, ipr0);
    expectRoundTrip<TpcnModeloECF>(ModeloECFParaCodigo, CodigoParaModeloECF, mecfVazio);
    expectRoundTrip<TpcnRegimeTributario>(RegimeTributarioParaCodigo, CodigoParaRegimeTributario, crt3);
    expectRoundTrip<TpcnIndIEDestinatario>(IndIEDestinatarioParaCodigo, CodigoParaIndIEDestinatario, iie1);

    // Item and tax codes.
    expectRoundTrip<TpcnOrigemProduto>(OrigemProdutoParaCodigo, CodigoParaOrigemProduto, opr0);
    expectRoundTrip<TpcnSitTributariaICMS>(SitTributariaICMSParaCodigo, CodigoParaSitTributariaICMS,
                                           stiVazio);
    expectRoundTrip<TpcnSitSimplesNacional>(SitSimplesNacionalParaCodigo, CodigoParaSitSimplesNacional,
                                            ssnVazio);
    expectRoundTrip<TpcnModalidadeBCICMS>(ModalidadeBCICMSParaCodigo, CodigoParaModalidadeBCICMS, mbc0);
    expectRoundTrip<TpcnModalidadeBCICMSST>(ModalidadeBCICMSSTParaCodigo, CodigoParaModalidadeBCICMSST, mbs0);
    expectRoundTrip<TpcnMotivoDesoneracao>(MotivoDesoneracaoParaCodigo, CodigoParaMotivoDesoneracao, mdi1);
    expectRoundTrip<TpcnSitTributariaIPI>(SitTributariaIPIParaCodigo, CodigoParaSitTributariaIPI, sip00);
    expectRoundTrip<TpcnSitTributariaPIS>(SitTributariaPISParaCodigo, CodigoParaSitTributariaPIS, stp01);
    expectRoundTrip<TpcnSitTributariaCOFINS>(SitTributariaCOFINSParaCodigo, CodigoParaSitTributariaCOFINS,
                                             stc01);
    expectRoundTrip<TpcnSomaPISST>(SomaPISSTParaCodigo, CodigoParaSomaPISST, spsVazio);
    expectRoundTrip<TpcnSomaCOFINSST>(SomaCOFINSSTParaCodigo, CodigoParaSomaCOFINSST, scsVazio);
    expectRoundTrip<TpcnIndSomaTotal>(IndSomaTotalParaCodigo, CodigoParaIndSomaTotal, ist0);
    expectRoundTrip<TpcnSitTributariaISSQN>(SitTributariaISSQNParaCodigo, CodigoParaSitTributariaISSQN,
                                            sisVazio);
    expectRoundTrip<TpcnExigibilidadeISS>(ExigibilidadeISSParaCodigo, CodigoParaExigibilidadeISS, eis1);
    expectRoundTrip<TpcnIncentivoFiscal>(IncentivoFiscalParaCodigo, CodigoParaIncentivoFiscal, ifi1);
    expectRoundTrip<TpcnRegimeEspecialISSQN>(RegimeEspecialISSQNParaCodigo, CodigoParaRegimeEspecialISSQN,
                                             rei0);
    expectRoundTrip<TpcnViaTransporteInternacional>(ViaTransporteInternacionalParaCodigo,
                                                    CodigoParaViaTransporteInternacional, vti1);
    expectRoundTrip<TpcnFormaImportacao>(FormaImportacaoParaCodigo, CodigoParaFormaImportacao, fim1);

    // Events, payments and other codes.
    expectRoundTrip<TpcnAutorEvento>(AutorEventoParaCodigo, CodigoParaAutorEvento, aev1);
    expectRoundTrip<TpcnIndFormaPagamento>(IndFormaPagamentoParaCodigo, CodigoParaIndFormaPagamento, ifp0);
    expectRoundTrip<TpcnMeioPagamento>(MeioPagamentoParaCodigo, CodigoParaMeioPagamento, mpDinheiro);
    expectRoundTrip<TpcnBandeiraOperadora>(BandeiraOperadoraParaCodigo, CodigoParaBandeiraOperadora, bdVisa);
    expectRoundTrip<TpcnIntegracaoPagamento>(IntegracaoPagamentoParaCodigo, CodigoParaIntegracaoPagamento,
                                             ipgVazio);
    expectRoundTrip<TpcnOrigemProcesso>(OrigemProcessoParaCodigo, CodigoParaOrigemProcesso, fpSefaz);
    expectRoundTrip<TpcnOperacaoCSC>(OperacaoCSCParaCodigo, CodigoParaOperacaoCSC, ocs1);
    expectReads<TpcnSituacaoResumoDFe>(CodigoParaSituacaoResumoDFe, {"1", "2", "3", "4"});
    expectReads<TpcnModalTransporte>(CodigoParaModalTransporte, {"01", "02", "03", "04", "05", "06"});

    // NF-e codes.
    expectRoundTrip<TpcnServicoNFe>(ServicoNFeParaNome, NomeParaServicoNFe, srvNfeRecepcao);
    expectRoundTrip<TpcnModeloDF>(ModeloDFParaCodigo, CodigoParaModeloDF, moNFe);
    expectRoundTrip<TpcnFinalidadeEmissao>(FinalidadeEmissaoParaCodigo, CodigoParaFinalidadeEmissao,
                                           feNormal);
    expectRoundTrip<TpcnTipoOperacaoVeiculo>(TipoOperacaoVeiculoParaCodigo, CodigoParaTipoOperacaoVeiculo,
                                             tovVendaConcessionaria);
    expectRoundTrip<TpcnEstadoVeiculo>(EstadoVeiculoParaCodigo, CodigoParaEstadoVeiculo, evAcabado);
    expectRoundTrip<TpcnClasseArma>(ClasseArmaParaCodigo, CodigoParaClasseArma, caUsoPermitido);
    expectRoundTrip<TpcnEscalaProducao>(EscalaProducaoParaCodigo, CodigoParaEscalaProducao, epRelevante);
    expectRoundTrip<TpcnContratacaoFrete>(ContratacaoFreteParaCodigo, CodigoParaContratacaoFrete,
                                          cfRemetente);
    expectRoundTrip<TpcnPermissaoTransportador>(PermissaoTransportadorParaCodigo,
                                                CodigoParaPermissaoTransportador, ptNaoPermite);
    expectRoundTrip<TpcnIntermediacao>(IntermediacaoParaCodigo, CodigoParaIntermediacao, itmNenhum);
    expectRoundTrip<TpcnAtoConcessorio>(AtoConcessorioParaCodigo, CodigoParaAtoConcessorio, acNenhum);
    expectRoundTrip<TpcnOrigemCombustivel>(OrigemCombustivelParaCodigo, CodigoParaOrigemCombustivel,
                                           ocNacional);
    expectRoundTrip<TpcnMotivoReducaoAdRem>(MotivoReducaoAdRemParaCodigo, CodigoParaMotivoReducaoAdRem,
                                            mraTransporteColetivo);
}

TEST(CodeTables, EnumerationsWithoutCodeToValueKeepTheirOrdinals)
{
    expectNamesTable<TpcnTagAssinatura>();
    expectNamesTable<TForcarGeracaoTag>();
    expectNamesTable<TDetFormato>();
    expectNamesTable<TSchemaDFe>();
    expectNamesTable<TSchemaNFe>();
    expectNamesTable<TpcnTipoEvento>();
    expectNamesTable<TpcnVersaoDF>();
    expectNamesTable<TpcnVersaoQrCode>();
    static_assert(EnumCount<TpcnTipoEvento>() == 71 && EnumCount<TSchemaNFe>() == 31 &&
                  EnumCount<TSchemaDFe>() == 15);
    static_assert(mbsVazio == 255 && mdiVazio == 255 && bdVazio == 255);
    static_assert(oprVazio == 10 && mbcVazio == 4 && stiVazio == 17 && sti61 == 24);

    for (const auto &row : kEnumNames<TpcnVersaoDF>) {
        bool ok = false;
        EXPECT_EQ(NumeroParaVersaoDF(VersaoDFParaNumero(row.value), ok), row.value) << row.name;
        EXPECT_TRUE(ok);
    }
    for (const auto &row : kEnumNames<TpcnVersaoQrCode>)
        EXPECT_EQ(VersaoQrCodeParaCodigo(row.value), std::to_string(VersaoQrCodeParaNumero(row.value)))
            << row.name;
}

TEST(CodeTables, EveryEventKindHasASixCharacterCodeAndNFeCodesReadBackToTheirCode)
{
    std::set<std::string> codigosNFe;
    for (const auto &row : kEnumNames<TpcnTipoEvento>) {
        const std::string codigo = TipoEventoParaCodigo(row.value);
        EXPECT_EQ(codigo.size(), 6u) << row.name;
        bool ok = false;
        const TpcnTipoEvento lido = CodigoParaTipoEventoNFe(codigo, ok);
        if (ok) {
            EXPECT_EQ(TipoEventoParaCodigo(lido), codigo) << row.name;
            codigosNFe.insert(codigo);
        } else {
            EXPECT_EQ(lido, tevNaoMapeado) << row.name;
        }
    }
    EXPECT_EQ(codigosNFe.size(), 29u);
}

} // namespace
