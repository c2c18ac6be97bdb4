#include "dfe/mail/mime_encoding.h"

#include <algorithm>
#include <array>
#include <utility>

#include "foundation/text/text_utils.h"

namespace {

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int codePageOf(TMimeChar charset)
{
    switch (charset) {
    case CP1250:
        return 1250;
    case CP1252:
        return 1252;
    case CP437:
        return 437;
    case CP850:
        return 850;
    case UTF_8:
        break;
    }
    return 65001;
}

constexpr std::string_view kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        auto n = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                 static_cast<unsigned char>(bytes[i + 2]);
        out += kBase64[n >> 18 & 63];
        out += kBase64[n >> 12 & 63];
        out += kBase64[n >> 6 & 63];
        out += kBase64[n & 63];
    }
    if (i < bytes.size()) {
        auto n = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kBase64[n >> 18 & 63];
        out += kBase64[n >> 12 & 63];
        out += i + 1 < bytes.size() ? kBase64[n >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

std::string_view mimeCharsetName(TMimeChar charset)
{
    switch (charset) {
    case CP1250:
        return "windows-1250";
    case CP1252:
        return "windows-1252";
    case CP437:
        return "IBM437";
    case CP850:
        return "IBM850";
    case UTF_8:
        break;
    }
    return "UTF-8";
}

std::string toMimeCharset(std::string_view utf8, TMimeChar charset)
{
    if (charset == UTF_8 || isAscii(utf8))
        return std::string(utf8);
    return ConvertePaginaCodigo(utf8, codePageOf(charset), 65001);
}

std::string base64Lines(std::string_view bytes)
{
    const std::string encoded = base64(bytes);
    std::string out;
    out.reserve(encoded.size() + encoded.size() / 38 + 2);
    for (std::size_t at = 0; at < encoded.size(); at += 76) {
        out.append(encoded, at, 76);
        out += "\r\n";
    }
    return out;
}

std::string encodeHeaderText(std::string_view utf8, TMimeChar charset)
{
    if (isAscii(utf8))
        return std::string(utf8);
    const std::string prefix = "=?" + std::string(mimeCharsetName(charset)) + "?B?";
    // 75 characters per word: the prefix, "?=" and up to 4 * n / 3 of base64.
    const std::size_t maxBytes = (75 - prefix.size() - 2) / 4 * 3;
    std::string out;
    std::size_t at = 0;
    while (at < utf8.size()) {
        // Cut at whole characters so each word decodes on its own.
        std::size_t end = at;
        std::string chunk;
        while (end < utf8.size()) {
            const std::size_t next =
                std::min(utf8.size(), end + sequenceLength(static_cast<unsigned char>(utf8[end])));
            std::string candidate = toMimeCharset(utf8.substr(at, next - at), charset);
            if (candidate.size() > maxBytes && end > at)
                break;
            chunk = std::move(candidate);
            end = next;
        }
        if (!out.empty())
            out += "\r\n ";
        out += prefix + base64(chunk) + "?=";
        at = end;
    }
    return out;
}

std::string addressOf(std::string_view entry)
{
    const auto open = entry.rfind('<');
    if (open != std::string_view::npos) {
        const auto close = entry.find('>', open);
        if (close != std::string_view::npos)
            return std::string(trimText(entry.substr(open + 1, close - open - 1)));
    }
    return std::string(trimText(entry));
}

std::string encodeAddress(std::string_view entry, TMimeChar charset)
{
    entry = trimText(entry);
    const auto open = entry.rfind('<');
    if (open == std::string_view::npos || isAscii(entry))
        return std::string(entry);
    std::string_view name = trimText(entry.substr(0, open));
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    return encodeHeaderText(name, charset) + " <" + addressOf(entry) + ">";
}

std::string fileNameParameter(std::string_view utf8Name)
{
    if (isAscii(utf8Name)) {
        std::string quoted = "filename=\"";
        for (char c : utf8Name) {
            if (c == '"' || c == '\\')
                quoted += '\\';
            quoted += c;
        }
        return quoted + "\"";
    }
    std::string out = "filename*=UTF-8''";
    constexpr std::string_view hex = "0123456789ABCDEF";
    for (char c : utf8Name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            c == '.' || c == '-' || c == '_') {
            out += c;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
    }
    return out;
}

std::string_view contentTypeForFile(std::string_view fileName)
{
    // clang-format off
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kTypes = {{
        {"xml",  "text/xml"},
        {"pdf",  "application/pdf"},
        {"txt",  "text/plain"},
        {"htm",  "text/html"},
        {"html", "text/html"},
        {"csv",  "text/csv"},
        {"json", "application/json"},
        {"zip",  "application/zip"},
        {"gz",   "application/gzip"},
        {"png",  "image/png"},
        {"jpg",  "image/jpeg"},
        {"jpeg", "image/jpeg"},
        {"gif",  "image/gif"},
        {"bmp",  "image/bmp"},
        {"rtf",  "application/rtf"},
        {"p7s",  "application/pkcs7-signature"},
    }};
    // clang-format on
    const auto slash = fileName.find_last_of("/\\");
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    const auto dot = fileName.rfind('.');
    if (dot != std::string_view::npos) {
        const std::string extension = upperAscii(fileName.substr(dot + 1));
        for (const auto &[known, type] : kTypes)
            if (upperAscii(known) == extension)
                return type;
    }
    return "application/octet-stream";
}
