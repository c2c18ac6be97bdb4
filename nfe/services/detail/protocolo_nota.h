#pragma once

// Attaching a protocol of the tax authority to its note: the digest check,
// the note's protocol data, the authorised document "nfeProc" and the saved
// note. Shared by the batch, batch-result and protocol-query services.
//
// Implemented in protocolo_nota.cpp.

#include <string>
#include <string_view>

#include "nfe/services/ret_cons_reci_dfe.h"

class NotaFiscal;
class TProcNFe;
class TNotasFiscais;
class TNFeWebService;

namespace nfe_services {

// The n-th (from 1) protNFe element of an answer exactly as received; empty
// when there are fewer.
std::string protocoloComoRecebido(const std::string &resposta, int ordem = 1);

// The fields of a protocol read as protNFe, as a protocol of a receipt
// answer (without the element text).
TProtDFeCollectionItem protocoloDosCampos(const TProcNFe &lido);
// The protocol's tpAmb, verAplic, chNFe, dhRecbto, nProt, digVal, cStat,
// xMotivo, cMsg and xMsg into a note's protocol data.
void copiarParaNota(const TProtDFeCollectionItem &protocolo, TProcNFe &dados);

// The first note (collection order) whose access key equals the digits of
// the key; null when none does.
NotaFiscal *notaDaChave(TNotasFiscais &notas, std::string_view chave);

// Raises EQuibNFeException("DigestValue do documento <key> não confere.")
// when Geral.ValidarDigest is on, the protocol's digest is not empty and it
// differs from the DigestValue of the note's signature. `semCaixa` compares
// without regard to case and skips a note whose signature has no digest.
void conferirDigest(TNFeWebService &servico, NotaFiscal &nota, std::string_view digVal, bool semCaixa);

// The note's current XML becomes the "nfeProc" of its signed (or current)
// XML and the protocol element as received, written with the service's
// writer options. Raises EQuibNFeException when the document cannot be
// assembled (the note keeps its XML).
void montarNfeProc(TNFeWebService &servico, NotaFiscal &nota, std::string_view elementoProtocolo,
                   std::string_view versao);

// When Arquivos.Salvar is on (and, with SalvarApenasNFeProcessadas, only for
// a note with protocol): the note's XML over its own file when that exists,
// then under its default name and folder unless that is the same file.
void salvarNotaProcessada(TNFeWebService &servico, NotaFiscal &nota);

// The whole attachment: digest check, protocol data copied into the note,
// "nfeProc" for a protocol of 100, 110, 150, 301, 302 or 303, saving.
void anexarProtocolo(TNFeWebService &servico, NotaFiscal &nota, const TProtDFeCollectionItem &protocolo,
                     std::string_view versao);

} // namespace nfe_services
