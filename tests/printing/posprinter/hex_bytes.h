#pragma once

#include <string>

// Byte strings as spaced upper-case hexadecimal ("1D 6B 49"), so a failing
// comparison of printer commands shows both sides readable.
inline std::string hexBytes(const std::string &bytes)
{
    static const char *kDigits = "0123456789ABCDEF";
    std::string result;
    for (unsigned char b : bytes) {
        if (!result.empty())
            result.push_back(' ');
        result.push_back(kDigits[b >> 4]);
        result.push_back(kDigits[b & 0x0F]);
    }
    return result;
}

// Printer output as readable lines for golden files: printable ASCII kept
// ("\\" for a backslash), every other byte as \xNN; a line ends after each
// line feed and before each ESC, GS or FS, so commands stand apart.
inline std::string escapedLines(const std::string &bytes)
{
    static const char *kDigits = "0123456789ABCDEF";
    std::string result;
    bool lineStart = true;
    for (unsigned char b : bytes) {
        const bool command = b == 0x1B || b == 0x1D || b == 0x1C;
        if (command && !lineStart)
            result.push_back('\n');
        if (b == '\\')
            result += "\\\\";
        else if (b >= 0x20 && b < 0x7F)
            result.push_back(static_cast<char>(b));
        else
            result += std::string("\\x") + kDigits[b >> 4] + kDigits[b & 0x0F];
        lineStart = b == 0x0A;
        if (lineStart)
            result.push_back('\n');
    }
    return result;
}
