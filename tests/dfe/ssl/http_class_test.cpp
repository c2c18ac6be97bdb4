#include <gtest/gtest.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/ssl/fake_backends.h"

using namespace dfetest;

namespace {

class HttpTransmitir : public ::testing::Test {
  protected:
    FakeBackends fakes;
    TDFeSSL ssl;
    FakeHttp http{ssl};

    void SetUp() override { ssl.UseCertificateHTTP = false; }
};

TEST_F(HttpTransmitir, EmptyBodyIsAGetAndAuthorizationIsOneHeaderLine)
{
    http.Transmitir("", "https://x/a", "", "text/xml", "", true);
    EXPECT_EQ(httpScript().lastMethod, "GET");
    EXPECT_EQ(httpScript().lastHeaders, "");
    http.Transmitir("<a/>", "https://x/a", "urn:acao", "text/xml", "Basic abc", true);
    EXPECT_EQ(httpScript().lastMethod, "POST");
    EXPECT_EQ(httpScript().lastBody, "<a/>");
    EXPECT_EQ(httpScript().lastHeaders, "Authorization: Basic abc\r\n");
    EXPECT_EQ(httpScript().lastSoapAction, "urn:acao");
}

TEST_F(HttpTransmitir, StatusCheck)
{
    struct Case {
        int status;
        bool passes;
    };
    const Case cases[] = {{199, false}, {200, true}, {201, true}, {202, true}, {203, false}, {500, false}};
    httpScript().body = "corpo";
    for (const auto &c : cases) {
        httpScript().status = c.status;
        EXPECT_EQ(http.Transmitir("<a/>", "https://x/a", "", "", "", false), "corpo") << c.status;
        if (c.passes) {
            EXPECT_EQ(http.Transmitir("<a/>", "https://x/a", "", "", "", true), "corpo") << c.status;
            continue;
        }
        try {
            http.Transmitir("<a/>", "https://x/a", "", "", "", true);
            ADD_FAILURE() << c.status << " passed";
        } catch (const EQuibDFeException &e) {
            EXPECT_EQ(e.what(), "Erro Interno: 0\r\nErro HTTP: " + std::to_string(c.status) +
                                    "\r\nURL: https://x/a\r\nfalha simulada\r\ncorpo");
        }
    }
}

TEST_F(HttpTransmitir, TransportFailureHidesTheCauseBehindTheFixedText)
{
    httpScript().raise = true;
    try {
        http.Transmitir("<a/>", "https://x/a", "", "", "", false);
        FAIL();
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Erro Interno: 0\r\nErro HTTP: 0\r\nURL: https://x/a\r\nfalha simulada\r\n");
    }
}

TEST(HttpWithoutLibrary, SendsNothing)
{
    TDFeSSL ssl;
    ssl.UseCertificateHTTP = false;
    EXPECT_EQ(ssl.Transmitir("<a/>", "https://x/a", "", "", "", false), "");
    try {
        ssl.Transmitir("<a/>", "https://x/a", "");
        FAIL();
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Erro Interno: 0\r\nErro HTTP: 0\r\nURL: https://x/a\r\n\r\n");
    }
}

} // namespace
