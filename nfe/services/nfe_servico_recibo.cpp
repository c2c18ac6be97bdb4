#include "nfe/services/nfe_servico_recibo.h"

#include "nfe/services/cons_reci_dfe.h"
#include "nfe/services/detail/abertura_raiz.h"

void TNFeServicoRecibo::LimparResposta()
{
    versao.clear();
    verAplic.clear();
    cStat = 0;
    xMotivo.clear();
    cMsg = 0;
    xMsg.clear();
    LimparAmbiente();
    retorno_ = std::make_unique<TRetConsReciDFe>("NFe");
}

void TNFeServicoRecibo::DefinirServicoEAction()
{
    const std::string w = UrlBaseWsdl();
    const std::string ate310 = Layout == srvNfeRetRecepcao ? w + "NfeRetRecepcao2" : w + "NfeRetAutorizacao";
    DefinirNomesDoLote(ate310, ate310, w + "NFeRetAutorizacao4", "/nfeRetAutorizacaoLote");
}

void TNFeServicoRecibo::PrepararIntegrador()
{
    PrepararIntegradorComMetodo("NfeRetAutorizacaoLote12");
}

void TNFeServicoRecibo::DefinirDadosMsg()
{
    TConsReciDFe pedido(VersaoDados, nfe_services::atributoNamespaceNFe(), "NFe");
    pedido.tpAmb = tpAmb;
    pedido.nRec = Recibo;
    AplicarOpcoesGerador(pedido.Gerador.Opcoes);
    pedido.GerarConsReci();
    DadosMsg = pedido.Gerador.ArquivoFormatoXML;
}

void TNFeServicoRecibo::LerResposta()
{
    retorno_->Leitor.setArquivo(ExtrairResposta(
        {"nfeRetAutorizacaoResult", "nfeRetAutorizacaoLoteResult", "nfeResultMsg", "nfeRetRecepcao2Result"}));
    retorno_->LerResposta();
    versao = retorno_->versao;
    tpAmb = retorno_->tpAmb;
    verAplic = retorno_->verAplic;
    cStat = retorno_->cStat;
    cUF = retorno_->cUF;
    xMotivo = retorno_->xMotivo;
    cMsg = retorno_->cMsg;
    xMsg = retorno_->xMsg;
    MensagemResultado = xMotivo;
}
