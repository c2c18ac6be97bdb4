#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"
#include "nfe/document/proc_nfe.h"
#include "nfe/services/nfe_web_service.h"
#include "nfe/services/ret_cons_sit_nfe.h"

class NotaFiscal;
class TNotasFiscais;

// The situation of one note by its access key ("consSitNFe"), asked of the
// authoriser of the key's state (or the SVC one). Processar answers true for
// a note with protocol (100, 110, 150, 301, 302, 303) or a cancelled one
// (101, 135, 151, 155); any other answer is false and changes nothing.
//
// Protocolo and DataRecbto are those of the protocol that decides the
// situation: a cancellation (old infCanc or the last cancellation event)
// over the authorisation. When the note is loaded in the collection, it is
// brought up to date: its protocol cStat becomes the answer's; with a
// protocol of 100, 110, 150, 301, 302 or 303 its XML becomes the "nfeProc"
// (a cancelled note thus keeps its authorised document, and its cStat stays
// the cancellation code); with Geral.AtualizarXMLCancelado on, a cancelled
// note takes the cancellation's protocol data and its XML is generated
// anew. With Arquivos.Salvar on, the note is saved, the note with its events
// as key + "-NFeDFe.xml" and, with GravarEventosRetornados, every event as
// type + key + sequence + "-procEventoNFe.xml" in the event folder.
//
// Ownership: the answer read (protNFe, retCancNFe, procEventoNFe) is owned
// and replaced by every Limpar; the collection is the component's.
//
// Errors: SetChaveAcesso raises EQuibNFeException("Chave \"<text>\"
// inválida."); a digest mismatch raises EQuibNFeException("DigestValue do
// documento <key> não confere.") through the error path.
//
// Implemented in nfe_consulta.cpp (query and answer) and
// nfe_consulta_arquivos.cpp (the note brought up to date, saved files).
class TNFeConsulta : public TNFeWebService {
  public:
    TNFeConsulta(TQuibNFe *componente, TNotasFiscais &notas);
    ~TNFeConsulta() override;

    const std::string &ChaveAcesso() const { return chaveAcesso_; }
    void SetChaveAcesso(std::string_view texto);
    bool GravarEventosRetornados = false;

    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    int cStat = 0;
    std::string xMotivo;
    int cUF = 0;
    std::string Protocolo;
    TDateTime DataRecbto = 0;
    std::string NFeDFe;

    // The answer's authorisation protocol, old-layout cancellation (cStat 0:
    // none) and events, as read.
    TProcNFe &protNFe() { return resposta_->protNFe; }
    TRetCancNFe &retCancNFe() { return resposta_->retCancNFe; }
    TRetEventoNFeCollection &procEventoNFe() { return *resposta_->procEventoNFe; }

    std::string NomeDaClasse() const override { return "TNFeConsulta"; }
    void Limpar() override;

  protected:
    void DefinirServicoEAction() override;
    void DefinirURL() override;
    void DefinirDadosMsg() override;
    void PrepararIntegrador() override;
    bool TratarResposta() override;
    std::string MontarMsgLog() override;
    std::string MontarUFSoap() override;
    std::string PrefixoArquivoData() override;

  private:
    // The loaded note of the key brought up to date with the answer.
    void atualizarNota(NotaFiscal &nota);
    // The events of the answer: from its first procEventoNFe up to the end
    // of retConsSitNFe; empty when it has none.
    std::string textoEventos() const;
    void salvarEventos(const std::string &eventos);

    TNotasFiscais &notas_;
    std::string chaveAcesso_;
    std::unique_ptr<TRetConsSitNFe> resposta_;
};
