#include "nfe/services/dist_dfe_int.h"

#include <utility>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/services/detail/abertura_raiz.h"
#include "nfe/services/detail/numero_com_zeros.h"

namespace {

constexpr int kDigitosNSU = 15;

} // namespace

TDistDFeInt::TDistDFeInt(std::string Versao, std::string AtributoNamespace, std::string ElementoExterno,
                         std::string ElementoConsultaChave, std::string ElementoChave, bool IncluirCUFAutor)
    : Versao(std::move(Versao)), AtributoNamespace(std::move(AtributoNamespace)),
      ElementoExterno(std::move(ElementoExterno)), ElementoConsultaChave(std::move(ElementoConsultaChave)),
      ElementoChave(std::move(ElementoChave)), IncluirCUFAutor(IncluirCUFAutor)
{
}

bool TDistDFeInt::GerarDistDFeInt()
{
    using nfe_services::numeroComZeros;
    Gerador.ArquivoFormatoXML.clear();
    if (!ElementoExterno.empty())
        Gerador.EscreveGrupo(ElementoExterno);
    Gerador.EscreveGrupo(nfe_services::aberturaRaiz("distDFeInt", AtributoNamespace, Versao));
    Gerador.EscreveCampo(vcTexto, "A03", "tpAmb", 1, 1, 1, TipoAmbienteParaCodigo(tpAmb),
                         "Identificação do Ambiente");
    if (IncluirCUFAutor)
        Gerador.EscreveCampo(vcInteiro, "A04", "cUFAutor", 2, 2, 0, cUFAutor, "Sigla da UF");
    Gerador.EscreveCNPJouCPF("A05", "A06", CNPJCPF, 1, true);

    if (!NSU.empty()) {
        Gerador.EscreveGrupo("consNSU");
        Gerador.EscreveCampo(vcTexto, "A10", "NSU", 1, kDigitosNSU, 1, numeroComZeros(NSU, kDigitosNSU),
                             "NSU específico");
        Gerador.EscreveGrupo("/consNSU");
    } else if (!ChaveAcesso.empty()) {
        Gerador.EscreveGrupo(ElementoConsultaChave);
        Gerador.EscreveCampo(vcTexto, "A12", ElementoChave, 44, 44, 1, ChaveAcesso, "Chave do DFe");
        if (!ChaveAcessoValida(ChaveAcesso))
            Gerador.AdicionaAlerta("A12", ElementoChave, "Chave do DFe", "Chave do DFe inválida");
        Gerador.EscreveGrupo("/" + ElementoConsultaChave);
    } else {
        Gerador.EscreveGrupo("distNSU");
        Gerador.EscreveCampo(vcTexto, "A08", "ultNSU", 1, kDigitosNSU, 1, numeroComZeros(ultNSU, kDigitosNSU),
                             "Último NSU recebido pela Empresa");
        Gerador.EscreveGrupo("/distNSU");
    }

    Gerador.EscreveGrupo("/distDFeInt");
    if (!ElementoExterno.empty())
        Gerador.EscreveGrupo("/" + ElementoExterno);
    return Gerador.ListaDeAlertas.empty();
}
