#include "printing/device/ports.h"

#include <array>
#include <charconv>
#include <cstdlib>

#include "foundation/text/text_utils.h"

namespace {

struct DevicePrefix {
    std::string_view prefix;
    TQuibDeviceType type;
};

// Linux device files, matched as written.
// clang-format off
constexpr std::array kLinuxDevices = {
    DevicePrefix{"/dev/tty",     dtSerial},
    DevicePrefix{"/dev/pts/",    dtSerial},
    DevicePrefix{"/dev/serial/", dtSerial},
    DevicePrefix{"/dev/rfcomm",  dtSerial},
    DevicePrefix{"/dev/usb/lp",  dtUSB},
    DevicePrefix{"/dev/lp",      dtParallel},
};
// clang-format on

// "<prefix>n" with n a positive number: the device file the environment
// variable "KVL_<prefix>n" names, else the fallback folder and n−1.
std::string numberedDevice(std::string_view port, std::string_view prefix, std::string_view fallback)
{
    const std::string upper = upperAscii(port);
    if (!upper.starts_with(prefix) || upper.size() == prefix.size())
        return std::string(port);
    const std::string_view digits = std::string_view(upper).substr(prefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 1)
        return std::string(port);
    const std::string variable = "KVL_" + upper;
    if (const char *mapped = std::getenv(variable.c_str()); mapped != nullptr && *mapped != '\0')
        return mapped;
    return std::string(fallback) + std::to_string(number - 1);
}

} // namespace

TQuibDeviceType deducePortType(std::string_view port, const InstalledPrinterLookup &isInstalledPrinter)
{
    const std::string upper = upperAscii(port);
    if (port == "*")
        return dtRawPrinter;
    if (upper.starts_with("NULL"))
        return dtNenhum;
    if (upper.starts_with("TCP:"))
        return dtTCP;
    if (upper.starts_with("RAW:"))
        return dtRawPrinter;
    if (upper.starts_with("BTH:"))
        return dtBlueTooth;
    if (upper.ends_with(".TXT") || upper.starts_with("FILE:"))
        return dtFile;
    if (upper.starts_with("LPT"))
        return dtParallel;
    if (upper.starts_with("COM") || port.starts_with("\\\\.\\"))
        return dtSerial;
    if (upper.starts_with("DLL"))
        return dtHook;
    if (upper.starts_with("USB") || lowerAscii(port).starts_with("\\\\?\\usb"))
        return dtUSB;
    for (const auto &device : kLinuxDevices) {
        if (port.starts_with(device.prefix))
            return device.type;
    }
    if (!port.empty() && isInstalledPrinter && isInstalledPrinter(port))
        return dtRawPrinter;
    if (port.find_first_of("\\/") != std::string_view::npos)
        return dtFile;
    return dtNenhum;
}

std::string normalizePort(std::string_view port)
{
    const std::string_view trimmed = trimText(port);
    std::string upper = upperAscii(trimmed);
    if (upper.starts_with("LPT") || upper.starts_with("COM"))
        return upper;
    return std::string(trimmed);
}

std::string serialDevicePath(std::string_view port)
{
    if (port.starts_with("\\\\.\\"))
        port.remove_prefix(4);
    return numberedDevice(port, "COM", "/dev/ttyS");
}

std::string parallelDevicePath(std::string_view port)
{
    return numberedDevice(port, "LPT", "/dev/lp");
}
