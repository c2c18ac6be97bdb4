#pragma once

// Reading of one answer file of the document monitor, apart from any file or
// database. An answer is KEY=VALUE lines: the key is the text before the first
// "=" (any case), the value the text after it up to the next "=" (a value
// cannot hold "="); a line without "=" has an empty value. RESULTADO is read
// as "0" + the value; MENSAGEM depends on the code read before it, so an
// answer whose MENSAGEM comes first gets no short message. Implemented in
// retorno_monitor.cpp.

#include <string>
#include <string_view>

struct RetornoMonitor {
    int resultado = 0;
    // RESULTADO held something that is no number: read as code 0 (not
    // accepted); `resultadoLido` keeps what was written.
    bool resultadoInvalido = false;
    std::string resultadoLido;
    std::string mensagem;   // short message: "Rejeicao", "Uso denegado" or empty
    std::string mensagem2;  // the message, without apostrophes and double quotes
    std::string chave;      // Nota, Consulta
    std::string recibo;     // Nota, Consulta
    std::string numeroLote; // Nota, Consulta
    std::string protocolo;  // Nota, Consulta, Evento
    std::string pathPdf;    // Danfe
};

// The answer text (UTF-8) read as ColetaRetorno reads the answer of that kind
// ("Nota", "Danfe", "Email", "Cancelamento", "Consulta", "inutiliza", "carta",
// "impcarta", "Evento", any case).
RetornoMonitor LeRetornoMonitor(std::string_view tipo, std::string_view texto);

// The program's text of an answer file's bytes: UTF-8 when they are valid
// UTF-8 (a byte-order mark dropped), else Windows-1252.
std::string TextoDoRetorno(std::string_view bytes);

// An answer is complete once its last byte is a line break.
bool RetornoTerminado(std::string_view bytes);

// The accepted result codes: 100, 101, 102, 111, 112, 4012, 4014, 4016, 4017,
// 4021, 4024.
bool CodigoAceito(int codigo);

// Whether an answer of the kind with that code counts as accepted: 135 for
// correction letters ("carta") and events ("Evento"), the accepted codes for
// the other kinds.
bool RetornoAceito(std::string_view tipo, int codigo);
