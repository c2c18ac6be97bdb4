#include "nfe/services/adm_csc_nfce.h"

#include "nfe/services/detail/abertura_raiz.h"
#include "nfe/services/detail/numero_com_zeros.h"

bool TAdmCSCNFCe::GerarAdmCscNFCe()
{
    Gerador.ArquivoFormatoXML.clear();
    Gerador.EscreveGrupo(
        nfe_services::aberturaRaiz("admCscNFCe", nfe_services::atributoNamespaceNFe(), versao));
    Gerador.EscreveCampo(vcTexto, "AP03", "tpAmb", 1, 1, 1, TipoAmbienteParaCodigo(tpAmb),
                         "Identificação do Ambiente");
    Gerador.EscreveCampo(vcTexto, "AP04", "indOp", 1, 1, 1, OperacaoCSCParaCodigo(indOp),
                         "Indicador de Operação");
    Gerador.EscreveCampo(vcTexto, "AP05", "raizCNPJ", 8, 8, 1, raizCNPJ, "Raiz do CNPJ");
    if (indOp == ocs3) {
        Gerador.EscreveGrupo("dadosCsc");
        // A larger identifier goes out whole, with the size alert, never cut.
        Gerador.EscreveCampo(vcTexto, "AP07", "idCsc", 6, 6, 1,
                             nfe_services::numeroComZeros(std::to_string(idCsc), 6), "Identificador do CSC");
        Gerador.EscreveCampo(vcTexto, "AP08", "codigoCsc", 16, 16, 1, codigoCsc, "Código do CSC");
        Gerador.EscreveGrupo("/dadosCsc");
    }
    Gerador.EscreveGrupo("/admCscNFCe");
    return Gerador.ListaDeAlertas.empty();
}
