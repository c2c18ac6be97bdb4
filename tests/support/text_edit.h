#pragma once

// Editing sample texts in tests.

#include <string>

#include <gtest/gtest.h>

namespace testsupport {

// The text with its first `from` replaced by `to`; a text without `from` is a
// test failure and comes back unchanged.
inline std::string replacedOnce(std::string text, const std::string &from, const std::string &to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace testsupport
