#include "foundation/net/url_origin.h"

#include <gtest/gtest.h>

namespace {

TEST(UrlOrigin, SchemeHostAndPortMustAllMatch)
{
    struct Case {
        const char *a;
        const char *b;
        bool same;
    };
    const Case cases[] = {
        {"http://h.example/a", "http://h.example/b?x", true},
        {"http://H.Example/a", "HTTP://h.example:80/b", true}, // case and default port
        {"https://h.example/a", "https://h.example:443/b", true},
        {"www.h.example/a", "http://www.h.example/b", true}, // a bare host is http
        {"http://h.example/a", "https://h.example/a", false},
        {"http://h.example/a", "http://h.example:8080/a", false},
        {"http://h.example/a", "http://g.example/a", false},
        {"http://h.example/a", "http://h.example.evil.example/a", false},
        {"http://user@h.example/a", "http://h.example/a", true}, // user info is no part of the origin
        {"http://h.example/a", "", false},
        {"http://[::1]:8080/a", "http://[::1]:8080/b", true},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(sameOrigin(c.a, c.b), c.same) << c.a << " | " << c.b;
        EXPECT_EQ(sameOrigin(c.b, c.a), c.same) << c.b << " | " << c.a;
    }
}

} // namespace
