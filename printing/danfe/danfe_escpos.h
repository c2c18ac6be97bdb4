#pragma once

#include <functional>
#include <string>
#include <vector>

#include "printing/danfe/danfe_nfce_class.h"

class TNFe;
class TQuibNFe;
class TQuibPosPrinter;

// The NFC-e DANFE, the event receipt and the voiding receipt on a roll
// printer. The report never talks to the device: it writes lines of the
// printer's tag language into the attached TQuibPosPrinter's buffer and asks
// the printer to print them NumCopias times.
//
// Coupon width N: the printer's condensed column count when
// SuportaCondensado, else its ColunasFonteNormal. Texts are UTF-8; the
// printer recodes them to its code page.
//
// Notes: the one given, else the first note loaded in the linked NF-e
// component. Refusals (EQuibNFeException), each raised before anything
// reaches the printer:
//   "Componente PosPrinter não associado"  no printer attached;
//   "Componente QuibNFe não atribuído"     no note given and no component
//                                          (the receipts always need one);
//   "XML da NFe não informado, obrigatório para o modelo ESCPOS"
//                                          no note given and none loaded
//                                          (the voiding receipt prints
//                                          without a note instead).
// The component always holds an event batch and a voiding request, so the
// receipts find them whenever the component is there.
//
// A failure while the lines are being built (the printer's "QRCode muito
// grande", an error of the component while it builds the query address or
// the QR code) takes the lines of that call out of the buffer again, so they
// never come out ahead of the next receipt; the buffer is left as it was.
// Errors of the printer while activating or printing pass through.
//
// The printer link is a plain pointer: detach the printer (SetPosPrinter
// with nullptr) before destroying it.
//
// Implemented in danfe_escpos.cpp (link, print operations), danfe_escpos_cupom.cpp
// (the coupon's sections), danfe_escpos_blocos.cpp (consumer, note data, messages
// and QR-code blocks shared with the receipts) and
// danfe_escpos_comprovantes.cpp
// (event and voiding receipts).
class TQuibNFeDANFeESCPOS : public TQuibNFeDANFCEClass {
  public:
    TQuibPosPrinter *PosPrinter() const { return posPrinter_; }
    void SetPosPrinter(TQuibPosPrinter *valor) { posPrinter_ = valor; }
    bool SuportaCondensado = true;

    // The full coupon; while ImprimindoCancelada is set, the event receipt.
    void ImprimirDANFE(const TNFe *nfe = nullptr) override;
    // The event receipt (never the base's round trip through ImprimirDANFE).
    void ImprimirDANFEComoCancelada(const TNFe *nfe = nullptr) override;
    // The coupon without the item section; ImprimeItens is restored
    // afterwards, also on failure.
    void ImprimirDANFEResumido(const TNFe *nfe = nullptr) override;
    void ImprimirEVENTO(const TNFe *nfe = nullptr) override;
    void ImprimirINUTILIZACAO(const TNFe *nfe = nullptr) override;

  protected:
    using Entradas = std::vector<std::string>;

    // ---- Printer and note (danfe_escpos.cpp) ----
    TQuibPosPrinter &ExigirImpressora() const;
    void AtivarImpressora();
    // The given note, else the component's first; raises as described above.
    const TNFe &NotaParaImprimir(const TNFe *nfe) const;
    // The linked NF-e component; raises "Componente QuibNFe não atribuído".
    TQuibNFe &Componente() const;
    // Appends the entries to the printer's buffer.
    void Adicionar(const Entradas &entradas);
    void Adicionar(std::string entrada);
    // Builds the lines with `montar`; when it fails the buffer gets back the
    // lines it had on entry. Then prints NumCopias copies.
    void MontarEImprimir(const std::function<void()> &montar);

    int Colunas() const;            // N
    std::string Condensado() const; // C: "<c>" or nothing
    bool QRCodeLateralDisponivel() const;
    bool TemProtocolo() const;
    std::string ChaveAcesso() const;

    // ---- The coupon (danfe_escpos_cupom.cpp) ----
    void MontarCupom(const TNFe &nfe, bool resumido);
    void MontarCabecalhoEmitente();
    void MontarTitulo();
    void MontarItens();
    void MontarTotais();
    void MontarPagamentos();
    void MontarChaveConsulta();
    void MontarObservacoes();
    void MontarTributos();
    void MontarRodape();

    // ---- Blocks shared with the receipts (danfe_escpos_blocos.cpp) ----
    std::string TextoQRCodeNota() const;
    Entradas MontarConsumidor(bool metade) const;
    Entradas MontarDadosNota(bool metade) const;
    Entradas MontarInfFisco() const;
    // `preenchimento` 0: the messages for the side-by-side block.
    Entradas MontarMensagensAmbiente(char preenchimento) const;
    Entradas MontarQRCode(bool comProtocolo, const std::string &textoQRCode) const;
    // Consumer, note data, tax-office and environment messages, and the QR
    // code: side by side when the printer allows it, else one after another.
    void MontarBlocoConsumidorEQRCode();

    // ---- Receipts (danfe_escpos_comprovantes.cpp) ----
    void MontarComprovanteEvento();
    void MontarComprovanteInutilizacao(bool comNota);

    const TNFe &nota() const { return *nfe_; }

  private:
    TQuibPosPrinter *posPrinter_ = nullptr;
    // The note being printed, only while a print runs.
    const TNFe *nfe_ = nullptr;
};
