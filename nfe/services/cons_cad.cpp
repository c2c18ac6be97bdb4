#include "nfe/services/cons_cad.h"

#include "nfe/services/detail/abertura_raiz.h"

bool TConsCad::GerarConsCad()
{
    Gerador.ArquivoFormatoXML.clear();
    Gerador.EscreveGrupo(nfe_services::aberturaRaiz("ConsCad", nfe_services::atributoNamespaceNFe(), Versao));
    Gerador.EscreveGrupo("infCons");
    Gerador.EscreveCampo(vcTexto, "GP04", "xServ", 8, 8, 1, "CONS-CAD", "Descrição do serviço");
    Gerador.EscreveCampo(vcTexto, "GP05", "UF", 2, 2, 1, UF, "Sigla da UF");
    if (!IE.empty())
        Gerador.EscreveCampo(vcTexto, "GP06", "IE", 2, 14, 1, IE, "Inscrição Estadual");
    else if (!CNPJ.empty())
        Gerador.EscreveCNPJouCPF("GP07", "CNPJ", CNPJ, 1, true);
    else if (!CPF.empty())
        Gerador.EscreveCNPJouCPF("GP08", "CPF", CPF, 1, true);
    Gerador.EscreveGrupo("/infCons");
    Gerador.EscreveGrupo("/ConsCad");
    return Gerador.ListaDeAlertas.empty();
}
