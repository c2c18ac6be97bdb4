// Stand-in for "HprtPrinter.dll": every call is logged and answers its
// scripted result (fake_vendor_script.h). Keys: the function names for their
// results (default 0, success); "resposta.<hex bytes>" = hex bytes the
// printer sends back after a write of exactly those bytes, kept until read; "PrtDirectIO.lidos" = a count
// reported for every read instead of the true one (a library that overstates it).

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "printing/device/detail/usb_vendor_api.h"
#include "tests/support/fake_vendor/fake_vendor_script.h"

using namespace fake_vendor;

namespace {

int impressora;      // the printer object handed out
std::string aEnviar; // bytes the printer has sent and nobody read yet

std::string textoLargo(const char16_t *texto)
{
    std::string ascii;
    for (; *texto != 0; ++texto)
        ascii += static_cast<char>(*texto);
    return ascii;
}

} // namespace

extern "C" {

int PrtPrinterCreatorW(void **objeto, const char16_t *modelo)
{
    registra("PrtPrinterCreatorW " + textoLargo(modelo));
    aEnviar.clear();
    const int r = resultado("PrtPrinterCreatorW", 0);
    *objeto = r == 0 ? &impressora : nullptr;
    return r;
}

int PrtPortOpenW(void *objeto, const char16_t *porta)
{
    registra(std::string("PrtPortOpenW ") + (objeto == &impressora ? "" : "(objeto errado) ") +
             textoLargo(porta));
    return resultado("PrtPortOpenW", 0);
}

int PrtPortClose(void *)
{
    registra("PrtPortClose");
    return resultado("PrtPortClose", 0);
}

int PrtDirectIO(void *, const unsigned char *escrita, unsigned int tamanhoEscrita, unsigned char *leitura,
                unsigned int capacidade, unsigned int *lidos)
{
    if (escrita != nullptr) {
        registra("PrtDirectIO escrita " + hex(escrita, tamanhoEscrita));
        const std::string resposta = valor("resposta." + hex(escrita, tamanhoEscrita), {});
        aEnviar += deHex(resposta);
    }
    if (leitura != nullptr) {
        registra("PrtDirectIO leitura " + std::to_string(capacidade));
        const std::size_t n = std::min<std::size_t>(capacidade, aEnviar.size());
        std::memcpy(leitura, aEnviar.data(), n);
        aEnviar.erase(0, n);
        *lidos = static_cast<unsigned int>(resultado("PrtDirectIO.lidos", static_cast<int>(n)));
    }
    return resultado("PrtDirectIO", 0);
}
}

// The hook calls these through its own prototypes: they must agree.
static_assert(std::is_same_v<decltype(&PrtPrinterCreatorW), usb_vendor_api::PrtPrinterCreatorW>);
static_assert(std::is_same_v<decltype(&PrtPortOpenW), usb_vendor_api::PrtPortOpenW>);
static_assert(std::is_same_v<decltype(&PrtPortClose), usb_vendor_api::PrtPortClose>);
static_assert(std::is_same_v<decltype(&PrtDirectIO), usb_vendor_api::PrtDirectIO>);
