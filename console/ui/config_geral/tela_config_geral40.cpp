#include "console/ui/config_geral/tela_config_geral40.h"

#include "console/ui/config_geral/frm_config_geral40_view.h"

TelaConfigGeral40::TelaConfigGeral40(TdtmNFE_grd &modulo, std::string pastaPrograma)
    : core_(modulo, std::move(pastaPrograma))
{
}

void TelaConfigGeral40::ShowModal()
{
    MostraConfigGeral40(core_);
}
