#include "printing/device/usb_sysfs.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "foundation/text/text_utils.h"

namespace fs = std::filesystem;

namespace {

// The sub-folders of a folder in name order; none when it cannot be read.
std::vector<fs::path> subpastas(const fs::path &pasta)
{
    std::vector<fs::path> resultado;
    std::error_code erro;
    fs::directory_iterator it(pasta, erro);
    for (; !erro && it != fs::directory_iterator(); it.increment(erro)) {
        std::error_code tipo;
        if (it->is_directory(tipo))
            resultado.push_back(it->path());
    }
    std::sort(resultado.begin(), resultado.end());
    return resultado;
}

// The attribute's first line, trimmed; empty when it cannot be read.
std::string atributo(const fs::path &pasta, std::string_view nome)
{
    std::ifstream entrada(pasta / nome);
    std::string linha;
    if (!entrada || !std::getline(entrada, linha))
        return {};
    return std::string(trimText(linha));
}

bool existe(const fs::path &caminho)
{
    std::error_code erro;
    return fs::exists(caminho, erro);
}

// The nodes of one interface folder: printer nodes or serial nodes.
std::vector<std::string> nosDaInterface(const fs::path &interface, UsbSysfsKind tipo)
{
    std::vector<std::string> nos;
    if (tipo == UsbSysfsKind::Impressoras) {
        for (const fs::path &filho : subpastas(interface / "usbmisc"))
            if (filho.filename().string().starts_with("lp"))
                nos.push_back("usb/" + filho.filename().string());
        return nos;
    }
    for (const fs::path &filho : subpastas(interface))
        if (filho.filename().string().starts_with("ttyUSB"))
            nos.push_back(filho.filename().string());
    for (const fs::path &filho : subpastas(interface / "tty"))
        if (filho.filename().string().starts_with("tty"))
            nos.push_back(filho.filename().string());
    return nos;
}

std::vector<std::string> nosDoDispositivo(const fs::path &pasta, UsbSysfsKind tipo)
{
    std::vector<std::string> nos;
    for (const fs::path &interface : subpastas(pasta)) {
        if (!existe(interface / "bInterfaceClass"))
            continue;
        for (std::string &no : nosDaInterface(interface, tipo))
            nos.push_back(std::move(no));
    }
    return nos;
}

} // namespace

std::vector<UsbSysfsEntry> listarUsbSysfs(const std::string &raizSysfs, UsbSysfsKind tipo)
{
    std::vector<UsbSysfsEntry> lista;
    for (const fs::path &entrada : subpastas(fs::path(raizSysfs) / "bus" / "usb" / "devices")) {
        UsbSysfsEntry dispositivo;
        dispositivo.vendorId = atributo(entrada, "idVendor");
        dispositivo.productId = atributo(entrada, "idProduct");
        if (dispositivo.vendorId.empty() || dispositivo.productId.empty())
            continue; // an interface folder, or a device whose identifiers cannot be read
        std::error_code erro;
        const fs::path real = fs::weakly_canonical(entrada, erro);
        dispositivo.pasta = (erro ? entrada : real).string();
        dispositivo.fabricante = atributo(entrada, "manufacturer");
        dispositivo.produto = atributo(entrada, "product");
        dispositivo.local = entrada.filename().string();
        if (tipo == UsbSysfsKind::Todos) {
            std::vector<std::string> nos = nosDoDispositivo(entrada, UsbSysfsKind::Impressoras);
            if (nos.empty())
                nos = nosDoDispositivo(entrada, UsbSysfsKind::Seriais);
            if (!nos.empty())
                dispositivo.no = nos.front();
            lista.push_back(std::move(dispositivo));
            continue;
        }
        for (std::string &no : nosDoDispositivo(entrada, tipo)) {
            UsbSysfsEntry comNo = dispositivo;
            comNo.no = std::move(no);
            lista.push_back(std::move(comNo));
        }
    }
    return lista;
}
