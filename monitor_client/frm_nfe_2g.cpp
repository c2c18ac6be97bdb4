#include "monitor_client/frm_nfe_2g.h"

TfrmNFE_2G::TfrmNFE_2G() = default;
