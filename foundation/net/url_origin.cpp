#include "foundation/net/url_origin.h"

#include <memory>
#include <optional>
#include <string>

#include <curl/curl.h>

#include "foundation/text/text_utils.h"

namespace {

struct Origin {
    std::string scheme;
    std::string host;
    std::string port;
    bool operator==(const Origin &) const = default;
};

using UrlHandle = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;

std::optional<std::string> part(CURLU *url, CURLUPart which, unsigned int flags)
{
    char *text = nullptr;
    if (curl_url_get(url, which, &text, flags) != CURLUE_OK)
        return std::nullopt;
    std::string value(text);
    curl_free(text);
    return value;
}

std::optional<Origin> originOf(std::string_view text)
{
    const UrlHandle url(curl_url(), &curl_url_cleanup);
    if (!url ||
        curl_url_set(url.get(), CURLUPART_URL, std::string(text).c_str(), CURLU_GUESS_SCHEME) != CURLUE_OK)
        return std::nullopt;
    auto scheme = part(url.get(), CURLUPART_SCHEME, 0);
    auto host = part(url.get(), CURLUPART_HOST, 0);
    auto port = part(url.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if (!scheme || !host || !port)
        return std::nullopt;
    return Origin{lowerAscii(*scheme), lowerAscii(*host), *port};
}

} // namespace

bool sameOrigin(std::string_view a, std::string_view b)
{
    const auto first = originOf(a);
    const auto second = originOf(b);
    return first && second && *first == *second;
}
