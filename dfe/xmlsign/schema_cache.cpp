#include "dfe/xmlsign/schema_cache.h"

#include <system_error>

#include "dfe/xmlsign/detail/external_loads.h"
#include "dfe/xmlsign/detail/libxml_errors.h"

namespace {

struct SchemaParserFree {
    void operator()(xmlSchemaParserCtxt *context) const { xmlSchemaFreeParserCtxt(context); }
};

} // namespace

SchemaCache &SchemaCache::process()
{
    static SchemaCache cache;
    return cache;
}

std::shared_ptr<xmlSchema> SchemaCache::obtain(const std::filesystem::path &arqSchema, LibXmlErrors &errors,
                                               std::string &msgErro)
{
    std::error_code error;
    std::filesystem::path path =
        std::filesystem::weakly_canonical(std::filesystem::absolute(arqSchema, error), error);
    if (error)
        path = arqSchema;
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(path, error);
    const std::uintmax_t size = error ? 0 : std::filesystem::file_size(path, error);
    const std::string key = path.string();

    std::lock_guard lock(mutex_);
    auto found = entries_.find(key);
    if (found != entries_.end() && found->second.modified == modified && found->second.size == size)
        return found->second.schema;

    ++compilations_;
    ExternalLoads schemaFolder(path.parent_path());
    std::unique_ptr<xmlSchemaParserCtxt, SchemaParserFree> parser(xmlSchemaNewParserCtxt(key.c_str()));
    if (!parser) {
        msgErro = errors.withSuffix("Error: não foi possivel criar um contexto de validação para o Schema");
        return nullptr;
    }
    xmlSchemaSetParserStructuredErrors(parser.get(), &LibXmlErrors::handler, &errors);
    std::shared_ptr<xmlSchema> schema(xmlSchemaParse(parser.get()), xmlSchemaFree);
    if (!schema) {
        msgErro = errors.withSuffix("Erro: Schema inválido");
        return nullptr;
    }
    entries_[key] = Entry{modified, size, schema};
    return schema;
}

int SchemaCache::compilations() const
{
    std::lock_guard lock(mutex_);
    return compilations_;
}
