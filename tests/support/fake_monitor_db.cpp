#include "tests/support/fake_monitor_db.h"

#include <algorithm>

#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"

namespace testsupport {

namespace {

constexpr const char *kRows = "SELECT PATH_COMUNICACAO, CNPJ_EMI FROM CONFIGNFE";

std::string trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool contains(const std::vector<std::string> &list, const std::string &item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

MonitorDatabaseWatch::MonitorDatabaseWatch(FakeMonitor &monitor, std::string address,
                                           std::chrono::milliseconds interval)
    : monitor_(monitor), address_(std::move(address)), interval_(interval)
{
    try {
        database_ = std::make_unique<db::Database>(db::Database::attach(address_));
        db::Transaction transaction(*database_);
        db::Statement rows(transaction, kRows); // prepared only: the table must be there
    } catch (const db::DatabaseError &fault) {
        throw FakeMonitorError("banco do modulo " + address_ + ": " + fault.what());
    }
}

MonitorDatabaseWatch::~MonitorDatabaseWatch() = default;

std::vector<std::string> MonitorDatabaseWatch::readFolders(std::vector<std::string> &problems)
{
    std::vector<std::string> folders;
    if (!database_)
        database_ = std::make_unique<db::Database>(db::Database::attach(address_));
    db::Transaction transaction(*database_);
    db::Statement rows(transaction, kRows);
    db::Cursor cursor = rows.open();
    while (cursor.next()) {
        const db::Value &path = cursor.at(0);
        const std::string folder = path.isNull() ? std::string{} : trimmed(path.asString());
        if (folder.empty()) {
            const db::Value &cnpj = cursor.at(1);
            problems.push_back("emitente " + (cnpj.isNull() ? std::string("sem CNPJ") : cnpj.asString()) +
                               " sem PATH_COMUNICACAO em CONFIGNFE");
        } else if (!contains(folders, folder)) {
            folders.push_back(folder);
        }
    }
    cursor.close();
    transaction.commit();
    return folders;
}

MonitorDatabaseWatch::Changes MonitorDatabaseWatch::refresh()
{
    Changes changes;
    const auto now = std::chrono::steady_clock::now();
    if (now < next_)
        return changes;
    next_ = now + interval_;

    std::vector<std::string> problems; // every problem of this reading
    std::vector<std::string> folders;
    try {
        folders = readFolders(problems);
    } catch (const db::DatabaseError &fault) {
        // The file may be briefly out of reach: keep watching what was
        // watched and attach again at the next reading.
        database_.reset();
        folders = ours_;
        problems = {"banco do modulo " + address_ + ": " + fault.what()};
    }
    for (auto it = ours_.begin(); it != ours_.end();) {
        if (contains(folders, *it)) {
            ++it;
            continue;
        }
        monitor_.unwatch(*it);
        changes.dropped.push_back(*it);
        it = ours_.erase(it);
    }
    for (const auto &folder : folders) {
        if (contains(ours_, folder))
            continue;
        try {
            // A folder watched already by other means stays theirs.
            if (monitor_.watch(folder)) {
                changes.watched.push_back(folder);
                ours_.push_back(folder);
            }
        } catch (const FakeMonitorError &fault) {
            problems.emplace_back(fault.what());
        }
    }
    for (const auto &problem : problems)
        if (!contains(reported_, problem))
            changes.problems.push_back(problem);
    reported_ = std::move(problems);
    return changes;
}

} // namespace testsupport
