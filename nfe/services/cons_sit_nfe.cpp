#include "nfe/services/cons_sit_nfe.h"

#include "nfe/services/detail/abertura_raiz.h"

bool TConsSitNFe::GerarConsSitNFe()
{
    Gerador.ArquivoFormatoXML.clear();
    Gerador.EscreveGrupo(
        nfe_services::aberturaRaiz("consSitNFe", nfe_services::atributoNamespaceNFe(), Versao));
    Gerador.EscreveCampo(vcTexto, "EP03", "tpAmb", 1, 1, 1, TipoAmbienteParaCodigo(tpAmb),
                         "Identificação do Ambiente");
    Gerador.EscreveCampo(vcTexto, "EP04", "xServ", 9, 9, 1, "CONSULTAR", "Descrição do serviço");
    Gerador.EscreveCampo(vcDigitos, "EP05", "chNFe", 44, 44, 1, chNFe, "Chave da NFe");
    Gerador.EscreveGrupo("/consSitNFe");
    return Gerador.ListaDeAlertas.empty();
}
