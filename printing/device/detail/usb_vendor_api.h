#pragma once

// The C functions of the two vendor libraries behind the USB printer hooks,
// as the hooks call them (results are integers; the meaning each hook relies
// on is in usb_printer_hooks.h). The libraries themselves are outside this
// system. Header only.

namespace usb_vendor_api {

// "HprtPrinter.dll": a printer object created for a model, then a port.
using PrtPrinterCreatorW = int (*)(void **impressora, const char16_t *modelo);
using PrtPortOpenW = int (*)(void *impressora, const char16_t *porta);
using PrtPortClose = int (*)(void *impressora);
// Writes `tamanhoEscrita` bytes when `escrita` is not null; reads up to
// `capacidade` bytes into `leitura` when it is not null, their count in `lidos`.
using PrtDirectIO = int (*)(void *impressora, const unsigned char *escrita, unsigned int tamanhoEscrita,
                            unsigned char *leitura, unsigned int capacidade, unsigned int *lidos);

// "InterfaceEpsonNF.dll": one port at a time; text buffers are filled in place.
using IniciaPorta = int (*)(const char *porta);
using FechaPorta = int (*)();
using ComandoTX = int (*)(const char *bytes, int quantidade);
using Le_Status = int (*)();
using Le_Status_Slip = int (*)(char *buffer);
using Le_Status_Gaveta = int (*)();
using LeModelo = int (*)(char *buffer);
using LeNumeroSerie = int (*)(char *buffer);
using LeMICR = int (*)(char *buffer);

} // namespace usb_vendor_api
