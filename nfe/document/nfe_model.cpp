#include "nfe/document/nfe_model.h"

#include "foundation/numbers/number_date_utils.h"

namespace {

constexpr double kVersaoPadrao = 2.0;

void setBrazil(TEnderecoNFe &address)
{
    address.cPais = kCodigoPaisBrasil;
    address.xPais = kNomePaisBrasil;
}

} // namespace

double TInfNFe::VersaoOuPadrao() const
{
    return versao > 0 ? versao : kVersaoPadrao;
}

std::string TInfNFe::AtributoVersao() const
{
    const std::string text = versao > 0 ? FloatParaTexto('.', "#0.00", versao) : std::string("2.00");
    return "versao=\"" + text + "\"";
}

TNFe::TNFe()
{
    infNFe.versao = 0;
    setBrazil(emit.enderEmit);
    setBrazil(dest.enderDest);
}
