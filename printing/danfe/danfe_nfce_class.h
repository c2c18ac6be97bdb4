#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "foundation/codes/enum_names.h"
#include "foundation/numbers/decimal.h"
#include "nfe/services/quib_dfe_danfe_report.h"

struct TpagCollectionItem;

// The parts of a payment's description on an NFC-e DANFE.
enum TDescricaoPagamento : std::uint8_t { icaTipo, icaBandeira, icaAutorizacao };
template <>
inline constexpr auto kEnumNames<TDescricaoPagamento> = std::to_array<EnumName<TDescricaoPagamento>>({
    {icaTipo, "icaTipo"},
    {icaBandeira, "icaBandeira"},
    {icaAutorizacao, "icaAutorizacao"},
});

// What every NFC-e DANFE layout shares above the DANFE base: the layout
// options of the consumer's coupon, the copy and change data the caller may
// hand over, the approximate tax amounts printed separately, and the text of
// one payment. Print operations stay with the layouts.
//
// Implemented in danfe_nfce_class.cpp.
class TQuibNFeDANFCEClass : public TQuibDFeDANFeReport {
  public:
    int LarguraBobina = 302;
    // Per-item discount and surcharge lines; " total" after the totals' labels.
    bool ImprimeDescAcrescItem = true;
    bool ImprimeItens = true;
    bool ImprimeQRCodeLateral = false;
    bool ImprimeLogoLateral = false;
    int EspacoFinal = 38;
    std::set<TDescricaoPagamento> DescricaoPagamentos{icaTipo, icaBandeira};
    // The item in one line; setting either form clears the other.
    bool ImprimeEmUmaLinha() const { return imprimeEmUmaLinha_; }
    void SetImprimeEmUmaLinha(bool valor);
    bool ImprimeEmDuasLinhas() const { return imprimeEmDuasLinhas_; }
    void SetImprimeEmDuasLinhas(bool valor);
    bool FormularioContinuo = false;

    // Prints "Via Consumidor" on the coupon.
    bool ViaDoConsumidor = false;
    // The change to print when the note has none.
    Decimal TrocoInformado;
    // Approximate taxes (federal, state, municipal) printed separately.
    Decimal vTribFed;
    Decimal vTribEst;
    Decimal vTribMun;

    // The text of one payment line: with icaTipo the method's description and
    // a blank; with icaBandeira the card brand and a blank; with
    // icaAutorizacao "- Aut: " and the code. Brand and authorisation are
    // given only for a credit or debit card that is integrated (tpIntegra 1)
    // or carries an authorisation code.
    virtual std::string DescricaoPagamento(const TpagCollectionItem &pagamento) const;

  private:
    bool imprimeEmUmaLinha_ = false;
    bool imprimeEmDuasLinhas_ = false;
};
