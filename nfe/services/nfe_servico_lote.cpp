#include "nfe/services/nfe_servico_lote.h"

#include "nfe/services/detail/endereco_servico.h"
#include "nfe/services/notas_fiscais.h"

void TNFeServicoLote::LimparAmbiente()
{
    tpAmb = taProducao;
    cUF = 0;
    if (ConfiguracoesNFe() != nullptr) {
        tpAmb = ConfiguracoesNFe()->WebServices().Ambiente;
        cUF = ConfiguracoesNFe()->WebServices().UFCodigo();
    }
}

void TNFeServicoLote::PrepararServico()
{
    if (notas_.Count() > 0) {
        bool ok = false;
        const TpcnVersaoDF daNota = NumeroParaVersaoDF(notas_[0].NFe().infNFe.VersaoOuPadrao(), ok);
        VersaoDF = ok ? daNota : ve400;
    } else if (ConfiguracoesNFe() != nullptr) {
        VersaoDF = ConfiguracoesNFe()->Geral().VersaoDF();
    }
    // The SOAP header follows the batch's version, not the configured one.
    const std::string cabecalho = ElementoCabecalho;
    TNFeWebService::PrepararServico();
    ElementoCabecalho = VersaoDF < ve400 ? cabecalho : std::string();
}

void TNFeServicoLote::DefinirURL()
{
    VersaoDados.clear();
    URL.clear();
    if (ConfiguracoesNFe() == nullptr)
        return;
    TConfiguracoesNFe &cfg = *ConfiguracoesNFe();
    TpcnModeloDF modelo = cfg.Geral().ModeloDF();
    cUF = cfg.WebServices().UFCodigo();
    if (notas_.Count() > 0) {
        const TNFe &primeira = notas_[0].NFe();
        modelo = primeira.ide.mod == 65 ? moNFCe : moNFe;
        cUF = primeira.ide.cUF;
        if (primeira.ide.tpAmb != cfg.WebServices().Ambiente)
            throw EQuibNFeException("Ambiente do XML (tpAmb) é diferente do configurado no Componente "
                                    "(Configuracoes.WebServices.Ambiente)");
    }
    tpAmb = cfg.WebServices().Ambiente;
    Layout = ServicoDoLote(TQuibNFe::ServicoEhAutorizacao(VersaoDF, modelo, cUF));
    nfe_services::localizarNoAutorizador(*this, modelo, cUF, tpAmb, Layout, VersaoDF);
}

void TNFeServicoLote::DefinirNomesDoLote(const std::string &servicoAte310, const std::string &acaoAte310,
                                         const std::string &servico400, const std::string &sufixoAcao400)
{
    if (VersaoDF < ve400) {
        Servico = servicoAte310;
        SoapAction = acaoAte310;
        return;
    }
    if (Servico.empty())
        Servico = servico400;
    if (SoapAction.empty())
        SoapAction = Servico + sufixoAcao400;
}
