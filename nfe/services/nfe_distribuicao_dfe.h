#pragma once

#include <memory>
#include <string>
#include <vector>

#include "nfe/services/nfe_web_service.h"
#include "nfe/services/ret_dist_dfe_int.h"

// The distribution of the documents of interest to a CNPJ or CPF
// ("distDFeInt"), always from the national environment "AN": by last NSU, by
// one NSU or by access key. Processar answers true for cStat 137 (nothing
// new) or 138 (documents found); each document of the answer gets a file
// name in ListaArqs and, with Arquivos.Salvar on, is saved in its download
// folder (summaries of events and processed events only with
// Arquivos.SalvarEvento on). The answer and ListaArqs are owned and replaced
// by every Limpar. Send and answer errors reach the error path with
// "WebService Distribuição de DFe:..." in front.
//
// Implemented in nfe_distribuicao_dfe.cpp.
class TDistribuicaoDFe : public TNFeWebService {
  public:
    using TNFeWebService::TNFeWebService;

    int cUFAutor = 0;
    std::string CNPJCPF;
    std::string ultNSU;
    std::string NSU;
    std::string chNFe;

    TRetDistDFeInt &RetDistDFeInt() { return *retorno_; }
    std::string NomeArq;
    const std::vector<std::string> &ListaArqs() const { return listaArqs_; }

    std::string NomeDaClasse() const override { return "TDistribuicaoDFe"; }
    void Limpar() override;
    // The file name a document of the answer is listed and saved under;
    // empty for kinds not saved here.
    static std::string NomeArquivoDocumento(const TdocZipCollectionItem &documento);
    // The download folder of a document; empty for kinds not saved here.
    std::string PastaDocumento(const TdocZipCollectionItem &documento);

  protected:
    void DefinirServicoEAction() override;
    void DefinirURL() override;
    void DefinirDadosMsg() override;
    bool TratarResposta() override;
    std::string MontarMsgLog() override;
    std::string MontarMsgErro(const std::exception &erro) override;

  private:
    std::unique_ptr<TRetDistDFeInt> retorno_ = std::make_unique<TRetDistDFeInt>("NFe");
    std::vector<std::string> listaArqs_;
};
