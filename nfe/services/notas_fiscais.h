#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"
#include "nfe/document/nfe_writer.h"

class TQuibComponent;
class TQuibNFe;
class TConfiguracoesNFe;
class TNotasFiscais;

// One NF-e or NFC-e of the component's note collection: its document model,
// the writer and reader bound to it, its XML texts (generated, loaded or
// signed), the file it came from or went to, and the messages of its last
// checks.
//
// Ownership: the note owns its model, writer and reader; the collection owns
// the notes; the component (the collection's owner) outlives both.
//
// Errors: ValidarNota, NomeArquivoPadrao, EnviarPorEmail and ImprimirNota
// raise EQuibNFeException; signing refusals (certificate, CNPJ of the
// document) come from the facade as EQuibDFeException; CarregarXML passes on
// the reader's errors. ConferirAssinatura and ValidarRegrasNegocio never
// raise: they answer false and leave the message in MsgErroValidacao or
// MsgErroRegras. Field problems of the document are only alerts
// (AlertasGeracao). File saving goes through the component's
// SalvarArquivoXML (replace by rename; false when its log handler handled
// the error).
//
// Implemented in nota_fiscal.cpp (model, generation, signing, checks, files,
// mail, printing), nota_fiscal_chave.cpp (ChaveConfere) and
// regras_negocio_*.cpp (ValidarRegrasNegocio).
class NotaFiscal {
  public:
    // A note with the defaults of the collection's component (model, layout
    // version, environment, emission type, DANFE type, country of the
    // addresses).
    explicit NotaFiscal(TNotasFiscais &colecao);
    ~NotaFiscal();
    NotaFiscal(const NotaFiscal &) = delete;
    NotaFiscal &operator=(const NotaFiscal &) = delete;

    TNFe &NFe() { return *nfe_; }
    const TNFe &NFe() const { return *nfe_; }
    TNFeW &GeradorNFe() { return *gerador_; }
    TNFeR &LeitorNFe() { return *leitor_; }

    // The current XML. Assigning stores the text made UTF-8 and sets the
    // signed text to the same when it holds a signature, else empties it.
    const std::string &TextoXML() const { return textoXML_; }
    void SetTextoXML(std::string_view texto);
    // The signed XML; signs the note first when there is none.
    const std::string &TextoXMLAssinado();
    // The signed XML as it stands (empty when not signed), without signing.
    const std::string &TextoXMLAssinadoAtual() const { return textoXMLAssinado_; }

    std::string AlertasGeracao;
    std::string MsgErroValidacao;
    std::string MsgErroValidacaoDetalhada;
    std::string MsgErroRegras;
    std::string ArquivoXML;

    // The digits of infNFe.Id.
    std::string ChaveNota() const;
    int CodigoStatus() const;
    std::string MotivoStatus() const;
    bool Confirmada() const;
    bool Processada() const;

    // Writes the model as XML (TextoXML); AlertasGeracao gets the writer's
    // alerts. When the key changed, a file name already set moves to the
    // default name in the same folder.
    std::string GerarTextoXML();
    // The same with the TXT layout; answers the TXT text.
    std::string GerarTextoTXT();
    // Checks the emitter's CNPJ against the certificate (unless a handler
    // signs in its place), signs infNFe, reads the signature back into the
    // model, adds the NFC-e supplement (QR code, consultation address from
    // 4.00) and saves the signed file when saving is on.
    void AssinarNota();
    // Schema check of the signed (or current) XML; raises with the short or
    // detailed message as Geral.ExibirErroSchema says.
    void ValidarNota();
    bool ConferirAssinatura();
    bool ValidarRegrasNegocio();
    // Loads an XML text (an NFe or an nfeProc) into the model.
    bool CarregarXML(std::string_view xml);
    bool GravarArquivoXML(std::string_view NomeArquivo = "", std::string_view PastaArquivo = "");
    // Replaces the stream's content with TextoXML.
    bool GravarEmStream(std::ostream &stream);
    void EnviarPorEmail(std::string_view sPara, std::string_view sAssunto,
                        const std::vector<std::string> *sMensagem = nullptr, bool EnviaPDF = true,
                        const std::vector<std::string> *sCC = nullptr,
                        const std::vector<std::string> *Anexos = nullptr,
                        const std::vector<std::string> *sReplyTo = nullptr);
    void ImprimirNota();

    std::string NomeArquivoPadrao() const;
    std::string PastaPadrao();
    std::string CaminhoCompleto(std::string_view NomeArquivo, std::string_view PastaArquivo);
    // The key of infNFe.Id agrees with the note's data (the check digit is
    // not compared).
    bool ChaveConfere() const;

  private:
    TQuibNFe &componente() const;
    TConfiguracoesNFe &configuracoes() const;
    std::string gerar(bool txt);
    void lerAssinatura();
    void montarSuplementoNFCe();
    // The note's NFe element with its namespace, from the signed or current text.
    std::string elementoNFe() const;

    TNotasFiscais &colecao_;
    std::unique_ptr<TNFe> nfe_;
    std::unique_ptr<TNFeW> gerador_;
    std::unique_ptr<TNFeR> leitor_;
    std::string textoXML_;
    std::string textoXMLAssinado_;
};

// The notes of an NF-e component, in order. No limit on their number here
// (the batch send refuses more than 50).
//
// The owner must be a TQuibNFe, else EQuibNFeException "AOwner deve ser do
// tipo TQuibNFe" at creation. The collection-wide checks answer false with
// their messages; AssinarTodas and ValidarTodas stop at the first note that
// raises. Implemented in notas_fiscais.cpp (collection and checks) and
// notas_fiscais_arquivos.cpp (loading texts and files, TXT export).
class TNotasFiscais {
  public:
    explicit TNotasFiscais(TQuibComponent *AOwner);
    ~TNotasFiscais();
    TNotasFiscais(const TNotasFiscais &) = delete;
    TNotasFiscais &operator=(const TNotasFiscais &) = delete;

    TQuibNFe &QuibNFe() const { return *componente_; }
    std::string NamePath() const { return "NotaFiscal"; }

    int Count() const { return static_cast<int>(notas_.size()); }
    NotaFiscal &AdicionarNota();
    NotaFiscal &ObterNota(int index);
    NotaFiscal &operator[](int index) { return ObterNota(index); }
    void Clear() { notas_.clear(); }

    void GerarXMLTodas();
    void AssinarTodas();
    void ValidarTodas();
    bool ConferirAssinaturas(std::string &Erros);
    bool ValidarRegrasTodas(std::string &Erros);
    void ExigirDANFE() const;
    void ImprimirNotas();
    void ImprimirNotasPDF();

    // Reads the file as bytes (a file without declaration is taken as
    // UTF-8); the notes it adds remember the file name. Raises EQuibException
    // when the file cannot be read.
    bool CarregarArquivo(std::string_view NomeArquivo, bool GerarXML = true);
    // Splits the text into its documents (each NFe, nfeProc or procNFe) and
    // loads each as a new note; true when the collection holds any note.
    bool CarregarTexto(std::string_view Texto, bool GerarXML = true);
    // The TXT layout of every note, Windows-1252 with CR LF, replacing the
    // file by rename; empty name: PathSalvar + "NFe.TXT". False and nothing
    // written without notes; FileWriteError when the file cannot be written.
    bool GravarArquivoTXT(std::string_view NomeArquivo = "");

  private:
    TQuibNFe *componente_;
    std::vector<std::unique_ptr<NotaFiscal>> notas_;
};
