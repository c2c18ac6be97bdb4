#include "console/config_geral/importacao_nota.h"

#include "app/dialogs/dialogos.h"
#include "console/config_geral/arvore_nfe.h"
#include "console/config_geral/frm_config_geral40.h"
#include "nfe/document/nfe_reader_txt.h"
#include "nfe/services/notas_fiscais.h"

#include <libxml/parser.h>

#include <exception>
#include <memory>

namespace {

constexpr std::string_view kFiltroImportacao =
    "Arquivos NFE (*-nfe.XML)|*-nfe.XML|Arquivos XML (*.XML)|*.XML|Arquivos TXT (*.TXT)|*.TXT|Todos os "
    "Arquivos (*.*)|*.*";

// True when the file holds a TXT note, now read into the collection's one
// note.
bool carregaTXT(TNotasFiscais &notas, const std::string &arquivo)
{
    notas.Clear();
    TNFeRTXT leitor(notas.AdicionarNota().NFe());
    try {
        leitor.CarregarArquivo(arquivo);
    } catch (const std::exception &) {
        // An unreadable file is no TXT note; the XML load says so.
        return false;
    }
    return leitor.InterpretarArquivo();
}

// The collection's reader takes tags as it finds them and reads a broken
// note as far as it can: such a note would be shown as if whole, so each
// note's text must be well-formed XML as well. Parsed with no network and no
// entity substitution.
bool notasBemFormadas(TNotasFiscais &notas)
{
    constexpr int kOpcoes = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    for (int i = 0; i < notas.Count(); ++i) {
        const std::string &texto = notas[i].TextoXML();
        std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
            xmlReadMemory(texto.data(), static_cast<int>(texto.size()), nullptr, "UTF-8", kOpcoes),
            &xmlFreeDoc);
        if (!doc)
            return false;
    }
    return true;
}

} // namespace

NotasImportadas ImportarNotas(TNotasFiscais &notas, const std::string &arquivo)
{
    NotasImportadas resultado;
    if (!carregaTXT(notas, arquivo)) {
        notas.Clear();
        try {
            if (notas.CarregarArquivo(arquivo, false) && !notasBemFormadas(notas))
                resultado.arquivoInvalido = true;
        } catch (const std::exception &) {
            resultado.arquivoInvalido = true;
        }
        if (resultado.arquivoInvalido)
            return resultado;
    }
    resultado.arvores.reserve(static_cast<std::size_t>(notas.Count()));
    for (int i = 0; i < notas.Count(); ++i)
        resultado.arvores.push_back(ArvoreNFe(notas[i].NFe()));
    return resultado;
}

void TfrmConfigGeral40::btnImportarXMLClick()
{
    const auto arquivo =
        dialogos().abrirArquivo(kFiltroImportacao, QuibNFe1.Configuracoes().Arquivos().PathSalvar());
    if (!arquivo)
        return;
    NotasImportadas importadas = ImportarNotas(QuibNFe1.Notas(), *arquivo);
    if (importadas.arquivoInvalido) {
        dialogos().mensagem("Arquivo NFe Inválido", kTitulo);
        return;
    }
    trvwNFe = std::move(importadas.arvores);
    if (!trvwNFe.empty())
        pgRespostas = pgNFe;
    avisaMudanca();
}
