#include "foundation/text/utf8.h"

#include <algorithm>

namespace {

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

} // namespace

Utf8Char utf8CharAt(std::string_view text, std::size_t pos)
{
    const auto b0 = static_cast<unsigned char>(text[pos]);
    const Utf8Char malformed{b0, 1, false};
    if (b0 < 0x80)
        return {b0, 1, true};

    std::size_t size;
    char32_t code;
    char32_t minimum;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        size = 2;
        code = b0 & 0x1F;
        minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        size = 3;
        code = b0 & 0x0F;
        minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        size = 4;
        code = b0 & 0x07;
        minimum = 0x10000;
    } else {
        return malformed;
    }
    if (pos + size > text.size())
        return malformed;
    for (std::size_t i = 1; i < size; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(b))
            return malformed;
        code = (code << 6) | (b & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return malformed;
    return {code, size, true};
}

bool utf8Valid(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const auto ch = utf8CharAt(text, pos);
        if (!ch.valid)
            return false;
        pos += ch.size;
    }
    return true;
}

std::size_t utf8Length(std::string_view text)
{
    // ASCII text (most field values) has one character per byte.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return text.size();
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += utf8CharAt(text, pos).size)
        ++count;
    return count;
}

std::size_t utf8Offset(std::string_view text, std::size_t index)
{
    std::size_t pos = 0;
    while (index > 0 && pos < text.size()) {
        pos += utf8CharAt(text, pos).size;
        --index;
    }
    return pos;
}

std::string_view utf8Prefix(std::string_view text, std::size_t count)
{
    return text.substr(0, utf8Offset(text, count));
}

std::vector<std::string_view> utf8Chars(std::string_view text)
{
    std::vector<std::string_view> chars;
    chars.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto size = utf8CharAt(text, pos).size;
        chars.push_back(text.substr(pos, size));
        pos += size;
    }
    return chars;
}

std::string utf8Encode(char32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

std::size_t utf8IndexOfOffset(std::string_view text, std::size_t offset)
{
    return utf8Length(text.substr(0, offset));
}

std::u16string utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto ch = utf8CharAt(text, pos);
        pos += ch.size;
        const char32_t code = ch.valid ? ch.code : 0xFFFD;
        if (code < 0x10000) {
            out += static_cast<char16_t>(code);
        } else {
            const char32_t v = code - 0x10000;
            out += static_cast<char16_t>(0xD800 | (v >> 10));
            out += static_cast<char16_t>(0xDC00 | (v & 0x3FF));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        out += utf8Encode(code);
    }
    return out;
}
