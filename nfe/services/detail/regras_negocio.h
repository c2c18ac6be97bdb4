#pragma once

// What the business-rule check of one note shares between its parts: the
// note, the settings it compares with, the moments it measures dates
// against, the error list and small readers of the model's codes.
//
// Implemented in regras_negocio.cpp (the check itself, the checks for every
// note and for each model, the billing checks) and regras_negocio_itens.cpp
// (authorised downloads, the item checks, the totals and the payments).

#include <string>
#include <string_view>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "foundation/text/text_utils.h"
#include "nfe/document/nfe_model.h"

class NotaFiscal;

namespace nfe_services {

struct ContextoRegras {
    const NotaFiscal &nota;
    const TNFe &nfe;
    TpcnTipoEmissao formaEmissao;
    TpcnTipoAmbiente ambiente;
    int ufCodigo;
    TDateTime agora;
    TDateTime limite; // agora plus 5 minutes
    double versao;    // infNFe.versao, 2.00 when not set
    std::string erros;

    bool nfce() const { return nfe.ide.mod == 65; }
    bool desde400() const { return versao >= 4.0 - 1e-9; }
    void falha(std::string_view mensagem)
    {
        erros.append(mensagem);
        erros.append("\r\n");
    }
};

// Trimmed text (blanks and control characters at both ends removed).
inline std::string aparado(std::string_view texto)
{
    return std::string(trimText(texto));
}

// The first two characters of the code's decimal text read as a number (0
// when they are not one).
int prefixoUF(int codigoMunicipio);

void regrasDeTodaNota(ContextoRegras &c);
void regrasNFCe(ContextoRegras &c);
void regrasNFe(ContextoRegras &c);
void regrasAutXML(ContextoRegras &c);
// Item checks, then the totals against the item sums, then the payments.
void regrasItensTotaisEPagamentos(ContextoRegras &c);

} // namespace nfe_services
