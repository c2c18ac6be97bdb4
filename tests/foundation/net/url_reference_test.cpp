#include "foundation/net/url_reference.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *reference;
    const char *expected;
};

// The normal and abnormal examples of RFC 3986 section 5.4.
TEST(UrlReference, ResolvesTheExamplesOfTheStandard)
{
    const std::string base = "http://a/b/c/d;p?q";
    const Case cases[] = {
        {"g:h", "g:h"},
        {"g", "http://a/b/c/g"},
        {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},
        {"#s", "http://a/b/c/d;p?q#s"},
        {"g?y#s", "http://a/b/c/g?y#s"},
        {";x", "http://a/b/c/;x"},
        {"", "http://a/b/c/d;p?q"},
        {".", "http://a/b/c/"},
        {"..", "http://a/b/"},
        {"../g", "http://a/b/g"},
        {"../..", "http://a/"},
        {"../../g", "http://a/g"},
        {"../../../g", "http://a/g"},
        {"/./g", "http://a/g"},
        {"/../g", "http://a/g"},
        {"g.", "http://a/b/c/g."},
        {"..g", "http://a/b/c/..g"},
        {"./../g", "http://a/b/g"},
        {"g/./h", "http://a/b/c/g/h"},
        {"g/../h", "http://a/b/c/h"},
        {"g?y/./x", "http://a/b/c/g?y/./x"},
        {"http:g", "http:g"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(resolveUrlReference(base, c.reference), c.expected) << "reference: " << c.reference;
}

TEST(UrlReference, AnAbsolutePathReplacesTheWholePathOfTheBase)
{
    EXPECT_EQ(resolveUrlReference("https://host:8443/a/b/c", "/x"), "https://host:8443/x");
    EXPECT_EQ(resolveUrlReference("https://host", "page.html"), "https://host/page.html");
    EXPECT_EQ(resolveUrlReference("https://host/dir/index?a=/b/c", "page.html"),
              "https://host/dir/page.html");
}

} // namespace
