#include "nfe/services/nfe_adm_csc.h"

#include "nfe/services/adm_csc_nfce.h"

void TAdministrarCSCNFCe::Limpar()
{
    TNFeWebService::Limpar();
    EtapaServico = etAdministrandoCSC;
    Layout = srvAdministrarCSCNFCe;
    SufixoEnvio = "ped-csc";
    SufixoResposta = "csc";
    retorno_ = std::make_unique<TRetAdmCSCNFCe>();
}

void TAdministrarCSCNFCe::DefinirServicoEAction()
{
    Servico = UrlBaseWsdl() + "CscNFCe";
    SoapAction = Servico + "/admCscNFCe";
}

void TAdministrarCSCNFCe::DefinirDadosMsg()
{
    TAdmCSCNFCe pedido;
    if (ConfiguracoesNFe() != nullptr)
        pedido.tpAmb = ConfiguracoesNFe()->WebServices().Ambiente;
    pedido.raizCNPJ = raizCNPJ;
    pedido.indOp = indOp;
    pedido.idCsc = idCsc;
    pedido.codigoCsc = codigoCsc;
    pedido.versao = VersaoDados;
    AplicarOpcoesGerador(pedido.Gerador.Opcoes);
    pedido.GerarAdmCscNFCe();
    DadosMsg = pedido.Gerador.ArquivoFormatoXML;
}

bool TAdministrarCSCNFCe::TratarResposta()
{
    retorno_->Leitor.setArquivo(ExtrairResposta({"cscNFCeResult", "nfeResultMsg"}));
    retorno_->LerResposta();
    MensagemResultado = retorno_->xMotivo;
    return retorno_->cStat >= 150 && retorno_->cStat <= 153;
}

std::string TAdministrarCSCNFCe::MontarMsgLog()
{
    return "Versão Layout: " + retorno_->versao +
           " \r\nAmbiente: " + TipoAmbienteParaCodigo(retorno_->tpAmb) +
           " \r\nStatus Código: " + std::to_string(retorno_->cStat) +
           " \r\nStatus Descrição: " + retorno_->xMotivo + " \r\n";
}

std::string TAdministrarCSCNFCe::MontarMsgErro(const std::exception &)
{
    return "WebService Administrar CSC da NFC-e:\r\n- Inativo ou Inoperante tente novamente.";
}
