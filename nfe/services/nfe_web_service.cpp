#include "nfe/services/nfe_web_service.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/quib_integrador.h"

TNFeWebService::TNFeWebService(TQuibNFe *componente)
    : TDFeWebService(componente), nfe_(componente),
      configuracoesNFe_(componente != nullptr ? &componente->Configuracoes() : nullptr)
{
}

void TNFeWebService::Limpar()
{
    TDFeWebService::Limpar();
    EtapaServico = etOcioso;
    if (nfe_ != nullptr)
        nfe_->SSL().UseCertificateHTTP = true;
}

void TNFeWebService::PrepararServico()
{
    TDFeWebService::PrepararServico();
    if (nfe_ != nullptr)
        sslTypeAnterior_ = nfe_->SSL().SSLType;
    elementoCabecalhoAnterior_ = ElementoCabecalho;
    if (configuracoesNFe_ != nullptr && configuracoesNFe_->Geral().VersaoDF() == ve400)
        ElementoCabecalho.clear();
    if (nfe_ != nullptr)
        nfe_->DefinirEtapa(EtapaServico);
}

void TNFeWebService::DefinirURL()
{
    VersaoDados.clear();
    URL.clear();
    Servico.clear();
    SoapAction.clear();
    if (nfe_ == nullptr)
        return;
    double versao = 0;
    nfe_->LocalizarServico(Layout, versao, URL, Servico, SoapAction);
    VersaoDados = nfe_->VersaoParaTexto(versao);
}

void TNFeWebService::PrepararIntegrador()
{
    TDFeWebService::PrepararIntegrador();
    if (TQuibIntegrador *integrador = Integrador(); integrador != nullptr && configuracoesNFe_ != nullptr)
        integrador->NomeComponente = upperAscii(ModeloDFParaSigla(configuracoesNFe_->Geral().ModeloDF()));
}

void TNFeWebService::PrepararIntegradorComMetodo(const std::string &metodo)
{
    TNFeWebService::PrepararIntegrador();
    TQuibIntegrador *integrador = Integrador();
    if (integrador == nullptr || configuracoesNFe_ == nullptr)
        return;
    integrador->SetParametro("versaoDados", VersaoDFParaCodigo(configuracoesNFe_->Geral().VersaoDF()));
    integrador->DefinirNomeMetodo(metodo, configuracoesNFe_->WebServices().Ambiente == taHomologacao);
}

void TNFeWebService::TransmitirDados()
{
    TQuibIntegrador *integrador = Integrador();
    if (integrador == nullptr || configuracoesNFe_ == nullptr ||
        configuracoesNFe_->Geral().ModeloDF() != moNFe) {
        TDFeWebService::TransmitirDados();
        return;
    }
    // An NF-e request never goes through the Integrador.
    nfe_->SetIntegrador(nullptr);
    try {
        TDFeWebService::TransmitirDados();
    } catch (...) {
        nfe_->SetIntegrador(integrador);
        throw;
    }
    nfe_->SetIntegrador(integrador);
}

void TNFeWebService::ConcluirServico()
{
    if (nfe_ != nullptr)
        nfe_->SSL().SSLType = sslTypeAnterior_;
    ElementoCabecalho = elementoCabecalhoAnterior_;
    if (nfe_ != nullptr)
        nfe_->DefinirEtapa(etOcioso);
}

std::string TNFeWebService::GerarVersaoDadosSoap()
{
    if (VersaoDados.empty() && nfe_ != nullptr)
        VersaoDados = nfe_->VersaoServicoDosParams(Layout);
    return "<versaoDados>" + VersaoDados + "</versaoDados>";
}

TpcnModeloDF TNFeWebService::ModeloDoTexto(std::string_view chave) const
{
    const TpcnModeloDF configurado =
        configuracoesNFe_ != nullptr ? configuracoesNFe_->Geral().ModeloDF() : moNFe;
    const std::string_view aparada = trimText(chave);
    if (aparada.empty())
        return configurado;
    const std::string modelo = ModeloDaChave(aparada);
    if (modelo == "55")
        return moNFe;
    if (modelo == "65")
        return moNFCe;
    return configurado;
}

void TNFeWebService::DefinirNomesPadrao(const std::string &servicoAte310, const std::string &acaoAte310,
                                        const std::string &servico400, const std::string &sufixoAcao400)
{
    if (configuracoesNFe_ == nullptr || configuracoesNFe_->Geral().VersaoDF() < ve400) {
        Servico = servicoAte310;
        SoapAction = acaoAte310;
        return;
    }
    if (Servico.empty())
        Servico = servico400;
    if (SoapAction.empty())
        SoapAction = Servico + sufixoAcao400;
}

void TCabecalhoRespostaNFe::LimparCabecalho(const TConfiguracoesNFe *configuracoes)
{
    versao.clear();
    tpAmb = taProducao;
    verAplic.clear();
    cStat = 0;
    xMotivo.clear();
    cUF = 0;
    dhRecbto = 0;
    if (configuracoes != nullptr) {
        tpAmb = configuracoes->WebServices().Ambiente;
        cUF = configuracoes->WebServices().UFCodigo();
    }
}
