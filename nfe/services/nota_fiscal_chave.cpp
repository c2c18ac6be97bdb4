#include "foundation/dates/date_time.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/notas_fiscais.h"

namespace {

// The number with leading zeros, cut to its first `digitos` digits when longer.
std::string numeroComZeros(std::int64_t numero, int digitos)
{
    std::string texto = std::to_string(numero < 0 ? -numero : numero);
    if (static_cast<int>(texto.size()) < digitos)
        texto.insert(0, static_cast<std::size_t>(digitos) - texto.size(), '0');
    return texto.substr(0, static_cast<std::size_t>(digitos));
}

} // namespace

bool NotaFiscal::ChaveConfere() const
{
    const TNFe &nfe = NFe();
    const std::string chave = "NFe" + ChaveNota();
    const DateTimeParts emissao = decodeDateTime(nfe.ide.dEmi);
    std::string cnpj = SomenteDigitos(nfe.emit.CNPJCPF);
    if (cnpj.size() < 14)
        cnpj.insert(0, 14 - cnpj.size(), '0');
    // Positions (from 1) of the key text "NFe" + digits and what each part must hold.
    const std::pair<std::size_t, std::string> partes[] = {
        {4, numeroComZeros(nfe.ide.cUF, 2)},   {6, numeroComZeros(emissao.year % 100, 2)},
        {8, numeroComZeros(emissao.month, 2)}, {10, cnpj.substr(0, 14)},
        {24, numeroComZeros(nfe.ide.mod, 2)},  {26, numeroComZeros(nfe.ide.serie, 3)},
        {29, numeroComZeros(nfe.ide.nNF, 9)},  {38, TipoEmissaoParaCodigo(nfe.ide.tpEmis)},
        {39, numeroComZeros(nfe.ide.cNF, 8)},
    };
    for (const auto &[posicao, esperado] : partes) {
        if (posicao - 1 > chave.size() || chave.compare(posicao - 1, esperado.size(), esperado) != 0)
            return false;
    }
    return true;
}
