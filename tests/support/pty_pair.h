#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace testsupport {

// A pseudo-terminal pair standing in for a serial line: code under test opens
// the terminal end by its /dev/pts/N path, the test talks through the master.
// The pair keeps its own terminal end open, so the line never hangs up while
// the code under test closes and reopens it.
class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    // "/dev/pts/N".
    const std::string &path() const { return path_; }

    // Puts the terminal end in raw mode (no echo, no line editing, no CR/LF
    // translation), for code that opens it without setting the line up.
    void setRaw() const;

    // Writes all bytes to the master (raises std::runtime_error on failure).
    void write(std::string_view bytes) const;
    // Reads from the master until `count` bytes came or the time ran out;
    // returns what came.
    std::string read(std::size_t count, std::chrono::milliseconds timeout) const;

  private:
    int master_ = -1;
    int terminal_ = -1;
    std::string path_;
};

} // namespace testsupport
