#pragma once

// Typed reads of the NF-e reader. Every field of a document is read through
// CamposNFe, so the step from the XML reader's dynamic value to the model's
// field types (text, integer, fixed-point decimal, floating number,
// date-time, enumeration) lives in one place.
//
// Implemented in nfe_reader_fields.cpp.

#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/fuso_lido.h"

namespace nfe_reader {

class CamposNFe {
  public:
    explicit CamposNFe(const TLeitor &leitor) : leitor_(leitor) {}

    // vcTexto: the content with the XML escapes undone; empty when absent.
    std::string texto(std::string_view tag) const;
    // vcDigitos: the content as written; empty when absent.
    std::string digitos(std::string_view tag) const;
    // vcInteiro: the integer the content writes; 0 when absent or empty. A
    // content that is not a whole number (blanks around it allowed) or does
    // not fit 32 bits raises ConversionError naming the tag.
    int inteiro(std::string_view tag) const;
    // The decimal text of `inteiro(tag)` ("0" when absent), for the codes that
    // the layout reads as numbers.
    std::string inteiroComoTexto(std::string_view tag) const;
    // vcData, vcDataHora, vcHora; 0 when absent. Malformed contents raise
    // ConversionError.
    TDateTime data(std::string_view tag) const;
    TDateTime dataHora(std::string_view tag) const;
    // vcDataHora, and the UTC offset written after it kept in `fuso`.
    TDateTime dataHora(std::string_view tag, TFusoLido &fuso) const;
    TDateTime hora(std::string_view tag) const;
    // A decimal kind into a fixed-point field; 0 when absent or empty. A
    // content that is not one number ("." or "," before the decimals, an
    // optional sign) and a number the model cannot hold raise ConversionError
    // naming the tag.
    Decimal decimal(TTipoValorCampo tipo, std::string_view tag) const;
    // A decimal kind into a floating field, as read; malformed contents raise
    // as in `decimal`.
    double real(TTipoValorCampo tipo, std::string_view tag) const;
    // The text of CNPJ, or of CPF when the CNPJ is blank.
    std::string cnpjCpf() const;
    // The attribute's value (searched after `tag` when given); empty when absent.
    std::string atributo(std::string_view nome, std::string_view tag = "") const;

    // A coded element read as text and converted by `converte` (its ok flag
    // is not looked at: an unknown code gives the table's first value).
    template <typename Enum> Enum codigo(Enum (*converte)(std::string_view), std::string_view tag) const
    {
        return converte(texto(tag));
    }

  private:
    std::string_view numero(std::string_view tag) const;

    const TLeitor &leitor_;
};

// A text that must be a whole number (blanks around it allowed, an optional
// sign): its value, or ConversionError naming `campo`.
int inteiroObrigatorio(std::string_view texto, std::string_view campo);

} // namespace nfe_reader
