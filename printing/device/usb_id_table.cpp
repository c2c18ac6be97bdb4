#include "printing/device/usb_id_table.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "foundation/files/file_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "printing/device/detail/usb_id_table_text.h"
#include "printing/device/device_errors.h"

namespace {

constexpr std::string_view kNomeArquivo = "QuibUSBID.ini";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string chaveDe(std::string_view nome)
{
    return upperAscii(trimText(nome));
}

// The file's text as UTF-8 (Windows-1252 when it is not valid UTF-8); empty
// when it cannot be read.
std::string lerArquivo(const std::string &nome)
{
    std::ifstream entrada(nome, std::ios::binary);
    std::ostringstream lido;
    lido << entrada.rdbuf();
    std::string bytes = std::move(lido).str();
    if (bytes.starts_with(kBom))
        return bytes.substr(kBom.size());
    return utf8Valid(bytes) ? bytes : AnsiParaUTF8(bytes);
}

int inteiroOuZero(std::string_view texto)
{
    texto = trimText(texto);
    int valor = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    return erro == std::errc() && fim == texto.data() + texto.size() ? valor : 0;
}

} // namespace

void validarIdentificadorUSB(std::string_view oQue, std::string_view id)
{
    const bool hexa = !id.empty() && std::all_of(id.begin(), id.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
    if (!hexa)
        throw EQuibDeviceError(std::string(oQue) + " inválido [" + std::string(id) + "]");
}

TQuibUSBIDDataBase::TQuibUSBIDDataBase(std::string_view nomeArquivo, std::string_view nomeRecurso)
    : nomeArquivo_(nomeArquivo.empty() ? PastaDoPrograma() + std::string(kNomeArquivo)
                                       : std::string(nomeArquivo)),
      nomeRecurso_(nomeRecurso.empty() ? kNomeRecursoPadrao : nomeRecurso)
{
}

void TQuibUSBIDDataBase::Carregar()
{
    secoes_.clear();
    carregado_ = false;
    std::string texto;
    std::error_code erro;
    if (!nomeArquivo_.empty() && std::filesystem::is_regular_file(nomeArquivo_, erro)) {
        texto = lerArquivo(nomeArquivo_);
    } else {
        // The program carries one table, stored under its upper-case name.
        if (chaveDe(nomeRecurso_) != chaveDe(kNomeRecursoPadrao))
            throw EQuibDeviceError("Recurso " + nomeRecurso_ + " não encontrado");
        texto = kUsbIdTableText;
    }
    std::map<std::string, std::string> *secao = nullptr;
    for (const std::string &linhaLida : splitLines(texto)) {
        const std::string_view linha = trimText(linhaLida);
        if (linha.empty() || linha.front() == ';')
            continue;
        if (linha.front() == '[') {
            const std::size_t fecha = linha.find(']');
            secao = fecha == std::string_view::npos ? nullptr : &secoes_[chaveDe(linha.substr(1, fecha - 1))];
            continue;
        }
        const std::size_t igual = linha.find('=');
        if (secao == nullptr || igual == std::string_view::npos)
            continue;
        // The first line of a repeated key wins, as in any INI file.
        secao->try_emplace(chaveDe(linha.substr(0, igual)), trimText(linha.substr(igual + 1)));
    }
    carregado_ = true;
}

std::string TQuibUSBIDDataBase::valor(std::string_view secao, std::string_view chave) const
{
    const auto s = secoes_.find(chaveDe(secao));
    if (s == secoes_.end())
        return {};
    const auto v = s->second.find(chaveDe(chave));
    return v == s->second.end() ? std::string() : v->second;
}

bool TQuibUSBIDDataBase::ProcurarDispositivo(std::string_view vendorId, std::string_view productId,
                                             Dispositivo &encontrado)
{
    validarIdentificadorUSB("VendorID", vendorId);
    validarIdentificadorUSB("ProductID", productId);
    if (!carregado_)
        Carregar();
    encontrado = {};
    encontrado.fabricante = valor("Vendors", vendorId);
    std::vector<std::string> campos;
    DivideTexto(valor(vendorId, productId), ';', campos, '\0');
    if (!campos.empty())
        encontrado.descricao = campos[0];
    if (campos.size() > 1)
        encontrado.tipoEquipamento = static_cast<std::uint8_t>(inteiroOuZero(campos[1]));
    if (campos.size() > 2)
        encontrado.protocolo = inteiroOuZero(campos[2]);
    return !encontrado.fabricante.empty() || !encontrado.descricao.empty();
}
