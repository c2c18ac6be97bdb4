#pragma once

// The fake document monitor's watch of a module database: the exchange folder
// of every emitter is the PATH_COMUNICACAO of its CONFIGNFE row, so the fake
// watches what the client's emitters name. Library nfe_fake_monitor_db, kept
// apart so that the fake's other users need no Firebird.
//
// The database file is shared with the client: both attach to it at once
// through the private Firebird root (see app/db/firebird_root.h), and every
// reading runs in a transaction of its own, so each one sees what the client
// committed before it.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_monitor.h"

namespace db {
class Database;
}

namespace testsupport {

class MonitorDatabaseWatch {
  public:
    // What one reading changed: the folders newly watched and those no longer
    // named by any row (as stored), and the problems met for the first time
    // (a missing folder, a row without a folder, a failed reading), each
    // reported once until it goes away.
    struct Changes {
        std::vector<std::string> watched;
        std::vector<std::string> dropped;
        std::vector<std::string> problems;
    };

    // Attaches to the module database at `address` (as stored: a path or
    // "host:path"). Raises FakeMonitorError naming the database when it
    // cannot be opened or holds no CONFIGNFE table.
    MonitorDatabaseWatch(FakeMonitor &monitor, std::string address,
                         std::chrono::milliseconds interval = std::chrono::seconds(10));
    ~MonitorDatabaseWatch();
    MonitorDatabaseWatch(const MonitorDatabaseWatch &) = delete;
    MonitorDatabaseWatch &operator=(const MonitorDatabaseWatch &) = delete;

    // Reads the rows again when `interval` has passed since the last reading
    // (the first call always reads) and makes the monitor watch exactly the
    // existing folders they name. A folder that is missing is skipped and
    // watched once it exists. A reading that fails changes nothing and is
    // tried again, reattached, at the next interval. Never raises.
    Changes refresh();

  private:
    // The distinct folders of the rows; a row without one adds a problem.
    // Raises DatabaseError.
    std::vector<std::string> readFolders(std::vector<std::string> &problems);

    FakeMonitor &monitor_;
    std::string address_;
    std::chrono::milliseconds interval_;
    std::unique_ptr<db::Database> database_;
    std::chrono::steady_clock::time_point next_{};
    std::vector<std::string> ours_;     // the folders watched because of a row
    std::vector<std::string> reported_; // the problems of the last reading
};

} // namespace testsupport
