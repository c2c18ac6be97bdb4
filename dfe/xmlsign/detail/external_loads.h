#pragma once

#include <filesystem>

// What libxml2 may read from outside the text it was given, decided per call
// on the calling thread. While an ExternalLoads object lives, every external
// entity, DTD or schema include libxml2 asks for on this thread goes through
// our loader: with no folder nothing is read; with a folder, only local files
// inside it are (the includes of a schema). Outside such a scope the loader
// hands the request to the loader that was in place before, so other libxml2
// users keep their behaviour. The network is never reached from a scope.
class ExternalLoads {
  public:
    // Nothing may be read.
    ExternalLoads();
    // Local files under `folder` may be read.
    explicit ExternalLoads(std::filesystem::path folder);
    ~ExternalLoads();
    ExternalLoads(const ExternalLoads &) = delete;
    ExternalLoads &operator=(const ExternalLoads &) = delete;

    bool admits(const char *url) const;

  private:
    std::filesystem::path folder_; // canonical; empty admits nothing
    const ExternalLoads *outer_;
};
