#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/base/quib_exception.h"

// Folders and file names, listing and writing files, trace-log lines, version
// texts, starting programs, loading functions from libraries at run time, and a
// reversible scrambling of texts held in memory. Paths use "/"; every file or
// folder argument (and the program of ExecutaPrograma) may also be a stored
// Windows path such as "C:\DriveKVL\Logs\", mapped with localPath
// (windows_paths.h) when the file is opened.
//
// Implemented in paths_versions.cpp (folder names, the program's folder,
// version texts, error codes), file_listing.cpp (folder listings by mask),
// file_writing.cpp (text files and trace-log lines), process_launch.cpp
// (starting programs, opening documents), library_loader.cpp (functions from
// shared libraries) and text_scrambling.cpp (scrambling of texts in memory).

// A file or folder that cannot be created or written. The target file is left
// as it was.
class FileWriteError : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// --- Folders and versions ---

// The trimmed path with "/" appended when it does not end with one; an empty
// path stays empty.
std::string IncluiBarraFinal(std::string_view path);

// The folder of the running program's file, ending in "/". Read-only once
// installed: per-user files go to the folders below.
std::string PastaDoPrograma();

// The name under which the program keeps its per-user folders.
inline constexpr const char *kNomeDoPrograma = "nfe-console";

// The user's cache folder for the program, ending in "/":
// "$XDG_CACHE_HOME/nfe-console/" when that variable holds an absolute path,
// else "$HOME/.cache/nfe-console/" (the home folder of the user's account when
// HOME is not set). The folder is not created here.
std::string PastaDeCacheDoUsuario();

// The user's home folder, ending in "/": "$HOME" when set, else the home folder
// of the user's account ("./" when neither is known).
std::string PastaPessoalDoUsuario();

// The user's settings folder for the program, ending in "/", found the same
// way from "$XDG_CONFIG_HOME" (else "$HOME/.config/nfe-console/"). Not created here.
std::string PastaDeConfiguracaoDoUsuario();

// The user's data folder for the program, ending in "/", found the same way
// from "$XDG_DATA_HOME" (else "$HOME/.local/share/nfe-console/"). Not created here.
std::string PastaDeDadosDoUsuario();

// Above 0 when version A is newer than B, below 0 when older, 0 when equal.
// Components between separators are compared from the left, the first
// weighing most; digit-only components compare as numbers of up to 9 digits,
// a missing or empty component counts as zero.
double ComparaVersoes(std::string_view versaoA, std::string_view versaoB, char separador);

// The file's version resource as "major.minor.release.build". Linux files
// carry no version resource, so the text is always empty.
std::string VersaoDoArquivo(std::string_view arquivo);

// The error code as 8 upper-case hexadecimal digits; 0 stands for the calling
// thread's last system error (errno).
std::string CodigoErroHexa(int codigo);

// --- Files ---

// Fills the list with the entries of a folder that match the mask's file-name
// part ("*" and "?" wildcards, case-insensitive; "*.*" matches every name).
// With comPasta the mask's folder is put in front of each name. ordem: 0 as
// the folder lists them, 1 by modification time, 2 by name (both
// case-insensitive); direcao 2 is descending, anything else ascending.
void ListaArquivos(std::string_view mascara, std::vector<std::string> &lista, bool comPasta, int ordem,
                   int direcao);

// True when some entry of the folder matches the mask.
bool ExistemArquivos(std::string_view mascara);

// Writes the text to the file, appending when asked and the file exists, with
// CR LF after it when asked, creating the missing folders when asked.
// - an empty file name does nothing;
// - an existing file with an empty text is left untouched;
// - a replaced file is written under a temporary name in the same folder and
//   renamed over the target, so a failed write leaves the old file whole;
// - an append that fails is cut back to the file's former size.
// Failures raise FileWriteError.
void GravaTextoEmArquivo(std::string_view arquivo, std::string_view texto, bool adicionar, bool quebraLinha,
                         bool criarPasta);

// The file holds exactly the text afterwards (an existing file is left as it
// was when the text is empty).
void SobrescreveArquivoTexto(std::string_view arquivo, std::string_view texto, bool criarPasta);

// Appends the line and CR LF to the log file (its folder is not created);
// with traduzir, control bytes are written as readable names. Nothing happens
// for an empty file name, and errors are ignored.
void GravaLinhaLog(std::string_view arquivo, std::string_view linha, bool traduzir);

// Bytes 32 to 126 stay; the others become "[NUL]", "[ESC]"... or their
// decimal value in brackets ("[200]").
std::string TraduzNaoImprimiveis(std::string_view texto);

// The decompressed bytes of gzip or zlib data.
std::string DescompactaStream(std::istream &stream);
std::string DescompactaTexto(std::string_view dados);

// --- Programs and libraries ---

// With esperar: starts the program with the parameters (split at blanks,
// double quotes grouping) and waits until it ends. Without: opens the program,
// document or web address as the desktop does (an executable file is started
// with its parameters, anything else goes to xdg-open) and returns at once.
// A program that cannot be started is ignored. The show-window code has no
// meaning on Linux.
void ExecutaPrograma(std::string_view programa, std::string_view parametros, bool esperar, int mostrarJanela);

// Opens a document or web address with its default program, without waiting.
void AbreNoShell(std::string_view arquivoOuUrl);

// Loads the library (Windows library names are mapped to their Linux files; a
// name without a folder is looked for in the program's folder first, then by
// the system's search) and looks the function up. True when both succeed; the
// address is null otherwise. The library stays loaded.
bool LocalizaFuncaoDLL(std::string_view biblioteca, std::string_view funcao, void *&endereco);
bool LocalizaFuncaoDLLModulo(std::string_view biblioteca, std::string_view funcao, void *&endereco,
                             void *&modulo);

// Unloads the library once when it is loaded; true when it was unloaded, the
// name is empty or the library is not loaded.
bool LiberaDLL(std::string_view biblioteca);

// The Linux file name of a library given by its Windows name (the name
// unchanged when it has no Linux counterpart in the map).
std::string linuxLibraryName(std::string_view windowsName);

// --- Scrambling ---

// Each byte is combined with the key byte at the same position (the key
// repeats): equal bytes stay, others become their exclusive or. Calling it
// again with the same key restores a text without zero bytes. An empty text or
// key gives the text unchanged.
std::string EmbaralhaTexto(std::string_view texto, std::string_view chave);
