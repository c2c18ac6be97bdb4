#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/ssl/ssl_types.h"
#include "foundation/dates/date_time.h"

// The data of one certificate as the crypt back-ends read it, and the list of
// the certificates of a store. Owned by the crypt back-end (TDFeSSLCryptClass).
class TDadosCertificado {
  public:
    std::string HashSHA1;                // SHA-1 thumbprint, upper-case hexadecimal
    std::string AutoridadeCertificadora; // derived from IssuerName
    std::string CNPJ;                    // CNPJ or CPF of the holder, derived from SubjectName
    TDateTime DataValidade = kDataNaoInformada;
    std::string NumeroSerie;
    std::string RazaoSocial; // holder name, derived from SubjectName
    TTipoCertificado Tipo = tcDesconhecido;
    std::string CertificadoDERBase64;

    // Setting a different subject stores it and recomputes RazaoSocial and
    // CNPJ; setting a different issuer recomputes AutoridadeCertificadora.
    // The same value does nothing.
    const std::string &SubjectName() const { return subjectName_; }
    void SetSubjectName(std::string_view value);
    const std::string &IssuerName() const { return issuerName_; }
    void SetIssuerName(std::string_view value);

    // Clears every field except HashSHA1.
    void Limpar();

  private:
    std::string issuerName_;
    std::string subjectName_;
};

// The holder name in a subject: after the first "CN=", up to the first ":"
// (else ",", else the end), not trimmed; empty without "CN=".
std::string RazaoSocialDoSubject(std::string_view subjectName);
// The digits of the 14 characters after the first ":" that follows the first
// "CN=", when they make a valid CNPJ or CPF; empty otherwise.
std::string CNPJDoSubject(std::string_view subjectName);
// After the first "CN=" of the issuer, up to "RFB" (else ",", else the end), trimmed.
std::string AutoridadeDoIssuer(std::string_view issuerName);

// Owning list of certificate data.
class TListaCertificados {
  public:
    // Creates an item, appends it and returns it.
    TDadosCertificado &Novo();
    // Raises std::out_of_range outside 0 .. Count() - 1.
    TDadosCertificado &ObterItem(int index);
    const TDadosCertificado &ObterItem(int index) const;
    // Appends an item and returns its index.
    int AdicionarItem(std::unique_ptr<TDadosCertificado> item);
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }

  private:
    std::vector<std::unique_ptr<TDadosCertificado>> items_;
};
