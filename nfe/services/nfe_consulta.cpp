#include "nfe/services/nfe_consulta.h"

#include "foundation/codes/conversao_eventos.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/cons_sit_nfe.h"
#include "nfe/services/detail/endereco_servico.h"
#include "nfe/services/detail/protocolo_nota.h"
#include "nfe/services/detail/texto_log.h"
#include "nfe/services/notas_fiscais.h"

namespace {

std::unique_ptr<TRetConsSitNFe> respostaVazia()
{
    auto resposta = std::make_unique<TRetConsSitNFe>();
    resposta->procEventoNFe = std::make_unique<TRetEventoNFeCollection>();
    return resposta;
}

bool ehCancelamento(TpcnTipoEvento tipo)
{
    const std::string codigo = TipoEventoParaCodigo(tipo);
    return codigo == "110111" || codigo == "110112";
}

} // namespace

TNFeConsulta::TNFeConsulta(TQuibNFe *componente, TNotasFiscais &notas)
    : TNFeWebService(componente), notas_(notas), resposta_(respostaVazia())
{
}

TNFeConsulta::~TNFeConsulta() = default;

void TNFeConsulta::SetChaveAcesso(std::string_view texto)
{
    const std::string digitos = SomenteDigitos(texto);
    if (digitos == chaveAcesso_)
        return;
    if (!ChaveAcessoValida(digitos))
        throw EQuibNFeException("Chave \"" + std::string(texto) + "\" inválida.");
    chaveAcesso_ = digitos;
}

void TNFeConsulta::Limpar()
{
    TNFeWebService::Limpar();
    EtapaServico = etConsultandoNFe;
    Layout = srvNfeConsultaProtocolo;
    SufixoEnvio = "ped-sit";
    SufixoResposta = "sit";
    verAplic.clear();
    cStat = 0;
    xMotivo.clear();
    Protocolo.clear();
    DataRecbto = 0;
    versao.clear();
    NFeDFe.clear();
    tpAmb = taProducao;
    cUF = 0;
    if (ConfiguracoesNFe() != nullptr) {
        tpAmb = ConfiguracoesNFe()->WebServices().Ambiente;
        cUF = ConfiguracoesNFe()->WebServices().UFCodigo();
    }
    resposta_ = respostaVazia();
}

void TNFeConsulta::DefinirURL()
{
    const TConfiguracoesNFe *cfg = ConfiguracoesNFe();
    cUF = UFDaChave(chaveAcesso_);
    if (cfg != nullptr)
        tpAmb = notas_.Count() == 0 ? cfg->WebServices().Ambiente : notas_[0].NFe().ide.tpAmb;
    nfe_services::localizarNoAutorizador(*this, ModeloDoTexto(chaveAcesso_), cUF, tpAmb,
                                         srvNfeConsultaProtocolo,
                                         cfg != nullptr ? cfg->Geral().VersaoDF() : ve400);
}

void TNFeConsulta::DefinirServicoEAction()
{
    const std::string w = UrlBaseWsdl();
    const TConfiguracoesNFe *cfg = ConfiguracoesNFe();
    const bool bahia310 = cfg != nullptr && cfg->WebServices().UFCodigo() == 29 &&
                          cfg->Geral().ModeloDF() == moNFe && cfg->Geral().VersaoDF() == ve310 &&
                          cfg->Geral().FormaEmissao == teNormal;
    const std::string ate310 = w + (bahia310 ? "NfeConsulta" : "NfeConsulta2");
    DefinirNomesPadrao(ate310, ate310, w + "NFeConsultaProtocolo4", "/nfeConsultaNF");
}

std::string TNFeConsulta::MontarUFSoap()
{
    return "<cUF>" + std::to_string(cUF) + "</cUF>";
}

void TNFeConsulta::PrepararIntegrador()
{
    PrepararIntegradorComMetodo("NfeConsulta2Soap12");
}

void TNFeConsulta::DefinirDadosMsg()
{
    TConsSitNFe pedido;
    pedido.tpAmb = tpAmb;
    pedido.chNFe = chaveAcesso_;
    pedido.Versao = VersaoDados;
    AplicarOpcoesGerador(pedido.Gerador.Opcoes);
    pedido.GerarConsSitNFe();
    DadosMsg = pedido.Gerador.ArquivoFormatoXML;
}

bool TNFeConsulta::TratarResposta()
{
    resposta_->Leitor.setArquivo(
        ExtrairResposta({"NfeConsultaNF2Result", "NfeConsultaNFResult", "nfeResultMsg"}));
    resposta_->LerResposta();
    const TRetConsSitNFe &r = *resposta_;
    versao = r.versao;
    tpAmb = r.tpAmb;
    verAplic = r.verAplic;
    cStat = r.cStat;
    xMotivo = r.xMotivo;
    cUF = r.cUF;
    MensagemResultado = xMotivo;

    bool decidido = false;
    if (r.retCancNFe.cStat > 0) {
        decidido = true;
        Protocolo = r.retCancNFe.nProt;
        DataRecbto = r.retCancNFe.dhRecbto;
        MensagemResultado = r.xMotivo;
    }
    for (int i = 0; i < r.procEventoNFe->count(); ++i) {
        const TRetInfEventoCollection &respostas = (*r.procEventoNFe)[i].RetEventoNFe.RetEventos;
        for (int j = 0; j < respostas.count(); ++j) {
            const TRetInfEvento &evento = respostas[j].RetInfEvento;
            if (!ehCancelamento(evento.tpEvento))
                continue;
            decidido = true;
            Protocolo = evento.nProt;
            DataRecbto = evento.dhRegEvento;
            MensagemResultado = evento.xMotivo;
        }
    }
    if (!decidido && !r.protNFe.nProt.empty()) {
        Protocolo = r.protNFe.nProt;
        DataRecbto = r.protNFe.dhRecbto;
        MensagemResultado = r.protNFe.xMotivo;
    }

    const bool resultado = TQuibNFe::CStatComProtocolo(cStat) || TQuibNFe::CStatDeCancelamento(cStat);
    if (!resultado || ComponenteNFe() == nullptr)
        return resultado;
    if (notas_.Count() > 0) {
        if (NotaFiscal *nota = nfe_services::notaDaChave(notas_, chaveAcesso_))
            atualizarNota(*nota);
    } else if (GravarEventosRetornados && ConfiguracoesNFe()->Arquivos().Salvar) {
        salvarEventos(textoEventos());
    }
    return true;
}

std::string TNFeConsulta::MontarMsgLog()
{
    return "Versão Layout: " + versao + " \r\nIdentificador: " + chaveAcesso_ +
           " \r\nAmbiente: " + TipoAmbienteParaCodigo(tpAmb) + " \r\nVersão Aplicativo: " + verAplic +
           " \r\nStatus Código: " + std::to_string(cStat) + " \r\nStatus Descrição: " + xMotivo +
           " \r\nUF: " + SiglaUFDoCodigo(cUF) + " \r\nChave Acesso: " + chaveAcesso_ +
           " \r\nRecebimento: " + nfe_services::dataHoraDoLog(DataRecbto) + " \r\nProtocolo: " + Protocolo +
           " \r\nDigest Value: " + resposta_->protNFe.digVal + " \r\n";
}

std::string TNFeConsulta::PrefixoArquivoData()
{
    return std::string(trimText(chaveAcesso_));
}
