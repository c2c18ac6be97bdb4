#include "dfe/crypto/detail/folder_store.h"

#include "dfe/crypto/detail/certificate_fields.h"
#include "dfe/crypto/detail/openssl_runtime.h"
#include "foundation/files/file_utils.h"

#include <openssl/pem.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace dfe::store {

namespace {

constexpr std::string_view kCertificateSuffix = ".crt";
constexpr std::string_view kKeySuffix = ".key";

std::string normalizedSerial(std::string_view serial)
{
    std::string text;
    for (const char c : serial)
        if (c != ' ')
            text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

using FilePtr = std::unique_ptr<FILE, int (*)(FILE *)>;

FilePtr openForReading(const fs::path &path)
{
    return FilePtr(std::fopen(path.c_str(), "rb"), &std::fclose);
}

// Writes the PEM text made by `write` to a 0600 temporary file beside `target`
// and renames it over the target.
template <typename Writer> void writePrivateFile(const fs::path &target, Writer write)
{
    const fs::path temporary = target.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        throw std::runtime_error(target.string() + ": " + std::strerror(errno));
    FILE *file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
        throw std::runtime_error(target.string() + ": " + std::strerror(errno));
    }
    const bool written = write(file) == 1;
    const bool flushed = std::fflush(file) == 0 && ::fsync(fd) == 0;
    const bool closed = std::fclose(file) == 0;
    openssl::clearErrors();
    std::error_code error;
    if (!written || !flushed || !closed) {
        fs::remove(temporary, error);
        throw std::runtime_error(target.string() + ": falha ao gravar");
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        throw std::runtime_error(target.string() + ": " + error.message());
    }
}

} // namespace

std::string storeFolder(TSSLStoreLocation location, std::string_view storeName)
{
    const std::string base =
        location == slLocalMachine ? std::string("/var/lib/nfe-console/") : PastaDeDadosDoUsuario();
    return base + "certstore/" + std::string(storeName) + "/";
}

std::vector<StoredCertificate> readStore(const std::string &folder)
{
    std::vector<StoredCertificate> entries;
    std::error_code error;
    std::string semBarra = folder;
    while (semBarra.size() > 1 && semBarra.back() == '/')
        semBarra.pop_back();
    const fs::file_status status = fs::status(semBarra, error);
    if (status.type() == fs::file_type::not_found)
        return entries;
    if (!error && status.type() != fs::file_type::directory)
        throw StoreOpenError(folder + ": não é uma pasta");
    std::vector<fs::path> files;
    fs::directory_iterator it(folder, error);
    if (error)
        throw StoreOpenError(error.message());
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            throw StoreOpenError(error.message());
        if (it->path().extension() == kCertificateSuffix)
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path &file : files) {
        FilePtr in = openForReading(file);
        if (!in)
            continue;
        openssl::CertificatePtr certificate(PEM_read_X509(in.get(), nullptr, nullptr, nullptr));
        openssl::clearErrors();
        if (!certificate)
            continue;
        fs::path keyFile = file;
        keyFile.replace_extension(kKeySuffix);
        StoredCertificate entry;
        entry.serial = openssl::serialNumberHex(certificate.get());
        entry.certificate = std::move(certificate);
        if (fs::exists(keyFile, error))
            entry.keyPath = keyFile.string();
        entries.push_back(std::move(entry));
    }
    return entries;
}

openssl::KeyPtr readStoredKey(const StoredCertificate &entry)
{
    if (entry.keyPath.empty())
        return nullptr;
    FilePtr in = openForReading(entry.keyPath);
    if (!in)
        return nullptr;
    openssl::KeyPtr key(PEM_read_PrivateKey(in.get(), nullptr, nullptr, nullptr));
    openssl::clearErrors();
    return key;
}

bool sameSerial(std::string_view stored, std::string_view wanted)
{
    const std::string a = normalizedSerial(stored);
    const std::string b = normalizedSerial(wanted);
    return !a.empty() && (a == b || "00" + a == b || a == "00" + b);
}

void addToStore(const std::string &folder, X509 *certificate, EVP_PKEY *key)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw std::runtime_error(folder + ": " + error.message());
    ::chmod(folder.c_str(), 0700);
    const std::string serial = openssl::serialNumberHex(certificate);
    const fs::path base = fs::path(folder) / serial;
    writePrivateFile(base.string() + std::string(kKeySuffix), [&](FILE *out) {
        return PEM_write_PKCS8PrivateKey(out, key, nullptr, nullptr, 0, nullptr, nullptr);
    });
    writePrivateFile(base.string() + std::string(kCertificateSuffix),
                     [&](FILE *out) { return PEM_write_X509(out, certificate); });
}

bool removeFromStore(const std::string &folder, std::string_view serial)
{
    bool removed = false;
    for (const StoredCertificate &entry : readStore(folder)) {
        if (!sameSerial(entry.serial, serial))
            continue;
        std::error_code error;
        fs::remove(fs::path(folder) / (entry.serial + std::string(kCertificateSuffix)), error);
        if (!entry.keyPath.empty())
            fs::remove(entry.keyPath, error);
        removed = true;
    }
    return removed;
}

} // namespace dfe::store
