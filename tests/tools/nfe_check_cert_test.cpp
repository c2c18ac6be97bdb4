#include <cctype>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/time_zone_guard.h"

using testsupport::runCommand;

namespace {

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

std::map<std::string, std::string> fields(const std::string &out)
{
    std::map<std::string, std::string> values;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        std::string line = out.substr(start, end - start);
        values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        start = end == std::string::npos ? out.size() : end + 1;
    }
    return values;
}

// What `openssl x509` says of the certificate: serial, fingerprint without
// colons and notAfter as dd/mm/yyyy hh:nn:ss in UTC.
std::map<std::string, std::string> opensslView(const TestCert &cert)
{
    auto result = runCommand({"sh", "-c",
                              "openssl pkcs12 -in '" + cert.pfxAes + "' -passin pass:'" + cert.password +
                                  "' -nokeys -clcerts | openssl x509 -noout -serial -fingerprint -sha1 "
                                  "-dateopt iso_8601 -enddate"});
    auto values = fields(result.out);
    std::string fingerprint = values["sha1 Fingerprint"];
    std::erase(fingerprint, ':');
    const std::string end = values["notAfter"]; // 2049-12-31 23:59:59Z
    return {{"NumeroSerie", values["serial"]},
            {"HashSHA1", fingerprint},
            {"DataValidade",
             end.substr(8, 2) + "/" + end.substr(5, 2) + "/" + end.substr(0, 4) + " " + end.substr(11, 8)}};
}

} // namespace

TEST(NfeCheckCert, EveryCertificateAgreesWithOpensslInAesAndRc2Files)
{
    testsupport::ScopedTimeZone utc("UTC");
    const TestPki &pki = testPki();
    struct Case {
        const TestCert *cert;
        const char *cnpj;
        const char *razaoSocial;
    };
    const Case cases[] = {
        {&pki.ecnpj, "11222333000181", "EMPRESA TESTE LTDA"},
        {&pki.ecnpjPrintable, "11444777000161", "EMPRESA IMPRESSA LTDA"},
        {&pki.ecnpjOtherNameOnly, "22333444000181", "SERVI\u00c7OS DE INFORM\u00c1TICA \u00c1GUA LTDA"},
        {&pki.ecpf, "12345678909", "FULANO DE TAL DA SILVA"},
        {&pki.expired1999, "11222333000181", "EMPRESA VENCIDA LTDA"},
        {&pki.ends2049, "11222333000181", "EMPRESA 2049 LTDA"},
        {&pki.ends2051, "11222333000181", "EMPRESA 2051 LTDA"},
        {&pki.serialInnerZero, "11222333000181", "EMPRESA SERIAL ZERO LTDA"},
        {&pki.serialHighBit, "11222333000181", "EMPRESA SERIAL ALTO LTDA"},
        {&pki.server, "", "localhost"},
        {&pki.foreignClient, "55666777000181", "CLIENTE ESTRANGEIRO LTDA"},
        {&pki.rsa4096, "99888777000100", "EMPRESA GRANDE LTDA"},
    };
    for (const Case &c : cases) {
        const auto expected = opensslView(*c.cert);
        for (const std::string &pfx : {c.cert->pfxAes, c.cert->pfxRc2}) {
            const auto result = runCommand({tool(), "cert", pfx, c.cert->password});
            ASSERT_EQ(result.exitCode, 0) << pfx << "\n" << result.err;
            auto got = fields(result.out);
            for (const auto &[name, value] : expected)
                EXPECT_EQ(got[name], value) << pfx << " " << name;
            EXPECT_EQ(got["CNPJ"], c.cnpj) << pfx;
            EXPECT_EQ(got["RazaoSocial"], c.razaoSocial) << pfx;
            EXPECT_EQ(got["Tipo"], "tcA1");
        }
    }
    EXPECT_EQ(fields(runCommand({tool(), "cert", pki.ecnpj.pfxAes, pki.ecnpj.password})
                         .out)["AutoridadeCertificadora"],
              "AC TESTE");
}

TEST(NfeCheckCert, WrongPasswordGivesTheSystemsMessage)
{
    const TestCert &cert = testPki().ecnpj;
    for (const std::string &pfx : {cert.pfxAes, cert.pfxRc2}) {
        const auto result = runCommand({tool(), "cert", pfx, "senha errada"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(
            result.err,
            "Erro ao ler informa\u00e7\u00f5es do Certificado.\r\nProvavelmente a senha est\u00e1 errada\n");
        EXPECT_EQ(result.out, "");
    }
}

TEST(NfeCheckHash, SignedHashesEqualOpensslAndEmptyFilesAreRefused)
{
    const TestPki &pki = testPki();
    testsupport::TempDir dir;
    const auto data = dir.write("nota.xml", "<NFe><infNFe Id=\"NFe1\">conte\u00fado</infNFe></NFe>").string();
    for (const TestCert *cert : {&pki.ecnpj, &pki.rsa4096}) {
        const auto result =
            runCommand({tool(), "hash", data, "sha256", "base64", cert->pfxRc2, cert->password});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const auto expected = runCommand(
            {"sh", "-c",
             "openssl dgst -sha256 -sign '" + cert->keyPem + "' '" + data + "' | openssl base64 -A"});
        EXPECT_EQ(result.out, expected.out + "\n");
    }
    const auto plain = runCommand({tool(), "hash", data, "sha1", "hex"});
    const auto expected = runCommand({"openssl", "dgst", "-sha1", "-r", data});
    std::string hex = expected.out.substr(0, 40);
    for (char &ch : hex)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(plain.out, hex + "\n");

    const auto empty = runCommand({tool(), "hash", dir.write("vazio.xml", "").string(), "sha1", "hex"});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "Stream vazio\n");
}
