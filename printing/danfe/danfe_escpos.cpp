#include "printing/danfe/danfe_escpos.h"

#include <algorithm>
#include <utility>

#include "foundation/text/text_utils.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"
#include "printing/posprinter/pos_printer.h"

namespace {

// Puts a flag back to its value on entry when the print ends, however it ends.
class RestaurarAoSair {
  public:
    explicit RestaurarAoSair(bool &flag) : flag_(flag), valor_(flag) {}
    ~RestaurarAoSair() { flag_ = valor_; }
    RestaurarAoSair(const RestaurarAoSair &) = delete;
    RestaurarAoSair &operator=(const RestaurarAoSair &) = delete;

  private:
    bool &flag_;
    bool valor_;
};

} // namespace

void TQuibNFeDANFeESCPOS::ImprimirDANFE(const TNFe *nfe)
{
    if (ImprimindoCancelada()) {
        ImprimirDANFEComoCancelada(nfe);
        return;
    }
    ExigirImpressora();
    const TNFe &nota = NotaParaImprimir(nfe);
    AtivarImpressora();
    MontarCupom(nota, false);
}

void TQuibNFeDANFeESCPOS::ImprimirDANFEResumido(const TNFe *nfe)
{
    ExigirImpressora();
    RestaurarAoSair restaurar(ImprimeItens);
    ImprimeItens = false;
    const TNFe &nota = NotaParaImprimir(nfe);
    AtivarImpressora();
    MontarCupom(nota, true);
}

void TQuibNFeDANFeESCPOS::ImprimirDANFEComoCancelada(const TNFe *nfe)
{
    const TNFe &nota = NotaParaImprimir(nfe);
    Componente();
    AtivarImpressora();
    nfe_ = &nota;
    MontarEImprimir([this] { MontarComprovanteEvento(); });
}

void TQuibNFeDANFeESCPOS::ImprimirEVENTO(const TNFe *nfe)
{
    ImprimirDANFEComoCancelada(nfe);
}

void TQuibNFeDANFeESCPOS::ImprimirINUTILIZACAO(const TNFe *nfe)
{
    TNotasFiscais &notas = Componente().Notas();
    const TNFe *nota = nfe;
    if (nota == nullptr && notas.Count() > 0)
        nota = &notas.ObterNota(0).NFe();
    AtivarImpressora();
    nfe_ = nota;
    MontarEImprimir([this, nota] { MontarComprovanteInutilizacao(nota != nullptr); });
}

TQuibPosPrinter &TQuibNFeDANFeESCPOS::ExigirImpressora() const
{
    if (posPrinter_ == nullptr)
        throw EQuibNFeException("Componente PosPrinter não associado");
    return *posPrinter_;
}

void TQuibNFeDANFeESCPOS::AtivarImpressora()
{
    ExigirImpressora().Ativar();
}

TQuibNFe &TQuibNFeDANFeESCPOS::Componente() const
{
    if (QuibNFe() == nullptr)
        throw EQuibNFeException("Componente QuibNFe não atribuído");
    return *QuibNFe();
}

const TNFe &TQuibNFeDANFeESCPOS::NotaParaImprimir(const TNFe *nfe) const
{
    if (nfe != nullptr)
        return *nfe;
    TNotasFiscais &notas = Componente().Notas();
    if (notas.Count() == 0)
        throw EQuibNFeException("XML da NFe não informado, obrigatório para o modelo ESCPOS");
    return notas.ObterNota(0).NFe();
}

void TQuibNFeDANFeESCPOS::Adicionar(const Entradas &entradas)
{
    for (const std::string &entrada : entradas)
        Adicionar(entrada);
}

void TQuibNFeDANFeESCPOS::Adicionar(std::string entrada)
{
    posPrinter_->AdicionarLinha(std::move(entrada));
}

void TQuibNFeDANFeESCPOS::MontarEImprimir(const std::function<void()> &montar)
{
    TQuibPosPrinter &pos = ExigirImpressora();
    const std::vector<std::string> antes = pos.Buffer();
    try {
        montar();
    } catch (...) {
        // Lines of an unfinished receipt must not come out ahead of the next
        // one. When the printer already printed part of the buffer (its
        // LinhasBuffer), whatever is left is ours.
        const std::vector<std::string> &agora = pos.Buffer();
        const bool intacto =
            agora.size() >= antes.size() && std::equal(antes.begin(), antes.end(), agora.begin());
        pos.LimparBuffer();
        if (intacto)
            for (const std::string &linha : antes)
                pos.AdicionarLinha(linha);
        nfe_ = nullptr;
        throw;
    }
    nfe_ = nullptr;
    pos.Imprimir({}, false, true, true, NumCopias());
}

int TQuibNFeDANFeESCPOS::Colunas() const
{
    return SuportaCondensado ? posPrinter_->ColunasCondensadas() : posPrinter_->ColunasFonteNormal;
}

std::string TQuibNFeDANFeESCPOS::Condensado() const
{
    return SuportaCondensado ? "<c>" : "";
}

bool TQuibNFeDANFeESCPOS::QRCodeLateralDisponivel() const
{
    return SuportaCondensado && posPrinter_->Colunas() >= 48 &&
           !posPrinter_->TagsNaoSuportadas().contains("<mp>");
}

bool TQuibNFeDANFeESCPOS::TemProtocolo() const
{
    return !trimText(nota().procNFe.nProt).empty();
}

std::string TQuibNFeDANFeESCPOS::ChaveAcesso() const
{
    return SomenteDigitos(nota().infNFe.Id);
}
