#pragma once

#include <functional>
#include <string>
#include <string_view>

class TdtmGerencia;
namespace db {
class DataSet;
}

// The core of the database-location editor "Configurações de estações de
// clientes" over the PATHIB table of the management data module (its
// `tblPathIb`; each post and delete commits). The screen edits the rows for
// every company (`CodEmpresa` 0) or for one, and resolves an alias to a
// database address, asking the operator for the row when it is missing.
//
// Each row gives, under an alias of at most 15 characters, the server part
// and the path part of a database; its address is the two joined, with a
// final separator when the path names a folder (it does not end in ".GDB" or
// ".KVL", any case). Every value reaches SQL as a parameter.
//
// Showing the screen modally goes through `exibeModal`, which the view (or a
// test) sets; without one the operator cannot be asked and a missing row
// stays missing. Database errors pass to the caller. Main thread only.
// Implemented in frm_path_ib.cpp.
class TfrmPathIB {
  public:
    static constexpr const char *kTitulo = "Configurações de estações de clientes";
    static constexpr const char *kFiltro =
        "Banco de Dados KVL|*.KVL|Banco de Dados |*.GDB|Todos os Arquivos|*.*";
    static constexpr const char *kSemEnderecoEmpresa =
        "Endereco do Banco de Dados nao Localizado para Esta Empresa";

    // FormCreate: `CodEmpresa` := 0. The data module must outlive the core.
    explicit TfrmPathIB(TdtmGerencia &gerencia);

    // The company the screen is limited to; 0: all of them.
    int CodEmpresa = 0;
    // Shows the screen modally and returns when the operator closes it; the
    // view runs FormActivate and FormClose around it.
    std::function<void()> exibeModal;

    // Shows the screen modally limited to the company (0: all of them).
    void ShowModal(int codEmpresa);
    // Limits the rows to `CodEmpresa` when it is above 0.
    void FormActivate();
    // `CodEmpresa` := 0 and every row shown again.
    void FormClose();

    // The data buttons.
    void btnIncluirClick(); // appends a row of company 0
    void btnExcluirClick();
    void btnSalvarClick(); // the row gets COD_EMP := CodEmpresa, then posts
    void btnCancelarClick();
    // A typed value of the current row (the row goes into edit when browsing).
    void defineCampo(std::string_view campo, std::string_view valor);
    // "Localiza banco de dados......": the chosen file's name goes into the
    // path box, without its drive letter and colon when it starts with one;
    // a cancelled choice changes nothing.
    void btnLocalizaClick();

    // The address of the alias (upper-cased, cut to 15 characters), asking
    // the operator when no row is found; empty when there is none even then.
    std::string LoadPathIb(std::string_view alias);
    // The last four characters of server and path of the alias's row, in
    // upper case; empty when there is no row.
    std::string LoadExtensao(std::string_view alias);

  private:
    db::DataSet &pathIb(); // raises DatabaseError while disconnected
    std::string enderecoDaLinha();

    TdtmGerencia &gerencia_;
};

// The address of a PATHIB row: server part then path part, with a final
// separator unless the whole ends in ".GDB" or ".KVL" (any case).
std::string EnderecoPathIb(std::string_view servidor, std::string_view path);
// The alias as stored: upper case, at most 15 characters.
std::string AliasPathIb(std::string_view alias);
