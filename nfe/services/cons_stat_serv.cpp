#include "nfe/services/cons_stat_serv.h"

#include <utility>

#include "nfe/services/detail/abertura_raiz.h"

TConsStatServ::TConsStatServ(std::string Versao, std::string AtributoNamespace, std::string SufixoTag,
                             bool IncluirCUF)
    : Versao(std::move(Versao)), AtributoNamespace(std::move(AtributoNamespace)),
      SufixoTag(std::move(SufixoTag)), IncluirCUF(IncluirCUF)
{
}

bool TConsStatServ::GerarConsStatServ()
{
    Gerador.ArquivoFormatoXML.clear();
    const std::string raiz = "consStatServ" + SufixoTag;
    Gerador.EscreveGrupo(nfe_services::aberturaRaiz(raiz, AtributoNamespace, Versao));
    Gerador.EscreveCampo(vcTexto, "FP03", "tpAmb", 1, 1, 1, TipoAmbienteParaCodigo(tpAmb),
                         "Identificação do Ambiente");
    if (IncluirCUF)
        Gerador.EscreveCampo(vcInteiro, "FP04", "cUF", 2, 2, 1, cUF, "Código do UF (Unidade da Federação)");
    Gerador.EscreveCampo(vcTexto, "FP05", "xServ", 6, 6, 1, "STATUS", "Descrição do serviço");
    Gerador.EscreveGrupo("/" + raiz);
    return Gerador.ListaDeAlertas.empty();
}
