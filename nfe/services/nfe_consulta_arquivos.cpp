#include <string>

#include "foundation/codes/conversao_eventos.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/detail/protocolo_nota.h"
#include "nfe/services/nfe_consulta.h"
#include "nfe/services/notas_fiscais.h"

namespace {

// The content of the first element <nome ...>...</nome> (up to its last
// closing tag); empty when absent.
std::string conteudoDoElemento(std::string_view texto, std::string_view nome)
{
    const std::size_t abre = texto.find("<" + std::string(nome));
    const std::size_t inicio = abre == std::string_view::npos ? abre : texto.find('>', abre);
    const std::size_t fim = texto.rfind("</" + std::string(nome) + ">");
    if (inicio == std::string_view::npos || fim == std::string_view::npos || fim <= inicio)
        return {};
    return std::string(texto.substr(inicio + 1, fim - inicio - 1));
}

// The procEventoNFe elements of the events text, in order; what lies
// between them is left out.
std::vector<std::string_view> elementosEvento(std::string_view eventos)
{
    static constexpr std::string_view kFim = "</procEventoNFe>";
    std::vector<std::string_view> lista;
    for (std::size_t pos = eventos.find("<procEventoNFe"); pos != std::string_view::npos;
         pos = eventos.find("<procEventoNFe", pos)) {
        const std::size_t fim = eventos.find(kFim, pos);
        if (fim == std::string_view::npos)
            break;
        lista.push_back(eventos.substr(pos, fim + kFim.size() - pos));
        pos = fim + kFim.size();
    }
    return lista;
}

} // namespace

std::string TNFeConsulta::textoEventos() const
{
    const std::size_t inicio = RespostaXML.find("<procEventoNFe");
    if (inicio == std::string::npos)
        return {};
    const std::size_t fim = RespostaXML.find("</retConsSitNFe", inicio);
    return RespostaXML.substr(inicio, fim == std::string::npos ? std::string::npos : fim - inicio);
}

void TNFeConsulta::atualizarNota(NotaFiscal &nota)
{
    const TRetConsSitNFe &r = *resposta_;
    TConfiguracoesNFe &cfg = *ConfiguracoesNFe();
    const bool cancelada = TQuibNFe::CStatDeCancelamento(r.cStat);
    const bool atualizarCancelada = cancelada && cfg.Geral().AtualizarXMLCancelado;
    bool atualizar = !r.ElementoProtNFe.empty() && (!cancelada || atualizarCancelada);
    if (TQuibNFe::CStatComProtocolo(r.protNFe.cStat))
        atualizar = true;

    nfe_services::conferirDigest(*this, nota, r.protNFe.digVal, true);
    TProcNFe &dados = nota.NFe().procNFe;
    dados.cStat = r.cStat;
    if (atualizar && atualizarCancelada) {
        dados.tpAmb = r.tpAmb;
        dados.verAplic = r.verAplic;
        dados.chNFe = r.chNFe;
        dados.dhRecbto = DataRecbto;
        dados.nProt = Protocolo;
        dados.cStat = r.cStat;
        dados.xMotivo = r.xMotivo;
        nota.GerarTextoXML();
    } else if (atualizar) {
        nfe_services::copiarParaNota(nfe_services::protocoloDosCampos(r.protNFe), dados);
        // A cancelled note keeps its authorised document, but its situation
        // stays the cancellation: reading it as authorised would be wrong.
        if (cancelada)
            dados.cStat = r.cStat;
        const std::string elemento = replaceAll(nfe_services::protocoloComoRecebido(RespostaXML), "'", "\"");
        std::string versaoProtocolo = TextoEntreMarcas(elemento, "versao=\"", "\"");
        if (versaoProtocolo.empty())
            versaoProtocolo = VersaoDados;
        nfe_services::montarNfeProc(*this, nota, elemento, versaoProtocolo);
    }

    NFeDFe.clear();
    const std::string eventos = textoEventos();
    if (!eventos.empty())
        NFeDFe = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><NFeDFe><procNFe versao=\"" + versao + "\">" +
                 conteudoDoElemento(nota.TextoXML(), "nfeProc") + "</procNFe><procEventoNFe versao=\"" +
                 versao + "\">" + eventos + "</procEventoNFe></NFeDFe>";

    if (!cfg.Arquivos().Salvar || !atualizar)
        return;
    const TNFe &nfe = nota.NFe();
    const TDateTime data = cfg.Arquivos().EmissaoPathNFe ? nfe.ide.dEmi : nowLocal();
    const std::string pasta = cfg.Arquivos().PathNFePara(data, nfe.emit.CNPJCPF, nfe.emit.IE, nfe.ide.mod);
    if (!NFeDFe.empty())
        ComponenteNFe()->SalvarArquivoXML(chaveAcesso_ + "-NFeDFe.xml", NFeDFe, pasta, true);
    nfe_services::salvarNotaProcessada(*this, nota);
    if (GravarEventosRetornados)
        salvarEventos(eventos);
}

void TNFeConsulta::salvarEventos(const std::string &eventos)
{
    TConfiguracoesNFe &cfg = *ConfiguracoesNFe();
    const std::string ns = ComponenteNFe()->NameSpaceURIDocumento();
    const std::vector<std::string_view> elementos = elementosEvento(eventos);
    for (std::size_t i = 0; i < elementos.size(); ++i) {
        // The event's own layout version: the answer's (4.00) would make a
        // document that the event schema refuses.
        const std::string_view abertura = elementos[i].substr(0, elementos[i].find('>'));
        std::string versaoEvento = TextoEntreMarcas(abertura, "versao=\"", "\"");
        if (versaoEvento.empty())
            versaoEvento = versao;
        const std::string texto = "<procEventoNFe versao=\"" + versaoEvento + "\" xmlns=\"" + ns + "\">" +
                                  conteudoDoElemento(elementos[i], "procEventoNFe") + "</procEventoNFe>";
        const std::size_t id = texto.find("Id=");
        const std::string nome = id == std::string::npos || id + 6 + 52 > texto.size()
                                     ? DataHoraParaTextoCompacto(nowLocal())
                                     : texto.substr(id + 6, 52);
        // The folder of the event's kind and author, as its own send files it.
        TpcnTipoEvento tipo = tevNaoMapeado;
        std::string cnpj;
        TDateTime data = nowLocal();
        if (static_cast<int>(i) < procEventoNFe().count()) {
            const TInfEvento &evento = procEventoNFe()[static_cast<int>(i)].RetEventoNFe.InfEvento;
            tipo = evento.tpEvento;
            cnpj = evento.CNPJ;
            if (evento.dhEvento != 0)
                data = evento.dhEvento;
        }
        const std::string pasta = cfg.Arquivos().PathEventoPara(tipo, cnpj, "", data);
        ComponenteNFe()->SalvarArquivoXML(nome + "-procEventoNFe.xml", texto, pasta, true);
    }
}
