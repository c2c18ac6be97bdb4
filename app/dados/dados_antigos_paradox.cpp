#include "app/dados/dados_antigos_paradox.h"

#include "app/dados/detail/pxlib.h"

#include "foundation/base/quib_exception.h"
#include "foundation/files/user_registry.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

#include <filesystem>
#include <memory>

namespace {

// The table's file in the folder, matched without regard to case.
std::string arquivoDaTabela(const std::string &pasta, std::string_view tabela)
{
    const std::string procurado = upperAscii(std::string(tabela) + ".DB");
    std::error_code erro;
    for (const auto &entrada : std::filesystem::directory_iterator(pasta, erro))
        if (upperAscii(entrada.path().filename().string()) == procurado)
            return entrada.path().string();
    return {};
}

struct FechaDocumento {
    void operator()(pxdoc_t *documento) const
    {
        pxlib()->fecha(documento);
        pxlib()->apaga(documento);
    }
};

db::Value valorDoCampo(pxdoc_t *documento, const pxval_t *valor)
{
    if (valor->isnull)
        return {};
    switch (valor->type) {
    case pxfAlpha:
    case pxfMemoBLOb: {
        std::string_view texto(valor->value.str.val, static_cast<std::size_t>(valor->value.str.len));
        texto = texto.substr(0, texto.find('\0'));
        return db::Value(AnsiParaUTF8(texto));
    }
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
    case pxfLogical:
        return db::Value(static_cast<std::int64_t>(valor->value.lval));
    case pxfNumber:
    case pxfCurrency:
        return db::Value::ofFloat(valor->value.dval);
    default:
        (void)documento;
        return {};
    }
}

TabelaAntiga leTabela(const std::string &pasta, std::string_view tabela)
{
    const std::string prefixo =
        "Não foi possível ler a tabela " + std::string(tabela) + " dos dados antigos: ";
    const std::string arquivo = arquivoDaTabela(pasta, tabela);
    if (arquivo.empty())
        throw ProgramError(prefixo + "arquivo não encontrado em " + pasta);
    const Pxlib *px = pxlib();
    if (!px)
        throw ProgramError(prefixo + "a biblioteca de tabelas Paradox (libpx) não está instalada");
    std::unique_ptr<pxdoc_t, FechaDocumento> documento(px->novo());
    if (!documento || px->abre(documento.get(), arquivo.c_str()) < 0)
        throw ProgramError(prefixo + arquivo + " não é uma tabela válida");
    pxdoc_t *doc = documento.get();
    const int campos = px->numeroCampos(doc);
    const pxfield_t *definicoes = px->campos(doc);
    TabelaAntiga linhas;
    const int registros = px->numeroRegistros(doc);
    for (int registro = 0; registro < registros; ++registro) {
        pxval_t **valores = px->leRegistro(doc, registro);
        if (!valores)
            throw ProgramError(prefixo + "registro " + std::to_string(registro + 1) + " ilegível");
        LinhaAntiga linha;
        for (int i = 0; i < campos; ++i) {
            linha.emplace_back(definicoes[i].px_fname, valorDoCampo(doc, valores[i]));
            if (valores[i]->type == pxfAlpha || valores[i]->type == pxfMemoBLOb)
                doc->free(doc, valores[i]->value.str.val);
            doc->free(doc, valores[i]);
        }
        doc->free(doc, valores);
        linhas.push_back(std::move(linha));
    }
    return linhas;
}

} // namespace

std::string PastaDadosAntigos()
{
    return registryReadString("Aliases", "GERENCIA", "");
}

LeitorDadosAntigos leitorParadox(std::string pasta)
{
    return [pasta = std::move(pasta)](std::string_view tabela) { return leTabela(pasta, tabela); };
}

LeitorDadosAntigos leitorDadosAntigosDoUsuario()
{
    const std::string pasta = PastaDadosAntigos();
    if (pasta.empty())
        return {};
    const std::string local = localPath(pasta);
    std::error_code erro;
    if (!std::filesystem::is_directory(local, erro))
        return {};
    return leitorParadox(local);
}
