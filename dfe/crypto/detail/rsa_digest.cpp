#include "dfe/crypto/detail/rsa_digest.h"

#include "dfe/crypto/detail/openssl_ptr.h"
#include "dfe/crypto/detail/openssl_runtime.h"
#include "foundation/fiscal/dfe_exception.h"

#include <functional>
#include <vector>

namespace dfe::openssl {

namespace {

constexpr size_t kChunkSize = 32768;

DigestPtr fetchDigest(TSSLDgst digest)
{
    ensureProviders();
    const std::string name = digestName(digest);
    DigestPtr md(name.empty() ? nullptr : EVP_MD_fetch(nullptr, name.c_str(), nullptr));
    if (!md) {
        clearErrors();
        throw EQuibDFeException("Erro ao carregar Digest: " + name);
    }
    return md;
}

// Feeds the whole stream, from its start, to `update`; false when it fails.
bool feed(std::istream &stream, const std::function<bool(const unsigned char *, size_t)> &update)
{
    stream.clear();
    stream.seekg(0);
    std::vector<char> buffer(kChunkSize);
    while (stream) {
        stream.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto read = static_cast<size_t>(stream.gcount());
        if (read == 0)
            break;
        if (!update(reinterpret_cast<const unsigned char *>(buffer.data()), read))
            return false;
    }
    stream.clear();
    return true;
}

std::string plainDigest(std::istream &stream, const EVP_MD *md)
{
    DigestContextPtr ctx(EVP_MD_CTX_new());
    unsigned char output[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    const bool ok = ctx && EVP_DigestInit_ex(ctx.get(), md, nullptr) == 1 &&
                    feed(stream, [&](const unsigned char *data,
                                     size_t n) { return EVP_DigestUpdate(ctx.get(), data, n) == 1; }) &&
                    EVP_DigestFinal_ex(ctx.get(), output, &size) == 1;
    if (!ok) {
        clearErrors();
        throw EQuibDFeException("Erro ao calcular Digest: " + std::string(EVP_MD_get0_name(md)));
    }
    return std::string(reinterpret_cast<const char *>(output), size);
}

std::string rsaSignature(std::istream &stream, const EVP_MD *md, TSSLDgst digest, EVP_PKEY *key)
{
    DigestContextPtr ctx(EVP_MD_CTX_new());
    size_t size = 0;
    std::string signature;
    bool ok = ctx && EVP_DigestSignInit(ctx.get(), nullptr, md, nullptr, key) == 1 &&
              feed(stream, [&](const unsigned char *data,
                               size_t n) { return EVP_DigestSignUpdate(ctx.get(), data, n) == 1; }) &&
              EVP_DigestSignFinal(ctx.get(), nullptr, &size) == 1;
    if (ok) {
        signature.resize(size);
        ok = EVP_DigestSignFinal(ctx.get(), reinterpret_cast<unsigned char *>(signature.data()), &size) == 1;
        signature.resize(size);
    }
    if (!ok) {
        clearErrors();
        throw EQuibDFeException("Erro ao assinar com o Digest: " + digestName(digest));
    }
    return signature;
}

} // namespace

std::string digestName(TSSLDgst digest)
{
    switch (digest) {
    case dgstMD2:
        return "md2";
    case dgstMD4:
        return "md4";
    case dgstMD5:
        return "md5";
    case dgstRMD160:
        return "rmd160";
    case dgstSHA:
        return "sha";
    case dgstSHA1:
        return "sha1";
    case dgstSHA256:
        return "sha256";
    case dgstSHA512:
        return "sha512";
    }
    return {};
}

std::string digestOrSign(std::istream &stream, TSSLDgst digest, EVP_PKEY *signingKey)
{
    DigestPtr md = fetchDigest(digest);
    return signingKey ? rsaSignature(stream, md.get(), digest, signingKey) : plainDigest(stream, md.get());
}

bool digestContained(std::istream &stream, TSSLDgst digest, std::string_view expected)
{
    DigestPtr md = fetchDigest(digest);
    return expected.find(plainDigest(stream, md.get())) != std::string_view::npos;
}

bool signatureValid(std::istream &stream, TSSLDgst digest, std::string_view signature, EVP_PKEY *publicKey)
{
    DigestPtr md = fetchDigest(digest);
    DigestContextPtr ctx(EVP_MD_CTX_new());
    const bool valid =
        ctx && publicKey && EVP_DigestVerifyInit(ctx.get(), nullptr, md.get(), nullptr, publicKey) == 1 &&
        feed(stream, [&](const unsigned char *data,
                         size_t n) { return EVP_DigestVerifyUpdate(ctx.get(), data, n) == 1; }) &&
        EVP_DigestVerifyFinal(ctx.get(), reinterpret_cast<const unsigned char *>(signature.data()),
                              signature.size()) == 1;
    clearErrors();
    return valid;
}

} // namespace dfe::openssl
