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

struct LoadedToken {
    PKCS11_SLOT *slot = nullptr;
    PKCS11_CERT *certificates = nullptr;
    unsigned int certificateCount = 0;
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
            LoadedToken token{slot};
            if (PKCS11_enumerate_certs(slot->token, &token.certificates, &token.certificateCount) != 0)
                token.certificateCount = 0;
            tokens.push_back(token);
        }
        openssl::clearErrors();
    }

    PKCS11_CERT *certificateOf(const TokenCertificate &entry)
    {
        if (entry.token < 0 || static_cast<size_t>(entry.token) >= tokens.size())
            return nullptr;
        const LoadedToken &token = tokens[static_cast<size_t>(entry.token)];
        for (unsigned int i = 0; i < token.certificateCount; ++i)
            if (openssl::serialNumberHex(token.certificates[i].x509) == entry.serial)
                return token.certificates + i;
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
        for (unsigned int i = 0; i < token.certificateCount; ++i) {
            X509 *x509 = token.certificates[i].x509;
            if (x509 == nullptr)
                continue;
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
