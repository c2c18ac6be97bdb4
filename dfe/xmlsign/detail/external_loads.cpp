#include "dfe/xmlsign/detail/external_loads.h"

#include <algorithm>
#include <mutex>
#include <string_view>
#include <system_error>

#include <libxml/parserInternals.h>

namespace {

thread_local const ExternalLoads *currentScope = nullptr;
xmlExternalEntityLoader previousLoader = nullptr;

xmlParserInputPtr guardedLoader(const char *url, const char *id, xmlParserCtxtPtr context)
{
    const ExternalLoads *scope = currentScope;
    if (scope == nullptr)
        return previousLoader(url, id, context);
    if (url == nullptr || !scope->admits(url))
        return nullptr; // libxml2 reports the failed load itself
    std::string_view path = url;
    if (path.starts_with("file://"))
        path.remove_prefix(7);
    return xmlNewInputFromFile(context, std::string(path).c_str());
}

void installLoaderOnce()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        xmlInitParser();
        previousLoader = xmlGetExternalEntityLoader();
        xmlSetExternalEntityLoader(guardedLoader);
    });
}

std::filesystem::path canonicalPath(const std::filesystem::path &path)
{
    std::error_code ignored;
    std::filesystem::path result =
        std::filesystem::weakly_canonical(std::filesystem::absolute(path, ignored), ignored);
    return result.lexically_normal();
}

} // namespace

ExternalLoads::ExternalLoads() : outer_(currentScope)
{
    installLoaderOnce();
    currentScope = this;
}

ExternalLoads::ExternalLoads(std::filesystem::path folder)
    : folder_(canonicalPath(folder)), outer_(currentScope)
{
    installLoaderOnce();
    currentScope = this;
}

ExternalLoads::~ExternalLoads()
{
    currentScope = outer_;
}

bool ExternalLoads::admits(const char *url) const
{
    if (folder_.empty())
        return false;
    std::string_view path = url;
    if (path.starts_with("file://"))
        path.remove_prefix(7);
    if (path.find("://") != std::string_view::npos || path.empty())
        return false;
    const std::filesystem::path file = canonicalPath(std::filesystem::path(path));
    const auto [folderEnd, fileAt] = std::mismatch(folder_.begin(), folder_.end(), file.begin(), file.end());
    return folderEnd == folder_.end() && fileAt != file.end();
}
