#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "foundation/base/base_classes.h"
#include "foundation/codes/enum_names.h"

// Check digits and validation of Brazilian identifiers: CPF, CNPJ, CAEPF, PIS,
// state codes, state registrations (rules in ie_rules.cpp), CEP, GTIN and its
// GS1 prefix, SUFRAMA, RENAVAM, CNH, plates, CNS, cheques, cards and e-mails.
// A check never raises unless `RaiseExcept` is set: it leaves one Portuguese
// message, empty when the identifier is valid.
//
// Implemented in validador.cpp (the component: normalisation, dispatch by
// kind, message, formatting), validador_documentos.cpp (CPF, CNPJ, CAEPF, PIS,
// RENAVAM, CNH, CNS, plates, cheques, cards), validador_cep.cpp (states and
// CEP), validador_gtin.cpp (GTIN and GS1 prefix), validador_email.cpp
// (e-mail addresses); state registrations in ie_rules.cpp (ie_rules.h).

// Weighted modulo 11. The characters of `Documento` are weighed from the last
// to the first with multipliers running from `MultiplicadorInicial` towards
// `MultiplicadorFinal` and starting over (2, 3, ... 9, 2, 3 ... by default).
class TQuibCalcDigito {
  public:
    int MultiplicadorInicial = 2;
    int MultiplicadorFinal = 9;
    std::string Documento;
    int Digito = 0;
    int Soma = 0;
    int Resto = 0;

    // Multipliers back to 2 and 9.
    void Reinicia();
    // Soma, Resto (Soma mod 11) and Digito (0 for a remainder of 0 or 1, else
    // 11 - Resto). A character that is not a digit counts 0.
    void CalculaDigito();
};

enum TQuibValTipoDocto : std::uint8_t {
    docCPF,
    docCNPJ,
    docUF,
    docInscEst,
    docNumCheque,
    docPIS,
    docCEP,
    docCartaoCredito,
    docSuframa,
    docGTIN,
    docRenavam,
    docEmail,
    docCNH,
    docPrefixoGTIN,
    docCAEPF,
    docPlacaMercosul,
    docCNS
};

template <>
inline constexpr auto kEnumNames<TQuibValTipoDocto> = std::to_array<EnumName<TQuibValTipoDocto>>({
    {docCPF, "docCPF"},
    {docCNPJ, "docCNPJ"},
    {docUF, "docUF"},
    {docInscEst, "docInscEst"},
    {docNumCheque, "docNumCheque"},
    {docPIS, "docPIS"},
    {docCEP, "docCEP"},
    {docCartaoCredito, "docCartaoCredito"},
    {docSuframa, "docSuframa"},
    {docGTIN, "docGTIN"},
    {docRenavam, "docRenavam"},
    {docEmail, "docEmail"},
    {docCNH, "docCNH"},
    {docPrefixoGTIN, "docPrefixoGTIN"},
    {docCAEPF, "docCAEPF"},
    {docPlacaMercosul, "docPlacaMercosul"},
    {docCNS, "docCNS"},
});

// The name of a kind as the "não pode ser vazio." message shows it.
std::string_view NomeTipoDocto(TQuibValTipoDocto tipo);

// Called with the message of every failed check.
using TQuibValidadorMsg = std::function<void(const std::string &Mensagem)>;

class TQuibValidador : public TQuibComponent {
  public:
    TQuibValidador() = default;

    TQuibValTipoDocto TipoDocto = docCPF;
    // The UF for docInscEst and docCEP (the CEP check stores it back trimmed).
    std::string Complemento;
    // Appends the computed check digit(s) to the error message.
    bool ExibeDigitoCorreto = false;
    // Characters dropped from the document before it is checked.
    std::string IgnorarChar = "./-";
    // Pads short documents with leading zeros to the kind's length.
    bool AjustarTamanho = false;
    // An empty document is valid.
    bool PermiteVazio = false;
    // A failed check raises EQuibException (after OnMsgErro was called).
    bool RaiseExcept = false;
    TQuibValidadorMsg OnMsgErro;

    const std::string &Documento() const { return documento_; }
    // A different text resets the message to "Função Validar não foi chamada".
    void SetDocumento(std::string_view documento);

    // The document as the checks see it: characters of IgnorarChar dropped,
    // upper-cased and trimmed (only trimmed for e-mails).
    std::string LimpaDocumento(std::string_view documento) const;

    // Runs the check of TipoDocto; true when no message remains.
    bool Validar();
    std::string MensagemDeErro() const;

    // State left by the last check: the normalised (possibly padded) document
    // and the check digit(s) it computed.
    const std::string &DocumentoLimpo() const { return documentoLimpo_; }
    const std::string &DigitoDaUltimaValidacao() const { return digitoDaUltimaValidacao_; }

  private:
    void ValidarCPF();
    void ValidarCNPJ();
    void ValidarUF(std::string_view uf);
    void ValidarIE(); // state-registration rules, ie_rules.cpp
    void ValidarCheque();
    void ValidarPIS();
    void ValidarCEP();
    void ValidarCartaoCredito();
    void ValidarSuframa();
    void ValidarGTIN();
    void ValidarRenavam();
    void ValidarEmail();
    void ValidarCNH();
    void ValidarPrefixoGTIN();
    void ValidarCAEPF();
    void ValidarPlaca();
    void ValidarCNS();

    void despacha();
    void ajustaTamanho(int largura);
    // The CNPJ pair of check digits over the first 12 digits of DocumentoLimpo.
    std::string digitosCNPJ();
    // Sets the message, appending `rotulo` and the computed digit(s) when
    // ExibeDigitoCorreto is on.
    void falhaComDigito(std::string_view mensagem, std::string_view rotulo);

    std::string documento_;
    std::string documentoLimpo_;
    std::string mensagemErro_;
    std::string digitoDaUltimaValidacao_;
    TQuibCalcDigito calcDigito_;
};

// Each runs one check on a fresh validator (RaiseExcept and PermiteVazio off)
// and returns its message, empty when the document is valid.
std::string VerificaDocumento(TQuibValTipoDocto tipo, std::string_view documento,
                              std::string_view complemento = {});
std::string VerificaCPF(std::string_view documento);
std::string VerificaCNPJ(std::string_view documento);
std::string VerificaIE(std::string_view inscricao, std::string_view uf);
std::string VerificaGTIN(std::string_view codigo);
std::string VerificaPrefixoGTIN(std::string_view codigo);
// The CNPJ check when the text has 12 or more digits, else the CPF check.
std::string VerificaCNPJouCPF(std::string_view documento);

// The weighted modulo-11 digit ("0" to "9") of the digits with the given
// multipliers.
std::string DigitoMod11ComPesos(std::string_view digitos, int multiplicadorInicial = 2,
                                int multiplicadorFinal = 9);

// The GTIN check digit of the digits that precede it.
std::string CalculaDigitoGTIN(std::string_view digitos);
