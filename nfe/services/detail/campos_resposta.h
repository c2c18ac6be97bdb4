#pragma once

// Typed reads shared by the answer readers of the tax-authority messages: the
// step from the XML reader's dynamic value to a message field's type, and the
// guard that turns a failure inside a reading into a false result.
//
// Implemented in campos_resposta.cpp.

#include <string>
#include <string_view>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "foundation/xml/leitor.h"

namespace nfe_services {

// Reads the fields of the reader's current group (TLeitor::Grupo).
class CamposResposta {
  public:
    explicit CamposResposta(const TLeitor &leitor) : leitor_(leitor) {}

    // The content with the XML escapes undone; empty when absent.
    std::string texto(std::string_view tag) const;
    // The integer of the content's digits; 0 when absent, empty or too large
    // for 32 bits.
    int inteiro(std::string_view tag) const;
    // Year-month-day, and year-month-day T hh:mm:ss with any UTC offset
    // ignored; 0 when absent. A malformed content raises ConversionError.
    TDateTime data(std::string_view tag) const;
    TDateTime dataHora(std::string_view tag) const;
    // A decimal amount ("." before the decimals); 0 when absent. A content
    // that is not a number raises ConversionError naming the tag.
    Decimal decimal(std::string_view tag) const;
    // The environment code converted (an unknown code reads as production).
    TpcnTipoAmbiente tpAmb() const { return CodigoParaTipoAmbiente(texto("tpAmb")); }
    // CNPJ, or CPF when the CNPJ is blank.
    std::string cnpjCpf() const { return leitor_.LeCNPJouCPF(); }
    // The attribute's value; empty when absent.
    std::string atributo(std::string_view nome) const { return leitor_.LeAtributo(nome); }

  private:
    const TLeitor &leitor_;
};

// Runs a reading and answers its result; any failure inside it answers false
// (what was read before stays read). For the readers that never raise.
template <typename Leitura> bool leSemExcecao(Leitura &&leitura) noexcept
{
    try {
        return leitura();
    } catch (...) {
        return false;
    }
}

} // namespace nfe_services
