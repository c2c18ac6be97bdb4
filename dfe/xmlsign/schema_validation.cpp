#include "dfe/xmlsign/schema_validation.h"

#include <memory>

#include "dfe/xmlsign/detail/external_loads.h"
#include "dfe/xmlsign/detail/libxml_document.h"
#include "dfe/xmlsign/detail/libxml_errors.h"
#include "dfe/xmlsign/schema_cache.h"

namespace {

struct ValidCtxtFree {
    void operator()(xmlSchemaValidCtxt *context) const { xmlSchemaFreeValidCtxt(context); }
};

} // namespace

bool validateXml(std::string_view conteudoXml, const std::filesystem::path &arqSchema, std::string &msgErro)
{
    msgErro.clear();
    LibXmlErrors errors;
    XmlDocPtr doc;
    {
        ExternalLoads noExternalLoads;
        doc = parseXml(conteudoXml);
    }
    if (!doc) {
        msgErro = errors.withSuffix("Erro: Falha ao interpretar o XML \"xmlParseDoc\"");
        return false;
    }
    std::shared_ptr<xmlSchema> schema = SchemaCache::process().obtain(arqSchema, errors, msgErro);
    if (!schema)
        return false;

    ExternalLoads noExternalLoads;
    std::unique_ptr<xmlSchemaValidCtxt, ValidCtxtFree> validation(xmlSchemaNewValidCtxt(schema.get()));
    if (!validation) {
        msgErro = errors.withSuffix("Erro: Não foi possivel criar um contexto para o Schema");
        return false;
    }
    LibXmlErrors validationErrors;
    xmlSchemaSetValidStructuredErrors(validation.get(), &LibXmlErrors::handler, &validationErrors);
    if (xmlSchemaValidateDoc(validation.get(), doc.get()) == 0)
        return true;
    msgErro = validationErrors.any() ? validationErrors.suffix()
                                     : "Erro indefinido, ao validar o Documento com o Schema";
    return false;
}
