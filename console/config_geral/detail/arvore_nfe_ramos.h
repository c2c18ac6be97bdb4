#pragma once

#include "console/config_geral/exibicao_resposta.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"

#include <string>
#include <string_view>

struct TDetCollectionItem;

// The pieces the field tree is built from; shared by arvore_nfe.cpp and
// arvore_nfe_itens.cpp only.
namespace arvore_nfe {

// Whether an amount is above zero: the condition of the optional groups.
inline bool positivo(Decimal valor)
{
    return valor.units() > 0;
}

// A new child node of `pai`; the reference holds until `pai` gets another
// child.
NoArvore &grupo(NoArvore &pai, std::string legenda);
// "prefixo" plus the number in three digits.
std::string numerado(std::string_view prefixo, int numero);

// A leaf: the label followed by the value.
void folha(NoArvore &pai, std::string_view rotulo, std::string_view valor);
void folha(NoArvore &pai, std::string_view rotulo, int valor);
void folha(NoArvore &pai, std::string_view rotulo, Decimal valor);
void folha(NoArvore &pai, std::string_view rotulo, double valor);
// Dates, date-times and times; empty when not set.
void folhaData(NoArvore &pai, std::string_view rotulo, TDateTime valor);
void folhaDataHora(NoArvore &pai, std::string_view rotulo, TDateTime valor);
void folhaHora(NoArvore &pai, std::string_view rotulo, TDateTime valor);

// The "Produto" node of the item numbered `numero`.
void ramoProduto(NoArvore &pai, const TDetCollectionItem &item, int numero);

} // namespace arvore_nfe
