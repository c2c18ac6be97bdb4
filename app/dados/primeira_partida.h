#pragma once

#include "foundation/base/quib_exception.h"

#include <string>

// The first start of the program on a machine: no "KVLAplic.ini" where
// LocalizaIni looks. Before the login connects, the start-up calls
// CriaBancosPrimeiraPartida, which creates, in this order:
//   1. the NF-e module database "C:\DriveKVL\KVLWin\BancoFB20\NFE\DanfeNFE.kvl"
//      from the base schema, brought up to date by one run of the schema
//      updater (its notices go to standard error, not to boxes);
//   2. the management database "C:\DriveKVL\KVLWin\BancoFB20\Gerencia\GERENCIA.KVL"
//      from the base schema, with the location row of the module database
//      (alias "IB_DANFE_NFE", company 0) and no user (the login creates the
//      support account);
//   3. last, "C:\DriveKVL\KVLAplic.ini" naming the management database.
// The stored paths keep that Windows form; the path mapping finds the files.
//
// Each database is built under a temporary name in its own folder
// ("DanfeNFE.<pid>.criando.kvl") and renamed when complete; a file already
// at the real name is used as it is, never replaced; temporary files left by
// a process that no longer runs are removed. Since the INI comes last, a
// first start that was interrupted is simply done again at the next start.
// When the INI exists nothing is created: a missing database is then the
// data modules' error. Implemented in primeira_partida.cpp.

// A database or folder that could not be made, or an update step that
// failed: the message names the file and the cause. The temporary files are
// removed and no INI is written; databases already renamed stay (they are
// complete).
class ErroPrimeiraPartida : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

struct BancosPrimeiraPartida {
    bool criados = false; // false: the INI existed and nothing was done
    // The files on this machine (mapped paths).
    std::string ini;
    std::string modulo;
    std::string gerencia;
};

inline constexpr const char *kPastaBancoModulo = "C:\\DriveKVL\\KVLWin\\BancoFB20\\NFE\\";
inline constexpr const char *kPastaBancoGerencia = "C:\\DriveKVL\\KVLWin\\BancoFB20\\Gerencia\\";

// Raises ErroPrimeiraPartida; the installed dialogs are put back afterwards.
BancosPrimeiraPartida CriaBancosPrimeiraPartida();
