#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace db {
class MemoryTable;
}

// The shell's file-based report routines: 66-line pages with the selected
// company's header and footer written into `Arquivo`, the names of the report
// files under "C:\DriveKVL" (a stored path, mapped when opened), the batch
// file that copies a report to a printer port, and printer control codes.
//
// The caller opens `Arquivo` before the first header and closes it after the
// last footer; writing with no file, or a write the file refuses, raises
// FileWriteError. The company fields come from the current row of the
// company table given at creation (TdtmGerencia::tblEmpresa), which must
// outlive this object. Implemented in frm_print.cpp.
class TfrmPrint {
  public:
    explicit TfrmPrint(const db::MemoryTable &empresa);

    std::ostream *Arquivo = nullptr;
    int Pagina = 0;
    int PaginaInicial = 0;
    int LinhasPagina = 0;
    std::string DataEmissao;

    // Width 135 when `largo`, else 79.
    void Cabecalho(std::string_view titulo, bool largo);
    void Rodape(bool largo);
    void GravaLinha(std::string_view texto, bool novaLinha);
    void GravaComp(std::string_view texto, bool novaLinha);
    // "MERGE", "PRN", "NOTA", "PEDIDO" (any case) or another kind; the file
    // is made to exist unless the kind is "DATABASE". Raises FileWriteError
    // when it cannot be created.
    std::string NomePrint(std::string_view tipo);
    // The batch file ("net use" line, then "Type ... > port"), replaced whole.
    void MontaPrnt(std::string_view arquivoLote, std::string_view arquivo, std::string_view porta,
                   std::string_view compartilhamento);
    // The same, without the "net use" line when there is no share.
    void MontaPrnt2(std::string_view arquivoLote, std::string_view arquivo, std::string_view porta,
                    std::string_view compartilhamento);
    // Printer control text of codes 1 to 6; empty for any other.
    static std::string Compactacao(int codigo);

  private:
    void escreve(std::string_view texto, bool novaLinha);
    std::string campo(std::string_view nome) const;

    const db::MemoryTable &empresa_;
};
