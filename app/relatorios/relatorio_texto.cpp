#include "app/relatorios/relatorio_texto.h"

#include "foundation/base/quib_exception.h"
#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "printing/device/cups_printers.h"
#include "printing/device/device_errors.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr char kEsc = 27;

// Escape sequences of the suite's Epson model.
const std::string kInicializa = {kEsc, 64};
const std::string kOitoLinhas = {kEsc, 48};
const std::string kSeisLinhas = {kEsc, 50};
const std::string kNegrito = {kEsc, 69};
const std::string kSemNegrito = {kEsc, 70};
constexpr char kSaltoPagina = 12;

int larguraEmDecimos(const RelatorioTexto::Texto &texto)
{
    const int cpi = CaracteresPorPolegada(texto.fonte);
    return static_cast<int>(std::lround(static_cast<double>(utf8Length(texto.texto)) * 10.0 / cpi));
}

} // namespace

int CaracteresPorPolegada(int fonte)
{
    switch (fonte & ~1) {
    case RelatorioTexto::kExpandido:
        return 5;
    case RelatorioTexto::kCpi10:
        return 10;
    case RelatorioTexto::kCpi12:
        return 12;
    case RelatorioTexto::kCpi17:
        return 17;
    case RelatorioTexto::kCpi20:
        return 20;
    default:
        return 0;
    }
}

std::string ComandoFonte(int fonte)
{
    switch (fonte & ~1) {
    case RelatorioTexto::kExpandido:
        return {kEsc, 14};
    case RelatorioTexto::kCpi12:
        return {18, kEsc, 77};
    case RelatorioTexto::kCpi17:
        return {kEsc, 80, kEsc, 15};
    case RelatorioTexto::kCpi20:
        return {kEsc, 77, kEsc, 15};
    default:
        return {18, kEsc, 80};
    }
}

void RelatorioTexto::abre(const Opcoes &opcoes)
{
    if (opcoes.linhasPagina < 1)
        throw ProgramError("Relatório com " + std::to_string(opcoes.linhasPagina) + " linhas por página");
    opcoes_ = opcoes;
    paginas_.assign(1, Pagina{opcoes.linhasPagina, {}});
    aberto_ = true;
}

void RelatorioTexto::imprime(int linha, int posicao, std::string_view texto, int fonte, char alinhamento)
{
    if (!aberto_)
        throw ProgramError("O relatório não foi iniciado");
    Pagina &pagina = paginas_.back();
    if (linha < 1 || linha > pagina.linhas)
        throw ProgramError("Linha " + std::to_string(linha) + " fora da página (1 a " +
                           std::to_string(pagina.linhas) + ")");
    if (CaracteresPorPolegada(fonte) == 0)
        throw ProgramError("Fonte " + std::to_string(fonte) + " desconhecida");
    Texto novo{posicao, std::string(texto), fonte};
    const int largura = larguraEmDecimos(novo);
    if (alinhamento == 'C')
        novo.posicao = posicao - largura / 2;
    else if (alinhamento == 'D')
        novo.posicao = posicao - largura + 1;
    if (novo.posicao < 1)
        novo.posicao = 1;
    pagina.textos[linha].push_back(std::move(novo));
}

void RelatorioTexto::novaPagina()
{
    if (!aberto_)
        throw ProgramError("O relatório não foi iniciado");
    paginas_.push_back(Pagina{opcoes_.linhasPagina, {}});
}

int RelatorioTexto::linhasPagina() const
{
    return paginas_.empty() ? opcoes_.linhasPagina : paginas_.back().linhas;
}

void RelatorioTexto::defineLinhasPagina(int linhas)
{
    opcoes_.linhasPagina = linhas;
    if (paginas_.empty())
        return;
    // Lines already written stay on the page.
    Pagina &pagina = paginas_.back();
    const int usadas = pagina.textos.empty() ? 1 : pagina.textos.rbegin()->first;
    pagina.linhas = std::max(linhas, usadas);
}

std::vector<std::string> RelatorioTexto::linhasTexto(std::size_t numero) const
{
    const Pagina &pagina = paginas_.at(numero);
    std::vector<std::string> linhas(static_cast<std::size_t>(pagina.linhas));
    for (const auto &[linha, textos] : pagina.textos) {
        std::string &destino = linhas[static_cast<std::size_t>(linha - 1)];
        for (const Texto &texto : textos) {
            const int cpi = CaracteresPorPolegada(texto.fonte);
            const int coluna = static_cast<int>(std::lround((texto.posicao - 1) * cpi / 10.0)) + 1;
            const int tamanho = static_cast<int>(utf8Length(destino));
            if (tamanho < coluna - 1)
                destino += std::string(static_cast<std::size_t>(coluna - 1 - tamanho), ' ');
            destino = std::string(utf8Prefix(destino, static_cast<std::size_t>(coluna - 1))) + texto.texto;
        }
    }
    return linhas;
}

std::string RelatorioTexto::bytesEscP() const
{
    std::string bytes = kInicializa;
    bytes += opcoes_.linhasPorPolegada == 8 ? kOitoLinhas : kSeisLinhas;
    for (const Pagina &pagina : paginas_) {
        bytes += {kEsc, 67, static_cast<char>(std::min(pagina.linhas, 127))};
        for (int linha = 1; linha <= pagina.linhas; ++linha) {
            if (const auto achou = pagina.textos.find(linha); achou != pagina.textos.end()) {
                double cabeca = 0; // tenths of an inch from the left margin
                for (const Texto &texto : achou->second) {
                    const int cpi = CaracteresPorPolegada(texto.fonte);
                    bytes += ComandoFonte(texto.fonte);
                    const double falta = (texto.posicao - 1) - cabeca;
                    const long espacos = falta > 0 ? std::lround(falta * cpi / 10.0) : 0;
                    bytes += std::string(static_cast<std::size_t>(espacos), ' ');
                    if (texto.fonte & 1)
                        bytes += kNegrito;
                    bytes += UTF8ParaAnsi(RemoveAcentos(texto.texto));
                    if (texto.fonte & 1)
                        bytes += kSemNegrito;
                    cabeca += static_cast<double>(espacos) * 10.0 / cpi + larguraEmDecimos(texto);
                }
            }
            bytes += "\r\n";
        }
        bytes += kSaltoPagina;
    }
    return bytes;
}

void RelatorioTexto::imprime() const
{
    const std::string bytes = bytesEscP();
    if (envia) {
        envia(bytes);
        return;
    }
    if (upperAscii(PortaComunicacao) != "LPT1") {
        SobrescreveArquivoTexto(localPath(PortaComunicacao), bytes, false);
        return;
    }
    const InstalledPrinters impressoras = listInstalledPrinters();
    if (impressoras.padrao < 0)
        throw EQuibDeviceError("Erro Nenhuma impressora Padrão foi detectada");
    printRawJob(impressoras.nomes[static_cast<std::size_t>(impressoras.padrao)], opcoes_.titulo, bytes);
}

void RelatorioTexto::fecha()
{
    if (!aberto_)
        throw ProgramError("O relatório não foi iniciado");
    aberto_ = false;
    if (opcoes_.visualizar && visualiza)
        visualiza(*this);
    else
        imprime();
}
