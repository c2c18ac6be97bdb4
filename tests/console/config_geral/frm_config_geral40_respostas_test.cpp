#include "console/config_geral/frm_config_geral40.h"

#include "foundation/files/file_utils.h"
#include "nfe/services/notas_fiscais.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/paineis_resposta.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kNbsp = "\xC2\xA0";
const std::string kAssinatura =
    "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo/></Signature>";

std::string le(const fs::path &arquivo)
{
    std::ifstream entrada(arquivo, std::ios::binary);
    std::ostringstream texto;
    texto << entrada.rdbuf();
    return texto.str();
}

class ConsoleRespostasTest : public BancosFixture {
  protected:
    void SetUp() override
    {
        BancosFixture::SetUp();
        pasta_ = fs::temp_directory_path() / ("console_respostas_" + std::to_string(::getpid()));
        fs::create_directories(pasta_);
        modulo->CnpjEmpresa = "55000000000155";
        tela_ = std::make_unique<TfrmConfigGeral40>(*modulo, pasta_.string() + "/");
    }
    void TearDown() override
    {
        tela_.reset();
        fs::permissions(pasta_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(pasta_);
        BancosFixture::TearDown();
    }

    fs::path pasta_;
    std::unique_ptr<TfrmConfigGeral40> tela_;
};

TEST_F(ConsoleRespostasTest, CreationFillsTheListsShowsTheLogAndReadsNothing)
{
    // A stored value stays unread until the screen is activated.
    tela_->Ini_WriteString("Certificado", "NumSerie", "ABC123");
    TfrmConfigGeral40 tela(*modulo, pasta_.string() + "/");

    // clang-format off
    const std::pair<const char *, std::size_t> listas[] = {
        {"cbSSLLib", 6}, {"cbCryptLib", 4}, {"cbHttpLib", 5}, {"cbXmlSignLib", 5},
        {"cbSSLType", 8}, {"cbFormaEmissao", 9}, {"cbModeloDF", 2}, {"cbVersaoDF", 4},
    };
    // clang-format on
    for (const auto &[nome, quantos] : listas) {
        const auto &lista = tela.controle(nome);
        EXPECT_EQ(lista.itens.size(), quantos) << nome;
        EXPECT_EQ(lista.indice, 0) << nome;
    }
    EXPECT_EQ(tela.controle("cbSSLLib").itens.front(), "libNone");
    EXPECT_EQ(tela.controle("cbVersaoDF").itens.back(), "ve400");
    EXPECT_EQ(tela.PageControl3, 0);
    EXPECT_EQ(tela.pgRespostas, TfrmConfigGeral40::pgLog);
    EXPECT_TRUE(tela.QuibNFe1.Configuracoes().WebServices().Salvar);
    EXPECT_EQ(tela.QuibPosPrinter1.Modelo(), ppEscPosEpson);
    EXPECT_EQ(tela.QuibPosPrinter1.Porta(), "COM9");
    EXPECT_EQ(tela.QuibPosPrinter1.LinhasEntreCupons, 5);
    EXPECT_EQ(tela.controle("edtNumSerie").texto, "");

    tela.FormActivate();
    EXPECT_EQ(tela.controle("edtNumSerie").texto, "ABC123");
}

TEST_F(ConsoleRespostasTest, TheThermalDanfePrintsOnTheScreensPrinterAndIsAttachedToNothing)
{
    const auto &pos = tela_->QuibPosPrinter1;
    EXPECT_EQ(tela_->QuibNFeDANFeESCPOS1.PosPrinter(), &pos);
    EXPECT_EQ(pos.EspacoEntreLinhas(), 30);
    EXPECT_EQ(pos.Config().ConfigQRCode.Tipo(), 2);
    EXPECT_EQ(pos.Config().ConfigQRCode.LarguraModulo(), 4);
    EXPECT_EQ(pos.Config().ConfigQRCode.ErrorLevel(), 0);
    // No NF-e component holds it, and it holds none: printing needs a note
    // handed to it, and the component's own print finds no DANFE.
    EXPECT_EQ(tela_->QuibNFe1.DANFE(), nullptr);
    EXPECT_THAT(
        [&] { tela_->QuibNFeDANFeESCPOS1.ImprimirDANFE(); },
        ::testing::ThrowsMessage<EQuibException>(::testing::HasSubstr("Componente QuibNFe não atribuído")));
}

TEST_F(ConsoleRespostasTest, TreeLeavesOutSignaturesAndKeepsItsItemsOnAParseError)
{
    tela_->ExibirArvoreResposta("<retEnviNFe><cStat>103</cStat></retEnviNFe>");
    tela_->ExibirArvoreResposta("<retConsSitNFe>" + kAssinatura + "<cStat>100</cStat>" + kAssinatura +
                                "</retConsSitNFe>");
    const std::vector<NoArvore> esperada = {
        {kNbsp + "retConsSitNFe", {{kNbsp + "cStat", {{kNbsp + "100", {}}}}}}};
    EXPECT_EQ(tela_->TreeViewRetornoConsulta, esperada);

    EXPECT_THROW(tela_->ExibirArvoreResposta("<retConsSitNFe><cStat>"), ErroXMLResposta);
    EXPECT_EQ(tela_->TreeViewRetornoConsulta, esperada);

    // An unclosed signature stays in the text and is shown as it is.
    tela_->ExibirArvoreResposta("<r><Signature/><cStat>1</cStat></r>");
    EXPECT_EQ(tela_->TreeViewRetornoConsulta.at(0).filhos.size(), 2u);
}

TEST_F(ConsoleRespostasTest, BrowserFileHoldsOnlyTheLastAnswerAsWellFormedUtf8)
{
    tela_->ExibirXMLNoNavegador("<a>primeira</a>", tela_->WBResposta);
    tela_->ExibirXMLNoNavegador("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><b>a\xE7\xE3o</b>",
                                tela_->WBResposta);
    const fs::path arquivo = pasta_ / "temp.xml";
    EXPECT_EQ(tela_->WBResposta.arquivo, arquivo.string());
    const std::string conteudo = le(arquivo);
    EXPECT_THAT(conteudo, ::testing::StartsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_THAT(conteudo, ::testing::HasSubstr("ação"));
    EXPECT_THAT(conteudo, ::testing::Not(::testing::HasSubstr("primeira")));
    EXPECT_EQ(std::system(("xmllint --noout '" + arquivo.string() + "'").c_str()), 0);
    EXPECT_EQ(tela_->MemoResp, "");
}

TEST_F(ConsoleRespostasTest, BrowserFileErrorLeavesTheViewsUntouched)
{
    // The program's folder is a plain file: nothing can be written under it.
    std::ofstream(pasta_ / "arquivo") << "x";
    TfrmConfigGeral40 tela(*modulo, (pasta_ / "arquivo").string() + "/");
    tela.QuibNFe1.Notas().AdicionarNota().NFe().emit.xNome = "Padaria São João";
    TfrmConfigGeral40::Navegador navegador{"antes"};
    EXPECT_THROW(tela.ExibirXMLNoNavegador("<b/>", navegador), FileWriteError);
    EXPECT_EQ(navegador.arquivo, "antes");
    EXPECT_EQ(tela.MemoResp, "");
}

TEST_F(ConsoleRespostasTest, ALoadedNoteAddsItsEmitterToTheAnswers)
{
    tela_->MemoResp = "cStat 100";
    tela_->QuibNFe1.Notas().AdicionarNota().NFe().emit.xNome = "Padaria São João";
    tela_->ExibirXMLNoNavegador("<a/>", tela_->WBResposta);
    EXPECT_EQ(tela_->MemoResp, "cStat 100\r\nEmpresa: Padaria São João");
}

} // namespace

namespace {

TEST_F(ConsoleRespostasTest, ThePaneReportNamesEachChangedPaneWithWhatItNowShows)
{
    using testsupport::fotografaPaineis;
    using testsupport::paineisQueMudaram;
    tela_->MemoDados = "\r\nStatus Serviço\r\ncStat: 107";
    auto antes = fotografaPaineis(*tela_);
    EXPECT_EQ(paineisQueMudaram(antes, fotografaPaineis(*tela_)), "");

    tela_->MemoResp = "<retConsStatServ/>\r\nEmpresa: X";
    tela_->MemoDados += "\r\n\r\nConsultar Recibo\r\ncStat: 104";
    tela_->ExibirArvoreResposta("<r><cStat>100</cStat><Signature><v/></Signature></r>");
    tela_->ExibirXMLNoNavegador("<r/>", tela_->WBResposta);
    tela_->pgRespostas = TfrmConfigGeral40::pgXMLResposta;
    EXPECT_EQ(paineisQueMudaram(antes, fotografaPaineis(*tela_)),
              "[MemoResp]\n<retConsStatServ/>\nEmpresa: X\n"
              "[WBResposta]\n" +
                  (pasta_ / "temp.xml").string() +
                  "\n"
                  "[MemoDados]\n\nConsultar Recibo\ncStat: 104\n"
                  "[TreeViewRetornoConsulta]\n" +
                  kNbsp + "r\n  " + kNbsp + "cStat\n    " + kNbsp +
                  "100\n"
                  "page=1\n");

    // The same answer again changes no pane; another one in the same file does.
    antes = fotografaPaineis(*tela_);
    tela_->ExibirXMLNoNavegador("<r/>", tela_->WBResposta);
    EXPECT_EQ(paineisQueMudaram(antes, fotografaPaineis(*tela_)), "");
    tela_->ExibirXMLNoNavegador("<s/>", tela_->WBResposta);
    EXPECT_EQ(paineisQueMudaram(antes, fotografaPaineis(*tela_)),
              "[WBResposta]\n" + (pasta_ / "temp.xml").string() + "\n");
}

} // namespace
