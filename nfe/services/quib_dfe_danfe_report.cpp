#include "nfe/services/quib_dfe_danfe_report.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "nfe/services/quib_nfe.h"

TQuibDFeDANFeReport::~TQuibDFeDANFeReport()
{
    if (quibNFe_ != nullptr)
        quibNFe_->esquecerDANFE(this);
}

void TQuibDFeDANFeReport::SetQuibNFe(TQuibComponent *value)
{
    auto *componente = dynamic_cast<TQuibNFe *>(value);
    if (componente == quibNFe_ && (value == nullptr || componente != nullptr))
        return;
    if (value != nullptr && componente == nullptr)
        throw EQuibNFeException("QuibDANFE.NFE deve ser do tipo TQuibNFe");
    TQuibNFe *antigo = quibNFe_;
    quibNFe_ = componente;
    if (antigo != nullptr)
        antigo->esquecerDANFE(this);
    if (componente != nullptr)
        componente->SetDANFE(this);
}

void TQuibDFeDANFeReport::esquecerQuibNFe(const TQuibNFe *componente)
{
    if (quibNFe_ == componente)
        quibNFe_ = nullptr;
}

void TQuibDFeDANFeReport::SetTipoDANFE(TpcnTipoImpressao value)
{
    if (value != tipoDANFE_)
        tipoDANFE_ = value;
}

void TQuibDFeDANFeReport::recusar(std::string_view operacao) const
{
    const char *nomeInterno = typeid(*this).name();
    int estado = 0;
    std::unique_ptr<char, decltype(&std::free)> legivel(
        abi::__cxa_demangle(nomeInterno, nullptr, nullptr, &estado), &std::free);
    const std::string classe = estado == 0 && legivel ? legivel.get() : nomeInterno;
    throw EQuibNFeException(std::string(operacao) + " não implementado em: " + classe);
}

void TQuibDFeDANFeReport::ImprimirDANFE(const TNFe *)
{
    recusar("ImprimirDANFE");
}

void TQuibDFeDANFeReport::ImprimirDANFEComoCancelada(const TNFe *nfe)
{
    imprimindoCancelada_ = true;
    try {
        ImprimirDANFE(nfe);
    } catch (...) {
        imprimindoCancelada_ = false;
        throw;
    }
    imprimindoCancelada_ = false;
}

void TQuibDFeDANFeReport::ImprimirDANFEResumido(const TNFe *)
{
    recusar("ImprimirDANFEResumido");
}
void TQuibDFeDANFeReport::ImprimirDANFEPDF(const TNFe *)
{
    recusar("ImprimirDANFEPDF");
}
void TQuibDFeDANFeReport::ImprimirDANFEPDF(std::istream &)
{
    recusar("ImprimirDANFEPDF");
}
void TQuibDFeDANFeReport::ImprimirDANFEResumidoPDF(const TNFe *)
{
    recusar("ImprimirDANFEResumidoPDF");
}
void TQuibDFeDANFeReport::ImprimirDANFEResumidoPDF(std::istream &)
{
    recusar("ImprimirDANFEResumidoPDF");
}
void TQuibDFeDANFeReport::ImprimirEVENTO(const TNFe *)
{
    recusar("ImprimirEVENTO");
}
void TQuibDFeDANFeReport::ImprimirEVENTOPDF(const TNFe *)
{
    recusar("ImprimirEVENTOPDF");
}
void TQuibDFeDANFeReport::ImprimirEVENTOPDF(std::istream &)
{
    recusar("ImprimirEVENTOPDF");
}
void TQuibDFeDANFeReport::ImprimirINUTILIZACAO(const TNFe *)
{
    recusar("ImprimirINUTILIZACAO");
}
void TQuibDFeDANFeReport::ImprimirINUTILIZACAOPDF(const TNFe *)
{
    recusar("ImprimirINUTILIZACAOPDF");
}
void TQuibDFeDANFeReport::ImprimirINUTILIZACAOPDF(std::istream &)
{
    recusar("ImprimirINUTILIZACAOPDF");
}
