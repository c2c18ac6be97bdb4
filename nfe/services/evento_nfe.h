#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "nfe/document/model_list.h"
#include "nfe/document/signature.h"

// The model of the NF-e events (correction letter, cancellation, recipient
// manifestation, EPEC, delivery proof...): one event's infEvento data with its
// kind-specific detEvento, the authority's answer to it, and the event list of
// a batch. The batch and its writer are TEventoNFe (env_evento_nfe.h); the
// reader of events and answers is TRetEventoNFe (ret_env_evento_nfe.h).
//
// Implemented in evento_nfe.cpp. Nothing here raises.

// The fixed conditions of use of the correction letter (525 characters).
extern const std::string_view kCondicaoUsoCCe;
// The fixed conditions of use of the interested-party event with permission.
extern const std::string_view kCondicaoUsoAtorInteressado;

// Receiver of an EPEC event.
struct TDestinatario {
    std::string UF; // two letters, "EX" abroad
    std::string CNPJCPF;
    std::string idEstrangeiro;
    std::string IE;
};

struct TitemPedidoCollectionItem {
    Decimal qtdeItem;
    int numItem = 0; // item number of the note
};
using TitemPedidoCollection = TModelListAdicionavel<TitemPedidoCollectionItem>;

struct TautXMLEventoCollectionItem {
    std::string CNPJCPF;
};
using TautXMLEventoCollection = TModelListAdicionavel<TautXMLEventoCollectionItem>;

// The detEvento data of every kind; each kind writes only its own fields.
class TDetEvento {
  public:
    std::string descEvento; // filled by the readers; the writer writes the kind's description
    std::string xCorrecao;
    // The conditions of use; assigning an empty text stores kCondicaoUsoCCe.
    const std::string &xCondUso() const { return xCondUso_; }
    void SetxCondUso(std::string_view valor);
    std::string nProt;
    std::string xJust;
    int cOrgaoAutor = 0;
    TpcnAutorEvento tpAutor = aev1;
    std::string verAplic;
    TDateTime dhEmi = 0;
    TpcnTipoDocFiscal tpNF = tdf0;
    std::string IE;
    TDestinatario dest;
    Decimal vNF;
    Decimal vICMS;
    Decimal vST;
    TitemPedidoCollection itemPedido;
    std::string idPedidoCancelado; // 54-character Id of the extension request
    std::string chNFeRef;          // key of the substitute note
    TDateTime dhEntrega = 0;
    std::string nDoc;
    std::string xNome;
    double latGPS = 0;
    double longGPS = 0;
    std::string hashComprovante; // Base64 of the proof's digest, 28 characters
    TDateTime dhHashComprovante = 0;
    std::string nProtEvento;
    TautXMLEventoCollection autXML;
    TpcnPermissaoTransportador tpAutorizacao = ptNaoPermite;

  private:
    std::string xCondUso_;
};

// One event's infEvento data.
class TInfEvento {
  public:
    std::string Id; // recomputed by the batch writer
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string CNPJ; // author's CNPJ or CPF; only its digits are used
    // The receiving body: the stored value, or, when it is 0, the first two
    // characters of chNFe as a number (0 when they are not one).
    int cOrgao() const;
    void SetcOrgao(int valor) { cOrgao_ = valor; }
    std::string chNFe;
    TDateTime dhEvento = 0;
    TpcnTipoEvento tpEvento = tevNaoMapeado;
    int nSeqEvento = 0;
    std::string verEvento; // filled by the readers; the writer writes the batch version
    TDetEvento detEvento;

    // The descEvento text of the kind; empty for a kind without one.
    std::string DescricaoTipoEvento() const;
    // The six-digit tpEvento code; empty for a kind without one.
    std::string CodigoTipoEvento() const;

  private:
    int cOrgao_ = 0;
};

// Copies the event's header (all but Id) and the single-valued fields of its
// detail except idPedidoCancelado; the lists are the caller's to copy.
void CopiarDadosEvento(const TInfEvento &origem, TInfEvento &destino);

struct TRetchNFePendCollectionItem {
    std::string chNFePend;
};
using TRetchNFePendCollection = TModelList<TRetchNFePendCollectionItem>;

// The authority's answer to one event.
struct TRetInfEvento {
    std::string Id;
    std::string ArquivoProcEvento; // path of the saved procEventoNFe, set by the event service
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    int cOrgao = 0;
    int cStat = 0;
    std::string xMotivo;
    std::string chNFe;
    TpcnTipoEvento tpEvento = tevNaoMapeado;
    std::string xEvento;
    int nSeqEvento = 0;
    std::string CNPJDest; // CNPJ or CPF of the recipient
    std::string emailDest;
    int cOrgaoAutor = 0;
    TDateTime dhRegEvento = 0;
    std::string nProt;
    TRetchNFePendCollection chNFePend;
    // The answer's infEvento as UTF-8 with a declaration; the event service
    // puts the whole procEventoNFe here once it has built it.
    std::string XML;
};

struct TInfEventoCollectionItem {
    TInfEvento InfEvento;
    TSignature Signature;
    TRetInfEvento RetInfEvento;
    std::string TextoXML; // the text the item was read from
};
using TInfEventoCollection = TModelListAdicionavel<TInfEventoCollectionItem>;
