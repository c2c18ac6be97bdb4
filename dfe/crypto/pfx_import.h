#pragma once

#include "dfe/crypto/detail/openssl_ptr.h"

#include <string>
#include <string_view>

// Importing and exporting PFX data for the store back-ends (TDFeWinCrypt,
// TDFeCapicom and the certificate-store command). Implemented in
// pfx_import.cpp.

// A certificate with its private key and the other certificates that came
// with it. The caller owns everything.
struct TCertificadoComChave {
    dfe::openssl::CertificatePtr certificado;
    dfe::openssl::KeyPtr chave;
    dfe::openssl::CertificateStackPtr cadeia; // may be null
};

// Opens PFX bytes with the password and answers the first certificate that
// has its private key. Raises EQuibDFeException:
// "PFXDataToCertContextWinApi: DadosPFX informado não são válidos" (not
// PKCS#12), "...: Senha informada está errada" (checked before anything is
// imported), "...: Falha ao localizar o Certificado com a Chave Privada."
TCertificadoComChave PFXDataToCertContextWinApi(std::string_view DadosPFX, const std::string &Senha);

// The certificate, its chain and its key as PFX bytes protected by the
// password (AES). Without a key raises EQuibDFeExceptionNoPrivateKey
// "Certificado não permite Exportar Chave Privada.".
std::string ExportCertStoreToPFXData(X509 *Certificado, EVP_PKEY *Chave, STACK_OF(X509) * Cadeia,
                                     const std::string &Senha);
