#pragma once

#include <cstdint>
#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/model_list.h"

// The distribution answer "retDistDFeInt": each docZip carries one document,
// Base64 of a gzip (or zlib) payload, read as a note summary (resNFe), an
// event summary (resEvento), a whole authorised note (nfeProc) or a whole
// processed event (procEventoNFe).
//
// Unlike the other answer readers, LerResposta raises: a docZip whose schema
// attribute names no TSchemaDFe, whose content is not Base64 or does not
// inflate, or that holds a malformed number or date raises ProgramError with
// the cause's message; the items read before it stay in the list.
//
// Implemented in ret_dist_dfe_int.cpp (the answer and its docZip walk) and
// ret_dist_dfe_int_documentos.cpp (the four kinds of document).

// A note summary, also filled from a whole note.
struct TresDFe {
    std::string ChaveAcesso;
    std::string CNPJCPF;
    std::string xNome;
    std::string IE;
    TDateTime dhEmi = 0;
    TpcnTipoDocFiscal tpNF = tdf0;
    Decimal vNF;
    std::string digVal;
    TDateTime dhRecbto = 0;
    std::string nProt;
    TpcnSituacaoResumoDFe cSitNFe = srd1;
};

// An event summary.
struct TresEvento {
    int cOrgao = 0;
    std::string CNPJCPF;
    std::string ChaveAcesso;
    TDateTime dhEvento = 0;
    TpcnTipoEvento tpEvento = tevNaoMapeado;
    std::uint8_t nSeqEvento = 0;
    std::string xEvento;
    TDateTime dhRecbto = 0;
    std::string nProt;
};

struct TDetEventoCTe {
    std::string chCTe;
    TpcnModalTransporte modal = mtr01;
    TDateTime dhEmi = 0;
    std::string nProt;
    TDateTime dhRecbto = 0;
};

struct TDetEventoEmit {
    std::string CNPJ;
    std::string IE;
    std::string xNome;
};

struct TitensAverbadosCollectionItem {
    TDateTime dhEmbarque = 0;
    TDateTime dhAverbacao = 0;
    std::string nDue;
    int nItem = 0;
    int nItemDue = 0;
    int qItem = 0;
    int motAlteracao = 0;
};

using TitensAverbadosCollection = TModelList<TitensAverbadosCollectionItem>;

// The detail of a processed event (detEvento).
struct TprocEvento_DetEvento {
    std::string versao;
    std::string descEvento;
    std::string nProt;
    std::string xJust;
    std::string xCorrecao;
    int tpAutor = 0;
    std::string verAplic;
    TDetEventoCTe CTe;
    TDetEventoEmit emit;
    TitensAverbadosCollection itensAverbados;
};

// The authority's answer inside a processed event (retEvento).
struct TprocEvento_RetInfEvento {
    std::string Id;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    int cOrgao = 0;
    int cStat = 0;
    std::string xMotivo;
    std::string ChaveAcesso;
    TpcnTipoEvento tpEvento = tevNaoMapeado;
    std::string xEvento;
    int nSeqEvento = 0;
    std::string CNPJDest;
    TDateTime dhRegEvento = 0;
    std::string nProt;
};

// A whole processed event.
struct TprocEvento {
    std::string Id;
    int cOrgao = 0;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string CNPJ;
    std::string ChaveAcesso;
    TDateTime dhEvento = 0;
    TpcnTipoEvento tpEvento = tevNaoMapeado;
    int nSeqEvento = 0;
    std::string verEvento;
    TprocEvento_DetEvento detEvento;
    TprocEvento_RetInfEvento RetInfEvento;
};

// One docZip of the answer.
struct TdocZipCollectionItem {
    std::string NSU;
    TSchemaDFe schema = schresNFe;
    std::string docZip; // the element's content as received (Base64)
    TresDFe resDFe;
    TresEvento resEvento;
    TprocEvento procEvento;
    // The decoded document's main element behind an XML declaration
    // (version 1.0, UTF-8); empty when the document is none of the four kinds.
    std::string DocumentoXML;
};

using TdocZipCollection = TModelList<TdocZipCollectionItem>;

class TRetDistDFeInt {
  public:
    explicit TRetDistDFeInt(std::string SufixoTag = "NFe");

    TLeitor Leitor;
    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    int cStat = 0;
    std::string xMotivo;
    TDateTime dhResp = 0;
    std::string ultNSU; // leading zeros kept
    std::string maxNSU;
    std::string TextoResposta; // the whole answer text read
    TdocZipCollection docZip;
    std::string SufixoTag;

    // True when "retDistDFeInt" was found and every docZip read; false when
    // the root is absent. Raises as said above.
    bool LerResposta();
};
