// The DANFE as a receipt printer gets it: printed by the Epson writer to a
// network printer, decoded by the ESC/POS decoder of tests/support, its QR
// code drawn with libqrencode and read back by zbarimg, its accented texts
// judged by the iconv program.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "danfe_bancada.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/text/utf8.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/notas_fiscais.h"
#include "tests/support/escpos_decoder.h"
#include "tests/support/fake_pos_printer.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_nfce_notes.h"

namespace {

using testsupport::DanfeBancada;
using testsupport::EscPosReceipt;

// Prints the loaded note's DANFE on a network printer and decodes the bytes.
EscPosReceipt imprimirNaRede(DanfeBancada &bancada)
{
    testsupport::FakePosPrinter impressora;
    bancada.pos.SetPorta("TCP:127.0.0.1:" + std::to_string(impressora.port()));
    bancada.danfe.ImprimirDANFE();
    const std::size_t total = bancada.enviado.size();
    bancada.pos.Desativar();
    return testsupport::decodeEscPos(impressora.waitForBytes(total, 5000));
}

// The bancada keeps what is sent and also lets it through to the device.
void deixarPassar(DanfeBancada &bancada)
{
    bancada.pos.OnEnviarStringDevice = [&bancada](const std::string &cmd, bool &) { bancada.enviado += cmd; };
}

TEST(DanfeEscPosPrinter, EveryFixtureDecodesWithTitleKeyAndAScanningQrCode)
{
    ASSERT_TRUE(testsupport::hasProgram("zbarimg")) << "zbar-tools is missing: run scripts/install-deps.sh";
    for (const std::string &fixture : testsupport::nfceFixtureNames()) {
        SCOPED_TRACE(fixture);
        DanfeBancada bancada;
        bancada.carregar(fixture);
        deixarPassar(bancada);
        const TNFe &nota = bancada.nfe.Notas().ObterNota(0).NFe();
        const EscPosReceipt recibo = imprimirNaRede(bancada);

        const std::string texto = recibo.text();
        EXPECT_NE(texto.find("Documento Auxiliar da Nota Fiscal de Consumidor Eletr"), std::string::npos)
            << texto;
        const std::string chave = FormataChaveEmBlocos(nota.infNFe.Id.substr(3));
        EXPECT_EQ(chave.size(), 54U);
        EXPECT_NE(texto.find(chave), std::string::npos) << texto;

        ASSERT_EQ(recibo.qrCodes.size(), 1U);
        EXPECT_EQ(recibo.qrCodes[0].data, nota.infNFeSupl.qrCode);
        EXPECT_EQ(testsupport::scanPicture(recibo.qrCodes[0].draw().toPbm()), nota.infNFeSupl.qrCode);
    }
}

// What iconv makes of the text in the page and back: each character it cannot
// convert becomes "?", as the printer writes it.
std::string peloIconv(const std::string &texto, const std::string &pagina)
{
    std::string entrada;
    for (std::string_view c : utf8Chars(texto))
        entrada += std::string(c) + "\n";
    const auto ida = testsupport::runCommand({"iconv", "-c", "-f", "UTF-8", "-t", pagina}, entrada);
    std::string bytes;
    std::size_t inicio = 0;
    for (std::size_t fim = ida.out.find('\n'); fim != std::string::npos;
         inicio = fim + 1, fim = ida.out.find('\n', inicio)) {
        const std::string c = ida.out.substr(inicio, fim - inicio);
        bytes += c.empty() ? "?" : c;
    }
    return testsupport::runCommand({"iconv", "-f", pagina, "-t", "UTF-8"}, bytes).out;
}

TEST(DanfeEscPosPrinter, AccentedTextsComeOutAsIconvConvertsThem)
{
    ASSERT_TRUE(testsupport::hasProgram("iconv"));
    struct Caso {
        TQuibPosPaginaCodigo pagina;
        const char *iconv;
    };
    const std::vector<Caso> casos = {
        {pc437, "CP437"}, {pc850, "CP850"}, {pc860, "CP860"}, {pc1252, "CP1252"}};
    const std::vector<std::string> textos = {"ÁGUA MINERAL SEM GÁS 500ML",
                                             "CAFÉ TORRADO E MOÍDO 500G",
                                             "PÃO FRANCÊS KG",
                                             "JOÃO DA SILVA",
                                             "JARDIM SÃO PAULO",
                                             "Eletrônica"};
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.iconv);
        DanfeBancada bancada;
        bancada.carregar("autorizada");
        bancada.pos.SetPaginaDeCodigo(caso.pagina);
        deixarPassar(bancada);
        const std::string texto = imprimirNaRede(bancada).text();
        for (const std::string &original : textos) {
            const std::string esperado = peloIconv(original, caso.iconv);
            ASSERT_FALSE(esperado.empty());
            EXPECT_NE(texto.find(esperado), std::string::npos) << esperado << "\n" << texto;
        }
    }
}

} // namespace
