#include "tests/support/firebird_test_env.h"

#include "app/db/firebird_root.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>

namespace testsupport {

std::filesystem::path testFirebirdRoot()
{
    return binaryDir() / "test-firebird" / "root";
}
std::filesystem::path testFirebirdLock()
{
    return binaryDir() / "test-firebird" / "lock";
}

void useTestFirebird()
{
    static const bool ready = [] {
        db::makePrivateFirebirdRoot(db::installedFirebirdRoot(), testFirebirdRoot().string());
        std::filesystem::create_directories(testFirebirdLock());
        setenv("FIREBIRD", testFirebirdRoot().c_str(), 1);
        setenv("FIREBIRD_LOCK", testFirebirdLock().c_str(), 1);
        return true;
    }();
    (void)ready;
}

} // namespace testsupport
