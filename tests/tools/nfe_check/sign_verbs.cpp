// Verbs "sign", "verify" and "validate": XML signatures and schema
// validation through the certificate facade with the libOpenSSL bundle.

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/backends.h"
#include "dfe/ssl/dfe_ssl.h"
#include "input_file.h"
#include "verbs.h"

namespace {

bool digestPorNome(std::string_view nome, TSSLDgst &digest)
{
    if (nome == "sha1")
        digest = dgstSHA1;
    else if (nome == "sha256")
        digest = dgstSHA256;
    else if (nome == "sha512")
        digest = dgstSHA512;
    else
        return false;
    return true;
}

bool lerDocumento(const std::string &verbo, const std::string &caminho, std::string &xml)
{
    if (lerArquivo(caminho, xml))
        return true;
    std::fprintf(stderr, "nfe-check %s: não foi possível ler o arquivo %s\n", verbo.c_str(), caminho.c_str());
    return false;
}

void prepara(TDFeSSL &ssl)
{
    RegistraBackendsDFe();
    applySslLib(ssl, libOpenSSL);
}

} // namespace

int runSignVerb(std::span<const std::string> args)
{
    TSSLDgst digest = dgstSHA1;
    std::vector<std::string> posicionais;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--digest") {
            if (i + 1 >= args.size() || !digestPorNome(args[i + 1], digest)) {
                std::fprintf(stderr, "nfe-check sign: --digest expects sha1, sha256 or sha512\n");
                return 2;
            }
            ++i;
        } else {
            posicionais.push_back(args[i]);
        }
    }
    if (posicionais.size() != 3 && posicionais.size() != 5) {
        std::fprintf(stderr, "nfe-check sign: expected <xml> <pfx> <password> [<docElement> <infElement>] "
                             "[--digest sha1|sha256|sha512]\n");
        return 2;
    }
    std::string xml;
    if (!lerDocumento("sign", posicionais[0], xml))
        return 1;
    const std::string docElement = posicionais.size() == 5 ? posicionais[3] : "NFe";
    const std::string infElement = posicionais.size() == 5 ? posicionais[4] : "infNFe";
    try {
        TDFeSSL ssl;
        prepara(ssl);
        ssl.SSLDgst = digest;
        ssl.SetArquivoPFX(posicionais[1]);
        ssl.SetSenha(posicionais[2]);
        const std::string assinado = ssl.Assinar(xml, docElement, infElement);
        std::fwrite(assinado.data(), 1, assinado.size(), stdout);
        return 0;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
}

int runVerifyVerb(std::span<const std::string> args)
{
    if (args.size() != 1 && args.size() != 2) {
        std::fprintf(stderr, "nfe-check verify: expected <xml> [<infElement>]\n");
        return 2;
    }
    std::string xml;
    if (!lerDocumento("verify", args[0], xml))
        return 1;
    try {
        TDFeSSL ssl;
        prepara(ssl);
        std::string msgErro;
        if (ssl.ValidarAssinatura(xml, msgErro, args.size() == 2 ? args[1] : std::string("infNFe"))) {
            std::printf("valid\n");
            return 0;
        }
        std::printf("invalid\n%s\n", msgErro.c_str());
        return 1;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
}

int runValidateVerb(std::span<const std::string> args)
{
    if (args.size() != 2) {
        std::fprintf(stderr, "nfe-check validate: expected <xml> <xsd>\n");
        return 2;
    }
    std::string xml;
    if (!lerDocumento("validate", args[0], xml))
        return 1;
    try {
        TDFeSSL ssl;
        prepara(ssl);
        std::string msgErro;
        if (ssl.Validar(xml, args[1], msgErro)) {
            std::printf("valid\n");
            return 0;
        }
        std::printf("%s\n", msgErro.c_str());
        return 1;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
}
