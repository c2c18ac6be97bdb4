#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml/gerador_txt.h"
#include "foundation/xml/valor_campo.h"

// The XML writer of every fiscal document and message, with its field checks,
// its alert list and its optional TXT-layout output.
//
// A message writer writes its document element by element, in document order:
// groups with EscreveGrupo, leaf elements with EscreveCampo. Each leaf value is
// checked against the layout (length limits, decimal places, required
// presence, digits only) and every problem becomes one line of
// ListaDeAlertas; nothing raises for a bad value, the element is written
// anyway. Lengths count characters.
//
// Implemented in gerador.cpp (groups, attributes, alerts, the TXT records)
// and gerador_campo.cpp (EscreveCampo: value texts by kind and the field
// checks); the TXT template in gerador_txt.cpp (gerador_txt.h).

// The writer's options.
struct TGeradorOpcoes {
    char DecimalChar = '.';                // decimal character of decimal values
    bool SomenteValidar = false;           // check and alert, write nothing
    bool IdentarXML = false;               // one element per line, indented
    bool RetirarEspacos = true;            // cleaning collapses double blanks
    bool RetirarAcentos = true;            // cleaning folds accented letters
    int ProfundidadeAtual = 0;             // current indentation depth
    int TamanhoIdentacao = 3;              // blanks per depth level
    bool SuprimirDecimais = false;         // whole decimal values without decimals
    bool TagVaziaNoFormatoResumido = true; // an empty required element as <TAG/>
    std::string FormatoAlerta = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";
    std::string QuebraLinha; // text that replaces line breaks when cleaning
};

class TGerador {
  public:
    // Output. The writer only appends: the caller clears ArquivoFormatoXML,
    // ArquivoFormatoTXT and ListaDeAlertas before each document.
    std::string ArquivoFormatoXML;
    std::string ArquivoFormatoTXT;
    // The TXT template, one record template per line; empty means no TXT
    // output. Assigning it starts the TXT records of a new document.
    TxtTemplate LayoutArquivoTXT;
    // Formatted alert lines, in the order raised, duplicates included.
    std::vector<std::string> ListaDeAlertas;
    TGeradorOpcoes Opcoes;
    // Namespace prefix put before every element and group name.
    std::string Prefixo;
    // Lists "|item|item|" of tag beginnings: groups left out of the alert path,
    // and groups that lower the indentation depth by one before they are written.
    std::string TagsForaDoNivel;
    std::string TagsSemRecuo;

    // Path of the open groups, "<name attributes>" each, outermost first.
    const std::string &TagNivel() const { return tagNivel_; }
    // Upper-cased id of the TXT record being filled.
    const std::string &IDNivel() const { return idNivel_; }
    // Goes back to the record of a group opened before (its latest opening),
    // so that the fields written next fill it: a parent group's fields that
    // follow a nested group.
    void IDNivel(std::string_view ID);

    // Writes one leaf element. Ocorrencias below 0 skips the field, 0 makes it
    // optional (an empty value writes nothing), 1 required. With LimpaTexto
    // the content is cleaned (accents, entities, blanks, line breaks) by the
    // options; without it the text goes in exactly as given. Atributo is
    // written inside the opening tag.
    void EscreveCampo(TTipoValorCampo Tipo, std::string_view ID, std::string_view TAG, std::int16_t Min,
                      std::int16_t Max, std::int16_t Ocorrencias, const TValorCampo &Valor,
                      std::string_view Descricao = "", bool LimpaTexto = true,
                      std::string_view Atributo = "");

    // Writes an opening group tag, or a closing one when TAG begins with "/".
    // TAG may carry attributes after a blank and end in "/" (self-closing). ID
    // is the group's layout id (TXT records); Recuar says that the group
    // changes the indentation depth.
    void EscreveGrupo(std::string_view TAG, std::string_view ID = "", bool Recuar = true);

    // "CPF" for 1 to 11 digits, otherwise "CNPJ"; CompletarZeros pads to 11
    // or 14 digits.
    void EscreveCNPJouCPF(std::string_view IDCNPJ, std::string_view IDCPF, std::string_view Valor,
                          std::int16_t Ocorrencias = 1, bool CompletarZeros = true);
    // The "CNPJ" of a party: checked when the party is Brazilian (country
    // 1058), otherwise written empty.
    void EscreveCNPJ(std::string_view ID, std::string_view CNPJ, int CodigoPais, bool Obrigatorio = true);

    // Formats one alert line by FormatoAlerta and appends it; a blank alert is
    // ignored.
    void AdicionaAlerta(std::string_view ID, std::string_view TAG, std::string_view Descricao,
                        std::string_view Alerta);

    // Appends a ready-made XML fragment unchanged.
    void EscreveTexto(std::string_view Texto);

    // TXT output: fills one field of the current record; false when no
    // record of the open groups has that field (the value is left out).
    bool PreencheCampoTXT(std::string_view TAG, std::string_view Valor);
    // Finishes ArquivoFormatoTXT with the document's Id.
    void ConcluiTXT(std::string_view ID);

  private:
    // A field's content (as the element carries it, entities included) put
    // into the TXT record: line breaks become QuebraLinha and "|" becomes
    // kSubstitutoBarraTXT, with the alert kValorAlteradoTXT when the value
    // given held either; a value that no record has a field for gets the
    // alert kSemRegistroTXT instead.
    void preencheValorTXT(std::string_view id, std::string_view tag, std::string_view descricao,
                          std::string_view valor, std::string_view conteudo);
    void AbreRegistroTXT(std::string_view ID);
    void FechaRegistroTXT();
    void atualizaTagNivel(std::string_view tag);
    // Indentation before, and the line end after, an element written with IdentarXML.
    void iniciaLinha();
    void terminaLinha();

    std::string tagNivel_;
    std::string idNivel_;
    std::vector<std::string> idsAbertos_; // TXT ids of the open groups, outermost first
    TxtRegistros registrosTxt_;
};
