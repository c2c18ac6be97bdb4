#include "nfe/services/nfe_env_evento.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "foundation/codes/conversao_eventos.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_integrador.h"

namespace {

struct EsquemaDoEvento {
    std::string_view codigo;
    TSchemaNFe esquema;
};

// clang-format off
constexpr std::array kEsquemas{
    EsquemaDoEvento{"110110", schEnvCCe},
    EsquemaDoEvento{"110111", schcancNFe},
    EsquemaDoEvento{"110112", schCancSubst},
    EsquemaDoEvento{"111500", schPedProrrog1},
    EsquemaDoEvento{"111501", schPedProrrog2},
    EsquemaDoEvento{"111502", schCanPedProrrog1},
    EsquemaDoEvento{"111503", schCanPedProrrog2},
    EsquemaDoEvento{"210200", schManifDestConfirmacao},
    EsquemaDoEvento{"210210", schManifDestCiencia},
    EsquemaDoEvento{"210220", schManifDestDesconhecimento},
    EsquemaDoEvento{"210240", schManifDestOperNaoRealizada},
    EsquemaDoEvento{"110140", schEnvEPEC},
    EsquemaDoEvento{"110130", schCompEntrega},
    EsquemaDoEvento{"110131", schCancCompEntrega},
    EsquemaDoEvento{"110150", schAtorInteressadoNFe},
};
// The kinds answered by the note's own authoriser (or the SVC one).
constexpr std::array<std::string_view, 7> kDoAutorizador{
    "110110", "110111", "111500", "111501", "111502", "111503", "110112"};
// clang-format on

int codigoUFDaChave(std::string_view chave)
{
    int codigo = 0;
    const std::string_view uf = chave.substr(0, std::min<std::size_t>(2, chave.size()));
    std::from_chars(uf.data(), uf.data() + uf.size(), codigo);
    return codigo;
}

TSchemaNFe esquemaDoCodigo(std::string_view codigo)
{
    for (const EsquemaDoEvento &e : kEsquemas)
        if (e.codigo == codigo)
            return e.esquema;
    return schErro;
}

// The n-th (from 0) element <nome ...>...</nome> of the text, tags included;
// empty when there are fewer.
std::string enesimoElemento(std::string_view texto, std::string_view nome, int n)
{
    const std::string abre = "<" + std::string(nome);
    const std::string fecha = "</" + std::string(nome) + ">";
    std::size_t pos = 0;
    for (;;) {
        pos = texto.find(abre, pos);
        if (pos == std::string_view::npos)
            return {};
        const char depois = pos + abre.size() < texto.size() ? texto[pos + abre.size()] : '\0';
        if (depois == '>' || depois == ' ' || depois == '/') {
            if (n-- == 0)
                break;
        }
        pos += abre.size();
    }
    const std::size_t fim = texto.find(fecha, pos);
    if (fim == std::string_view::npos)
        return {};
    return std::string(texto.substr(pos, fim + fecha.size() - pos));
}

// The elements <nome ...>...</nome> of the text, in order.
std::vector<std::string> elementos(std::string_view texto, std::string_view nome)
{
    std::vector<std::string> lista;
    for (int i = 0;; ++i) {
        std::string e = enesimoElemento(texto, nome, i);
        if (e.empty())
            return lista;
        lista.push_back(std::move(e));
    }
}

// The event's data into the writer's item: its header with the service's
// environment and the resolved receiving body, and its whole detail (the
// writer writes only the fields of the event's kind). A signature or answer
// loaded into the operator's event stays out of the request.
void copiarEvento(const TInfEvento &origem, TpcnTipoAmbiente tpAmb, TInfEvento &copia)
{
    CopiarDadosEvento(origem, copia);
    copia.tpAmb = tpAmb;
    const TDetEvento &de = origem.detEvento;
    copia.detEvento.idPedidoCancelado = de.idPedidoCancelado;
    for (int i = 0; i < de.itemPedido.count(); ++i)
        copia.detEvento.itemPedido.NovoItem() = de.itemPedido[i];
    for (int i = 0; i < de.autXML.count(); ++i)
        copia.detEvento.autXML.NovoItem() = de.autXML[i];
}

} // namespace

TNFeEnvEvento::TNFeEnvEvento(TQuibNFe *componente, TEventoNFe &lote) : TNFeWebService(componente), lote_(lote)
{
}

void TNFeEnvEvento::Limpar()
{
    TNFeWebService::Limpar();
    EtapaServico = etEnviandoEvento;
    Layout = srvRecepcaoEvento;
    SufixoEnvio = "ped-eve";
    SufixoResposta = "eve";
    LimparCabecalho(ConfiguracoesNFe());
    CNPJ.clear();
    eventoRetorno_ = std::make_unique<TRetEventoNFe>();
}

void TNFeEnvEvento::DefinirURL()
{
    VersaoDados.clear();
    URL.clear();
    Servico.clear();
    SoapAction.clear();
    Layout = srvRecepcaoEvento;
    if (ComponenteNFe() == nullptr || lote_.Eventos.count() == 0)
        return;
    TConfiguracoesNFe &cfg = *ConfiguracoesNFe();
    double versao = VersaoDFParaNumero(cfg.Geral().VersaoDF());
    const TInfEvento &primeiro = lote_.Eventos[0].InfEvento;
    CNPJ = primeiro.CNPJ;
    tpAmb = primeiro.tpAmb;
    IE = primeiro.detEvento.IE;
    const TpcnModeloDF modelo = ModeloDoTexto(primeiro.chNFe);

    std::string autorizador;
    if (cfg.Geral().FormaEmissao == teSVCAN)
        autorizador = "SVC-AN";
    else if (cfg.Geral().FormaEmissao == teSVCRS)
        autorizador = "SVC-RS";
    else
        autorizador = SiglaUFDoCodigo(codigoUFDaChave(primeiro.chNFe));

    const std::string codigo = primeiro.CodigoTipoEvento();
    std::string nomeServico = ServicoNFeParaNome(srvRecepcaoEvento);
    if (codigo == "110140" && cfg.WebServices().UFCodigo() == 35 && cfg.Geral().ModeloDF() == moNFCe) {
        Layout = srvEventoEPEC;
        nomeServico = "EventoEPEC";
    } else if (std::find(kDoAutorizador.begin(), kDoAutorizador.end(), codigo) == kDoAutorizador.end()) {
        Layout = srvRecepcaoEventoAN;
        autorizador = "AN";
    }
    ComponenteNFe()->BuscarServico(ModeloDFParaSigla(modelo), autorizador, tpAmb, nomeServico, versao, URL,
                                   Servico, SoapAction);
    VersaoDados = ComponenteNFe()->VersaoParaTexto(versao);
}

void TNFeEnvEvento::DefinirServicoEAction()
{
    const std::string w = UrlBaseWsdl();
    DefinirNomesPadrao(w + "RecepcaoEvento", w + "RecepcaoEvento", w + "NFeRecepcaoEvento4",
                       "/nfeRecepcaoEvento");
}

void TNFeEnvEvento::PrepararIntegrador()
{
    TNFeWebService::PrepararIntegrador();
    TQuibIntegrador *integrador = Integrador();
    if (integrador == nullptr || ConfiguracoesNFe() == nullptr)
        return;
    // A cancellation names the sale it withdraws: the component's first note.
    if (lote_.Eventos.count() > 0 && lote_.Eventos[0].InfEvento.tpEvento == tevCancelamento &&
        ComponenteNFe()->Notas().Count() > 0) {
        const TNFe &nota = ComponenteNFe()->Notas()[0].NFe();
        integrador->SetParametro("versaoDados", FloatParaTexto('.', "0.00", nota.infNFe.versao));
        integrador->SetParametro("NumeroNFCe", SomenteDigitos(nota.infNFe.Id));
        integrador->SetParametro("DataHoraNFCeGerado", DataHoraParaTextoCompacto(nota.ide.dEmi));
        integrador->SetParametro("ValorNFCe", FloatParaTexto('.', "0.00", nota.total.ICMSTot.vNF));
    }
    integrador->DefinirNomeMetodo("RecepcaoEvento",
                                  ConfiguracoesNFe()->WebServices().Ambiente == taHomologacao);
}

void TNFeEnvEvento::DefinirDadosMsg()
{
    // A copy of the batch is the writer; each kind writes only its own detail
    // fields, so what goes out is what the operator filled in for that kind.
    TEventoNFe escritor;
    escritor.idLote = idLote;
    TSchemaNFe esquema = schErro;
    for (int i = 0; i < lote_.Eventos.count(); ++i) {
        const TInfEvento &evento = lote_.Eventos[i].InfEvento;
        copiarEvento(evento, tpAmb, escritor.Eventos.NovoItem().InfEvento);
        if (const TSchemaNFe deste = esquemaDoCodigo(evento.CodigoTipoEvento()); deste != schErro)
            esquema = deste;
    }
    escritor.Versao = VersaoDados;
    AplicarOpcoesGerador(escritor.Gerador.Opcoes);
    if (esquema == schAtorInteressadoNFe)
        escritor.Gerador.Opcoes.RetirarAcentos = false;
    escritor.GerarEnvEvento();
    const std::string gerado = escritor.Gerador.ArquivoFormatoXML;

    const std::size_t inicio = gerado.find("<evento ");
    const std::string cabeca = gerado.substr(0, inicio);
    std::string assinados;
    for (const std::string &evento :
         elementos(gerado.substr(inicio == std::string::npos ? gerado.size() : inicio), "evento")) {
        AssinarDocumento(evento, "evento", "infEvento", "Falha ao assinar o Envio de Evento ");
        assinados += DadosMsg;
    }
    std::string declaracao;
    if (assinados.starts_with("<?xml")) {
        declaracao = assinados.substr(0, assinados.find("?>") + 2);
        assinados = RetiraDeclaracaoXML(assinados, true);
    }
    DadosMsg = declaracao + cabeca + assinados + "</envEvento>";
    validar(gerado, esquema);
    for (int i = 0; i < lote_.Eventos.count(); ++i)
        lote_.Eventos[i].InfEvento.Id = escritor.Eventos[i].InfEvento.Id;
}

void TNFeEnvEvento::validar(const std::string &gerado, TSchemaNFe esquema)
{
    MensagemResultado.clear();
    std::string mensagem;
    const double versao = ComponenteNFe()->TextoParaVersao(VersaoDados);
    const bool envelopeValido = ComponenteNFe()->SSL().Validar(
        DadosMsg, ComponenteNFe()->ArquivoSchemaDoLayout(Layout, versao), mensagem);
    if (!envelopeValido || esquema == schErro) {
        if (esquema == schErro && mensagem.empty())
            mensagem = "Schema do Evento não foi definido";
        throw EQuibNFeException("Falha na validação da Mensagem do Evento: " + mensagem);
    }
    const std::string ns = ComponenteNFe()->NameSpaceURIDocumento();
    const std::string xsd = ComponenteNFe()->ArquivoSchemaPorVersao(esquema, versao);
    for (const std::string &evento : elementos(gerado, "evento")) {
        const std::string det = ConteudoDaTag(evento, "detEvento", false, false, true);
        const std::string detalhe =
            "<detEvento versao=\"" + VersaoDados + "\" xmlns=\"" + ns + "\">" + det + "</detEvento>";
        if (!ComponenteNFe()->SSL().Validar(detalhe, xsd, mensagem))
            throw EQuibNFeException("Falha na validação dos dados do Evento: " + mensagem);
    }
}

int TNFeEnvEvento::respostaDoEvento(const TInfEvento &evento) const
{
    const TRetInfEventoCollection &respostas = eventoRetorno_->RetEventos;
    for (int j = 0; j < respostas.count(); ++j) {
        const TRetInfEvento &r = respostas[j].RetInfEvento;
        if (r.chNFe == evento.chNFe && r.tpEvento == evento.tpEvento && r.nSeqEvento == evento.nSeqEvento)
            return j;
    }
    // An answer without the kind and sequence: the first one of the same key.
    for (int j = 0; j < respostas.count(); ++j)
        if (respostas[j].RetInfEvento.chNFe == evento.chNFe)
            return j;
    return -1;
}

std::string TNFeEnvEvento::montarProcEvento(int evento, int resposta) const
{
    const std::string ns = ComponenteNFe()->NameSpaceURIDocumento();
    const std::string versao = ComponenteNFe()->VersaoServicoDosParams(Layout);
    const std::string assinado = enesimoElemento(DadosMsg, "evento", evento);
    return "<procEventoNFe versao=\"" + versao + "\" xmlns=\"" + ns + "\"><evento versao=\"" + versao +
           "\">" + enesimoElemento(assinado, "infEvento", 0) +
           "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">" +
           enesimoElemento(assinado, "SignedInfo", 0) + enesimoElemento(assinado, "SignatureValue", 0) +
           enesimoElemento(assinado, "KeyInfo", 0) + "</Signature></evento><retEvento versao=\"" + versao +
           "\">" + enesimoElemento(RespostaXML, "infEvento", resposta) + "</retEvento></procEventoNFe>";
}

bool TNFeEnvEvento::TratarResposta()
{
    lote_.idLote = idLote;
    eventoRetorno_->Leitor.setArquivo(
        ExtrairResposta({"nfeRecepcaoEventoResult", "nfeRecepcaoEventoNFResult", "nfeResultMsg"}));
    eventoRetorno_->LerResposta();
    CopiarCabecalho(*eventoRetorno_);
    MensagemResultado = xMotivo;
    if (cStat != 128)
        return false;

    const bool salvar = ConfiguracoesNFe() != nullptr && ConfiguracoesNFe()->Arquivos().Salvar;
    for (int i = 0; i < lote_.Eventos.count(); ++i) {
        TInfEventoCollectionItem &item = lote_.Eventos[i];
        const int j = respostaDoEvento(item.InfEvento);
        if (j < 0)
            continue;
        TRetInfEvento &resposta = eventoRetorno_->RetEventos[j].RetInfEvento;
        item.RetInfEvento.tpAmb = resposta.tpAmb;
        item.RetInfEvento.nProt = resposta.nProt;
        item.RetInfEvento.dhRegEvento = resposta.dhRegEvento;
        item.RetInfEvento.cStat = resposta.cStat;
        item.RetInfEvento.xMotivo = resposta.xMotivo;

        std::string documento;
        if (resposta.cStat == 135 || resposta.cStat == 136 || resposta.cStat == 155) {
            // Kept as received: decoding its entities would break a text
            // holding "&" or "<" as XML.
            documento = montarProcEvento(i, j);
            if (salvar) {
                const std::string pasta =
                    PastaEvento(item.InfEvento.CNPJ, item.InfEvento.detEvento.IE, item.InfEvento.dhEvento);
                const std::string nome = SomenteDigitos(item.InfEvento.Id) + "-procEventoNFe.xml";
                ComponenteNFe()->SalvarArquivoXML(nome, documento, pasta, true);
                const std::string caminho =
                    (pasta.empty() || pasta.back() == '/' ? pasta : pasta + "/") + nome;
                resposta.ArquivoProcEvento = caminho;
                item.RetInfEvento.ArquivoProcEvento = caminho;
            }
        }
        const std::string xml = documento.empty() ? std::string() : GaranteXMLUTF8(documento);
        resposta.XML = xml;
        item.RetInfEvento.XML = xml;
    }
    return true;
}

std::string TNFeEnvEvento::PastaEvento(std::string_view cnpj, std::string_view ie, TDateTime data)
{
    if (ConfiguracoesNFe() == nullptr || lote_.Eventos.count() == 0)
        return {};
    return ConfiguracoesNFe()->Arquivos().PathEventoPara(lote_.Eventos[0].InfEvento.tpEvento, cnpj, ie, data);
}

std::string TNFeEnvEvento::MontarMsgLog()
{
    const TRetEventoNFe &r = *eventoRetorno_;
    std::string log = "Versão Layout: " + r.versao + " \r\nAmbiente: " + TipoAmbienteParaCodigo(r.tpAmb) +
                      " \r\nVersão Aplicativo: " + r.verAplic +
                      " \r\nStatus Código: " + std::to_string(r.cStat) +
                      " \r\nStatus Descrição: " + r.xMotivo + " \r\n";
    if (r.RetEventos.count() > 0) {
        const TDateTime dh = r.RetEventos[0].RetInfEvento.dhRegEvento;
        log += "Recebimento: " + (dh == 0 ? std::string() : DataHoraFormatoBR(dh, "DD/MM/YYYY hh:nn:ss")) +
               " \r\n";
    }
    return log;
}

std::string TNFeEnvEvento::PrefixoArquivoData()
{
    return std::to_string(idLote);
}
