#include "store_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "dfe/crypto/detail/certificate_fields.h"
#include "dfe/crypto/detail/openssl_ptr.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

#include <openssl/pem.h>

namespace fs = std::filesystem;

namespace storetest {

namespace {

testsupport::TempDir &programFolder()
{
    static testsupport::TempDir folder;
    return folder;
}

void run(const std::vector<std::string> &argv)
{
    const testsupport::CommandResult result = testsupport::runCommand(argv);
    if (result.exitCode != 0)
        throw std::runtime_error(argv[0] + ": " + result.out + result.err);
}

std::string readText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

SoftToken makeSoftToken()
{
    const fs::path base = programFolder().path() / "token";
    fs::create_directories(base / "tokens");
    fs::create_directories(base / "home/.config/pkcs11/modules");
    std::ofstream(base / "softhsm2.conf") << "directories.tokendir = " << (base / "tokens").string()
                                          << "\nobjectstore.backend = file\nlog.level = ERROR\n";
    std::ofstream(base / "home/.config/pkcs11/modules/softhsm2.module")
        << "module: /usr/lib/softhsm/libsofthsm2.so\n";
    setenv("SOFTHSM2_CONF", (base / "softhsm2.conf").c_str(), 1);
    setenv("HOME", (base / "home").c_str(), 1);

    const TestCert &cert = testPki().ecnpjPrintable;
    const std::string keyDer = (base / "key.der").string();
    const std::string certDer = (base / "cert.der").string();
    run({"openssl", "pkcs8", "-topk8", "-nocrypt", "-in", cert.keyPem, "-outform", "DER", "-out", keyDer});
    run({"openssl", "x509", "-in", cert.certPem, "-outform", "DER", "-out", certDer});
    run({"softhsm2-util", "--init-token", "--free", "--label", "NFE TESTE", "--pin", kTokenPin, "--so-pin",
         "87654321"});
    const std::string module = "/usr/lib/softhsm/libsofthsm2.so";
    run({"pkcs11-tool", "--module", module, "--token-label", "NFE TESTE", "--login", "--pin", kTokenPin,
         "--write-object", keyDer, "--type", "privkey", "--id", "01", "--label", "empresa"});
    run({"pkcs11-tool", "--module", module, "--token-label", "NFE TESTE", "--login", "--pin", kTokenPin,
         "--write-object", certDer, "--type", "cert", "--id", "01", "--label", "empresa"});

    const std::string pem = readText(cert.certPem);
    dfe::openssl::BioPtr pemBio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    dfe::openssl::CertificatePtr x509(PEM_read_bio_X509(pemBio.get(), nullptr, nullptr, nullptr));
    return {dfe::openssl::serialNumberHex(x509.get())};
}

} // namespace

void freshUserStore()
{
    const fs::path data = programFolder().path() / "data";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    fs::remove_all(data / "nfe-console");
}

const SoftToken &softToken()
{
    static const SoftToken token = makeSoftToken();
    return token;
}

std::string xmlsecRejects(const std::string &signedXml)
{
    testsupport::TempDir folder;
    const fs::path file = folder.write("signed.xml", signedXml);
    const testsupport::CommandResult result = testsupport::runCommand(
        {"xmlsec1", "--verify", "--trusted-pem", testPki().root.certPem, "--untrusted-pem",
         testPki().intermediate.certPem, "--id-attr:Id", "infNFe", file.string()});
    return result.exitCode == 0 ? std::string() : "xmlsec1: " + result.err;
}

std::string sampleNFe()
{
    return readText((testsupport::sourceDir() / "tests/dfe/data/nfe_400.xml").string());
}

} // namespace storetest
