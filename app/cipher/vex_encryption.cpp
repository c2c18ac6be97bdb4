#include "app/cipher/vex_encryption.h"

#include "foundation/base/quib_exception.h"
#include "foundation/fiscal/random_source.h"
#include "foundation/text/text_utils.h"

namespace {

constexpr std::string_view kDefaultKey = "Bix Fon";

// Walks the key from its first byte, starting again after the last. An empty
// key keeps answering the default key's first byte.
class KeyCursor {
  public:
    explicit KeyCursor(std::string_view key) : length_(key.size()), key_(key.empty() ? kDefaultKey : key) {}
    unsigned char next()
    {
        position_ = position_ < length_ ? position_ + 1 : 1;
        return static_cast<unsigned char>(key_[position_ - 1]);
    }

  private:
    std::size_t length_;
    std::string_view key_;
    std::size_t position_ = 0;
};

int hexValue(std::string_view digits)
{
    if (digits.empty())
        throw ConversionError("'' is not a valid integer value");
    int value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0)
            throw ConversionError("'" + std::string(digits) + "' is not a valid integer value");
        value = value * 16 + digit;
    }
    return value;
}

void appendHex(std::string &out, int value)
{
    constexpr std::string_view digits = "0123456789ABCDEF";
    out += digits[static_cast<std::size_t>(value >> 4) & 15];
    out += digits[static_cast<std::size_t>(value) & 15];
}

std::string encrypt(std::string_view bytes, std::string_view key)
{
    KeyCursor cursor(key);
    int state = static_cast<int>(randomBelow(256));
    std::string out;
    appendHex(out, state);
    for (const char c : bytes) {
        state = ((state + static_cast<unsigned char>(c)) % 255) ^ cursor.next();
        appendHex(out, state);
    }
    return out;
}

std::string decrypt(std::string_view text, std::string_view key)
{
    KeyCursor cursor(key);
    int state = hexValue(text.substr(0, 2));
    std::string out;
    std::size_t pos = 2; // zero-based: the first digit after the seed
    do {
        const int cipher = hexValue(text.substr(std::min(pos, text.size()), 2));
        const int d = cipher ^ cursor.next();
        out += static_cast<char>(state < d ? d - state : d - state + 255);
        state = cipher;
        pos += 2;
    } while (pos + 1 < text.size());
    return out;
}

} // namespace

void TVexEncryption::Execute()
{
    output_ = input_.empty() ? std::string() : Crypt(input_, key_, action_ == atEncryption);
}

std::string TVexEncryption::Crypt(std::string_view text, std::string_view key, bool encrypt)
{
    const std::string keyBytes = ConvertePaginaCodigo(key, 1252, 0);
    if (encrypt)
        return ::encrypt(ConvertePaginaCodigo(text, 1252, 0), keyBytes);
    return ConvertePaginaCodigo(decrypt(text, keyBytes), 0, 1252);
}
