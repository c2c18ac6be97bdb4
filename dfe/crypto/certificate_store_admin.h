#pragma once

#include "dfe/ssl/dados_certificado.h"

#include <string>
#include <string_view>

// What the certificate-store command does to the user's folder store (it
// stands in for the platform's certificate import). Implemented in
// certificate_store_admin.cpp.

// Imports the certificate with its private key from PFX bytes into the
// user's store (StoreName, default "My"); answers its NumeroSerie. Raises the
// texts of PFXDataToCertContextWinApi, or EQuibDFeException "Falha ao gravar
// no store <name>: <reason>" when the folder cannot be written.
std::string ImportarPFXNoStore(std::string_view DadosPFX, const std::string &Senha,
                               std::string_view StoreName);

// Removes the certificate of that serial (with or without a leading "00")
// from the user's store; false when the store holds none.
bool RemoverDoStore(std::string_view NumeroSerie, std::string_view StoreName);

// One line of a store listing: "NumeroSerie|RazaoSocial|CNPJ|dd/mm/yyyy".
std::string LinhaDaListaDeCertificados(const TDadosCertificado &Dados);
