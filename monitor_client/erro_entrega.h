#pragma once

#include "foundation/base/quib_exception.h"

// A request that could not be handed to the document monitor: what() names
// the file and the reason, in the system's words. Raised by
// TfrmNFE_2G::Nome_dos_arquivos("COPIAR") and TfrmNFE_2G::EntregaRequisicao.
class EEntregaMonitor : public ProgramError {
  public:
    using ProgramError::ProgramError;
};
