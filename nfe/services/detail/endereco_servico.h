#pragma once

// The endpoint of a service asked of the authoriser of a note's state (or
// of the SVC authoriser in those contingencies), for the services whose
// model and state come from a note or a key rather than the configuration.
//
// Implemented in endereco_servico.cpp.

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_nfe.h"

class TNFeWebService;

namespace nfe_services {

// URL, Servico and SoapAction as the services INI gives them for the model,
// the authoriser of state cUF, the environment, the layout's service key and
// the version; VersaoDados := the version found, as "0.00". Raises what the
// services-INI lookup raises.
void localizarNoAutorizador(TNFeWebService &servico, TpcnModeloDF modelo, int cUF, TpcnTipoAmbiente tpAmb,
                            TpcnServicoNFe layout, TpcnVersaoDF versao);

} // namespace nfe_services
