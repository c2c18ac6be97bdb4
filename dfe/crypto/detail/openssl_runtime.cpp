#include "dfe/crypto/detail/openssl_runtime.h"

#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/provider.h>

#include <cstdio>

namespace dfe::openssl {

namespace {

// Held for the process lifetime and released at exit, before the library's
// own clean-up runs.
class ProcessProviders {
  public:
    ProcessProviders()
    {
        default_ = OSSL_PROVIDER_load(nullptr, "default");
        legacy_ = OSSL_PROVIDER_load(nullptr, "legacy");
        ERR_clear_error();
    }
    ~ProcessProviders()
    {
        if (legacy_ != nullptr)
            OSSL_PROVIDER_unload(legacy_);
        if (default_ != nullptr)
            OSSL_PROVIDER_unload(default_);
    }
    ProcessProviders(const ProcessProviders &) = delete;
    ProcessProviders &operator=(const ProcessProviders &) = delete;

  private:
    OSSL_PROVIDER *default_ = nullptr;
    OSSL_PROVIDER *legacy_ = nullptr;
};

} // namespace

void ensureProviders()
{
    static const ProcessProviders providers;
}

std::string versionText()
{
    return OpenSSL_version(OPENSSL_VERSION);
}

std::string versionNumberText()
{
    unsigned long number = OpenSSL_version_num();
    if (number > 0) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%09lX", number);
        std::string text(digits);
        return text.substr(0, 2) + "." + text.substr(2, 2) + "." + text.substr(4, 2) + "." + text.substr(6);
    }
    std::string text = versionText();
    auto first = text.find(' ');
    if (first == std::string::npos)
        return {};
    auto second = text.find(' ', first + 1);
    std::string word =
        text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    return word;
}

void clearErrors()
{
    ERR_clear_error();
}

} // namespace dfe::openssl
