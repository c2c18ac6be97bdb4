#include "app/db/detail/messages.h"

#include "foundation/text/text_utils.h"

namespace db::detail {

namespace {

constexpr int kUtf8Page = 65001;
constexpr int kWindows1252 = 1252;

} // namespace

std::string toWindows1252(std::string_view utf8, const ErrorContext &context)
{
    std::string bytes = ConvertePaginaCodigo(utf8, kWindows1252, kUtf8Page);
    // The conversion puts "?" where the page has no such character; a round
    // trip that differs shows one.
    if (ConvertePaginaCodigo(bytes, kUtf8Page, kWindows1252) != utf8)
        throw DatabaseError(DbFailure::CannotStoreChar,
                            "O texto tem um caractere que o banco de dados não aceita" +
                                (context.column.empty() ? std::string() : " (" + context.column + ")") + ".");
    return bytes;
}

std::string fromWindows1252(std::string_view bytes)
{
    return ConvertePaginaCodigo(bytes, kUtf8Page, kWindows1252);
}

} // namespace db::detail
