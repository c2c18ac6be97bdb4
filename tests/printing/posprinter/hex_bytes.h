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
