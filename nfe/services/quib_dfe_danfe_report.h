#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_itens.h"
#include "foundation/numbers/decimal.h"
#include "nfe/services/quib_dfe_report.h"

class TNFe;
class TQuibNFe;

// How a DANFE shows the approximate taxes and the item's additional text.
enum TpcnTributos : std::uint8_t { trbNormal, trbSeparadamente, trbNenhum };
enum TinfAdcProd : std::uint8_t { infDescricao, infSeparadamente };

// The DANFE interface that a printing layout implements and the NF-e
// component calls, with the text rules every layout shares.
//
// Print operations: the bodies here raise EQuibNFeException "<operation> não
// implementado em: <class>"; layouts override them. With no note a layout
// prints every note (events, voiding) of the linked component.
//
// Link: see TQuibNFe. SetQuibNFe raises "QuibDANFE.NFE deve ser do tipo
// TQuibNFe" for a component of another class. Freeing a component clears
// QuibNFe only when it is the linked one.
//
// Implemented in quib_dfe_danfe_report.cpp (link, print operations) and
// quib_dfe_danfe_textos.cpp (text rules).
class TQuibDFeDANFeReport : public TQuibDFeReport {
  public:
    TQuibDFeDANFeReport() = default;
    ~TQuibDFeDANFeReport() override;

    TQuibNFe *QuibNFe() const { return quibNFe_; }
    void SetQuibNFe(TQuibComponent *value);

    TpcnTipoImpressao TipoDANFE() const { return tipoDANFE_; }
    virtual void SetTipoDANFE(TpcnTipoImpressao value);
    bool QuebraLinhaEmDetalhamentos = true;
    bool ImprimeTotalLiquido = false;
    TpcnTributos ImprimeTributos = trbNormal;
    bool ExibeICMSDesoneradoComoDesconto = false;
    bool ExibeTotalTributosItem = false;
    TinfAdcProd ExibeInforAdicProduto = infDescricao;
    bool ImprimeCodigoEan = false;
    bool ImprimeInfContr = true;
    bool ImprimeNomeFantasia = false;
    bool ImprimeXPedNItemPed = false;

    // True only while ImprimirDANFEComoCancelada runs.
    bool ImprimindoCancelada() const { return imprimindoCancelada_; }

    virtual void ImprimirDANFE(const TNFe *nfe = nullptr);
    // ImprimirDANFE with ImprimindoCancelada set; cleared also when it raises.
    virtual void ImprimirDANFEComoCancelada(const TNFe *nfe = nullptr);
    virtual void ImprimirDANFEResumido(const TNFe *nfe = nullptr);
    virtual void ImprimirDANFEPDF(const TNFe *nfe = nullptr);
    virtual void ImprimirDANFEPDF(std::istream &saida);
    virtual void ImprimirDANFEResumidoPDF(const TNFe *nfe = nullptr);
    virtual void ImprimirDANFEResumidoPDF(std::istream &saida);
    virtual void ImprimirEVENTO(const TNFe *nfe = nullptr);
    virtual void ImprimirEVENTOPDF(const TNFe *nfe = nullptr);
    virtual void ImprimirEVENTOPDF(std::istream &saida);
    virtual void ImprimirINUTILIZACAO(const TNFe *nfe = nullptr);
    virtual void ImprimirINUTILIZACAOPDF(const TNFe *nfe = nullptr);
    virtual void ImprimirINUTILIZACAOPDF(std::istream &saida);

    // ---- Text rules ----
    virtual std::string SeparadorDetalhe() const;
    virtual std::string CodigoProdutoExibido(std::string_view cEAN, std::string_view cProd) const;
    virtual std::string NomeEmitenteExibido(std::string_view xNome, std::string_view xFant) const;
    virtual std::string UnirComQuebra(std::string_view primeiro, std::string_view segundo) const;
    virtual std::string QtdeComTributavel(Decimal qCom, Decimal qTrib) const;
    virtual std::string VlrUnitComTributavel(double vUnCom, double vUnTrib) const;
    virtual std::string TextoInfAdFisco(const TNFe &nfe) const;
    virtual std::string DocumentoFormatado(std::string_view documento) const;
    virtual std::string InfAdProdExibida(const TNFe &nfe, int item) const;
    virtual std::string PedidoItemExibido(const TNFe &nfe, int item) const;
    virtual std::string TextoInfCpl(const TNFe &nfe) const;
    virtual std::string TextoObsCont(const TNFe &nfe) const;
    virtual std::string TextoObsFisco(const TNFe &nfe) const;
    virtual std::string TextoProcRef(const TNFe &nfe) const;
    virtual std::string ValorTotalExibido(Decimal bruto, Decimal desconto) const;
    virtual std::string TextoCSTCSOSN(bool regimeNormal, TpcnSitSimplesNacional csosn,
                                      TpcnSitTributariaICMS cst) const;
    virtual std::string TributosItemExibido(Decimal vTotTrib) const;
    std::string DescricaoProdutoCompleta(const TNFe &nfe, int item) const;

  protected:
    // Raises "<operacao> não implementado em: <class name>".
    [[noreturn]] void recusar(std::string_view operacao) const;

  private:
    friend class TQuibNFe;
    // Called by a component that is going away or linking elsewhere.
    void esquecerQuibNFe(const TQuibNFe *componente);

    TQuibNFe *quibNFe_ = nullptr;
    TpcnTipoImpressao tipoDANFE_ = tiRetrato;
    bool imprimindoCancelada_ = false;
};
