#include "app/dados/selecao_empresa.h"

namespace {

MostraSelecaoEmpresa &visao()
{
    static MostraSelecaoEmpresa mostra;
    return mostra;
}

} // namespace

bool TfrmSelectEmpresa::ShowModal()
{
    if (visao())
        visao()(*this);
    return confirmada_;
}

void instalaSelecaoEmpresa(MostraSelecaoEmpresa mostra)
{
    visao() = std::move(mostra);
}
