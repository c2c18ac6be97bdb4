#pragma once

#include <string>

// The core of the management-database address dialog ("Endereco do Banco
// Gerencia"): reads "PATH IB" and "UNIDADE SERVIDOR" of the application INI,
// splits the address into server and path, and writes the composed address
// back. File choice goes through the installed dialogs (app/dialogs/dialogos.h).
// The Qt view binds its controls to these fields. Implemented in
// path_reg_gerencia.cpp.
class PathRegGerenciaCore {
  public:
    static constexpr const char *kPathPadrao = "c:\\drivekvl\\kvlwin\\bancofb20\\gerencia\\gerencia.kvl";
    static constexpr const char *kFiltro = "Banco de Dados KVL|*.KVL|Banco de Dados |*.GDB";

    bool chkLocal = true; // network access when false
    bool servidorVisivel = false;
    std::string edtServidor;
    std::string edtPath;
    std::string edtUnidade;

    // Reads the INI found by LocalizaIni: a host other than "localHost" (any
    // case) selects network access; an empty path gets the default one.
    void FormActivate();
    void chkLocalClick();
    void chkRemotoClick();
    // The chosen file replaces the path; cancelling keeps it.
    void SpeedButton1Click();
    // Writes "PATH IB" into the INI found by LocalizaIni, or into a default
    // one created first; raises FileWriteError when it cannot be written. The
    // dialog then closes with OK.
    void SpeedButton2Click();
    // The address written by SpeedButton2Click.
    std::string endereco() const;
};
