#include "app/relatorios/frm_print.h"

#include "app/db/memory_table.h"
#include "app/funcoes/adc_funcoes.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

#include <filesystem>
#include <fstream>

namespace {

constexpr std::string_view kPastaRelatorios = "C:\\DriveKVL";
constexpr const char *kFimLinha = "\r\n";

int largura(bool largo)
{
    return largo ? 135 : 79;
}

std::string textoLote(std::string_view arquivo, std::string_view porta, std::string_view compartilhamento,
                      bool comNetUse)
{
    std::string texto;
    if (comNetUse)
        texto += "net use " + std::string(porta) + " " + std::string(compartilhamento) + " /Yes" + kFimLinha;
    texto += "Type " + std::string(arquivo) + " > " + std::string(porta) + kFimLinha;
    return texto;
}

} // namespace

TfrmPrint::TfrmPrint(const db::MemoryTable &empresa) : empresa_(empresa) {}

std::string TfrmPrint::campo(std::string_view nome) const
{
    return empresa_.recordCount() == 0 ? std::string() : empresa_.field(nome).asString();
}

void TfrmPrint::escreve(std::string_view texto, bool novaLinha)
{
    if (!Arquivo)
        throw FileWriteError("O arquivo do relatório não está aberto");
    *Arquivo << texto;
    if (novaLinha)
        *Arquivo << kFimLinha;
    Arquivo->flush();
    if (!*Arquivo)
        throw FileWriteError("Erro gravando o arquivo do relatório");
}

void TfrmPrint::Cabecalho(std::string_view titulo, bool largo)
{
    ++Pagina;
    if (Pagina >= PaginaInicial) {
        const int w = largura(largo);
        const int campoLargura = largo ? 98 : 42;
        const std::string traco(static_cast<std::size_t>(w), '-');
        escreve(CentralizaTexto(1, w, titulo), true);
        escreve(traco, true);
        escreve(" Empresa: " + AjustaTamanho(campo("NOME"), campoLargura, true) +
                    "  Pagina Numero: " + std::to_string(Pagina),
                true);
        escreve("Endereco: " + AjustaTamanho(campo("ENDERECO"), campoLargura, true) +
                    "Data de Emissao: " + DataEmissao,
                true);
        escreve("  Cidade: " + campo("CIDADEUF") + " Cnpj: " + campo("CNPJ") + " IE: " + campo("IE"), true);
        escreve(traco, true);
    }
    LinhasPagina = 6;
}

void TfrmPrint::Rodape(bool largo)
{
    if (Pagina < PaginaInicial)
        return;
    for (int linha = LinhasPagina; linha <= 60; ++linha)
        escreve(Espacos(10), true);
    escreve(std::string(static_cast<std::size_t>(largura(largo)), '-'), true);
    escreve(campo("RODAPE"), true);
    escreve("Email: " + campo("EMAIEL"), true);
    escreve(Espacos(10), true);
    escreve(Espacos(10), true);
}

void TfrmPrint::GravaLinha(std::string_view texto, bool novaLinha)
{
    if (Pagina >= PaginaInicial)
        escreve(texto, novaLinha);
    if (novaLinha)
        ++LinhasPagina;
}

void TfrmPrint::GravaComp(std::string_view texto, bool novaLinha)
{
    escreve(texto, novaLinha);
}

std::string TfrmPrint::NomePrint(std::string_view tipo)
{
    std::error_code erro;
    std::filesystem::create_directories(localPath(kPastaRelatorios), erro);
    const std::string serie = NumeroSerieVolume("C:\\");
    const std::string cinco = serie.size() >= 6 ? serie.substr(1, 5) : std::string();
    const std::string kind = upperAscii(tipo);
    std::string nome;
    if (kind == "MERGE") {
        nome = "MRG" + cinco + ".TXT";
        Pagina = 0;
        PaginaInicial = 1;
        DataEmissao = FormataDataHora("DD/MM/AAAA", nowLocal());
    } else if (kind == "PRN") {
        nome = "PRN" + cinco + ".BAT";
    } else if (kind == "NOTA" || kind == "PEDIDO") {
        nome = (kind == "NOTA" ? "NOT" : "PED") + cinco + ".TXT";
        Pagina = 0;
        PaginaInicial = 1;
    } else {
        nome = cinco;
    }
    if (kind == "DATABASE")
        return nome;
    nome = std::string(kPastaRelatorios) + "\\" + nome;
    const std::string local = localPath(nome);
    if (!std::ofstream(local, std::ios::binary | std::ios::app))
        throw FileWriteError("Não foi possível criar o arquivo " + nome);
    return nome;
}

void TfrmPrint::MontaPrnt(std::string_view arquivoLote, std::string_view arquivo, std::string_view porta,
                          std::string_view compartilhamento)
{
    SobrescreveArquivoTexto(localPath(arquivoLote), textoLote(arquivo, porta, compartilhamento, true), false);
}

void TfrmPrint::MontaPrnt2(std::string_view arquivoLote, std::string_view arquivo, std::string_view porta,
                           std::string_view compartilhamento)
{
    SobrescreveArquivoTexto(localPath(arquivoLote),
                            textoLote(arquivo, porta, compartilhamento, !compartilhamento.empty()), false);
}

std::string TfrmPrint::Compactacao(int codigo)
{
    switch (codigo) {
    case 1:
    case 6:
        return "\x12\x1b"
               "2";
    case 2:
        return "\x12\x1b"
               "0";
    case 3:
        return "\x0f\x1b"
               "2";
    case 4:
        return "\x0f\x1b"
               "0";
    case 5:
        return "\x1b(s17H";
    default:
        return {};
    }
}
