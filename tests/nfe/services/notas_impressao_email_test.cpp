#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <string>
#include <vector>

#include "dfe/mail/quib_mail.h"
#include "nfe/services/quib_dfe_danfe_report.h"
#include "tests/nfe/services/notas_fixture.h"
#include "tests/support/smtp_test_server.h"

// A DANFE layout that draws nothing: it records what it was asked to print,
// and its "PDF" is a small file naming the note.
class TDANFeGravador : public TQuibDFeDANFeReport {
  public:
    std::vector<std::string> pedidos;

    void ImprimirDANFE(const TNFe *nfe) override { pedidos.push_back("DANFE " + chave(nfe)); }
    void ImprimirDANFEPDF(const TNFe *nfe) override
    {
        pedidos.push_back("PDF " + chave(nfe));
        const std::string arquivo = PathPDF() + chave(nfe) + "-nfe.pdf";
        std::ofstream(arquivo, std::ios::binary) << "%PDF-1.4 " << chave(nfe);
        SetArquivoPDF(arquivo);
    }

  private:
    static std::string chave(const TNFe *nfe) { return nfe == nullptr ? "todas" : nfe->infNFe.Id; }
};

namespace {

using testsupport::ComponenteAssinador;
using testsupport::SmtpTestServer;

} // namespace

TEST(NotaFiscalImprimir, TheAttachedReportPrintsTheNoteOrTheWholeCollection)
{
    ComponenteAssinador c(55);
    TDANFeGravador danfe;
    c.nfe.SetDANFE(&danfe);
    NotaFiscal &primeira = c.notaDeExemplo();
    primeira.GerarTextoXML();

    primeira.ImprimirNota();
    c.nfe.Notas().ImprimirNotas();
    c.nfe.Notas().ImprimirNotasPDF();
    EXPECT_EQ(danfe.pedidos,
              (std::vector<std::string>{"DANFE " + primeira.NFe().infNFe.Id, "DANFE todas", "PDF todas"}));
}

TEST(NotaFiscalEmail, MailsTheNoteXmlUnderItsKeyWithTheDanfePdf)
{
    if (!SmtpTestServer::available())
        GTEST_SKIP() << "python3-aiosmtpd ausente";
    SmtpTestServer servidor;
    ComponenteAssinador c(55);
    TDANFeGravador danfe;
    danfe.SetPathPDF(c.pasta.path().string());
    c.nfe.SetDANFE(&danfe);
    TQuibMail mail;
    mail.Host = "127.0.0.1";
    mail.Port = std::to_string(servidor.port());
    mail.TimeOut = 5000;
    mail.From = "loja@exemplo.com.br";
    c.nfe.SetMAIL(&mail);
    NotaFiscal &nota = c.notaDeExemplo();
    nota.AssinarNota();

    const std::vector<std::string> mensagem = {"Segue a nota fiscal."};
    nota.EnviarPorEmail("cliente@exemplo.com.br", "Nota fiscal", &mensagem);
    nota.EnviarPorEmail("cliente@exemplo.com.br", "Nota fiscal sem PDF", &mensagem, false);

    const auto recebidas = servidor.messages();
    ASSERT_EQ(recebidas.size(), 2u);
    const std::string chave = nota.ChaveNota();
    const std::string nomeXml = chave + "-nfe.xml";
    const auto comPdf = nlohmann::json::parse(recebidas[0]);
    EXPECT_EQ(comPdf["rcpt_tos"], nlohmann::json({"cliente@exemplo.com.br"}));
    const auto &partes = comPdf["parts"];
    ASSERT_EQ(partes.size(), 3u) << recebidas[0];
    EXPECT_EQ(partes[1]["filename"], nomeXml);
    EXPECT_EQ(partes[1]["sha256"], testsupport::sha256Hex(nota.TextoXML()));
    EXPECT_EQ(partes[2]["filename"], "NFe" + chave + "-nfe.pdf");
    EXPECT_EQ(partes[2]["sha256"], testsupport::sha256Hex("%PDF-1.4 NFe" + chave));

    const auto semPdf = nlohmann::json::parse(recebidas[1]);
    ASSERT_EQ(semPdf["parts"].size(), 2u) << recebidas[1];
    EXPECT_EQ(semPdf["parts"][1]["filename"], nomeXml);
    EXPECT_EQ(danfe.pedidos, std::vector<std::string>{"PDF NFe" + chave});
}
