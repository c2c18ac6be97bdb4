#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Validates an XML text against an XSD file with libxml2, through the
// process's SchemaCache. True when valid. Otherwise false with `msgErro`:
// "Erro: Falha ao interpretar o XML \"xmlParseDoc\"" (plus libxml2's error
// suffix) for an unreadable text, the schema messages of SchemaCache::obtain,
// "Erro: Não foi possivel criar um contexto para o Schema", or, for an
// invalid document, the suffix of libxml2's last error alone (" --> code -
// message"), "Erro indefinido, ao validar o Documento com o Schema" when it
// reported none. Never raises for the document or the schema; the document
// is parsed with network access off and nothing external read.
bool validateXml(std::string_view conteudoXml, const std::filesystem::path &arqSchema, std::string &msgErro);
