// Verbs "cert" and "hash": the company certificate through the facade with the
// OpenSSL back-end.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "dfe/backends.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/base/quib_exception.h"
#include "foundation/codes/enum_names.h"
#include "foundation/numbers/number_date_utils.h"
#include "verbs.h"

namespace {

void loadPfx(TDFeSSL &ssl, const std::string &pfx, const std::string &password)
{
    RegistraBackendsDFe();
    ssl.SetSSLCryptLib(cryOpenSSL);
    ssl.SetArquivoPFX(pfx);
    ssl.SetSenha(password);
    ssl.GarantirCertificadoCarregado();
}

bool readBytes(const std::string &path, std::string &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    bytes = text.str();
    return true;
}

bool digestOf(const std::string &name, TSSLDgst &digest)
{
    // clang-format off
    static const std::pair<const char *, TSSLDgst> names[] = {
        {"md5", dgstMD5}, {"sha1", dgstSHA1}, {"sha256", dgstSHA256}, {"sha512", dgstSHA512}};
    // clang-format on
    for (const auto &[text, value] : names)
        if (name == text) {
            digest = value;
            return true;
        }
    return false;
}

} // namespace

// The certificate's fields as name=value lines, as `cert` and `store cert` print them.
void printCertificateData(const TDadosCertificado &dados)
{
    std::printf("NumeroSerie=%s\n", dados.NumeroSerie.c_str());
    std::printf("HashSHA1=%s\n", dados.HashSHA1.c_str());
    std::printf("SubjectName=%s\n", dados.SubjectName().c_str());
    std::printf("IssuerName=%s\n", dados.IssuerName().c_str());
    std::printf("RazaoSocial=%s\n", dados.RazaoSocial.c_str());
    std::printf("CNPJ=%s\n", dados.CNPJ.c_str());
    std::printf("AutoridadeCertificadora=%s\n", dados.AutoridadeCertificadora.c_str());
    std::printf("DataValidade=%s\n", DataHoraFormatoBR(dados.DataValidade).c_str());
    std::printf("Tipo=%s\n", std::string(EnumValueName(dados.Tipo)).c_str());
}

int runCertVerb(std::span<const std::string> args)
{
    if (args.size() != 2) {
        std::fprintf(stderr, "nfe-check cert: expected <pfx> <password>\n");
        return 2;
    }
    try {
        TDFeSSL ssl;
        loadPfx(ssl, args[0], args[1]);
        printCertificateData(ssl.DadosCertificado());
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

int runHashVerb(std::span<const std::string> args)
{
    TSSLDgst digest = dgstSHA1;
    if ((args.size() != 3 && args.size() != 5) || !digestOf(args[1], digest) ||
        (args[2] != "hex" && args[2] != "base64")) {
        std::fprintf(stderr, "nfe-check hash: expected <file> <md5|sha1|sha256|sha512> <hex|base64> "
                             "[<pfx> <password>]\n");
        return 2;
    }
    try {
        std::string bytes;
        if (!readBytes(args[0], bytes)) {
            std::fprintf(stderr, "Arquivo: %s não encontrado\n", args[0].c_str());
            return 1;
        }
        TDFeSSL ssl;
        const bool sign = args.size() == 5;
        if (sign)
            loadPfx(ssl, args[3], args[4]);
        else {
            RegistraBackendsDFe();
            ssl.SetSSLCryptLib(cryOpenSSL);
        }
        std::istringstream stream(bytes);
        std::printf("%s\n", ssl.CalcHash(&stream, digest, args[2] == "hex" ? 0 : 1, sign).c_str());
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
