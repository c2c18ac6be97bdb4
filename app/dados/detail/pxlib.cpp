#include "app/dados/detail/pxlib.h"

#include <dlfcn.h>

namespace {

template <class Funcao> bool carrega(void *modulo, const char *nome, Funcao &destino)
{
    destino = reinterpret_cast<Funcao>(dlsym(modulo, nome));
    return destino != nullptr;
}

const Pxlib *carregaPxlib()
{
    void *modulo = dlopen("libpx.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!modulo)
        return nullptr;
    static Pxlib px;
    const bool ok = carrega(modulo, "PX_boot", px.boot) && carrega(modulo, "PX_new", px.novo) &&
                    carrega(modulo, "PX_open_file", px.abre) && carrega(modulo, "PX_create_file", px.cria) &&
                    carrega(modulo, "PX_get_num_fields", px.numeroCampos) &&
                    carrega(modulo, "PX_get_fields", px.campos) &&
                    carrega(modulo, "PX_get_num_records", px.numeroRegistros) &&
                    carrega(modulo, "PX_retrieve_record", px.leRegistro) &&
                    carrega(modulo, "PX_put_record", px.gravaRegistro) &&
                    carrega(modulo, "PX_put_data_alpha", px.gravaTexto) &&
                    carrega(modulo, "PX_put_data_long", px.gravaLong) &&
                    carrega(modulo, "PX_strdup", px.duplica) && carrega(modulo, "PX_close", px.fecha) &&
                    carrega(modulo, "PX_delete", px.apaga);
    if (!ok)
        return nullptr;
    px.boot();
    return &px;
}

} // namespace

const Pxlib *pxlib()
{
    static const Pxlib *carregada = carregaPxlib();
    return carregada;
}
