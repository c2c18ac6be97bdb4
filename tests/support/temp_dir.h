#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh folder under the system temporary folder, removed with its contents
// when the object goes out of scope.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::filesystem::path operator/(const std::string &name) const { return path_ / name; }

    // Writes bytes to a file inside the folder and returns its full path.
    std::filesystem::path write(const std::string &name, const std::string &bytes) const;

  private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path &file);

// The folder of the source tree and of the build tree, as CTest passes them.
std::filesystem::path sourceDir();
std::filesystem::path binaryDir();

} // namespace testsupport
