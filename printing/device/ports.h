#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "printing/device/device_types.h"

// Port texts of the printer device: which kind of port a text names, how it
// is stored, and which Linux device file a Windows-style port name opens.

// Answers whether a name is that of an installed printer (case ignored).
using InstalledPrinterLookup = std::function<bool(std::string_view name)>;

// The kind of port the text names, by the first rule that matches (upper-cased
// comparisons unless noted):
//   "*" → dtRawPrinter; "NULL…" → dtNenhum; "TCP:…" → dtTCP; "RAW:…" →
//   dtRawPrinter; "BTH:…" → dtBlueTooth; "….TXT" → dtFile; "FILE:…" → dtFile;
//   "LPT…" → dtParallel; "COM…" → dtSerial; "\\.\…" (as written) → dtSerial;
//   "DLL…" → dtHook; "USB…" → dtUSB; "\\?\usb…" (lower-cased) → dtUSB;
//   Linux device files (as written): "/dev/tty", "/dev/pts/", "/dev/serial/",
//   "/dev/rfcomm" → dtSerial, "/dev/usb/lp" → dtUSB, "/dev/lp" → dtParallel;
//   an installed printer's name → dtRawPrinter; a text holding "\" or "/" →
//   dtFile; anything else (the empty text too) → dtNenhum.
// An empty lookup knows no printer.
TQuibDeviceType deducePortType(std::string_view port, const InstalledPrinterLookup &isInstalledPrinter);

// The port as the device keeps it: trimmed, and upper-cased when it begins
// with "LPT" or "COM" in any case.
std::string normalizePort(std::string_view port);

// The device file a serial port text opens: "COMn" and "\\.\COMn" open the
// file named by the environment variable KVL_COMn, else /dev/ttyS(n−1); any
// other text is a device path already and is returned unchanged.
std::string serialDevicePath(std::string_view port);

// The device file of "LPTn": KVL_LPTn, else /dev/lp(n−1); other texts unchanged.
std::string parallelDevicePath(std::string_view port);
