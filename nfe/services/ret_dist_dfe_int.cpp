#include "nfe/services/ret_dist_dfe_int.h"

#include <exception>
#include <utility>

#include "dfe/ssl/base64.h"
#include "foundation/base/quib_exception.h"
#include "foundation/files/file_utils.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/detail/campos_resposta.h"
#include "nfe/services/detail/documentos_distribuidos.h"

namespace {

// The text between the first ">" of the docZip element and its "</docZip".
std::string conteudoDoDocZip(std::string_view elemento)
{
    const std::size_t inicio = elemento.find('>');
    if (inicio == std::string_view::npos)
        return {};
    const std::size_t fim = elemento.find("</docZip", inicio);
    return std::string(elemento.substr(inicio + 1, fim == std::string_view::npos ? fim : fim - inicio - 1));
}

// The document a docZip carries: Base64 decoded, then inflated.
std::string documentoDoDocZip(std::string_view base64)
{
    const std::string_view aparado = trimText(base64);
    if (!Base64Valido(aparado))
        throw EQuibException("Base64 inválido no docZip");
    return DescompactaTexto(decodeBase64(aparado));
}

} // namespace

TRetDistDFeInt::TRetDistDFeInt(std::string SufixoTag) : SufixoTag(std::move(SufixoTag)) {}

bool TRetDistDFeInt::LerResposta()
{
    try {
        TextoResposta = Leitor.Arquivo();
        Leitor.setGrupoComoArquivo();
        if (Leitor.ExtraiGrupo(1, "retDistDFeInt").empty())
            return false;
        const nfe_services::CamposResposta campos(Leitor);
        versao = campos.atributo("versao");
        tpAmb = campos.tpAmb();
        verAplic = campos.texto("verAplic");
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");
        dhResp = campos.dataHora("dhResp");
        ultNSU = campos.texto("ultNSU");
        maxNSU = campos.texto("maxNSU");

        for (int i = 1;; ++i) {
            const std::string elemento = Leitor.ExtraiGrupo(2, "docZip", "", i);
            if (elemento.empty())
                break;
            TdocZipCollectionItem &item = docZip.NovoItem();
            item.NSU = campos.atributo("NSU");
            item.schema = TextoParaSchemaDFe(campos.atributo("schema"));
            item.docZip = conteudoDoDocZip(elemento);
            nfe_services::leDocumentoDistribuido(documentoDoDocZip(item.docZip), SufixoTag, item);
        }
        return true;
    } catch (const std::exception &erro) {
        // Whatever the cause (schema name, Base64, inflate, a number), the
        // caller sees one kind of error with the cause's message.
        throw ProgramError(erro.what());
    }
}
