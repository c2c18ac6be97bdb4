#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace testsupport {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "nfe-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::write(const std::string &name, const std::string &bytes) const
{
    std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    return file;
}

std::string readFile(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

static std::filesystem::path fromEnvironment(const char *name, const char *fallback)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::filesystem::path(value)
                                              : std::filesystem::path(fallback);
}

// The folders this build was configured with, unless the environment names
// others (a test run from an installed copy of the tree).
std::filesystem::path sourceDir()
{
    return fromEnvironment("NFE_SOURCE_DIR", NFE_TEST_SOURCE_DIR);
}
std::filesystem::path binaryDir()
{
    return fromEnvironment("NFE_BINARY_DIR", NFE_TEST_BINARY_DIR);
}

} // namespace testsupport
