#pragma once

// The XML writer of one NF-e / NFC-e document (layouts 2.00, 3.10 and 4.00),
// with the TXT layout text on request.
//
// The caller creates one TNFeW on its document, copies its configuration into
// Gerador.Opcoes, Opcoes, IdCSRT and CSRT, and calls MontarXml. The result is
// Gerador.ArquivoFormatoXML (and Gerador.ArquivoFormatoTXT when
// Opcoes.GerarTXTSimultaneamente is on) and the alert list
// Gerador.ListaDeAlertas; the document is valid only when that list is empty.
//
// The writer never raises for a bad value: every problem becomes an alert and
// the element is written all the same. The same document and options give the
// same bytes on every run (the note is written again after signing and after
// reading, and any drift would break its signature): numbers go through the
// fixed-point type, never the locale, and nothing depends on the clock except
// the time-zone setting the caller chose.
//
// A run changes the document: infNFe.Id, ide.cDV and ide.cNF always (a cNF of
// 0 or -1 is drawn once and kept, so later runs give the same key);
// dest.indIEDest before 3.10; a blank cEAN / cEANTrib of an item from 4.00.
//
// The sections are written by private members defined in one file per area:
// the frame (nfe_writer.cpp), the header groups (nfe_writer_header.cpp), the
// items and their taxes (nfe_writer_items*.cpp), and the groups after the
// items (nfe_writer_totals.cpp, nfe_writer_closing.cpp).

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes/conversao.h"
#include "foundation/xml/gerador.h"
#include "nfe/document/nfe_model.h"

// The options of the NF-e writer. Three of them are fixed for the life of the
// program (read-only here): the IPI group is always written for situations that
// are not taxed, and the registration and service-list alerts are never raised.
class TGeradorOpcoesNFe {
  public:
    // The IPI group is also written for the IPI situations that are not taxed.
    bool GerarTagIPIparaNaoTributado() const { return gerarTagIPIparaNaoTributado_; }
    // MontarXml also builds the TXT layout text.
    bool GerarTXTSimultaneamente = false;
    // A missing city code or city name is completed from the city directory.
    bool NormatizarMunicipios = false;
    // When the Signature element is written.
    TpcnTagAssinatura GerarTagAssinatura = taSomenteSeAssinada;
    // Folder of the city directory's cache file.
    std::string PathArquivoMunicipios;
    // State-registration alerts (emit, dest, transporta) and the SUFRAMA alert.
    bool ValidarInscricoes() const { return validarInscricoes_; }
    // The service-list alert of ISSQN.
    bool ValidarListaServicos() const { return validarListaServicos_; }
    // From 4.00 the fields of fat are written even when empty or zero.
    bool CamposFatObrigatorios = true;
    // Forces the retained-ST fields of the ICMS groups.
    TForcarGeracaoTag ForcarGerarTagRejeicao938 = fgtNunca;
    // Forces the effective-value ICMS fields for final consumers.
    TForcarGeracaoTag ForcarGerarTagRejeicao906 = fgtNunca;

  private:
    bool gerarTagIPIparaNaoTributado_ = true;
    bool validarInscricoes_ = false;
    bool validarListaServicos_ = false;
};

class TNFeW {
  public:
    // Keeps the document without taking it over; it must outlive the writer.
    explicit TNFeW(TNFe &nfe);
    TNFeW(const TNFeW &) = delete;
    TNFeW &operator=(const TNFeW &) = delete;

    TGerador Gerador;
    TNFe &NFe;
    TGeradorOpcoesNFe Opcoes;
    // The technical responsible's code and its identifier (infRespTec).
    int IdCSRT = 0;
    std::string CSRT;

    // Writes the whole document into Gerador; true when no alert was raised.
    // Only a failed city lookup (NormatizarMunicipios on) raises.
    bool MontarXml();

    // The 44-digit access key of the last run.
    const std::string &chaveAcesso() const { return ChaveAcesso; }

  private:
    // ---- State of a run (set at the start of MontarXml) ----
    bool LayoutDesde310 = false; // version 3.10 or later: percentages with 4 decimals
    std::string VersaoTexto;     // "4.00": picks the TXT layout
    std::string ChaveAcesso;

    // ---- Version and small shared helpers (nfe_writer.cpp) ----
    double versao() const { return NFe.infNFe.VersaoOuPadrao(); }
    bool modelo55() const { return NFe.ide.mod == 55; }
    // The alert "Conteúdo inválido" of a field.
    void alertaConteudoInvalido(std::string_view id, std::string_view tag, std::string_view descricao);
    // The alert of a list longer than the layout allows.
    void alertaOcorrencias(std::string_view id, std::string_view tag, std::string_view descricao, int maximo);

    // ---- Frame (nfe_writer.cpp) ----
    void MontarInfNFe();
    void EscreveInfNFeSupl();
    bool deveEscreverAssinatura() const;
    void EscreveAssinatura();
    std::string textoProtocolo() const;
    // City code C, name N, UF U and country P of an address; gives the UF,
    // name and code to write (abroad: 9999999, "EXTERIOR", "EX"; with
    // NormatizarMunicipios a missing code or name comes from the directory).
    void AjustaMunicipioUF(int cMun, std::string_view xMun, std::string_view UF, int cPais,
                           std::string &UFOut, std::string &xMunOut, int &cMunOut);

    // ---- Header groups (nfe_writer_header.cpp) ----
    void EscreveIde();
    void EscreveNFref();
    void EscreveRefNFe(int i);
    void EscreveRefNF(int i);
    void EscreveRefNFP(int i);
    void EscreveRefCTe(int i);
    void EscreveRefECF(int i);
    void EscreveEmit();
    void EscreveEnderEmit();
    void EscreveAvulsa();
    void EscreveDest();
    void EscreveEnderDest(std::string &UFOut);
    void EscreveRetirada();
    void EscreveEntrega();
    void EscreveLocal(const TLocalNFe &local, bool retirada);
    void EscreveAutXML();

    // ---- Items (nfe_writer_items*.cpp); `item` is the 0-based position in NFe.det ----
    void EscreveDet();
    void EscreveProd(int item);
    void EscreveNVE(int item);
    void EscreveDI(int item);
    void EscreveAdi(int item, int di);
    void EscreveDetExport(int item);
    void EscreveRastro(int item);
    void EscreveVeicProd(int item);
    void EscreveMed(int item);
    void EscreveArma(int item);
    void EscreveComb(int item);
    void EscreveCIDE(int item);
    void EscreveEncerrante(int item);
    void EscreveOrigComb(int item);
    void EscreveICMSComb(int item);
    void EscreveICMSInter(int item);
    void EscreveICMSCons(int item);
    void EscreveImposto(int item);
    void EscreveICMS(int item);
    void EscreveIPI(int item);
    void EscreveII(int item);
    void EscrevePIS(int item);
    void EscrevePISST(int item);
    void EscreveCOFINS(int item);
    void EscreveCOFINSST(int item);
    void EscreveISSQN(int item);
    void EscreveICMSUFDest(int item);
    void EscreveImpostoDevol(int item);
    void EscreveObsItem(int item);
    // 1 when the option forces the fields for this document, else 0 (usable
    // directly as an element's occurrence).
    int DeveForcarRejeicao938() const;
    int DeveForcarRejeicao906() const;

    // ---- Totals, transport, billing and payment (nfe_writer_totals.cpp) ----
    void EscreveTotal();
    void EscreveICMSTot();
    void EscreveISSQNtot();
    void EscreveRetTrib();
    void EscreveTransp();
    void EscreveTransporta();
    void EscreveRetTransp();
    void EscreveVeicTransp();
    void EscreveReboque();
    void EscreveVol();
    void EscreveLacres(int volume);
    void EscreveCobr();
    void EscreveFat();
    void EscreveDup();
    void EscrevePag();

    // ---- Closing groups (nfe_writer_closing.cpp) ----
    void EscreveInfIntermed();
    void EscreveInfAdic();
    void EscreveObsCont();
    void EscreveObsFisco();
    void EscreveProcRef();
    void EscreveExporta();
    void EscreveCompra();
    void EscreveCana();
    void EscreveForDia();
    void EscreveDeduc();
    void EscreveInfRespTec();
};
