#include <gtest/gtest.h>

#include <chrono>

#include "foundation/codes/conversao_nfe.h"
#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::runCommand;
using namespace std::chrono_literals;

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

// The moment given as --now; the notes are issued a minute before.
const std::chrono::system_clock::time_point kAgora =
    std::chrono::sys_days{std::chrono::March / 10 / 2025} + 15h;
const std::string kAgoraTexto = "2025-03-10T15:00:00+00:00";

// A sample note of the model that passes every rule at kAgora, as its writer
// lays it out; `nNF` gets its number.
std::string notaQuePassa(int modelo, int &nNF)
{
    TNFe nfe;
    testsupport::fillNoteWithItems(nfe, 1, modelo);
    nfe.ide.tpAmb = taHomologacao;
    nfe.ide.cNF = 20250310;
    nfe.ide.dEmi = toLocalDateTime(kAgora) - 1.0 / 1440;
    if (modelo == 65)
        nfe.dest.indIEDest = CodigoParaIndIEDestinatario("9");
    nNF = nfe.ide.nNF;
    TNFeW escritor(nfe);
    escritor.MontarXml();
    return escritor.Gerador.ArquivoFormatoXML;
}

} // namespace

TEST(NfeCheckRules, PrintsTheRulesMessageAsItStands)
{
    testsupport::TempDir pasta;
    int nNF55 = 0, nNF65 = 0;
    const std::string nfe = pasta.write("nfe.xml", notaQuePassa(55, nNF55)).string();
    const std::string nfce = pasta.write("nfce.xml", notaQuePassa(65, nNF65)).string();
    const auto falhas = [](int nNF, const std::string &mensagem) {
        return "Erro(s) nas Regras de negócios da nota: " + std::to_string(nNF) + "\r\n" + mensagem + "\r\n";
    };
    // clang-format off
    const struct { std::vector<std::string> args; int exitCode; std::string out; } casos[] = {
        {{nfe, "SP", "2", "--now", kAgoraTexto}, 0, ""},
        {{nfce, "SP", "2", "--now", kAgoraTexto}, 0, ""},
        {{nfe, "SP", "1", "--now", kAgoraTexto}, 1, falhas(nNF55, "252-Rejeição: Ambiente informado diverge do Ambiente de recebimento (Tipo do ambiente da NF-e difere do ambiente do Web Service)")},
        {{nfe, "PR", "2", "--now", kAgoraTexto}, 1, falhas(nNF55, "226-Rejeição: Código da UF do Emitente diverge da UF autorizadora")},
        // the note issued six minutes after now, and six minutes before it
        {{nfe, "SP", "2", "--now", "2025-03-10T11:53:00-03:00"}, 1, falhas(nNF55, "703-Rejeição: Data-Hora de Emissão posterior ao horário de recebimento")},
        {{nfce, "SP", "2", "--now", "2025-03-10T15:05:00+00:00"}, 1, falhas(nNF65, "704-Rejeição: NFC-e com Data-Hora de emissão atrasada")},
    };
    // clang-format on
    for (const auto &c : casos) {
        std::vector<std::string> argv = {tool(), "rules"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto r = runCommand(argv);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << c.args[1] << " " << c.args[4] << "\n"
                                          << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[0] << " " << c.args[4];
        EXPECT_EQ(r.err, "");
    }
}

TEST(NfeCheckRules, BadArgumentsAndFilesExitWithTwo)
{
    testsupport::TempDir pasta;
    int nNF = 0;
    const std::string nfe = pasta.write("nfe.xml", notaQuePassa(55, nNF)).string();
    const std::string lixo = pasta.write("lixo.xml", "<raiz/>").string();
    // clang-format off
    const std::vector<std::string> casos[] = {
        {nfe, "XX", "2"},
        {nfe, "SP", "3"},
        {nfe, "SP"},
        {nfe, "SP", "2", "--now", "2025-03-10 15:00:00"},
        {nfe, "SP", "2", "--now", "2025-02-30T15:00:00+00:00"},
        {nfe, "SP", "2", "--now"},
        {(pasta.path() / "falta.xml").string(), "SP", "2"},
        {lixo, "SP", "2"},
    };
    // clang-format on
    for (const auto &args : casos) {
        std::vector<std::string> argv = {tool(), "rules"};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto r = runCommand(argv);
        EXPECT_EQ(r.exitCode, 2) << args[0] << " " << args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
}
