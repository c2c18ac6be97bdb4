#include "tests/app/dados/paradox_fixture.h"

#include "foundation/text/text_utils.h"

#include "app/dados/detail/pxlib.h"
#include <stdexcept>

namespace testsupport {

void escreveTabelaParadox(const std::string &arquivo, const std::vector<ColunaParadox> &colunas,
                          const std::vector<std::vector<ValorParadox>> &linhas)
{
    const Pxlib *px = pxlib();
    if (!px)
        throw std::runtime_error("pxlib is not installed");
    pxdoc_t *doc = px->novo();
    // pxlib owns the field list from here and frees it on delete.
    auto *campos = static_cast<pxfield_t *>(doc->malloc(doc, sizeof(pxfield_t) * colunas.size(), "campos"));
    int tamanhoRegistro = 0;
    for (std::size_t i = 0; i < colunas.size(); ++i) {
        campos[i].px_fname = px->duplica(doc, colunas[i].nome.c_str());
        campos[i].px_ftype = colunas[i].tamanho > 0 ? pxfAlpha : pxfLong;
        campos[i].px_flen = colunas[i].tamanho > 0 ? colunas[i].tamanho : 4;
        campos[i].px_fdc = 0;
        tamanhoRegistro += campos[i].px_flen;
    }
    if (px->cria(doc, campos, static_cast<int>(colunas.size()), arquivo.c_str(), pxfFileTypNonIndexDB) < 0)
        throw std::runtime_error("pxlib could not create " + arquivo);
    std::vector<char> registro(static_cast<std::size_t>(tamanhoRegistro));
    for (const auto &linha : linhas) {
        std::fill(registro.begin(), registro.end(), 0);
        int posicao = 0;
        for (std::size_t i = 0; i < colunas.size(); ++i) {
            char *destino = registro.data() + posicao;
            if (const auto *texto = std::get_if<std::string>(&linha[i])) {
                std::string ansi = UTF8ParaAnsi(*texto);
                px->gravaTexto(doc, destino, campos[i].px_flen, ansi.data());
            } else {
                px->gravaLong(doc, destino, 4, std::get<int>(linha[i]));
            }
            posicao += campos[i].px_flen;
        }
        px->gravaRegistro(doc, registro.data());
    }
    px->fecha(doc);
    px->apaga(doc);
}

} // namespace testsupport
