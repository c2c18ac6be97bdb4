#include "dfe/xmlsign/detail/base64.h"

#include <openssl/evp.h>

std::string toBase64(std::string_view bytes)
{
    std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int size = EVP_EncodeBlock(reinterpret_cast<unsigned char *>(text.data()),
                                     reinterpret_cast<const unsigned char *>(bytes.data()),
                                     static_cast<int>(bytes.size()));
    text.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    return text;
}

std::string fromBase64(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            compact += c;
    }
    if (compact.empty() || compact.size() % 4 != 0)
        return {};
    std::string bytes(3 * (compact.size() / 4), '\0');
    const int size = EVP_DecodeBlock(reinterpret_cast<unsigned char *>(bytes.data()),
                                     reinterpret_cast<const unsigned char *>(compact.data()),
                                     static_cast<int>(compact.size()));
    if (size < 0)
        return {};
    std::size_t length = static_cast<std::size_t>(size);
    // EVP_DecodeBlock counts the padding as zero bytes.
    for (std::size_t i = compact.size(); i > 0 && compact[i - 1] == '=' && length > 0; --i)
        --length;
    bytes.resize(length);
    return bytes;
}
