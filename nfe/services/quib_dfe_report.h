#pragma once

#include <string>
#include <string_view>

#include "foundation/base/base_classes.h"
#include "foundation/codes/conversao.h"
#include "foundation/numbers/decimal.h"

// Decimal places (or masks) of item quantities and unit values on a report.
class TCasasDecimais {
  public:
    TDetFormato Formato = tdetInteger;
    int qCom() const { return qCom_; }
    // Clamped to 0..4.
    void SetqCom(int value);
    int vUnCom() const { return vUnCom_; }
    // Clamped to 0..10.
    void SetvUnCom(int value);
    std::string MaskqCom = ",0.00";
    std::string MaskvUnCom = ",0.00";

  private:
    int qCom_ = 2;
    int vUnCom_ = 2;
};

// Settings of an expanded logo, read by the layouts.
struct TExpandeLogoMarcaConfig {
    int Altura = 0;
    int Esquerda = 0;
    int Topo = 0;
    int Largura = 0;
    bool Dimensionar = false;
    bool Esticar = true;
};

// What every printed or PDF report of a fiscal document shares: printer,
// copies, PDF folder and name, logo, margins and decimal settings. Nothing
// is drawn here; layouts derive from it.
//
// PDF folder and name: setting PathPDF to a text with a file extension splits
// it into the folder and NomeDocumento; setting NomeDocumento to a text with a
// folder moves the folder into PathPDF; a name without extension gets ".pdf".
// Empty texts leave both unchanged. Stored folders end with a separator.
// Reading an empty PathPDF gives the program folder + "pdf/".
//
// Numbers are written with the Brazilian formatting ("," decimal, "."
// thousands), never the locale's. Implemented in quib_dfe_report.cpp.
class TQuibDFeReport : public TQuibComponent {
  public:
    TQuibDFeReport() = default;

    std::string Impressora;
    const std::string &NomeDocumento() const { return nomeDocumento_; }
    void SetNomeDocumento(std::string_view value);
    int NumCopias() const { return numCopias_; }
    // Negative values are ignored.
    void SetNumCopias(int value);
    bool MostraPreview = true;
    bool MostraSetup = false;
    bool MostraStatus = true;
    std::string PathPDF();
    void SetPathPDF(std::string_view value);
    // Full name of the last PDF written by a layout.
    const std::string &ArquivoPDF() const { return arquivoPDF_; }
    bool UsaSeparadorPathPDF = false;
    std::string Logo;
    std::string Sistema = "Console de Documentos Fiscais Eletrônicos";
    std::string Usuario;
    std::string Site;
    std::string Email;
    double MargemInferior = 8.0;
    double MargemSuperior = 8.0;
    double MargemEsquerda = 6.0;
    double MargemDireita = 5.1;
    bool ExpandeLogoMarca = false;
    TExpandeLogoMarcaConfig &ExpandeLogoMarcaConfig() { return expandeLogoMarcaConfig_; }
    TCasasDecimais &CasasDecimais() { return casasDecimais_; }
    const TCasasDecimais &CasasDecimais() const { return casasDecimais_; }
    bool AlterarEscalaPadrao = false;
    int NovaEscala = 96;

    // The folder where PDFs go: unchanged here; the DANFE report adds the
    // document's sub-folders.
    virtual std::string MontarPathPDF(std::string_view path);
    // Fractional or forced: MaskqCom, or qCom decimals with grouping; else the
    // shortest text ("3", "-2,5").
    virtual std::string FormatarQtdeItem(Decimal value, bool forcarDecimais = false) const;
    // MaskvUnCom, or vUnCom decimals with grouping.
    virtual std::string FormatarVlrUnit(double value) const;

  protected:
    void SetArquivoPDF(std::string_view value) { arquivoPDF_ = value; }

  private:
    std::string nomeDocumento_;
    int numCopias_ = 1;
    std::string pathPDF_;
    std::string arquivoPDF_;
    TExpandeLogoMarcaConfig expandeLogoMarcaConfig_;
    TCasasDecimais casasDecimais_;
};
