#pragma once

// The namespace of the NF-e documents and messages.
//
// Header only: no source of its own.
inline constexpr const char *kNamespaceNFe = "http://www.portalfiscal.inf.br/nfe";
