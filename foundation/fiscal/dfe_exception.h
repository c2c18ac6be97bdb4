#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"

// The exception of the fiscal-document layers (documents, signing, services).
//
// Header only: no source of its own.
class EQuibDFeException : public EQuibException {
  public:
    // The message passes through TextoNativo.
    explicit EQuibDFeException(std::string_view mensagem) : EQuibException(TextoNativo(mensagem)) {}

    // The message used exactly as given.
    static EQuibDFeException CreateSemConversao(std::string_view mensagem)
    {
        return EQuibDFeException(std::string(mensagem), SemConversao{});
    }

  protected:
    struct SemConversao {};
    EQuibDFeException(std::string mensagem, SemConversao) : EQuibException(std::move(mensagem)) {}
};

// Raised by the certificate layer for a certificate without a private key.
class EQuibDFeExceptionNoPrivateKey : public EQuibDFeException {
  public:
    using EQuibDFeException::EQuibDFeException;
};
