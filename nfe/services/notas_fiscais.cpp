#include "nfe/services/notas_fiscais.h"

#include "nfe/services/quib_dfe_danfe_report.h"
#include "nfe/services/quib_nfe.h"

namespace {

TQuibNFe *componenteNFe(TQuibComponent *AOwner)
{
    auto *componente = dynamic_cast<TQuibNFe *>(AOwner);
    if (componente == nullptr)
        throw EQuibNFeException("AOwner deve ser do tipo TQuibNFe");
    return componente;
}

} // namespace

TNotasFiscais::TNotasFiscais(TQuibComponent *AOwner) : componente_(componenteNFe(AOwner)) {}

TNotasFiscais::~TNotasFiscais() = default;

NotaFiscal &TNotasFiscais::AdicionarNota()
{
    notas_.push_back(std::make_unique<NotaFiscal>(*this));
    return *notas_.back();
}

NotaFiscal &TNotasFiscais::ObterNota(int index)
{
    return *notas_.at(static_cast<std::size_t>(index));
}

void TNotasFiscais::GerarXMLTodas()
{
    for (auto &nota : notas_)
        nota->GerarTextoXML();
}

void TNotasFiscais::AssinarTodas()
{
    for (auto &nota : notas_)
        nota->AssinarNota();
}

void TNotasFiscais::ValidarTodas()
{
    for (auto &nota : notas_)
        nota->ValidarNota();
}

bool TNotasFiscais::ConferirAssinaturas(std::string &Erros)
{
    Erros.clear();
    if (notas_.empty()) {
        Erros = "Nenhuma " + componente_->NomeDoModeloDFe() + " carregada";
        return false;
    }
    bool ok = true;
    for (auto &nota : notas_) {
        if (!nota->ConferirAssinatura()) {
            ok = false;
            Erros += nota->MsgErroValidacao + "\r\n";
        }
    }
    return ok;
}

bool TNotasFiscais::ValidarRegrasTodas(std::string &Erros)
{
    Erros.clear();
    bool ok = true;
    for (auto &nota : notas_) {
        if (!nota->ValidarRegrasNegocio()) {
            ok = false;
            if (Erros.find(nota->MsgErroRegras) == std::string::npos)
                Erros += nota->MsgErroRegras + "\r\n";
        }
    }
    return ok;
}

void TNotasFiscais::ExigirDANFE() const
{
    if (componente_->DANFE() == nullptr)
        throw EQuibNFeException("Componente DANFE não associado.");
}

void TNotasFiscais::ImprimirNotas()
{
    ExigirDANFE();
    componente_->DANFE()->ImprimirDANFE(nullptr);
}

void TNotasFiscais::ImprimirNotasPDF()
{
    ExigirDANFE();
    componente_->DANFE()->ImprimirDANFEPDF(nullptr);
}
