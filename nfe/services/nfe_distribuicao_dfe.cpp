#include "nfe/services/nfe_distribuicao_dfe.h"

#include <cstdio>

#include "foundation/codes/conversao_eventos.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/dist_dfe_int.h"

namespace {

bool ehEvento(const TdocZipCollectionItem &d)
{
    return d.schema == schresEvento || d.schema == schprocEventoNFe;
}

} // namespace

std::string TDistribuicaoDFe::NomeArquivoDocumento(const TdocZipCollectionItem &d)
{
    switch (d.schema) {
    case schresNFe:
        return d.resDFe.ChaveAcesso + "-resNFe.xml";
    case schresEvento: {
        char seq[8];
        std::snprintf(seq, sizeof seq, "%.2d", static_cast<int>(d.resEvento.nSeqEvento));
        return SomenteDigitos(TipoEventoParaCodigo(d.resEvento.tpEvento) + d.resEvento.ChaveAcesso + seq) +
               "-resEventoNFe.xml";
    }
    case schprocNFe:
        return d.resDFe.ChaveAcesso + "-nfe.xml";
    case schprocEventoNFe:
        return SomenteDigitos(d.procEvento.Id) + "-procEventoNFe.xml";
    default:
        return {};
    }
}

void TDistribuicaoDFe::Limpar()
{
    TNFeWebService::Limpar();
    EtapaServico = etDistribuicaoDFe;
    Layout = srvNFeDistribuicaoDFe;
    SufixoEnvio = "con-dist-dfe";
    SufixoResposta = "dist-dfe";
    ElementoCorpo = "nfeDistDFeInteresse";
    ElementoCabecalho.clear(); // this service never sends a SOAP header
    retorno_ = std::make_unique<TRetDistDFeInt>("NFe");
    listaArqs_.clear();
}

void TDistribuicaoDFe::DefinirURL()
{
    VersaoDados.clear();
    URL.clear();
    Servico.clear();
    SoapAction.clear();
    if (ComponenteNFe() == nullptr)
        return;
    TConfiguracoesNFe &cfg = *ConfiguracoesNFe();
    double versao = VersaoDFParaNumero(cfg.Geral().VersaoDF());
    ComponenteNFe()->BuscarServico(ModeloDFParaSigla(ModeloDoTexto(chNFe)), "AN", cfg.WebServices().Ambiente,
                                   "NFeDistribuicaoDFe", versao, URL, Servico, SoapAction);
    VersaoDados = ComponenteNFe()->VersaoParaTexto(versao);
}

void TDistribuicaoDFe::DefinirServicoEAction()
{
    Servico = UrlBaseWsdl() + "NFeDistribuicaoDFe";
    SoapAction = Servico + "/nfeDistDFeInteresse";
}

void TDistribuicaoDFe::DefinirDadosMsg()
{
    const std::string ns = ComponenteNFe() != nullptr ? ComponenteNFe()->NameSpaceURIDocumento() : "";
    TDistDFeInt pedido(VersaoDados, "xmlns=\"" + ns + "\"", "nfeDadosMsg", "consChNFe", "chNFe", true);
    if (ConfiguracoesNFe() != nullptr)
        pedido.tpAmb = ConfiguracoesNFe()->WebServices().Ambiente;
    pedido.cUFAutor = cUFAutor;
    pedido.CNPJCPF = CNPJCPF;
    pedido.ultNSU = std::string(trimText(ultNSU));
    pedido.NSU = std::string(trimText(NSU));
    pedido.ChaveAcesso = std::string(trimText(chNFe));
    AplicarOpcoesGerador(pedido.Gerador.Opcoes);
    pedido.GerarDistDFeInt();
    DadosMsg = pedido.Gerador.ArquivoFormatoXML;
}

bool TDistribuicaoDFe::TratarResposta()
{
    const std::string decodificada = ExtrairResposta({"nfeDistDFeInteresseResult", "nfeResultMsg"});

    // The documents come from the answer as received: each docZip is Base64,
    // which entity decoding has no business touching.
    TRetDistDFeInt documentos("NFe");
    documentos.Leitor.setArquivo(RespostaXML);
    documentos.LerResposta();
    listaArqs_.clear();
    const bool salvar = ConfiguracoesNFe() != nullptr && ConfiguracoesNFe()->Arquivos().Salvar;
    const bool salvarEvento = ConfiguracoesNFe() != nullptr && ConfiguracoesNFe()->Arquivos().SalvarEvento;
    for (int i = 0; i < documentos.docZip.count(); ++i) {
        const TdocZipCollectionItem &d = documentos.docZip[i];
        if (d.DocumentoXML.empty())
            continue;
        NomeArq = TDistribuicaoDFe::NomeArquivoDocumento(d);
        if (NomeArq.empty())
            continue;
        listaArqs_.push_back(NomeArq);
        if (salvar && (!ehEvento(d) || salvarEvento))
            ComponenteNFe()->SalvarArquivoXML(NomeArq, d.DocumentoXML, PastaDocumento(d), true);
    }

    retorno_ = std::make_unique<TRetDistDFeInt>("NFe");
    retorno_->Leitor.setArquivo(decodificada);
    retorno_->LerResposta();
    MensagemResultado = retorno_->xMotivo;
    return retorno_->cStat == 137 || retorno_->cStat == 138;
}

std::string TDistribuicaoDFe::PastaDocumento(const TdocZipCollectionItem &d)
{
    if (ConfiguracoesNFe() == nullptr)
        return {};
    TArquivosConfNFe &arquivos = ConfiguracoesNFe()->Arquivos();
    TDateTime data = nowLocal();
    if (arquivos.EmissaoPathNFe) {
        data = d.resDFe.dhEmi;
        if (data == 0)
            data = d.resEvento.dhEvento;
        if (data == 0)
            data = d.procEvento.dhEvento;
    }
    switch (d.schema) {
    case schresNFe:
    case schprocNFe:
        return arquivos.MontarPathDownload(d.resDFe.xNome, d.resDFe.CNPJCPF, d.resDFe.IE, data);
    case schresEvento:
        return arquivos.MontarPathDownloadEvento(d.resEvento.tpEvento, d.resDFe.xNome, d.resEvento.CNPJCPF,
                                                 d.resDFe.IE, data);
    case schprocEventoNFe:
        return arquivos.MontarPathDownloadEvento(d.procEvento.tpEvento, d.resDFe.xNome, d.procEvento.CNPJ,
                                                 d.resDFe.IE, data);
    default:
        return {};
    }
}

std::string TDistribuicaoDFe::MontarMsgLog()
{
    const TRetDistDFeInt &r = *retorno_;
    return "Versão Layout: " + r.versao + " \r\nAmbiente: " + TipoAmbienteParaCodigo(r.tpAmb) +
           " \r\nVersão Aplicativo: " + r.verAplic + " \r\nStatus Código: " + std::to_string(r.cStat) +
           " \r\nStatus Descrição: " + r.xMotivo + " \r\nResposta: " +
           (r.dhResp == 0 ? std::string() : DataHoraFormatoBR(r.dhResp, "DD/MM/YYYY hh:nn:ss")) +
           " \r\nÚltimo NSU: " + r.ultNSU + " \r\nMáximo NSU: " + r.maxNSU + " \r\n";
}

std::string TDistribuicaoDFe::MontarMsgErro(const std::exception &)
{
    return "WebService Distribuição de DFe:\r\n- Inativo ou Inoperante tente novamente.";
}
