#include "nfe/services/cons_reci_dfe.h"

#include <utility>

#include "nfe/services/detail/abertura_raiz.h"

TConsReciDFe::TConsReciDFe(std::string Versao, std::string AtributoNamespace, std::string SufixoTag)
    : Versao(std::move(Versao)), AtributoNamespace(std::move(AtributoNamespace)),
      SufixoTag(std::move(SufixoTag))
{
}

bool TConsReciDFe::GerarConsReci()
{
    Gerador.ArquivoFormatoXML.clear();
    const std::string raiz = "consReci" + SufixoTag;
    Gerador.EscreveGrupo(nfe_services::aberturaRaiz(raiz, AtributoNamespace, Versao));
    Gerador.EscreveCampo(vcTexto, "BP03", "tpAmb", 1, 1, 1, TipoAmbienteParaCodigo(tpAmb),
                         "Identificação do Ambiente");
    Gerador.EscreveCampo(vcDigitos, "BP04", "nRec", 15, 15, 1, nRec, "Numero do recibo");
    Gerador.EscreveGrupo("/" + raiz);
    return Gerador.ListaDeAlertas.empty();
}
