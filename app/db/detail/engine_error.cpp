#include "app/db/detail/engine_call.h"

#include <ibase.h>

#include <cerrno>
#include <cstdint>

namespace db::detail {

namespace {

struct StatusFacts {
    std::vector<long> codes;
    std::string sqlState;
    std::vector<int> unixErrors;
    std::vector<std::string> strings; // the operation and file of an I/O error
    // An operating-system error as text: a server sends the text of its own
    // system's error in place of the number.
    std::vector<std::string> systemTexts;
    std::string text;
};

StatusFacts readStatus(const Firebird::IStatus *status)
{
    StatusFacts facts;
    const intptr_t *v = const_cast<Firebird::IStatus *>(status)->getErrors();
    while (v && *v != isc_arg_end) {
        const intptr_t kind = *v++;
        switch (kind) {
        case isc_arg_gds:
            facts.codes.push_back(static_cast<long>(*v++));
            break;
        case isc_arg_sql_state:
            facts.sqlState = reinterpret_cast<const char *>(*v++);
            break;
        case isc_arg_unix:
            facts.unixErrors.push_back(static_cast<int>(*v++));
            break;
        case isc_arg_string:
            facts.strings.emplace_back(reinterpret_cast<const char *>(*v++));
            break;
        case isc_arg_interpreted:
            facts.systemTexts.emplace_back(reinterpret_cast<const char *>(*v++));
            break;
        case isc_arg_cstring:
            v += 2;
            break;
        default:
            ++v;
            break;
        }
    }
    char buffer[2048] = {};
    master()->getUtilInterface()->formatStatus(buffer, sizeof buffer - 1,
                                               const_cast<Firebird::IStatus *>(status));
    facts.text = buffer;
    return facts;
}

// The texts a Linux or Windows server sends for the system errors the layer
// tells apart.
// clang-format off
struct SystemErrorText {
    int error;
    const char *text;
};
constexpr SystemErrorText kSystemErrorTexts[] = {
    {EEXIST, "File exists"},
    {EEXIST, "The file exists."},
    {ENOENT, "No such file or directory"},
    {ENOENT, "The system cannot find the file specified."},
    {ENOENT, "The system cannot find the path specified."},
};
// clang-format on

bool hasSystemError(const StatusFacts &f, int error)
{
    for (int u : f.unixErrors)
        if (u == error)
            return true;
    for (const auto &text : f.systemTexts)
        for (const auto &known : kSystemErrorTexts)
            if (known.error == error && text == known.text)
                return true;
    return false;
}

// The connection to a server failed or was lost.
bool networkFailure(const std::vector<long> &codes)
{
    for (long c : codes)
        if (c == isc_network_error || c == isc_net_connect_err || c == isc_net_connect_listen_err ||
            c == isc_net_read_err || c == isc_net_write_err || c == isc_conn_lost ||
            c == isc_lost_db_connection)
            return true;
    return false;
}

bool has(const std::vector<long> &codes, long code)
{
    for (long c : codes)
        if (c == code)
            return true;
    return false;
}

// A file shorter than its header says (empty, or cut short) fails its read
// without an operating-system error.
bool shortRead(const StatusFacts &f)
{
    for (const auto &s : f.strings)
        if (s == "read")
            return f.unixErrors.empty() && f.systemTexts.empty();
    return false;
}

std::string named(const std::string &what)
{
    return what.empty() ? std::string() : " (" + what + ")";
}

} // namespace

DatabaseError translateStatus(const Firebird::IStatus *status, const ErrorContext &context)
{
    StatusFacts f = readStatus(status);
    auto make = [&](DbFailure failure, const std::string &message) {
        return DatabaseError(failure, message, f.codes, f.sqlState, f.text);
    };
    const bool ioError =
        has(f.codes, isc_io_error) || has(f.codes, isc_io_open_err) || has(f.codes, isc_io_create_err);
    auto unixError = [&](int e) { return hasSystemError(f, e); };
    if (ioError && unixError(EEXIST))
        return make(DbFailure::AlreadyExists, "O banco de dados já existe: " + context.file);
    if (ioError && unixError(ENOENT))
        return make(DbFailure::FileNotFound, "Banco de dados não encontrado: " + context.file);
    if (has(f.codes, isc_bad_db_format) || has(f.codes, isc_wrong_ods) || has(f.codes, isc_db_corrupt) ||
        has(f.codes, isc_bad_checksum) || (ioError && unixError(EINVAL)) || (ioError && shortRead(f)))
        return make(DbFailure::NotADatabase,
                    "O arquivo não é um banco de dados ou está danificado: " + context.file);
    if (has(f.codes, isc_login))
        return make(DbFailure::Login,
                    "Usuário ou senha do banco de dados não aceitos pelo servidor: " + context.file);
    if (networkFailure(f.codes))
        return make(DbFailure::ServerUnreachable,
                    "O servidor do banco de dados não responde: " + context.file);
    if (has(f.codes, isc_lock_conflict) || has(f.codes, isc_update_conflict) ||
        (has(f.codes, isc_deadlock) && f.sqlState == "40001"))
        return make(DbFailure::LockConflict, "O registro está em uso por outro usuário; tente novamente" +
                                                 named(context.column) + ".");
    if (has(f.codes, isc_string_truncation) || f.sqlState == "22001")
        return make(DbFailure::TextTooLong,
                    "Texto maior que o tamanho da coluna" + named(context.column) + ".");
    if (has(f.codes, isc_transliteration_failed))
        return make(DbFailure::CannotStoreChar,
                    "O texto tem um caractere que o banco de dados não aceita" + named(context.column) + ".");
    if (f.sqlState == "42S01" ||
        (f.sqlState == "42000" && f.text.find("already exists") != std::string::npos) ||
        has(f.codes, isc_dyn_dup_table))
        return make(DbFailure::AlreadyExists, "O objeto já existe no banco de dados: " + f.text);
    if (ioError)
        return make(DbFailure::FileNotFound,
                    "Não foi possível abrir o banco de dados " + context.file + ": " + f.text);
    return make(DbFailure::Other, "Erro do banco de dados" + named(context.file) + ": " + f.text);
}

} // namespace db::detail
