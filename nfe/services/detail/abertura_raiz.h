#pragma once

// The opening tag text of a request's root element, shared by the request
// writers: the element name, then the namespace attribute text as given, then
// the attribute versao.
//
// Header only: no source of its own.

#include <string>
#include <string_view>

#include "nfe/document/nfe_namespace.h"

namespace nfe_services {

inline std::string aberturaRaiz(std::string_view nome, std::string_view atributoNamespace,
                                std::string_view versao)
{
    std::string tag(nome);
    if (!atributoNamespace.empty())
        tag.append(" ").append(atributoNamespace);
    return tag.append(" versao=\"").append(versao).append("\"");
}

// The namespace attribute of the NF-e messages: xmlns="http://www.portalfiscal.inf.br/nfe".
inline std::string atributoNamespaceNFe()
{
    return std::string("xmlns=\"") + kNamespaceNFe + "\"";
}

} // namespace nfe_services
