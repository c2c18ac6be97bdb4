#include "dfe/crypto/certificate_selector.h"

#include <mutex>

namespace {

struct SeletorInstalado {
    std::mutex lock;
    SeletorCertificado seletor;
};

SeletorInstalado &seletorInstalado()
{
    static SeletorInstalado instalado;
    return instalado;
}

} // namespace

void DefinirSeletorCertificado(SeletorCertificado seletor)
{
    SeletorInstalado &instalado = seletorInstalado();
    std::lock_guard guard(instalado.lock);
    instalado.seletor = std::move(seletor);
}

std::string MostrarSeletorCertificado(const TListaCertificados &Certificados, std::string_view Titulo,
                                      std::string_view Texto)
{
    SeletorCertificado seletor;
    {
        SeletorInstalado &instalado = seletorInstalado();
        std::lock_guard guard(instalado.lock);
        seletor = instalado.seletor;
    }
    return seletor ? seletor(Certificados, Titulo, Texto) : std::string();
}
