// The printer's code pages judged by the iconv program: every Latin-1
// character and the euro sign must come out as iconv converts it, "?" where
// the page has no such character, and the initialisation must select the page.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text/utf8.h"
#include "printing/posprinter/pos_printer.h"
#include "tests/printing/posprinter/hex_bytes.h"
#include "tests/support/escpos_decoder.h"
#include "tests/support/run_command.h"

namespace {

// U+00A0 to U+00FF and the euro sign, one UTF-8 character each.
std::vector<std::string> caracteres()
{
    std::vector<std::string> result;
    for (char32_t c = 0xA0; c <= 0xFF; ++c)
        result.push_back(utf8Encode(c));
    result.push_back(utf8Encode(0x20AC));
    return result;
}

// What the iconv program makes of each character ("?" where it has none):
// one run over the characters a line each, dropping what it cannot convert.
std::vector<std::string> segundoIconv(const std::vector<std::string> &chars, const std::string &pagina)
{
    std::string entrada;
    for (const std::string &c : chars)
        entrada += c + "\n";
    const auto result = testsupport::runCommand({"iconv", "-c", "-f", "UTF-8", "-t", pagina}, entrada);
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    for (std::size_t fim = result.out.find('\n'); fim != std::string::npos;
         inicio = fim + 1, fim = result.out.find('\n', inicio)) {
        const std::string linha = result.out.substr(inicio, fim - inicio);
        linhas.push_back(linha.empty() ? "?" : linha);
    }
    return linhas;
}

TEST(PosPrinterCodePageTest, EveryPagePrintsAsIconvConvertsAndIsSelected)
{
    ASSERT_TRUE(testsupport::hasProgram("iconv"));
    struct Case {
        TQuibPosPaginaCodigo pagina;
        const char *iconv;
        const char *selecao; // the decoder's line for ESC t n
    };
    // clang-format off
    const std::vector<Case> cases = {
        {pc437,  "CP437",  "code page 0"},
        {pc850,  "CP850",  "code page 2"},
        {pc852,  "CP852",  "code page 18"},
        {pc860,  "CP860",  "code page 3"},
        {pc1252, "CP1252", "code page 16"},
    };
    // clang-format on
    const std::vector<std::string> chars = caracteres();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.iconv);
        TQuibPosPrinter pos;
        pos.SetModelo(ppEscPosEpson);
        pos.SetPaginaDeCodigo(c.pagina);
        const std::vector<std::string> esperado = segundoIconv(chars, c.iconv);
        ASSERT_EQ(esperado.size(), chars.size());
        for (std::size_t i = 0; i < chars.size(); ++i)
            EXPECT_EQ(hexBytes(pos.CodificarPaginaDeCodigo(chars[i])), hexBytes(esperado[i]))
                << "character " << chars[i];

        std::string capturado;
        pos.ControlePorta = true;
        pos.SetPorta("NULL");
        pos.OnEnviarStringDevice = [&capturado](const std::string &cmd, bool &tratado) {
            capturado += cmd;
            tratado = true;
        };
        pos.Imprimir("x");
        EXPECT_EQ(testsupport::decodeEscPos(capturado).lines,
                  (std::vector<std::string>{c.selecao, "unfed: x"}));
    }
}

} // namespace
