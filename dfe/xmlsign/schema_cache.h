#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <libxml/xmlschemas.h>

class LibXmlErrors;

// Compiled XML schemas shared by every validation of the process. Each file
// is compiled once and kept under its canonical path with the modification
// time and size it had; a file that changed is compiled again. A compiled
// schema is only read while validating, so one may serve many validation
// contexts at once (each validation makes its own). Compiling reads the
// schema's includes only from the schema's own folder.
class SchemaCache {
  public:
    static SchemaCache &process();

    // The compiled schema, or null with `msgErro` set: "Error: não foi
    // possivel criar um contexto de validação para o Schema" or "Erro:
    // Schema inválido", each followed by libxml2's error suffix from `errors`.
    std::shared_ptr<xmlSchema> obtain(const std::filesystem::path &arqSchema, LibXmlErrors &errors,
                                      std::string &msgErro);

    // How many times a schema was compiled (failed attempts included).
    int compilations() const;

  private:
    struct Entry {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        std::shared_ptr<xmlSchema> schema;
    };
    mutable std::mutex mutex_;
    std::map<std::string, Entry> entries_;
    int compilations_ = 0;
};
