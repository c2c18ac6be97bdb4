#pragma once

#include <string>
#include <string_view>

// Where the application INI "KVLAplic.ini" is, the default file, and the
// process formats the login sets. Results keep the suite's Windows form
// ("C:\DriveKVL\"); every file access maps them through localPath
// (foundation/files/windows_paths.h), so only mapped drives exist.
// Implemented in localiza_ini.cpp.

inline constexpr std::string_view kArquivoIniAplicacao = "KVLAplic.ini";
inline constexpr std::string_view kPastaDriveKvl = "C:\\DriveKVL\\";

// The folder of "KVLAplic.ini", ending in its separator: the program's folder
// when the file is there; else the first of "X:\DriveKVL\" and "X:\" holding
// it, for the letters C to Z without W; else the root of the program's drive
// when that holds it; else "C:\DriveKVL\". Creates "C:\DriveKVL" and
// "C:\DriveKVL\TMP" when missing (failures ignored). Nothing is cached.
std::string LocalizaIni();
// The same search from a given program folder (tests).
std::string LocalizaIni(std::string_view pastaPrograma);

// "C:\DriveKVL\", after writing the default file there (section "IBGERENCIA",
// "PATH IB" = " ") when it is missing. Raises FileWriteError when the file
// cannot be written.
std::string CriaIniPadrao();

// Sets the process formats: decimal ".", thousands ",", short date
// "dd/mm/yyyy", short time "HH:MM:SS". The user's registry is not written:
// the program's own formats are all that matter here.
void AjustaRegional();

// Sets the same formats only when the decimal separator in use is ",".
// Always true.
bool AjustaSeparador();
