#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Character-level access to UTF-8 text.
//
// A "character" is one well-formed UTF-8 sequence. A byte that does not start
// a well-formed sequence counts as one character of its own, so no function
// here ever loses or changes a byte of malformed text.

struct Utf8Char {
    char32_t code = 0;    // the code point, or the byte value of a malformed byte
    std::size_t size = 0; // bytes taken by the character (1 to 4)
    bool valid = false;   // false for a malformed byte
};

// The character that starts at byte offset `pos` (which must be < text.size()).
Utf8Char utf8CharAt(std::string_view text, std::size_t pos);

// True when the text is well-formed UTF-8 (an empty text is).
bool utf8Valid(std::string_view text);

// Number of characters in the text.
std::size_t utf8Length(std::string_view text);

// Byte offset of the character with 0-based index `index`; text.size() when the
// text has no more characters.
std::size_t utf8Offset(std::string_view text, std::size_t index);

// The first `count` characters of the text.
std::string_view utf8Prefix(std::string_view text, std::size_t count);

// The characters of the text, each a view into it.
std::vector<std::string_view> utf8Chars(std::string_view text);

// The UTF-8 encoding of one code point (invalid code points give U+FFFD).
std::string utf8Encode(char32_t code);

// 0-based character index of a byte offset (counting the characters before it).
std::size_t utf8IndexOfOffset(std::string_view text, std::size_t offset);

// UTF-16 <-> UTF-8. Malformed input becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);
