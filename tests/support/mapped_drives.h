#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace testsupport {

// Drives C, D, E and W of stored Windows paths map to fresh temporary folders
// for the life of the object; every other letter is unmapped. `programa` is a
// program folder that holds nothing. Header only.
class MappedDrives {
  public:
    MappedDrives()
    {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string name = std::string("KVL_DRIVE_") + letter;
            const TempDir *drive = letter == 'C'   ? &c
                                   : letter == 'D' ? &d
                                   : letter == 'E' ? &e
                                   : letter == 'W' ? &w
                                                   : nullptr;
            env.push_back(std::make_unique<ScopedEnv>(
                name.c_str(), drive ? std::optional(drive->path().string()) : std::nullopt));
        }
    }

    // Writes an application INI with an empty "IBGERENCIA" section at the
    // path relative to the drive.
    static void put(const TempDir &drive, const std::string &relative)
    {
        std::filesystem::create_directories((drive.path() / relative).parent_path());
        drive.write(relative, "[IBGERENCIA]\r\n");
    }

    TempDir c, d, e, w, programa;

  private:
    std::vector<std::unique_ptr<ScopedEnv>> env;
};

} // namespace testsupport
