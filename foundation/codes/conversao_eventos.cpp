#include "foundation/codes/conversao_eventos.h"

#include <cstddef>
#include <mutex>
#include <vector>

#include "foundation/base/quib_exception.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/text/text_utils.h"

namespace {

// clang-format off
constexpr auto kTipoEventoCodigo = MakeCodeTable<TpcnTipoEvento>({
    {"-99999", tevNaoMapeado}, {"110110", tevCCe}, {"110111", tevCancelamento},
    {"210200", tevManifDestConfirmacao}, {"210210", tevManifDestCiencia},
    {"210220", tevManifDestDesconhecimento}, {"210240", tevManifDestOperNaoRealizada},
    {"110112", tevEncerramento}, {"110113", tevEPEC}, {"110114", tevInclusaoCondutor},
    {"110160", tevMultiModal}, {"310620", tevRegistroPassagem}, {"510620", tevRegistroPassagemBRId},
    {"110140", tevEPECNFe}, {"610600", tevRegistroCTe}, {"610501", tevRegistroPassagemNFeCancelado},
    {"610550", tevRegistroPassagemNFeRFID}, {"610601", tevCTeCancelado}, {"610611", tevMDFeCancelado},
    {"990900", tevVistoriaSuframa}, {"111500", tevPedProrrog1}, {"111501", tevPedProrrog2},
    {"111502", tevCanPedProrrog1}, {"111503", tevCanPedProrrog2}, {"411500", tevEventoFiscoPP1},
    {"411501", tevEventoFiscoPP2}, {"411502", tevEventoFiscoCPP1}, {"411503", tevEventoFiscoCPP2},
    {"610500", tevRegistroPassagemNFe}, {"990910", tevConfInternalizacao}, {"000000", tevCTeAutorizado},
    {"610610", tevMDFeAutorizado}, {"610110", tevPrestDesacordo}, {"110170", tevGTV},
    {"310610", tevMDFeAutorizado2}, {"110115", tevNaoEmbarque}, {"310611", tevMDFeCancelado2},
    {"610614", tevMDFeAutorizadoComCTe}, {"610510", tevRegPasNfeProMDFe}, {"610514", tevRegPasNfeProMDFeCte},
    {"610554", tevRegPasAutMDFeComCte}, {"610615", tevCancelamentoMDFeAutComCTe},
    {"790700", tevAverbacaoExportacao}, {"240130", tevAutCteComplementar}, {"240131", tevCancCteComplementar},
    {"240140", tevCTeSubstituicao}, {"240150", tevCTeAnulacao}, {"240160", tevLiberacaoEPEC},
    {"240170", tevLiberacaoPrazoCanc}, {"440130", tevAutorizadoRedespacho},
    {"440140", tevAutorizadoRedespIntermed}, {"440150", tevAutorizadoSubcontratacao},
    {"440160", tevAutorizadoServMultimodal}, {"110112", tevCancelamentoPorSubstituicao},
    {"110116", tevAlteracaoPoltrona}, {"110180", tevSemNome55}, {"110181", tevSemNome56},
    {"110115", tevSemNome57}, {"240140", tevSemNome58}, {"240150", tevSemNome59}, {"240170", tevSemNome60},
    {"110116", tevSemNome61}, {"110117", tevExcessoBagagem}, {"310112", tevEncerramentoFisco},
    {"110130", tevComprEntregaNFe}, {"110131", tevCancComprEntregaNFe}, {"110150", tevAtorInteressadoNFe},
    {"610130", tevComprEntregaCTe}, {"610131", tevCancComprEntregaCTe}, {"110117", tevSemNome69},
    {"110118", tevSemNome70},
});

constexpr auto kTipoEventoNome = MakeCodeTable<TpcnTipoEvento>({
    {"NaoMapeado", tevNaoMapeado}, {"CCe", tevCCe}, {"Cancelamento", tevCancelamento},
    {"ManifDestConfirmacao", tevManifDestConfirmacao}, {"ManifDestCiencia", tevManifDestCiencia},
    {"ManifDestDesconhecimento", tevManifDestDesconhecimento},
    {"ManifDestOperNaoRealizada", tevManifDestOperNaoRealizada}, {"Encerramento", tevEncerramento},
    {"EPEC", tevEPEC}, {"InclusaoCondutor", tevInclusaoCondutor}, {"MultiModal", tevMultiModal},
    {"RegistroPassagem", tevRegistroPassagem}, {"RegistroPassagemBRId", tevRegistroPassagemBRId},
    {"EPECNFe", tevEPECNFe}, {"RegistroCTe", tevRegistroCTe},
    {"RegistroPassagemNFeCancelado", tevRegistroPassagemNFeCancelado},
    {"RegistroPassagemNFeRFID", tevRegistroPassagemNFeRFID}, {"CTeCancelado", tevCTeCancelado},
    {"MDFeCancelado", tevMDFeCancelado}, {"VistoriaSuframa", tevVistoriaSuframa},
    {"PedProrrog1", tevPedProrrog1}, {"PedProrrog2", tevPedProrrog2}, {"CanPedProrrog1", tevCanPedProrrog1},
    {"CanPedProrrog2", tevCanPedProrrog2}, {"EventoFiscoPP1", tevEventoFiscoPP1},
    {"EventoFiscoPP2", tevEventoFiscoPP2}, {"EventoFiscoCPP1", tevEventoFiscoCPP1},
    {"EventoFiscoCPP2", tevEventoFiscoCPP2}, {"RegistroPassagemNFe", tevRegistroPassagemNFe},
    {"ConfInternalizacao", tevConfInternalizacao}, {"CTeAutorizado", tevCTeAutorizado},
    {"MDFeAutorizado", tevMDFeAutorizado}, {"PrestDesacordo", tevPrestDesacordo}, {"GTV", tevGTV},
    {"MDFeAutorizado2", tevMDFeAutorizado2}, {"NaoEmbarque", tevNaoEmbarque},
    {"MDFeCancelado2", tevMDFeCancelado2}, {"MDFeAutorizadoComCTe", tevMDFeAutorizadoComCTe},
    {"RegPasNfeProMDFe", tevRegPasNfeProMDFe}, {"RegPasNfeProMDFeCte", tevRegPasNfeProMDFeCte},
    {"RegPasAutMDFeComCte", tevRegPasAutMDFeComCte},
    {"CancelamentoMDFeAutComCTe", tevCancelamentoMDFeAutComCTe},
    {"AverbacaoExportacao", tevAverbacaoExportacao}, {"AutCteComplementar", tevAutCteComplementar},
    {"CancCteComplementar", tevCancCteComplementar}, {"CTeSubstituicao", tevCTeSubstituicao},
    {"CTeAnulacao", tevCTeAnulacao}, {"LiberacaoEPEC", tevLiberacaoEPEC},
    {"LiberacaoPrazoCanc", tevLiberacaoPrazoCanc}, {"AutorizadoRedespacho", tevAutorizadoRedespacho},
    {"AutorizadoRedespIntermed", tevAutorizadoRedespIntermed},
    {"AutorizadoSubcontratacao", tevAutorizadoSubcontratacao},
    {"AutorizadoServMultimodal", tevAutorizadoServMultimodal},
    {"CancelamentoPorSubstituicao", tevCancelamentoPorSubstituicao},
    {"AlteracaoPoltrona", tevAlteracaoPoltrona}, {"ExcessoBagagem", tevExcessoBagagem},
    {"EncerramentoFisco", tevEncerramentoFisco}, {"teComprEntregaNFe", tevComprEntregaNFe},
    {"CancComprEntregaNFe", tevCancComprEntregaNFe}, {"AtorInteressadoNFe", tevAtorInteressadoNFe},
    {"teComprEntregaCTe", tevComprEntregaCTe}, {"CancComprEntregaCTe", tevCancComprEntregaCTe},
});
// clang-format on

// The process-wide registry. It is created, once and thread-safely, on first
// use already holding the NF-e reader under "NFe", so every program reads NF-e
// event codes without a start-up call; registrations of other document types
// and lookups may then come from any thread.
class RegistroConversores {
  public:
    RegistroConversores()
    {
        const TConversorTipoEvento nfe = CodigoParaTipoEventoNFe;
        entradas_.push_back({nfe, "NFE"});
    }

    // The converter registered for the name; null when none.
    TConversorTipoEvento conversor(std::string_view nomeDocumento)
    {
        const std::lock_guard<std::mutex> trava(trava_);
        const TStrToTpEventoDFe *entrada = procura(nomeDocumento);
        return entrada == nullptr ? nullptr : entrada->conversor;
    }

    void registra(TConversorTipoEvento conversor, std::string_view nomeDocumento)
    {
        const std::lock_guard<std::mutex> trava(trava_);
        if (procura(nomeDocumento) == nullptr)
            entradas_.push_back({conversor, upperAscii(nomeDocumento)});
    }

  private:
    const TStrToTpEventoDFe *procura(std::string_view nomeDocumento) const
    {
        for (const auto &entrada : entradas_) {
            if (compareCodesIgnoringCase(entrada.nomeDocumento, nomeDocumento) == 0)
                return &entrada;
        }
        return nullptr;
    }

    std::mutex trava_;
    std::vector<TStrToTpEventoDFe> entradas_;
};

RegistroConversores &registroConversores()
{
    static RegistroConversores registro;
    return registro;
}

// clang-format off
constexpr auto kAutorEvento = MakeCodeTable<TpcnAutorEvento>({
    {"1", aev1}, {"2", aev2}, {"3", aev3}, {"5", aev5}, {"6", aev6}, {"9", aev9},
});

constexpr auto kIndFormaPagamento = MakeCodeTable<TpcnIndFormaPagamento>({
    {"0", ifp0}, {"1", ifp1}, {"2", ifp2}, {"", ifpVazio},
});

constexpr auto kMeioPagamento = MakeCodeTable<TpcnMeioPagamento>({
    {"01", mpDinheiro}, {"02", mpCheque}, {"03", mpCartaoCredito}, {"04", mpCartaoDebito},
    {"05", mpCreditoLoja}, {"10", mpValeAlimentacao}, {"11", mpValeRefeicao}, {"12", mpValePresente},
    {"13", mpValeCombustivel}, {"14", mpDuplicataMercantil}, {"15", mpBoletoBancario},
    {"16", mpDepositoBancario}, {"17", mpPagamentoInstantaneo}, {"18", mpTransferenciaBancaria},
    {"19", mpProgramaFidelidade}, {"90", mpSemPagamento}, {"98", mpRegimeEspecialNFF}, {"99", mpOutro},
});

constexpr auto kMeioPagamentoDescricao = MakeCodeTable<TpcnMeioPagamento>({
    {"Dinheiro", mpDinheiro}, {"Cheque", mpCheque}, {"Cartão de Crédito", mpCartaoCredito},
    {"Cartão de Débito", mpCartaoDebito}, {"Crédito Loja", mpCreditoLoja},
    {"Vale Alimentação", mpValeAlimentacao}, {"Vale Refeição", mpValeRefeicao},
    {"Vale Presente", mpValePresente}, {"Vale Combustível", mpValeCombustivel},
    {"Duplicata Mercantil", mpDuplicataMercantil}, {"Boleto Bancário", mpBoletoBancario},
    {"Deposito Bancário", mpDepositoBancario}, {"Pagamento Instantâneo (PIX)", mpPagamentoInstantaneo},
    {"Transferência Bancária", mpTransferenciaBancaria}, {"Programa Fidelidade", mpProgramaFidelidade},
    {"Sem Pagamento", mpSemPagamento}, {"Regime Especial NFF", mpRegimeEspecialNFF}, {"Outro", mpOutro},
});

constexpr auto kBandeiraOperadora = MakeCodeTable<TpcnBandeiraOperadora>({
    {"01", bdVisa}, {"02", bdMasterCard}, {"03", bdAmericanExpress}, {"04", bdSorocred}, {"05", bdDinersClub},
    {"06", bdElo}, {"07", bdHipercard}, {"08", bdAura}, {"09", bdCabal}, {"10", bdAlelo}, {"11", bdBanesCard},
    {"12", bdCalCard}, {"13", bdCredz}, {"14", bdDiscover}, {"15", bdGoodCard}, {"16", bdGreenCard},
    {"17", bdHiper}, {"18", bdJcB}, {"19", bdMais}, {"20", bdMaxVan}, {"21", bdPolicard},
    {"22", bdRedeCompras}, {"23", bdSodexo}, {"24", bdValeCard}, {"25", bdVerocheque}, {"26", bdVR},
    {"27", bdTicket}, {"99", bdOutros}, {"", bdVazio},
});

constexpr auto kBandeiraOperadoraDescricao = MakeCodeTable<TpcnBandeiraOperadora>({
    {"Visa", bdVisa}, {"MasterCard", bdMasterCard}, {"AmericanExpress", bdAmericanExpress},
    {"Sorocred", bdSorocred}, {"Diners Club", bdDinersClub}, {"Elo", bdElo}, {"Hipercard", bdHipercard},
    {"Aura", bdAura}, {"Cabal", bdCabal}, {"Alelo", bdAlelo}, {"BanesCard", bdBanesCard},
    {"CalCard", bdCalCard}, {"Credz", bdCredz}, {"Discover", bdDiscover}, {"GoodCard", bdGoodCard},
    {"GreenCard", bdGreenCard}, {"Hiper", bdHiper}, {"JcB", bdJcB}, {"Mais", bdMais}, {"MaxVan", bdMaxVan},
    {"Policard", bdPolicard}, {"RedeCompras", bdRedeCompras}, {"Sodexo", bdSodexo}, {"ValeCard", bdValeCard},
    {"Verocheque", bdVerocheque}, {"VR", bdVR}, {"Ticket", bdTicket}, {"Outros", bdOutros}, {"", bdVazio},
});

constexpr auto kIntegracaoPagamento = MakeCodeTable<TpcnIntegracaoPagamento>({
    {"", ipgVazio}, {"1", ipg1}, {"2", ipg2},
});

constexpr auto kOrigemProcesso = MakeCodeTable<TpcnOrigemProcesso>({
    {"0", fpSefaz}, {"1", fpJusticaFederal}, {"2", fpJusticaEstadual}, {"3", fpSecexRFB}, {"9", fpOutros},
});

constexpr auto kOrigemProcessoDescricao = MakeCodeTable<TpcnOrigemProcesso>({
    {"SEFAZ", fpSefaz}, {"JUSTIÇA FEDERAL", fpJusticaFederal}, {"JUSTIÇA ESTADUAL", fpJusticaEstadual},
    {"SECEX / RFB", fpSecexRFB}, {"OUTROS", fpOutros},
});

constexpr auto kOperacaoCSC = MakeCodeTable<TpcnOperacaoCSC>({
    {"1", ocs1}, {"2", ocs2}, {"3", ocs3},
});

constexpr auto kSituacaoResumoDFe = MakeCodeTable<TpcnSituacaoResumoDFe>({
    {"1", srd1}, {"2", srd2}, {"3", srd3}, {"4", srd4},
});

constexpr auto kModalTransporte = MakeCodeTable<TpcnModalTransporte>({
    {"01", mtr01}, {"02", mtr02}, {"03", mtr03}, {"04", mtr04}, {"05", mtr05}, {"06", mtr06},
});
// clang-format on

// The value names of TSchemaDFe without their "sch" prefix.
constexpr auto kSchemaDFeSemPrefixo = [] {
    constexpr auto &nomes = kEnumNames<TSchemaDFe>;
    std::array<CodeRow<TSchemaDFe>, nomes.size()> linhas{};
    for (std::size_t i = 0; i < nomes.size(); ++i)
        linhas[i] = {nomes[i].name.substr(3), nomes[i].value};
    return CodeTable<TSchemaDFe, nomes.size()>(linhas);
}();

} // namespace

std::string TipoEventoParaCodigo(TpcnTipoEvento valor)
{
    return EnumParaCodigo(valor, kTipoEventoCodigo);
}

std::string TipoEventoParaNome(TpcnTipoEvento valor)
{
    return EnumParaCodigo(valor, kTipoEventoNome);
}

void RegistraConversorTipoEvento(TConversorTipoEvento conversor, std::string_view nomeDocumento)
{
    if (conversor != nullptr)
        registroConversores().registra(conversor, nomeDocumento);
}

TpcnTipoEvento CodigoParaTipoEventoDoc(std::string_view codigo, std::string_view nomeDocumento, bool &ok)
{
    const TConversorTipoEvento conversor = registroConversores().conversor(nomeDocumento);
    if (conversor == nullptr) {
        ok = false;
        return tevNaoMapeado;
    }
    return conversor(codigo, ok);
}

std::string AutorEventoParaCodigo(TpcnAutorEvento valor)
{
    return EnumParaCodigo(valor, kAutorEvento);
}

TpcnAutorEvento CodigoParaAutorEvento(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kAutorEvento, ok);
}

TpcnAutorEvento CodigoParaAutorEvento(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kAutorEvento, ok);
}

std::string IndFormaPagamentoParaCodigo(TpcnIndFormaPagamento valor)
{
    return EnumParaCodigo(valor, kIndFormaPagamento);
}

TpcnIndFormaPagamento CodigoParaIndFormaPagamento(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kIndFormaPagamento, ok);
}

TpcnIndFormaPagamento CodigoParaIndFormaPagamento(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kIndFormaPagamento, ok);
}

std::string MeioPagamentoParaCodigo(TpcnMeioPagamento valor)
{
    return EnumParaCodigo(valor, kMeioPagamento);
}

TpcnMeioPagamento CodigoParaMeioPagamento(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kMeioPagamento, ok);
}

TpcnMeioPagamento CodigoParaMeioPagamento(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kMeioPagamento, ok);
}

std::string MeioPagamentoDescricao(TpcnMeioPagamento valor, std::string_view descricaoLivre)
{
    if (valor == mpOutro && !descricaoLivre.empty())
        return std::string(descricaoLivre);
    return EnumParaCodigo(valor, kMeioPagamentoDescricao);
}

std::string BandeiraOperadoraParaCodigo(TpcnBandeiraOperadora valor)
{
    return EnumParaCodigo(valor, kBandeiraOperadora);
}

TpcnBandeiraOperadora CodigoParaBandeiraOperadora(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kBandeiraOperadora, ok);
}

TpcnBandeiraOperadora CodigoParaBandeiraOperadora(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kBandeiraOperadora, ok);
}

std::string BandeiraOperadoraDescricao(TpcnBandeiraOperadora valor)
{
    return EnumParaCodigo(valor, kBandeiraOperadoraDescricao);
}

std::string IntegracaoPagamentoParaCodigo(TpcnIntegracaoPagamento valor)
{
    return EnumParaCodigo(valor, kIntegracaoPagamento);
}

TpcnIntegracaoPagamento CodigoParaIntegracaoPagamento(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kIntegracaoPagamento, ok);
}

TpcnIntegracaoPagamento CodigoParaIntegracaoPagamento(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kIntegracaoPagamento, ok);
}

std::string OrigemProcessoParaCodigo(TpcnOrigemProcesso valor)
{
    return EnumParaCodigo(valor, kOrigemProcesso);
}

TpcnOrigemProcesso CodigoParaOrigemProcesso(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kOrigemProcesso, ok);
}

TpcnOrigemProcesso CodigoParaOrigemProcesso(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kOrigemProcesso, ok);
}

std::string OrigemProcessoDescricao(TpcnOrigemProcesso valor)
{
    return EnumParaCodigo(valor, kOrigemProcessoDescricao);
}

std::string OperacaoCSCParaCodigo(TpcnOperacaoCSC valor)
{
    return EnumParaCodigo(valor, kOperacaoCSC);
}

TpcnOperacaoCSC CodigoParaOperacaoCSC(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kOperacaoCSC, ok);
}

TpcnOperacaoCSC CodigoParaOperacaoCSC(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kOperacaoCSC, ok);
}

TpcnSituacaoResumoDFe CodigoParaSituacaoResumoDFe(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSituacaoResumoDFe, ok);
}

TpcnSituacaoResumoDFe CodigoParaSituacaoResumoDFe(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSituacaoResumoDFe, ok);
}

TpcnModalTransporte CodigoParaModalTransporte(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kModalTransporte, ok);
}

TpcnModalTransporte CodigoParaModalTransporte(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kModalTransporte, ok);
}

TSchemaDFe TextoParaSchemaDFe(std::string_view texto)
{
    constexpr std::string_view prefixo = "sch";
    std::string_view nome = texto.substr(0, texto.find('_'));
    const bool temPrefixo = nome.starts_with(prefixo);
    // Every value name begins with "sch", so the lookup compares what follows it.
    const std::string_view chave = temPrefixo ? nome.substr(prefixo.size()) : nome;
    bool ok = false;
    const TSchemaDFe schema = CodigoParaEnum(chave, kSchemaDFeSemPrefixo, ok);
    if (!ok) {
        const std::string nomeComposto =
            temPrefixo ? std::string(nome) : std::string(prefixo) + std::string(nome);
        throw EQuibException("\"" + nomeComposto + "\" não é um valor TSchemaDFe válido.");
    }
    return schema;
}
