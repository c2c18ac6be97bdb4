#include "tests/support/fake_sefaz/packing.h"

#include <openssl/evp.h>
#include <zlib.h>

namespace testsupport::fakesefaz {

std::optional<std::string> base64Decode(std::string_view text)
{
    std::string clean;
    for (char c : text)
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
            clean += c;
    if (clean.size() % 4 != 0)
        return std::nullopt;
    std::string out(clean.size() / 4 * 3, '\0');
    const int size = EVP_DecodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                                     reinterpret_cast<const unsigned char *>(clean.data()),
                                     static_cast<int>(clean.size()));
    if (size < 0)
        return std::nullopt;
    std::size_t padding = 0;
    while (padding < 2 && padding < clean.size() && clean[clean.size() - 1 - padding] == '=')
        ++padding;
    out.resize(static_cast<std::size_t>(size) - padding);
    return out;
}

std::string base64Encode(std::string_view bytes)
{
    std::string out((bytes.size() + 2) / 3 * 4 + 1, '\0');
    const int size = EVP_EncodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                                     reinterpret_cast<const unsigned char *>(bytes.data()),
                                     static_cast<int>(bytes.size()));
    out.resize(static_cast<std::size_t>(size));
    return out;
}

std::optional<std::string> inflateAny(std::string_view bytes)
{
    z_stream stream{};
    if (inflateInit2(&stream, 32 + MAX_WBITS) != Z_OK) // 32: gzip or zlib header
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    std::string out;
    char buffer[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
        if (status == Z_BUF_ERROR && stream.avail_in == 0)
            break;
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        return std::nullopt;
    return out;
}

std::string gzip(std::string_view bytes)
{
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

} // namespace testsupport::fakesefaz
