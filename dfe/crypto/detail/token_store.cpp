#include "dfe/crypto/detail/token_store.h"

#include "dfe/crypto/detail/certificate_fields.h"
#include "dfe/crypto/detail/openssl_runtime.h"

#include <libp11.h>
#include <openssl/err.h>

#include <mutex>

namespace dfe::token {

namespace {

constexpr const char *kProxyModule = "p11-kit-proxy.so";
constexpr unsigned long kGeneralError = 0x05; // CKR_GENERAL_ERROR

// libp11 may reallocate its certificate arrays on a later enumeration, so the
// registry keeps copies of the certificates and looks the libp11 object up
// again when it needs the key.
struct LoadedToken {
    PKCS11_SLOT *slot = nullptr;
    std::vector<openssl::CertificatePtr> certificates;
};

// The process's libp11 context over the p11-kit proxy, kept for the life of
// the process: the keys it hands out stay bound to it.
struct TokenRegistry {
    std::mutex lock;
    bool loaded = false;
    PKCS11_CTX *context = nullptr;
    PKCS11_SLOT *slots = nullptr;
    unsigned int slotCount = 0;
    std::vector<LoadedToken> tokens;
    LoginFunction loginOverride;

    void loadOnce()
    {
        if (loaded)
            return;
        loaded = true;
        context = PKCS11_CTX_new();
        if (context == nullptr || PKCS11_CTX_load(context, kProxyModule) != 0 ||
            PKCS11_enumerate_slots(context, &slots, &slotCount) != 0) {
            openssl::clearErrors();
            slotCount = 0;
            return;
        }
        for (unsigned int i = 0; i < slotCount; ++i) {
            PKCS11_SLOT *slot = slots + i;
            if (slot->token == nullptr || !slot->token->initialized || !slot->token->loginRequired)
                continue;
            LoadedToken token{slot, {}};
            PKCS11_CERT *certificates = nullptr;
            unsigned int count = 0;
            if (PKCS11_enumerate_certs(slot->token, &certificates, &count) != 0)
                count = 0;
            for (unsigned int c = 0; c < count; ++c)
                if (X509 *x509 = certificates[c].x509; x509 != nullptr && X509_up_ref(x509) == 1)
                    token.certificates.emplace_back(x509);
            tokens.push_back(std::move(token));
        }
        openssl::clearErrors();
    }

    PKCS11_CERT *certificateOf(const TokenCertificate &entry)
    {
        if (entry.token < 0 || static_cast<size_t>(entry.token) >= tokens.size())
            return nullptr;
        PKCS11_CERT *certificates = nullptr;
        unsigned int count = 0;
        if (PKCS11_enumerate_certs(tokens[static_cast<size_t>(entry.token)].slot->token, &certificates,
                                   &count) != 0)
            return nullptr;
        for (unsigned int i = 0; i < count; ++i)
            if (certificates[i].x509 != nullptr &&
                openssl::serialNumberHex(certificates[i].x509) == entry.serial)
                return certificates + i;
        return nullptr;
    }

    PKCS11_SLOT *slotOf(const TokenCertificate &entry)
    {
        if (entry.token < 0 || static_cast<size_t>(entry.token) >= tokens.size())
            return nullptr;
        return tokens[static_cast<size_t>(entry.token)].slot;
    }
};

TokenRegistry &registry()
{
    static TokenRegistry instance;
    return instance;
}

unsigned long lastPkcs11Error()
{
    const unsigned long error = ERR_peek_last_error();
    openssl::clearErrors();
    return error == 0 ? kGeneralError : static_cast<unsigned long>(ERR_GET_REASON(error));
}

} // namespace

std::vector<TokenCertificate> listTokenCertificates()
{
    TokenRegistry &r = registry();
    std::lock_guard guard(r.lock);
    r.loadOnce();
    std::vector<TokenCertificate> list;
    for (size_t t = 0; t < r.tokens.size(); ++t) {
        const LoadedToken &token = r.tokens[t];
        for (const openssl::CertificatePtr &certificate : token.certificates) {
            X509 *x509 = certificate.get();
            X509_up_ref(x509);
            TokenCertificate entry;
            entry.certificate.reset(x509);
            entry.serial = openssl::serialNumberHex(x509);
            entry.token = static_cast<int>(t);
            list.push_back(std::move(entry));
        }
    }
    return list;
}

unsigned long loginToken(const TokenCertificate &entry, const std::string &pin)
{
    TokenRegistry &r = registry();
    std::lock_guard guard(r.lock);
    if (r.loginOverride)
        return r.loginOverride(entry, pin);
    PKCS11_SLOT *slot = r.slotOf(entry);
    if (slot == nullptr)
        return kGeneralError;
    int loggedIn = 0;
    if (PKCS11_is_logged_in(slot, 0, &loggedIn) == 0 && loggedIn)
        return 0;
    if (PKCS11_login(slot, 0, pin.c_str()) == 0)
        return 0;
    return lastPkcs11Error();
}

void logoutToken(const TokenCertificate &entry)
{
    TokenRegistry &r = registry();
    std::lock_guard guard(r.lock);
    if (PKCS11_SLOT *slot = r.slotOf(entry))
        PKCS11_logout(slot);
    openssl::clearErrors();
}

openssl::KeyPtr tokenPrivateKey(const TokenCertificate &entry)
{
    TokenRegistry &r = registry();
    std::lock_guard guard(r.lock);
    PKCS11_CERT *certificate = r.certificateOf(entry);
    PKCS11_KEY *key = certificate ? PKCS11_find_key(certificate) : nullptr;
    openssl::KeyPtr evp(key ? PKCS11_get_private_key(key) : nullptr);
    openssl::clearErrors();
    return evp;
}

void setLoginFunctionForTests(LoginFunction login)
{
    TokenRegistry &r = registry();
    std::lock_guard guard(r.lock);
    r.loginOverride = std::move(login);
}

} // namespace dfe::token
