#include "tests/support/test_pki.h"

#include "tests/support/temp_dir.h"

#include <openssl/bn.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdint>
#include <ctime>
#include <future>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace testsupport {

namespace {

const char *const kPassword = "Senha@1234";

template <typename T, void (*Free)(T *)> struct Deleter {
    void operator()(T *p) const { Free(p); }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using CertPtr = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using BioPtr = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;

void check(bool ok, const char *what)
{
    if (!ok)
        throw std::runtime_error(std::string("test PKI: ") + what + " failed");
}

// A library context of its own, with the legacy algorithms for RC2-40.
class PrivateLibrary {
  public:
    PrivateLibrary()
    {
        ctx_ = OSSL_LIB_CTX_new();
        check(ctx_ != nullptr, "OSSL_LIB_CTX_new");
        default_ = OSSL_PROVIDER_load(ctx_, "default");
        legacy_ = OSSL_PROVIDER_load(ctx_, "legacy");
        check(default_ != nullptr && legacy_ != nullptr, "loading the default and legacy providers");
    }
    ~PrivateLibrary()
    {
        OSSL_PROVIDER_unload(legacy_);
        OSSL_PROVIDER_unload(default_);
        OSSL_LIB_CTX_free(ctx_);
    }
    PrivateLibrary(const PrivateLibrary &) = delete;
    PrivateLibrary &operator=(const PrivateLibrary &) = delete;
    OSSL_LIB_CTX *get() const { return ctx_; }

  private:
    OSSL_LIB_CTX *ctx_ = nullptr;
    OSSL_PROVIDER *default_ = nullptr;
    OSSL_PROVIDER *legacy_ = nullptr;
};

enum class Role { Ca, Client, Server };

// How a value of an ICP-Brasil other name is encoded.
enum class OtherNameType { OctetString, PrintableString };

struct OtherName {
    const char *oid;
    std::string value;
    OtherNameType type = OtherNameType::OctetString;
};

struct CertRecipe {
    std::vector<std::pair<const char *, std::string>> subject; // short name, UTF-8 value
    Role role = Role::Client;
    std::vector<uint8_t> serial;       // empty: random
    std::string notBefore, notAfter;   // empty: now - 1 day, now + 2 years
    bool generalizedNotAfter = false;  // notAfter as GeneralizedTime
    std::vector<OtherName> otherNames; // subject alternative name entries
    int bits = 2048;
};

KeyPtr makeKey(OSSL_LIB_CTX *lib, int bits)
{
    std::unique_ptr<EVP_PKEY_CTX, Deleter<EVP_PKEY_CTX, EVP_PKEY_CTX_free>> ctx(
        EVP_PKEY_CTX_new_from_name(lib, "RSA", nullptr));
    check(ctx != nullptr && EVP_PKEY_keygen_init(ctx.get()) > 0, "EVP_PKEY_keygen_init");
    check(EVP_PKEY_CTX_set_rsa_keygen_bits(ctx.get(), bits) > 0, "EVP_PKEY_CTX_set_rsa_keygen_bits");
    EVP_PKEY *key = nullptr;
    check(EVP_PKEY_generate(ctx.get(), &key) > 0, "EVP_PKEY_generate");
    return KeyPtr(key);
}

void setSerial(X509 *cert, std::vector<uint8_t> bytes)
{
    if (bytes.empty()) {
        bytes.resize(10);
        check(RAND_bytes(bytes.data(), static_cast<int>(bytes.size())) == 1, "RAND_bytes");
        bytes[0] = static_cast<uint8_t>(0x10 | (bytes[0] & 0x6F)); // positive, no leading zero
    }
    BIGNUM *number = BN_bin2bn(bytes.data(), static_cast<int>(bytes.size()), nullptr);
    check(number != nullptr, "BN_bin2bn");
    ASN1_INTEGER *serial = BN_to_ASN1_INTEGER(number, nullptr);
    BN_free(number);
    check(serial != nullptr && X509_set_serialNumber(cert, serial) == 1, "X509_set_serialNumber");
    ASN1_INTEGER_free(serial);
}

void setTime(X509 *cert, bool notAfter, const std::string &text, bool generalized, long defaultOffsetDays)
{
    ASN1_TIME *time = nullptr;
    if (text.empty())
        time = X509_time_adj_ex(nullptr, static_cast<int>(defaultOffsetDays), 0, nullptr);
    else if (generalized) {
        time = ASN1_GENERALIZEDTIME_new();
        check(time != nullptr && ASN1_GENERALIZEDTIME_set_string(time, text.c_str()) == 1, "GeneralizedTime");
    } else {
        time = ASN1_UTCTIME_new();
        check(time != nullptr && ASN1_UTCTIME_set_string(time, text.c_str()) == 1, "UTCTime");
    }
    check(time != nullptr, "X509_time_adj_ex");
    int ok = notAfter ? X509_set1_notAfter(cert, time) : X509_set1_notBefore(cert, time);
    ASN1_TIME_free(time);
    check(ok == 1, "setting the validity");
}

void addExtension(X509 *cert, X509V3_CTX *ctx, int nid, const char *value)
{
    X509_EXTENSION *ext = X509V3_EXT_conf_nid(nullptr, ctx, nid, value);
    check(ext != nullptr && X509_add_ext(cert, ext, -1) == 1, "X509_add_ext");
    X509_EXTENSION_free(ext);
}

GENERAL_NAME *otherNameEntry(const OtherName &entry)
{
    ASN1_STRING *value =
        entry.type == OtherNameType::OctetString ? ASN1_OCTET_STRING_new() : ASN1_PRINTABLESTRING_new();
    check(value != nullptr &&
              ASN1_STRING_set(value, entry.value.data(), static_cast<int>(entry.value.size())) == 1,
          "other-name value");
    ASN1_TYPE *any = ASN1_TYPE_new();
    ASN1_TYPE_set(
        any, entry.type == OtherNameType::OctetString ? V_ASN1_OCTET_STRING : V_ASN1_PRINTABLESTRING, value);
    GENERAL_NAME *name = GENERAL_NAME_new();
    check(name != nullptr && GENERAL_NAME_set0_othername(name, OBJ_txt2obj(entry.oid, 1), any) == 1,
          "GENERAL_NAME_set0_othername");
    return name;
}

GENERAL_NAME *textEntry(int type, const char *text)
{
    GENERAL_NAME *name = a2i_GENERAL_NAME(nullptr, nullptr, nullptr, type, text, 0);
    check(name != nullptr, "a2i_GENERAL_NAME");
    return name;
}

void addAlternativeNames(X509 *cert, const CertRecipe &recipe)
{
    GENERAL_NAMES *names = sk_GENERAL_NAME_new_null();
    for (const OtherName &entry : recipe.otherNames)
        sk_GENERAL_NAME_push(names, otherNameEntry(entry));
    if (recipe.role == Role::Server) {
        sk_GENERAL_NAME_push(names, textEntry(GEN_DNS, "localhost"));
        sk_GENERAL_NAME_push(names, textEntry(GEN_IPADD, "127.0.0.1"));
    }
    if (sk_GENERAL_NAME_num(names) > 0)
        check(X509_add1_ext_i2d(cert, NID_subject_alt_name, names, 0, X509V3_ADD_DEFAULT) == 1,
              "subject alternative name");
    GENERAL_NAMES_free(names);
}

// Issues a certificate for `key`; a null issuer makes it self-signed.
CertPtr issue(OSSL_LIB_CTX *lib, const CertRecipe &recipe, EVP_PKEY *key, X509 *issuer, EVP_PKEY *issuerKey)
{
    CertPtr cert(X509_new_ex(lib, nullptr));
    check(cert != nullptr && X509_set_version(cert.get(), X509_VERSION_3) == 1, "X509_new_ex");
    setSerial(cert.get(), recipe.serial);
    setTime(cert.get(), false, recipe.notBefore, false, -1);
    long lifetimeDays = recipe.role == Role::Ca ? 20 * 365 : 2 * 365;
    setTime(cert.get(), true, recipe.notAfter, recipe.generalizedNotAfter, lifetimeDays);

    X509_NAME *subject = X509_get_subject_name(cert.get());
    for (const auto &[field, value] : recipe.subject)
        check(X509_NAME_add_entry_by_txt(subject, field, MBSTRING_UTF8,
                                         reinterpret_cast<const unsigned char *>(value.c_str()), -1, -1,
                                         0) == 1,
              "X509_NAME_add_entry_by_txt");
    check(X509_set_issuer_name(cert.get(), issuer ? X509_get_subject_name(issuer) : subject) == 1,
          "X509_set_issuer_name");
    check(X509_set_pubkey(cert.get(), key) == 1, "X509_set_pubkey");

    X509V3_CTX ctx;
    X509V3_set_ctx(&ctx, issuer ? issuer : cert.get(), cert.get(), nullptr, nullptr, 0);
    addExtension(cert.get(), &ctx, NID_subject_key_identifier, "hash");
    if (issuer)
        addExtension(cert.get(), &ctx, NID_authority_key_identifier, "keyid:always");
    switch (recipe.role) {
    case Role::Ca:
        addExtension(cert.get(), &ctx, NID_basic_constraints, "critical,CA:TRUE");
        addExtension(cert.get(), &ctx, NID_key_usage, "critical,keyCertSign,cRLSign");
        break;
    case Role::Client:
        addExtension(cert.get(), &ctx, NID_basic_constraints, "critical,CA:FALSE");
        addExtension(cert.get(), &ctx, NID_key_usage,
                     "critical,digitalSignature,nonRepudiation,keyEncipherment");
        addExtension(cert.get(), &ctx, NID_ext_key_usage, "clientAuth,emailProtection");
        break;
    case Role::Server:
        addExtension(cert.get(), &ctx, NID_basic_constraints, "critical,CA:FALSE");
        addExtension(cert.get(), &ctx, NID_key_usage, "critical,digitalSignature,keyEncipherment");
        addExtension(cert.get(), &ctx, NID_ext_key_usage, "serverAuth");
        break;
    }
    addAlternativeNames(cert.get(), recipe);

    check(X509_sign(cert.get(), issuerKey ? issuerKey : key, EVP_sha256()) > 0, "X509_sign");
    return cert;
}

BioPtr openFile(const std::string &path)
{
    BioPtr bio(BIO_new_file(path.c_str(), "wb"));
    check(bio != nullptr, "BIO_new_file");
    return bio;
}

std::string pemOf(X509 *cert)
{
    BioPtr bio(BIO_new(BIO_s_mem()));
    check(PEM_write_bio_X509(bio.get(), cert) == 1, "PEM_write_bio_X509");
    char *data = nullptr;
    long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<size_t>(size));
}

void writeText(const std::string &path, const std::string &text)
{
    BioPtr bio = openFile(path);
    check(BIO_write(bio.get(), text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size()),
          "BIO_write");
}

void writePfx(OSSL_LIB_CTX *lib, const std::string &path, const std::string &name, X509 *cert, EVP_PKEY *key,
              STACK_OF(X509) * chain, bool legacy)
{
    // The legacy files are as older tools wrote them: RC2-40 certificates,
    // 3DES key, SHA-1 MAC.
    int keyNid = legacy ? NID_pbe_WithSHA1And3_Key_TripleDES_CBC : 0;
    int certNid = legacy ? NID_pbe_WithSHA1And40BitRC2_CBC : 0;
    PKCS12 *p12 = PKCS12_create_ex(kPassword, name.c_str(), key, cert, chain, keyNid, certNid, 0,
                                   legacy ? -1 : 0, 0, lib, nullptr);
    check(p12 != nullptr, "PKCS12_create_ex");
    if (legacy && PKCS12_set_mac(p12, kPassword, -1, nullptr, 0, PKCS12_DEFAULT_ITER, EVP_sha1()) != 1) {
        PKCS12_free(p12);
        check(false, "PKCS12_set_mac");
    }
    BioPtr bio = openFile(path);
    int ok = i2d_PKCS12_bio(bio.get(), p12);
    PKCS12_free(p12);
    check(ok == 1, "i2d_PKCS12_bio");
}

class Builder {
  public:
    explicit Builder(const std::string &folder) : folder_(folder) {}

    struct Issued {
        KeyPtr key;
        CertPtr cert;
    };

    OSSL_LIB_CTX *library() const { return lib_.get(); }

    // Makes the certificate (with a fresh key unless one is given), writes its
    // files under `name` and fills `out`.
    Issued make(const std::string &name, const CertRecipe &recipe, const Issued *issuer, TestCert &out,
                KeyPtr key = {})
    {
        Issued made;
        made.key = key ? std::move(key) : makeKey(lib_.get(), recipe.bits);
        made.cert = issue(lib_.get(), recipe, made.key.get(), issuer ? issuer->cert.get() : nullptr,
                          issuer ? issuer->key.get() : nullptr);
        out.password = kPassword;
        out.certPem = folder_ + "/" + name + ".pem";
        out.keyPem = folder_ + "/" + name + "-key.pem";
        out.pfxAes = folder_ + "/" + name + ".pfx";
        out.pfxRc2 = folder_ + "/" + name + "-rc2.pfx";
        writeText(out.certPem, pemOf(made.cert.get()));
        {
            BioPtr bio = openFile(out.keyPem);
            check(PEM_write_bio_PrivateKey(bio.get(), made.key.get(), nullptr, nullptr, 0, nullptr,
                                           nullptr) == 1,
                  "PEM_write_bio_PrivateKey");
        }
        STACK_OF(X509) *chain = sk_X509_new_null();
        for (X509 *ca : chain_)
            sk_X509_push(chain, ca);
        writePfx(lib_.get(), out.pfxAes, name, made.cert.get(), made.key.get(), chain, false);
        writePfx(lib_.get(), out.pfxRc2, name, made.cert.get(), made.key.get(), chain, true);
        sk_X509_free(chain);
        return made;
    }

    // CA certificates that go into every later PFX, nearest first.
    void addToChain(X509 *ca) { chain_.push_back(ca); }

  private:
    PrivateLibrary lib_;
    std::string folder_;
    std::vector<X509 *> chain_;
};

CertRecipe company(const std::string &commonName, std::vector<OtherName> otherNames = {})
{
    CertRecipe recipe;
    recipe.subject = {{"C", "BR"},
                      {"O", "ICP-Brasil"},
                      {"OU", "Secretaria da Receita Federal do Brasil - RFB"},
                      {"OU", "e-CNPJ A1"},
                      {"CN", commonName}};
    recipe.otherNames = std::move(otherNames);
    return recipe;
}

// Person in charge of an e-CNPJ: birth date, CPF, NIS, RG and its issuer.
const char *const kResponsibleData = "01011980123456789090000000000000000000012345SSPSP";

KeyPtr shared(const KeyPtr &key)
{
    EVP_PKEY_up_ref(key.get());
    return KeyPtr(key.get());
}

void build(TestPki &pki)
{
    Builder builder(pki.folder);
    // The 4096-bit key takes longest: it is made while the rest is built.
    std::future<KeyPtr> largeKey =
        std::async(std::launch::async, [lib = builder.library()] { return makeKey(lib, 4096); });

    CertRecipe rootRecipe;
    rootRecipe.role = Role::Ca;
    rootRecipe.subject = {
        {"C", "BR"}, {"O", "ICP-Brasil"}, {"OU", "Instituto de Testes"}, {"CN", "AC RAIZ TESTE"}};
    Builder::Issued root = builder.make("root", rootRecipe, nullptr, pki.root);

    CertRecipe intermediateRecipe = rootRecipe;
    intermediateRecipe.subject = {{"C", "BR"},
                                  {"O", "ICP-Brasil"},
                                  {"OU", "Secretaria da Receita Federal do Brasil - RFB"},
                                  {"CN", "AC TESTE RFB v5"}};
    Builder::Issued intermediate = builder.make("intermediate", intermediateRecipe, &root, pki.intermediate);

    CertRecipe foreignRecipe = rootRecipe;
    foreignRecipe.subject = {{"C", "PT"}, {"O", "Outra Raiz"}, {"CN", "AC ESTRANGEIRA TESTE"}};
    Builder::Issued foreign = builder.make("foreign-ca", foreignRecipe, nullptr, pki.foreignCa);

    builder.addToChain(intermediate.cert.get());
    builder.addToChain(root.cert.get());
    pki.chainPem = pki.folder + "/chain.pem";
    writeText(pki.chainPem, pemOf(intermediate.cert.get()) + pemOf(root.cert.get()));

    const OtherName responsibleName{"2.16.76.1.3.2", "FULANO RESPONSAVEL"};
    const OtherName responsibleData{"2.16.76.1.3.4", kResponsibleData};
    // The certificates that only vary what is read from them share one key.
    Builder::Issued ecnpj =
        builder.make("ecnpj",
                     company("EMPRESA TESTE LTDA:11222333000181",
                             {responsibleData, responsibleName, {"2.16.76.1.3.3", "11222333000181"}}),
                     &intermediate, pki.ecnpj);
    const KeyPtr &variantKey = ecnpj.key;
    builder.make(
        "ecnpj-printable",
        company("EMPRESA IMPRESSA LTDA", {responsibleData,
                                          {"2.16.76.1.3.3", "11444777000161", OtherNameType::PrintableString},
                                          responsibleName}),
        &intermediate, pki.ecnpjPrintable, shared(variantKey));
    builder.make(
        "ecnpj-other-name-only",
        company("SERVI\u00c7OS DE INFORM\u00c1TICA \u00c1GUA LTDA", {{"2.16.76.1.3.3", "22333444000181"}}),
        &intermediate, pki.ecnpjOtherNameOnly, shared(variantKey));

    CertRecipe cpf = company("FULANO DE TAL DA SILVA", {{"2.16.76.1.3.1", kResponsibleData},
                                                        {"2.16.76.1.3.6", "000000000000"},
                                                        {"2.16.76.1.3.5", "0000000000000000000"}});
    cpf.subject[3].second = "e-CPF A1";
    builder.make("ecpf", cpf, &intermediate, pki.ecpf, shared(variantKey));

    CertRecipe expired = company("EMPRESA VENCIDA LTDA:11222333000181");
    expired.notBefore = "980101000000Z";
    expired.notAfter = "991231235959Z";
    builder.make("expired-1999", expired, &intermediate, pki.expired1999, shared(variantKey));

    CertRecipe utc2049 = company("EMPRESA 2049 LTDA:11222333000181");
    utc2049.notAfter = "491231235959Z";
    builder.make("ends-2049", utc2049, &intermediate, pki.ends2049, shared(variantKey));

    CertRecipe generalized2051 = company("EMPRESA 2051 LTDA:11222333000181");
    generalized2051.notAfter = "20511231235959Z";
    generalized2051.generalizedNotAfter = true;
    builder.make("ends-2051", generalized2051, &intermediate, pki.ends2051, shared(variantKey));

    CertRecipe innerZero = company("EMPRESA SERIAL ZERO LTDA:11222333000181");
    innerZero.serial = {0x12, 0x00, 0x34, 0x00, 0x56};
    builder.make("serial-inner-zero", innerZero, &intermediate, pki.serialInnerZero, shared(variantKey));

    CertRecipe highBit = company("EMPRESA SERIAL ALTO LTDA:11222333000181");
    highBit.serial = {0x9A, 0xBC, 0xDE, 0xF0, 0x12};
    builder.make("serial-high-bit", highBit, &intermediate, pki.serialHighBit, shared(variantKey));

    CertRecipe server;
    server.role = Role::Server;
    server.subject = {{"C", "BR"}, {"O", "Servidor de Testes"}, {"CN", "localhost"}};
    builder.make("server", server, &intermediate, pki.server);

    CertRecipe stranger = company("CLIENTE ESTRANGEIRO LTDA:55666777000181");
    stranger.subject = {{"C", "PT"}, {"O", "Outra Raiz"}, {"CN", "CLIENTE ESTRANGEIRO LTDA:55666777000181"}};
    builder.make("foreign-client", stranger, &foreign, pki.foreignClient);

    CertRecipe large = company("EMPRESA GRANDE LTDA:99888777000100", {{"2.16.76.1.3.3", "99888777000100"}});
    large.bits = 4096;
    builder.make("rsa4096", large, &intermediate, pki.rsa4096, largeKey.get());
}

struct PkiHolder {
    TempDir dir;
    TestPki pki;
    PkiHolder()
    {
        pki.folder = dir.path().string();
        build(pki);
    }
};

} // namespace

const TestPki &testPki()
{
    static PkiHolder holder; // removed with its folder at program exit
    return holder.pki;
}

} // namespace testsupport
