#include "dfe/ssl/base64.h"

#include <openssl/evp.h>

#include "foundation/fiscal/dfe_exception.h"

std::string encodeBase64(std::string_view bytes)
{
    std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char *>(text.data()),
                                       reinterpret_cast<const unsigned char *>(bytes.data()),
                                       static_cast<int>(bytes.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string decodeBase64(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '\r' && c != '\n' && c != '\t')
            compact += c;
    }
    if (compact.size() % 4 != 0)
        throw EQuibDFeException("Base64 inválido");
    std::string bytes(compact.size() / 4 * 3 + 1, '\0');
    const int length = EVP_DecodeBlock(reinterpret_cast<unsigned char *>(bytes.data()),
                                       reinterpret_cast<const unsigned char *>(compact.data()),
                                       static_cast<int>(compact.size()));
    if (length < 0)
        throw EQuibDFeException("Base64 inválido");
    std::size_t size = static_cast<std::size_t>(length);
    // EVP_DecodeBlock counts the padding as zero bytes.
    for (std::size_t i = compact.size(); i > 0 && compact[i - 1] == '='; --i)
        --size;
    bytes.resize(size);
    return bytes;
}
