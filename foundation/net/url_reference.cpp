#include "foundation/net/url_reference.h"

#include <optional>

namespace {

// The five parts of a URI reference (RFC 3986 appendix B); an absent part is
// told apart from an empty one.
struct UriParts {
    std::optional<std::string> scheme;
    std::optional<std::string> authority;
    std::string path;
    std::optional<std::string> query;
    std::optional<std::string> fragment;
};

// ALPHA *( ALPHA / DIGIT / "+" / "-" / "." )
bool isScheme(std::string_view text)
{
    if (text.empty())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!letter && (i == 0 || !other))
            return false;
    }
    return true;
}

UriParts split(std::string_view text)
{
    UriParts parts;
    const std::size_t hash = text.find('#');
    if (hash != std::string_view::npos) {
        parts.fragment = std::string(text.substr(hash + 1));
        text = text.substr(0, hash);
    }
    const std::size_t question = text.find('?');
    if (question != std::string_view::npos) {
        parts.query = std::string(text.substr(question + 1));
        text = text.substr(0, question);
    }
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos && isScheme(text.substr(0, colon))) {
        parts.scheme = std::string(text.substr(0, colon));
        text = text.substr(colon + 1);
    }
    if (text.starts_with("//")) {
        text.remove_prefix(2);
        const std::size_t slash = text.find('/');
        parts.authority = std::string(text.substr(0, slash));
        text = slash == std::string_view::npos ? std::string_view() : text.substr(slash);
    }
    parts.path = std::string(text);
    return parts;
}

// RFC 3986 section 5.2.4.
std::string removeDotSegments(std::string_view input)
{
    std::string output;
    while (!input.empty()) {
        if (input.starts_with("../")) {
            input.remove_prefix(3);
        } else if (input.starts_with("./")) {
            input.remove_prefix(2);
        } else if (input.starts_with("/./")) {
            input.remove_prefix(2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.starts_with("/../") || input == "/..") {
            input = input.size() == 3 ? std::string_view("/") : input.substr(3);
            const std::size_t last = output.rfind('/');
            output.erase(last == std::string::npos ? 0 : last);
        } else if (input == "." || input == "..") {
            input = {};
        } else {
            const std::size_t next = input.find('/', input.front() == '/' ? 1 : 0);
            const std::size_t length = next == std::string_view::npos ? input.size() : next;
            output.append(input.substr(0, length));
            input.remove_prefix(length);
        }
    }
    return output;
}

// RFC 3986 section 5.2.3.
std::string merge(const UriParts &base, std::string_view referencePath)
{
    if (base.authority && base.path.empty())
        return "/" + std::string(referencePath);
    const std::size_t slash = base.path.rfind('/');
    if (slash == std::string::npos)
        return std::string(referencePath);
    return base.path.substr(0, slash + 1) + std::string(referencePath);
}

std::string join(const UriParts &parts)
{
    std::string out;
    if (parts.scheme)
        out += *parts.scheme + ":";
    if (parts.authority)
        out += "//" + *parts.authority;
    out += parts.path;
    if (parts.query)
        out += "?" + *parts.query;
    if (parts.fragment)
        out += "#" + *parts.fragment;
    return out;
}

} // namespace

std::string resolveUrlReference(std::string_view base, std::string_view reference)
{
    const UriParts b = split(base);
    const UriParts r = split(reference);
    UriParts t;
    if (r.scheme) {
        t.scheme = r.scheme;
        t.authority = r.authority;
        t.path = removeDotSegments(r.path);
        t.query = r.query;
    } else {
        if (r.authority) {
            t.authority = r.authority;
            t.path = removeDotSegments(r.path);
            t.query = r.query;
        } else {
            if (r.path.empty()) {
                t.path = b.path;
                t.query = r.query ? r.query : b.query;
            } else {
                t.path = removeDotSegments(r.path.front() == '/' ? r.path : merge(b, r.path));
                t.query = r.query;
            }
            t.authority = b.authority;
        }
        t.scheme = b.scheme;
    }
    t.fragment = r.fragment;
    return join(t);
}
