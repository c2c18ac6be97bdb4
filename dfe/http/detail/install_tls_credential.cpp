#include "dfe/http/detail/install_tls_credential.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

TlsContextSetup installTlsCredential(TlsCredentialPtr credential)
{
    return [credential = std::move(credential)](ssl_ctx_st *context) -> std::string {
        if (credential->privateKey() == nullptr)
            return "O certificado não tem chave privada para a conexão TLS";
        bool instalado = SSL_CTX_use_certificate(context, credential->certificate()) == 1 &&
                         SSL_CTX_use_PrivateKey(context, credential->privateKey()) == 1 &&
                         SSL_CTX_check_private_key(context) == 1;
        for (X509 *ca : credential->chain())
            instalado = instalado && SSL_CTX_add1_chain_cert(context, ca) == 1;
        if (instalado)
            return {};
        char motivo[256] = {};
        ERR_error_string_n(ERR_get_error(), motivo, sizeof motivo);
        ERR_clear_error();
        return std::string("Não foi possível usar o certificado na conexão TLS: ") + motivo;
    };
}
