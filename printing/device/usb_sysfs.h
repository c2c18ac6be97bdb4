#pragma once

#include <string>
#include <vector>

// The USB devices the kernel lists under sysfs. A device is a folder of
// <sysfs root>/bus/usb/devices with the attributes idVendor, idProduct,
// manufacturer and product; its interfaces are the sub-folders that have
// bInterfaceClass. The printer class driver gives a printer interface a
// "usbmisc/lpN" child (device node usb/lpN); the USB-serial drivers give a
// serial interface a "ttyUSBN" or "tty/ttyACMN" child (node ttyUSBN, ttyACMN).
//
// Reading never raises: a missing root lists nothing, an attribute that
// cannot be read is empty, a device without both identifiers is left out.
// Folders are visited in name order, so the listing is stable.

// Which nodes a listing looks for.
enum class UsbSysfsKind {
    Impressoras, // one entry per printer node
    Seriais,     // one entry per serial node
    Todos,       // one entry per device, with its first printer or serial node
};

struct UsbSysfsEntry {
    std::string pasta;    // the device folder, resolved (one per physical device)
    std::string vendorId; // as read, e.g. "04b8"
    std::string productId;
    std::string fabricante; // the manufacturer attribute
    std::string produto;    // the product attribute
    std::string local;      // the folder name: bus and port path, e.g. "1-1.2"
    std::string no;         // node under the /dev root ("usb/lp0", "ttyUSB0"); empty when none
};

std::vector<UsbSysfsEntry> listarUsbSysfs(const std::string &raizSysfs, UsbSysfsKind tipo);
