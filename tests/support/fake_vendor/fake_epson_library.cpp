// Stand-in for "InterfaceEpsonNF.dll": every call is logged and answers its
// scripted result (fake_vendor_script.h). Keys: the function names for their
// results (defaults: success, Le_Status 1, Le_Status_Gaveta 0) and
// "LeModelo.texto", "LeNumeroSerie.texto", "Le_Status_Slip.texto" for the
// texts written into the buffers. Built with NFE_FAKE_SEM_LEMICR, it lacks
// LeMICR.

#include <type_traits>

#include "printing/device/detail/usb_vendor_api.h"
#include "tests/support/fake_vendor/fake_vendor_script.h"

using namespace fake_vendor;

extern "C" {

int IniciaPorta(const char *porta)
{
    registra(std::string("IniciaPorta ") + porta);
    return resultado("IniciaPorta", 1);
}

int FechaPorta()
{
    registra("FechaPorta");
    return resultado("FechaPorta", 1);
}

int ComandoTX(const char *bytes, int quantidade)
{
    registra("ComandoTX " +
             hex(reinterpret_cast<const unsigned char *>(bytes), static_cast<std::size_t>(quantidade)));
    return resultado("ComandoTX", 1);
}

int Le_Status()
{
    registra("Le_Status");
    return resultado("Le_Status", 1);
}

int Le_Status_Slip(char *buffer)
{
    registra("Le_Status_Slip");
    preencheBuffer(buffer, valor("Le_Status_Slip.texto", "000"));
    return resultado("Le_Status_Slip", 1);
}

int Le_Status_Gaveta()
{
    registra("Le_Status_Gaveta");
    return resultado("Le_Status_Gaveta", 0);
}

int LeModelo(char *buffer)
{
    registra("LeModelo");
    preencheBuffer(buffer, valor("LeModelo.texto", "TM-T20"));
    return resultado("LeModelo", 1);
}

int LeNumeroSerie(char *buffer)
{
    registra("LeNumeroSerie");
    preencheBuffer(buffer, valor("LeNumeroSerie.texto", "SN0001"));
    return resultado("LeNumeroSerie", 1);
}

#ifndef NFE_FAKE_SEM_LEMICR
int LeMICR(char *buffer)
{
    registra("LeMICR");
    preencheBuffer(buffer, valor("LeMICR.texto", ""));
    return resultado("LeMICR", 1);
}
#endif
}

// The hook calls these through its own prototypes: they must agree.
static_assert(std::is_same_v<decltype(&IniciaPorta), usb_vendor_api::IniciaPorta>);
static_assert(std::is_same_v<decltype(&FechaPorta), usb_vendor_api::FechaPorta>);
static_assert(std::is_same_v<decltype(&ComandoTX), usb_vendor_api::ComandoTX>);
static_assert(std::is_same_v<decltype(&Le_Status), usb_vendor_api::Le_Status>);
static_assert(std::is_same_v<decltype(&Le_Status_Slip), usb_vendor_api::Le_Status_Slip>);
static_assert(std::is_same_v<decltype(&Le_Status_Gaveta), usb_vendor_api::Le_Status_Gaveta>);
static_assert(std::is_same_v<decltype(&LeModelo), usb_vendor_api::LeModelo>);
static_assert(std::is_same_v<decltype(&LeNumeroSerie), usb_vendor_api::LeNumeroSerie>);
