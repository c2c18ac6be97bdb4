#include "test_data.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "temp_dir.h"

namespace testsupport {

std::string testBytes(std::string_view relativePath)
{
    const std::filesystem::path file = sourceDir() / "tests" / relativePath;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read test data " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string testData(std::string_view relativePath)
{
    std::string data = testBytes(relativePath);
    if (!data.empty() && data.back() == '\n')
        data.pop_back();
    return data;
}

} // namespace testsupport
