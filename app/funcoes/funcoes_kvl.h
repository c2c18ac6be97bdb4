#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"

// The shell's shared text, number, date and file functions. Callers and
// stored data rely on their exact results, quirks included. Positions are
// 1-based and, like widths and lengths, count characters; upper-casing
// changes a-z only. Date texts follow the process formats
// (app/regional/formatos_processo.h), never the C locale. File names may be
// stored Windows paths (mapped by localPath, foundation/files/windows_paths.h).
//
// Implemented in funcoes_texto.cpp (texts and lines), funcoes_datas.cpp
// (dates and times) and funcoes_numeros_arquivos.cpp (numbers, lists, files).
// The INI locator and the regional functions are in
// app/regional/localiza_ini.h.

// --- Texts ---
std::string CaractereNaPosicao(std::string_view texto,
                               int posicao); // raises std::out_of_range outside the text
std::string ZerosEsquerda(std::int64_t numero, int largura);
std::string Espacos(int n);
std::string RepeteTexto(std::string_view texto, int n);
// Spaces, then the text: |trunc((ultima - primeira) / 2) + primeira - trunc(length / 2)| of them.
std::string CentralizaTexto(int primeiraColuna, int ultimaColuna, std::string_view texto);
// Left-aligned: the text padded and cut to its first `largura` characters;
// otherwise padded in front and cut to its last ones.
std::string AjustaTamanho(std::string_view texto, int largura, bool alinhadoEsquerda);
std::string TextoDepois(std::string_view texto, std::string_view caractere); // empty when absent
std::string TextoAntes(std::string_view texto, std::string_view caractere);  // whole text when absent
// Overwrites part of a fixed line: alignment "E" starts at the column, "D"
// ends at it, "C" centres on it; any other alignment gives an empty text.
std::string InsereNaLinha(std::string_view texto, std::string_view linha, std::string_view alinhamento,
                          int coluna);
// Appends the separator the text already uses ("/" in a Linux path, "\" in
// any other) unless it ends with it; an empty text gives "\".
std::string BarraFinal(std::string_view texto);
bool ClasseCombo(std::string_view nomeClasse);
// Keeps letters, digits and the usual punctuation, folds Portuguese accents
// to the plain letter, ª and º to "o", the apostrophe to a space, and drops
// the rest.
std::string NormalizaTexto(std::string_view texto);
std::string TrocaCaractere(std::string_view texto, std::string_view caractere, std::string_view troca);
std::string RemoveCaractere(std::string_view texto, std::string_view caractere);
std::string SomenteNumeros(std::string_view texto);
std::string BoolParaSimNao(bool valor);
bool SimNaoParaBool(std::string_view texto);
// An empty part is in every non-empty text; an empty text contains nothing.
bool ContemTexto(std::string_view parte, std::string_view texto);

// --- Dates and times ---
int ParteData(std::string_view parte, TDateTime data); // "MES", "ANO", else the day
// The month's days by the Gregorian calendar; 31 for a month outside 1-12.
int DiasDoMes(int mes, int ano);
std::string MesAbreviado(int mes);
int SegundosDoDia(); // of the injectable clock's local time
bool DataInvalida(std::string_view texto);
// The date text of the short date format written as "MM/DD/AAAA"; a text
// that is no date raises ConversionError.
std::string DataMMDDAAAA(std::string_view texto);
// The date-time in one of the fixed patterns ("DD/MM/AAAA", "HHMMSS"...,
// compared in upper case); empty for any other pattern.
std::string FormataDataHora(std::string_view padrao, TDateTime data);
// The file's last-modification time; 0 when the file does not exist.
TDateTime DataArquivo(std::string_view arquivo);

// --- Numbers ---
double Arredonda(double valor, int casas); // halves to the even neighbour
// The integral part; ConversionError outside the 32-bit integer range.
int FloatParaInteiro(double valor);
double Divide(double x, double y); // 0 when x or y is 0

// --- Lists ---
// The answer of ProcuraNaLista: nothing for an unknown result type.
using ResultadoLista = std::variant<std::monostate, bool, int>;
// The first entry equal to the name or to "ALL" (upper case) is the hit:
// "Boolean" answers whether there is one, "Integer" its index or -1.
ResultadoLista ProcuraNaLista(const std::vector<std::string> &lista, std::string_view nome,
                              std::string_view tipoResultado);

// --- Files and system ---
// Copies the file in place of the target (replaced whole through a temporary
// name) keeping its modification time and permissions. False when the source
// is missing, when both name the same file, or when it cannot be read or the
// target written.
bool CopiaArquivo(std::string_view origem, std::string_view destino);
std::string VersaoWindows(); // always empty: no Windows platform here
// The program's folder, ending in "/" (the one PastaDoPrograma of file_utils.h).
inline std::string PastaPrograma()
{
    return PastaDoPrograma();
}
