#pragma once

// The namespace of the NF-e documents and messages.
inline constexpr const char *kNamespaceNFe = "http://www.portalfiscal.inf.br/nfe";
