#include "tests/support/fake_usb_tree.h"

#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

void writeAttribute(const fs::path &folder, const std::string &name, const std::string &value)
{
    std::ofstream(folder / name) << value << '\n';
}

} // namespace

FakeUsbTree::FakeUsbTree()
{
    fs::create_directories(dir_.path() / "sys" / "bus" / "usb" / "devices");
    fs::create_directories(dir_.path() / "sys" / "devices" / "pci0000:00" / "usb1");
    fs::create_directories(dir_.path() / "dev");
}

fs::path FakeUsbTree::deviceFolder(const std::string &name) const
{
    return dir_.path() / "sys" / "devices" / "pci0000:00" / "usb1" / name;
}

void FakeUsbTree::addDevice(const std::string &name, const std::string &vendorId,
                            const std::string &productId, const std::string &manufacturer,
                            const std::string &product)
{
    const fs::path folder = deviceFolder(name);
    fs::create_directories(folder);
    writeAttribute(folder, "idVendor", vendorId);
    writeAttribute(folder, "idProduct", productId);
    if (!manufacturer.empty())
        writeAttribute(folder, "manufacturer", manufacturer);
    if (!product.empty())
        writeAttribute(folder, "product", product);
    fs::create_directory_symlink(folder, dir_.path() / "sys" / "bus" / "usb" / "devices" / name);
}

void FakeUsbTree::addInterface(const std::string &device, int number, const std::string &interfaceClass,
                               const std::string &node)
{
    const std::string name = device + ":1." + std::to_string(number);
    const fs::path folder = deviceFolder(device) / name;
    fs::create_directories(folder);
    writeAttribute(folder, "bInterfaceClass", interfaceClass);
    fs::create_directory_symlink(folder, dir_.path() / "sys" / "bus" / "usb" / "devices" / name);
    if (node.starts_with("lp"))
        fs::create_directories(folder / "usbmisc" / node);
    else if (node.starts_with("ttyUSB"))
        fs::create_directories(folder / node / "tty" / node);
    else if (node.starts_with("ttyACM"))
        fs::create_directories(folder / "tty" / node);
    else if (!node.empty())
        throw std::invalid_argument("unknown USB node kind: " + node);
}

void FakeUsbTree::linkNode(const std::string &node, const std::string &target)
{
    const fs::path link = dir_.path() / "dev" / node;
    fs::create_directories(link.parent_path());
    fs::create_symlink(target, link);
}

} // namespace testsupport
