#pragma once

#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"

namespace testsupport {

// A sysfs and /dev tree of USB devices in a temporary folder, shaped like the
// kernel's: device folders under sys/devices/…, linked from
// sys/bus/usb/devices (interfaces linked there too), attributes as one-line
// files, printer nodes as interface/usbmisc/lpN, serial nodes as
// interface/ttyUSBN or interface/tty/ttyACMN. Point the USB enumeration at
// sysfsRoot() and devRoot() (or KVL_SYSFS_ROOT and KVL_DEV_ROOT).
class FakeUsbTree {
  public:
    FakeUsbTree();

    std::string sysfsRoot() const { return (dir_ / "sys").string(); }
    std::string devRoot() const { return (dir_ / "dev").string(); }

    // A device folder named as the kernel would ("1-1", "1-1.2"), with its
    // identifiers and, when not empty, its manufacturer and product texts.
    void addDevice(const std::string &name, const std::string &vendorId, const std::string &productId,
                   const std::string &manufacturer, const std::string &product);
    // Interface "<device>:1.<number>" with bInterfaceClass; node "lpN",
    // "ttyUSBN" or "ttyACMN" adds that child, an empty node none.
    void addInterface(const std::string &device, int number, const std::string &interfaceClass,
                      const std::string &node = {});
    // Makes the node under devRoot() ("usb/lp0") a symbolic link to a file
    // (a pseudo-terminal, so writes and reads go through a real descriptor).
    void linkNode(const std::string &node, const std::string &target);

  private:
    std::filesystem::path deviceFolder(const std::string &name) const;

    TempDir dir_;
};

} // namespace testsupport
