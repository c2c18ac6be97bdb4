#include "nfe/services/detail/endereco_servico.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/services/nfe_web_service.h"

namespace nfe_services {

void localizarNoAutorizador(TNFeWebService &servico, TpcnModeloDF modelo, int cUF, TpcnTipoAmbiente tpAmb,
                            TpcnServicoNFe layout, TpcnVersaoDF versao)
{
    servico.VersaoDados.clear();
    servico.URL.clear();
    servico.Servico.clear();
    servico.SoapAction.clear();
    TQuibNFe *nfe = servico.ComponenteNFe();
    if (nfe == nullptr)
        return;
    std::string autorizador;
    switch (nfe->Configuracoes().Geral().FormaEmissao) {
    case teSVCAN:
        autorizador = "SVC-AN";
        break;
    case teSVCRS:
        autorizador = "SVC-RS";
        break;
    default:
        autorizador = SiglaUFDoCodigo(cUF);
        break;
    }
    double numero = VersaoDFParaNumero(versao);
    nfe->BuscarServico(ModeloDFParaSigla(modelo), autorizador, tpAmb, ServicoNFeParaNome(layout), numero,
                       servico.URL, servico.Servico, servico.SoapAction);
    servico.VersaoDados = nfe->VersaoParaTexto(numero);
}

} // namespace nfe_services
