#pragma once

// The vendor-library printer hooks the program offers for "DLL" ports.
// Implemented in usb_printer_hooks.cpp.

// Registers the EPSON hook, then the ELGIN hook (so a "DLL" port with both
// libraries present picks EPSON). Called once at program start;
// LimparHooksRegistrados (printer_hook.h) empties the registry at the end.
void RegistrarHooksUSB();
