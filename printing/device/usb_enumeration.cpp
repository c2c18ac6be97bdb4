#include "printing/device/usb_enumeration.h"

#include <algorithm>
#include <cctype>

#include "foundation/text/text_utils.h"

namespace {

// Where a serial port begins in a device name.
constexpr std::string_view kInicioPortaSerial = "(/DEV/TTY";

bool ehHexa(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// "vvvv, pppp": the full description of a device the table does not know.
bool formaDeIdentificadores(std::string_view texto)
{
    return texto.size() == 10 && std::all_of(texto.begin(), texto.begin() + 4, ehHexa) &&
           texto.substr(4, 2) == ", " && std::all_of(texto.begin() + 6, texto.end(), ehHexa);
}

} // namespace

std::string PortaCOMDoNome(std::string_view nome)
{
    const std::size_t inicio = upperAscii(nome).find(kInicioPortaSerial);
    if (inicio == std::string::npos)
        return {};
    const std::size_t fim = nome.find(')', inicio);
    if (fim == std::string_view::npos)
        return {};
    return std::string(nome.substr(inicio + 1, fim - inicio - 1));
}

std::string NormalizaVCOM(std::string_view nome)
{
    const std::string porta = PortaCOMDoNome(nome);
    return porta.empty() ? std::string(nome) : replaceAll(nome, porta, "VCOM");
}

void TQuibUSBWinDevice::SetVendorID(std::string_view valor)
{
    validarIdentificadorUSB("VendorID", valor);
    vendorId_ = lowerAscii(valor);
    tabela_.reset();
}

void TQuibUSBWinDevice::SetProductID(std::string_view valor)
{
    validarIdentificadorUSB("ProductID", valor);
    productId_ = lowerAscii(valor);
    tabela_.reset();
}

const TQuibUSBIDDataBase::Dispositivo &TQuibUSBWinDevice::tabela()
{
    if (!tabela_) {
        TQuibUSBIDDataBase::Dispositivo encontrado;
        lista_->BaseDados().ProcurarDispositivo(vendorId_, productId_, encontrado);
        tabela_ = std::move(encontrado);
    }
    return *tabela_;
}

std::string TQuibUSBWinDevice::DescricaoCompleta()
{
    std::string resultado;
    const auto adicionar = [&resultado](std::string_view parte) {
        parte = trimText(parte);
        if (parte.empty())
            return;
        if (!resultado.empty())
            resultado += ", ";
        resultado += parte;
    };
    if (Descricao().find(',') == std::string::npos)
        adicionar(Fabricante());
    adicionar(Descricao());
    return resultado.empty() ? vendorId_ + ", " + productId_ : resultado;
}

std::string TQuibUSBWinDevice::NomeDispositivo()
{
    std::string descricao = DescricaoCompleta();
    if (!FriendlyName.empty() && formaDeIdentificadores(descricao))
        return FriendlyName;
    return descricao;
}

void TQuibUSBWinDeviceList::Delete(int indice)
{
    (void)(*this)[indice]; // raises for an index outside the list
    itens_.erase(itens_.begin() + indice);
}

TQuibUSBWinDevice &TQuibUSBWinDeviceList::NovoDispositivo(std::string_view vendorId,
                                                          std::string_view productId)
{
    auto dispositivo = std::make_unique<TQuibUSBWinDevice>(*this);
    dispositivo->SetVendorID(vendorId);
    dispositivo->SetProductID(productId);
    itens_.push_back(std::move(dispositivo));
    return *itens_.back();
}

int TQuibUSBWinDeviceList::IndiceDaClasse(std::string_view classe) const
{
    const std::string procurada = lowerAscii(trimText(classe));
    if (procurada.empty())
        return -1;
    for (std::size_t i = 0; i < itens_.size(); ++i)
        if (itens_[i]->ClassGUID == procurada)
            return static_cast<int>(i);
    return -1;
}

int TQuibUSBWinDeviceList::IndiceDoNome(std::string_view nome)
{
    if (itens_.empty())
        return -1;
    if (nome.empty())
        return 0;
    // Both sides are compared normalised, and so cut to the normalised
    // length: a name that holds its serial port still matches its device.
    const std::string procurado = upperAscii(NormalizaVCOM(nome));
    for (std::size_t i = 0; i < itens_.size(); ++i) {
        const std::string candidato = upperAscii(NormalizaVCOM(itens_[i]->NomeDispositivo()));
        if (candidato.substr(0, procurado.size()) == procurado)
            return static_cast<int>(i);
    }
    return -1;
}
