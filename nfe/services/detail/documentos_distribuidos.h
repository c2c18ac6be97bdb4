#pragma once

// Reading of one distributed document (the inflated content of a docZip) into
// its item: each of the four kinds is tried in turn on the same document.
//
// Implemented in ret_dist_dfe_int_documentos.cpp.

#include <string>
#include <string_view>

#include "nfe/services/ret_dist_dfe_int.h"

namespace nfe_services {

// `sufixoTag` is the document name ("NFe"). Malformed numbers and dates raise
// ConversionError.
void leDocumentoDistribuido(std::string documento, std::string_view sufixoTag, TdocZipCollectionItem &item);

} // namespace nfe_services
