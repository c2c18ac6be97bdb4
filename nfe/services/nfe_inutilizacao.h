#pragma once

#include <string>

#include "nfe/services/nfe_web_service.h"

// The voiding of a range of note numbers ("inutNFe"). The request's infInut
// is signed with the company certificate before it goes out; the endpoint is
// always that of the configured state (a voiding never goes to a contingency
// authoriser). Processar answers true for cStat 102 (range voided); 563
// (already voided) also builds and saves the "ProcInutNFe" document but
// answers false; any other answer is no error (false).
//
// Errors: SetJustificativa refuses an empty or short text through the error
// path; a model other than 55 or 65 raises EQuibNFeException("Modelo
// Inválido: <n>") before any traffic; signing failures reach the error path
// with "Falha ao assinar Inutilização Nota Fiscal Eletrônica " in front.
//
// Implemented in nfe_inutilizacao.cpp.
class TNFeInutilizacao : public TNFeWebService, public TCabecalhoRespostaNFe {
  public:
    using TNFeWebService::TNFeWebService;

    std::string CNPJ;
    int Modelo = 0;
    int Serie = 0;
    int Ano = 0;
    int NumeroInicial = 0;
    int NumeroFinal = 0;
    const std::string &Justificativa() const { return justificativa_; }
    // Stores the trimmed text; refuses one shorter than 15 characters.
    void SetJustificativa(std::string_view texto);

    std::string ID;
    std::string Protocolo;
    std::string XMLProcInutNFe;
    std::string NomeArquivo;

    std::string NomeDaClasse() const override { return "TNFeInutilizacao"; }
    void Limpar() override;
    // The voiding folder, by CNPJ when the configuration separates by CNPJ.
    std::string PastaInutilizacao();

  protected:
    void DefinirServicoEAction() override;
    void DefinirURL() override;
    void DefinirDadosMsg() override;
    void PrepararIntegrador() override;
    bool TratarResposta() override;
    std::string MontarMsgLog() override;
    std::string PrefixoArquivoData() override;

  private:
    std::string justificativa_;
};
