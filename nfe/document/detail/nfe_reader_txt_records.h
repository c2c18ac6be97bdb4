#pragma once

// Internal to the TXT reader: the typed view of the record being read that the
// record handlers use, and the handler tables.
//
// Implemented in nfe_reader_txt_fields.cpp (the typed record view) and the
// handler tables of nfe_reader_txt_header.cpp, nfe_reader_txt_product.cpp,
// nfe_reader_txt_taxes.cpp and nfe_reader_txt_closing.cpp.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/decimal.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"

namespace txt_reader {

// Value-kind codes read by TNFeRTXT::LerCampoTipado.
inline constexpr int kTexto = 0;
inline constexpr int kInteiro = 1;
inline constexpr int kData = 2;
inline constexpr int kDataHora = 3;
inline constexpr int kTextoBruto = 4;
inline constexpr int kDecimal = 5; // 6, 7 and 12 read alike
inline constexpr int kHora = 13;
inline constexpr int kInteiro64 = 21;

// The error that ends the reading when a field does not convert.
EQuibDFeException erroCampo(std::string_view tag, std::string_view valor);

// A field text converted by a value-kind code; raises erroCampo.
TValorCampoTXT converteCampo(int tipo, std::string_view tag, std::string_view valor);

// The record being read, with one getter per conversion of the record tables.
class Registro {
  public:
    Registro(const TNFeRTXT &leitor, TNFe &nfe, int linha) : nfe(nfe), leitor_(leitor), linha_(linha) {}

    std::string texto(std::string_view tag) const; // text, entities decoded, trimmed
    std::string bruto(std::string_view tag) const; // raw text, left-trimmed
    int inteiro(std::string_view tag) const;       // the digits of the field; 0 when empty
    std::int64_t inteiro64(std::string_view tag) const;
    Decimal decimal(std::string_view tag) const; // rounded to 4 places
    double flutuante(std::string_view tag) const;
    TDateTime data(std::string_view tag) const;     // YYYY-MM-DD
    TDateTime dataHora(std::string_view tag) const; // YYYY-MM-DDThh:mm:ss[zone]
    // The same, with the zone written after it kept in `fuso`.
    TDateTime dataHora(std::string_view tag, TFusoLido &fuso) const;
    TDateTime hora(std::string_view tag) const; // hh:mm:ss
    // An integer written as text: anything but a whole number, the empty text
    // included, is a field error.
    int textoInteiro(std::string_view tag) const;

    // The upper-case record name.
    const std::string &id() const { return leitor_.ID(); }

    // The layout version of the document (TInfNFe::VersaoOuPadrao).
    double versao() const { return nfe.infNFe.VersaoOuPadrao(); }
    bool ate200() const { return versao() < 3; }    // layouts 1.10 and 2.00
    bool desde310() const { return versao() >= 3; } // layouts 3.10 and 4.00
    bool desde400() const { return versao() >= 4; }

    // The last item of a list that this record completes; when the list is
    // empty the reading ends with an error naming the record that should
    // have come first.
    template <typename Lista> auto &ultimo(Lista &lista, std::string_view registroAnterior) const
    {
        if (lista.empty())
            throw registroForaDeOrdem(registroAnterior);
        return lista.ObterItem(lista.count() - 1);
    }

    TNFe &nfe;

  private:
    EQuibDFeException registroForaDeOrdem(std::string_view registroAnterior) const;

    const TNFeRTXT &leitor_;
    int linha_;
};

using LeitorDeRegistro = void (*)(const Registro &);

struct TratadorRegistro {
    std::string_view nome; // upper-case record name
    LeitorDeRegistro ler;
};

// Records of the identification, parties and places.
std::span<const TratadorRegistro> tratadoresCabecalho();
// Records of the totals, transport, billing, payment and closing groups.
std::span<const TratadorRegistro> tratadoresFechamento();
// Records of the item and its product.
std::span<const TratadorRegistro> tratadoresProduto();
// Records of the item taxes.
std::span<const TratadorRegistro> tratadoresImpostos();

} // namespace txt_reader
