#include "app/ui/funcoes/impressoras_cups.h"

#include <cups/cups.h>

ListaImpressoras impressorasCups()
{
    ListaImpressoras lista;
    cups_dest_t *destinos = nullptr;
    const int quantos = cupsGetDests2(CUPS_HTTP_DEFAULT, &destinos);
    for (int i = 0; i < quantos; ++i) {
        const cups_dest_t &destino = destinos[i];
        std::string nome = destino.name ? destino.name : "";
        if (destino.instance)
            nome += std::string("/") + destino.instance;
        if (destino.is_default)
            lista.atual = static_cast<int>(lista.nomes.size());
        lista.nomes.push_back(std::move(nome));
    }
    cupsFreeDests(quantos, destinos);
    return lista;
}
