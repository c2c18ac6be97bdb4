#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <libxml/tree.h>

// Validation of a payload against an official schema file with libxml2.
// Compiled schemas are kept for the life of the object; thread-safe.
// Implemented in schema_check.cpp.

namespace testsupport::fakesefaz {

class SchemaCheck {
  public:
    // Raises std::runtime_error when the folder holds no schema files.
    explicit SchemaCheck(std::filesystem::path folder);
    ~SchemaCheck();
    SchemaCheck(const SchemaCheck &) = delete;
    SchemaCheck &operator=(const SchemaCheck &) = delete;

    // Empty when the document is valid; else libxml2's first complaints.
    // A schema file that cannot be read is reported the same way.
    std::string problems(xmlDoc *doc, const std::string &schemaFile) const;

  private:
    struct Compiled;
    std::filesystem::path folder_;
    mutable std::mutex mutex_;
    mutable std::map<std::string, std::unique_ptr<Compiled>> schemas_;
};

} // namespace testsupport::fakesefaz
