#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "dfe/component/configuracoes.h"
#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_nfe.h"

// The NF-e settings tree: the base tree with NF-e general options (model,
// layout version, NFC-e security code and QR-code version, writer options)
// and NF-e folders. Its document INI section is "NFe" and its embedded
// services INI is "QuibNFeServicos".
//
// INI reading: ordinals outside their enumeration keep the current value;
// IdCSC, CSC, ModeloDF and VersaoDF pass through their setters. The key of
// ForcarGerarTagRejeicao938 is "TagNT2018005". CopiarDe is the base one: the
// NF-e options are not copied.
//
// Folder operations return the folder made by the base MontarPath (created;
// FileWriteError when it cannot be). Implemented in configuracoes_nfe.cpp.

class TGeralConfNFe : public TGeralConf {
  public:
    explicit TGeralConfNFe(TConfiguracoes &configuracoes) : TGeralConf(configuracoes) {}

    void SalvarNoIni(MemIniFile &ini) const override;
    void CarregarDoIni(const MemIniFile &ini) override;

    TpcnModeloDF ModeloDF() const { return modeloDF_; }
    // Also sets ModeloDFCodigo (55 or 65).
    void SetModeloDF(TpcnModeloDF value);
    int ModeloDFCodigo() const { return modeloDFCodigo_; }
    TpcnVersaoDF VersaoDF() const { return versaoDF_; }
    void SetVersaoDF(TpcnVersaoDF value) { versaoDF_ = value; }
    // Stored as six digits: the value read as an integer (0 when not a
    // number), zero-padded; seven or more digits keep the first six.
    const std::string &IdCSC() const { return idCSC_; }
    void SetIdCSC(std::string_view value);
    // Stored trimmed.
    const std::string &CSC() const { return csc_; }
    void SetCSC(std::string_view value);

    bool AtualizarXMLCancelado = false;
    TpcnVersaoQrCode VersaoQRCode = veqr200;
    bool CamposFatObrigatorios = true;
    TForcarGeracaoTag ForcarGerarTagRejeicao938 = fgtNunca;
    TForcarGeracaoTag ForcarGerarTagRejeicao906 = fgtNunca;

  private:
    TpcnModeloDF modeloDF_ = moNFe;
    int modeloDFCodigo_ = 55;
    TpcnVersaoDF versaoDF_ = ve400;
    std::string idCSC_;
    std::string csc_;
};

class TArquivosConfNFe : public TArquivosConf {
  public:
    explicit TArquivosConfNFe(TConfiguracoes &configuracoes) : TArquivosConf(configuracoes) {}

    void SalvarNoIni(MemIniFile &ini) const override;
    void CarregarDoIni(const MemIniFile &ini) override;

    // Note folder under PathNFe. Model code 55 "NFe", 65 "NFCe", 0 the
    // component's model name ("NFe" without a component), any other code no
    // literal and no model part.
    std::string PathNFePara(TDateTime data, std::string_view cnpj, std::string_view ie, int modelo = 0);
    // Event folder under PathEvento with the literal "Evento"; with
    // AdicionarLiteral the event's name is one folder more.
    std::string PathEventoPara(TpcnTipoEvento tipoEvento, std::string_view cnpj, std::string_view ie,
                               TDateTime data);
    // Voiding folder under PathInu with the literal "Inu"; never dated.
    std::string PathInutilizacaoPara(std::string_view cnpj, std::string_view ie);

    bool EmissaoPathNFe = false;
    bool SalvarEvento = false;
    bool SalvarApenasNFeProcessadas = false;
    bool NormatizarMunicipios = false;
    std::string PathNFe;
    std::string PathInu;
    std::string PathEvento;
    std::string PathArquivoMunicipios;
};

class TConfiguracoesNFe : public TConfiguracoes {
  public:
    explicit TConfiguracoesNFe(TQuibComponent *AOwner = nullptr);

    TGeralConfNFe &Geral() { return static_cast<TGeralConfNFe &>(TConfiguracoes::Geral()); }
    const TGeralConfNFe &Geral() const { return static_cast<const TGeralConfNFe &>(TConfiguracoes::Geral()); }
    TArquivosConfNFe &Arquivos() { return static_cast<TArquivosConfNFe &>(TConfiguracoes::Arquivos()); }
    const TArquivosConfNFe &Arquivos() const
    {
        return static_cast<const TArquivosConfNFe &>(TConfiguracoes::Arquivos());
    }

  protected:
    std::unique_ptr<TGeralConf> CriarGeralConf() override;
    std::unique_ptr<TArquivosConf> CriarArquivosConf() override;
};
