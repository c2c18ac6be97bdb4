#include "nfe/services/nfe_inutilizacao.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "nfe/services/inut_nfe.h"
#include "nfe/services/quib_integrador.h"
#include "nfe/services/ret_inut_nfe.h"

void TNFeInutilizacao::SetJustificativa(std::string_view texto)
{
    const std::string aparado(trimText(texto));
    if (aparado.empty())
        LancarErro("Informar uma Justificativa para Inutilização de numeração da Nota Fiscal Eletronica");
    if (utf8Length(aparado) < 15)
        LancarErro("A Justificativa para Inutilização de numeração da Nota Fiscal Eletronica deve ter no "
                   "minimo 15 caracteres");
    justificativa_ = aparado;
}

void TNFeInutilizacao::Limpar()
{
    TNFeWebService::Limpar();
    EtapaServico = etInutilizando;
    Layout = srvNfeInutilizacao;
    SufixoEnvio = "ped-inu";
    SufixoResposta = "inu";
    LimparCabecalho(ConfiguracoesNFe());
    ID.clear();
    Protocolo.clear();
    XMLProcInutNFe.clear();
    NomeArquivo.clear();
}

void TNFeInutilizacao::DefinirURL()
{
    VersaoDados.clear();
    URL.clear();
    Servico.clear();
    SoapAction.clear();
    const std::string modelo = std::to_string(Modelo);
    if (modelo != "55" && modelo != "65")
        throw EQuibNFeException("Modelo Inválido: " + modelo);
    if (ComponenteNFe() == nullptr)
        return;
    TConfiguracoesNFe &cfg = *ConfiguracoesNFe();
    double versao = VersaoDFParaNumero(cfg.Geral().VersaoDF());
    ComponenteNFe()->BuscarServico(modelo == "55" ? "NFe" : "NFCe", cfg.WebServices().UF(),
                                   cfg.WebServices().Ambiente, ServicoNFeParaNome(srvNfeInutilizacao), versao,
                                   URL, Servico, SoapAction);
    VersaoDados = ComponenteNFe()->VersaoParaTexto(versao);
}

void TNFeInutilizacao::DefinirServicoEAction()
{
    const std::string w = UrlBaseWsdl();
    const TConfiguracoesNFe *cfg = ConfiguracoesNFe();
    const bool bahia310 = cfg != nullptr && cfg->WebServices().UFCodigo() == 29 && Modelo == 55 &&
                          cfg->Geral().VersaoDF() == ve310 && cfg->Geral().FormaEmissao == teNormal;
    if (bahia310) {
        if (Servico.empty())
            Servico = w + "NfeInutilizacao";
        SoapAction = Servico + "/NfeInutilizacao";
        return;
    }
    DefinirNomesPadrao(w + "NfeInutilizacao2", w + "NfeInutilizacao2", w + "NFeInutilizacao4",
                       "/nfeInutilizacaoNF");
}

void TNFeInutilizacao::PrepararIntegrador()
{
    PrepararIntegradorComMetodo("NfeInutilizacao2Soap12");
}

void TNFeInutilizacao::DefinirDadosMsg()
{
    TinutNFe pedido;
    AplicarOpcoesGerador(pedido.Gerador.Opcoes);
    if (ConfiguracoesNFe() != nullptr) {
        pedido.tpAmb = ConfiguracoesNFe()->WebServices().Ambiente;
        pedido.cUF = ConfiguracoesNFe()->WebServices().UFCodigo();
    }
    pedido.ano = Ano;
    pedido.CNPJ = CNPJ;
    pedido.modelo = Modelo;
    pedido.serie = Serie;
    pedido.nNFIni = NumeroInicial;
    pedido.nNFFin = NumeroFinal;
    pedido.xJust = justificativa_;
    pedido.versao = VersaoDados;
    pedido.GerarInutNFe();
    AssinarDocumento(pedido.Gerador.ArquivoFormatoXML, "inutNFe", "infInut",
                     "Falha ao assinar Inutilização Nota Fiscal Eletrônica ");
    ID = pedido.ID;
}

bool TNFeInutilizacao::TratarResposta()
{
    TRetInutNFe resposta;
    resposta.Leitor.setArquivo(
        ExtrairResposta({"nfeInutilizacaoNF2Result", "nfeInutilizacaoNFResult", "nfeResultMsg"}));
    resposta.LerResposta();
    CopiarCabecalho(resposta);
    Protocolo = resposta.nProt;
    MensagemResultado = xMotivo;

    if (cStat == 102 || cStat == 563) {
        const std::string ns = ComponenteNFe() != nullptr ? ComponenteNFe()->NameSpaceURIDocumento() : "";
        XMLProcInutNFe = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ProcInutNFe versao=\"" + VersaoDados +
                         "\" xmlns=\"" + ns + "\">" + DadosMsg + RespostaXML + "</ProcInutNFe>";
        const std::string pasta = PastaInutilizacao();
        const std::string nome = PrefixoArquivoData() + "-procInutNFe.xml";
        NomeArquivo = (pasta.empty() || pasta.back() == '/' ? pasta : pasta + "/") + nome;
        if (ConfiguracoesNFe() != nullptr && ConfiguracoesNFe()->Arquivos().Salvar)
            ComponenteNFe()->SalvarArquivoXML(nome, XMLProcInutNFe, pasta, true);
    }
    return cStat == 102;
}

std::string TNFeInutilizacao::PastaInutilizacao()
{
    if (ConfiguracoesNFe() == nullptr)
        return {};
    TArquivosConfNFe &arquivos = ConfiguracoesNFe()->Arquivos();
    return arquivos.PathInutilizacaoPara(arquivos.SepararPorCNPJ ? std::string_view(CNPJ) : "", "");
}

std::string TNFeInutilizacao::MontarMsgLog()
{
    const std::string recebimento =
        dhRecbto == 0 ? std::string() : DataHoraFormatoBR(dhRecbto, "DD/MM/YYYY hh:nn:ss");
    return "Versão Layout: " + versao + " \r\nAmbiente: " + TipoAmbienteParaCodigo(tpAmb) +
           " \r\nVersão Aplicativo: " + verAplic + " \r\nStatus Código: " + std::to_string(cStat) +
           " \r\nStatus Descrição: " + xMotivo + " \r\nUF: " + SiglaUFDoCodigo(cUF) +
           " \r\nRecebimento: " + recebimento + " \r\n";
}

std::string TNFeInutilizacao::PrefixoArquivoData()
{
    return std::string(trimText(SomenteDigitos(ID)));
}
