#include "monitor_client/nomes_monitor.h"

#include "app/funcoes/funcoes_kvl.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

std::string minusculas(std::string_view texto)
{
    std::string saida(texto);
    std::transform(saida.begin(), saida.end(), saida.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return saida;
}

bool umDe(std::string_view tipo, std::initializer_list<std::string_view> tipos)
{
    return std::find(tipos.begin(), tipos.end(), tipo) != tipos.end();
}

} // namespace

std::optional<NomesMonitor> NomesArquivoMonitor(std::string_view tipo, int serie, int numero,
                                                std::string_view cnpj)
{
    const std::string kind = minusculas(tipo);
    const std::string base = kind.starts_with("resp-") ? kind.substr(5) : kind;
    const std::string fim = "#" + minusculas(cnpj) + ".txt";
    if (kind == "contingencia")
        return NomesMonitor{"contingencia.txt", {}};
    if (umDe(base, {"nota", "danfe", "email", "cancel", "consulta"}))
        return NomesMonitor{kind + ZerosEsquerda(serie, 3) + ZerosEsquerda(numero, 9) + fim,
                            (kind.starts_with("resp-") ? kind : "resp-" + kind) + ZerosEsquerda(numero, 9) +
                                fim};
    if (umDe(base, {"carta", "impcarta", "evento"}))
        return NomesMonitor{kind + ZerosEsquerda(serie, 3) + ZerosEsquerda(numero, 6) + fim, {}};
    if (base == "inutiliza")
        return NomesMonitor{kind + std::to_string(numero) + "-" + std::to_string(serie) + fim, {}};
    return std::nullopt;
}

std::string TipoResposta(std::string_view tipoRetorno)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> tipos = {{
        {"nota", "resp-nota"},
        {"danfe", "resp-danfe"},
        {"email", "resp-email"},
        {"cancelamento", "resp-cancel"},
        {"consulta", "resp-consulta"},
        {"inutiliza", "resp-inutiliza"},
        {"carta", "resp-carta"},
        {"impcarta", "resp-impcarta"},
        {"evento", "resp-evento"},
    }};
    const std::string tipo = minusculas(tipoRetorno);
    for (const auto &[de, para] : tipos)
        if (tipo == de)
            return std::string(para);
    return {};
}

std::string JuntaCaminho(std::string_view pasta, std::string_view subpasta, std::string_view nome)
{
    const std::string_view separador = !pasta.empty() && pasta.back() == '/' ? "/" : "\\";
    std::string caminho(pasta);
    caminho += subpasta;
    if (!subpasta.empty())
        caminho += separador;
    caminho += nome;
    return caminho;
}
