#include "tests/support/fake_sefaz/schema_check.h"

#include <stdexcept>

#include <libxml/xmlschemas.h>

namespace testsupport::fakesefaz {

struct SchemaCheck::Compiled {
    xmlSchema *schema = nullptr;
    ~Compiled() { xmlSchemaFree(schema); }
};

namespace {

void collect(void *sink, const xmlError *error)
{
    auto &text = *static_cast<std::string *>(sink);
    if (text.size() < 2000 && error != nullptr && error->message != nullptr)
        text += error->message;
}

} // namespace

SchemaCheck::SchemaCheck(std::filesystem::path folder) : folder_(std::move(folder))
{
    if (!std::filesystem::exists(folder_ / "consStatServ_v4.00.xsd"))
        throw std::runtime_error("pasta de schemas sem os arquivos oficiais: " + folder_.string());
}

SchemaCheck::~SchemaCheck() = default;

std::string SchemaCheck::problems(xmlDoc *doc, const std::string &schemaFile) const
{
    std::lock_guard lock(mutex_);
    std::unique_ptr<Compiled> &compiled = schemas_[schemaFile];
    std::string report;
    if (!compiled) {
        compiled = std::make_unique<Compiled>();
        const std::string path = (folder_ / schemaFile).string();
        xmlSchemaParserCtxt *parser = xmlSchemaNewParserCtxt(path.c_str());
        xmlSchemaSetParserStructuredErrors(parser, reinterpret_cast<xmlStructuredErrorFunc>(collect),
                                           &report);
        compiled->schema = xmlSchemaParse(parser);
        xmlSchemaFreeParserCtxt(parser);
    }
    if (compiled->schema == nullptr)
        return "schema " + schemaFile + " ilegível " + report;
    xmlSchemaValidCtxt *validator = xmlSchemaNewValidCtxt(compiled->schema);
    xmlSchemaSetValidStructuredErrors(validator, reinterpret_cast<xmlStructuredErrorFunc>(collect), &report);
    const int result = xmlSchemaValidateDoc(validator, doc);
    xmlSchemaFreeValidCtxt(validator);
    if (result == 0)
        return {};
    return report.empty() ? "inválido" : report;
}

} // namespace testsupport::fakesefaz
