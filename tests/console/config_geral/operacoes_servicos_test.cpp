#include "console/config_geral/frm_config_geral40.h"

#include "dfe/backends.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/web_services.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/fake_sefaz.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/xml_checks.h"

#include <gmock/gmock.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

// Prompts answered from queues; an empty queue answers Cancel. Every box is
// recorded.
class PerguntasRoteiro : public PerguntasConsole {
  public:
    std::deque<std::string> respostas;
    std::deque<std::string> arquivos;
    std::vector<std::string> caixas;
    std::vector<DialogoArquivo> dialogos;

    std::optional<std::string> InputBox(std::string_view, std::string_view, std::string_view) override
    {
        return proxima(respostas);
    }
    std::optional<std::string> abrirArquivo(const DialogoArquivo &dialogo) override
    {
        dialogos.push_back(dialogo);
        return proxima(arquivos);
    }
    void mensagem(std::string_view texto) override { caixas.emplace_back(texto); }
    void erro(std::string_view texto) override { caixas.emplace_back(texto); }
    bool confirmacao(std::string_view) override { return false; }

  private:
    static std::optional<std::string> proxima(std::deque<std::string> &fila)
    {
        if (fila.empty())
            return std::nullopt;
        std::string texto = std::move(fila.front());
        fila.pop_front();
        return texto;
    }
};

std::string le(const fs::path &arquivo)
{
    std::ifstream entrada(arquivo, std::ios::binary);
    std::ostringstream texto;
    texto << entrada.rdbuf();
    return texto.str();
}

// The child elements of the first element named so, read by Python's
// xml.etree as "name: text" lines joined by CR LF.
std::string camposPeloEtree(const std::string &xml, const std::string &elemento)
{
    const std::string script =
        "import sys, xml.etree.ElementTree as E\n"
        "r = E.fromstring(sys.stdin.buffer.read())\n"
        "e = next(x for x in r.iter() if x.tag.split('}')[-1] == '" +
        elemento +
        "')\n"
        "print('\\r\\n'.join(c.tag.split('}')[-1] + ': ' + (c.text or '') for c in e), "
        "end='')\n";
    const auto r = testsupport::runCommand({"/usr/bin/python3", "-c", script}, xml);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
}

// The "Status Serviço" field list expected of a SOAP answer, from the
// fields that xml.etree reads; date-times "2024-05-10T10:20:30-03:00" shown
// as "10/05/2024 10:20:30".
std::string listaStatusPeloEtree(const std::string &resposta)
{
    std::map<std::string, std::string> lido;
    std::istringstream linhas(camposPeloEtree(resposta, "retConsStatServ"));
    for (std::string linha; std::getline(linhas, linha);) {
        if (!linha.empty() && linha.back() == '\r')
            linha.pop_back();
        lido[linha.substr(0, linha.find(':'))] = linha.substr(linha.find(": ") + 2);
    }
    const auto dataHora = [](const std::string &iso) {
        return iso.empty() ? iso
                           : iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4) + " " +
                                 iso.substr(11, 8);
    };
    return "\r\nStatus Serviço\r\ntpAmb: " + lido["tpAmb"] + "\r\nverAplic: " + lido["verAplic"] +
           "\r\ncStat: " + lido["cStat"] + "\r\nxMotivo: " + lido["xMotivo"] + "\r\ncUF: " + lido["cUF"] +
           "\r\ndhRecbto: " + dataHora(lido["dhRecbto"]) + "\r\ntMed: " + lido["tMed"] +
           "\r\ndhRetorno: " + dataHora(lido["dhRetorno"]) + "\r\nxObs: " + lido["xObs"];
}

// The console of a company whose stored settings use the OpenSSL bundle, the
// test e-CNPJ, SP and homologation, against the fake authority on a free port.
class OperacoesServicosTest : public BancosFixture {
  protected:
    void SetUp() override
    {
        BancosFixture::SetUp();
        RegistraBackendsDFe();
        fs::create_directory_symlink(testsupport::officialSchemaDir(), pasta_ / "Schemas40");
        modulo->CnpjEmpresa = "56000000000" + std::to_string(100 + empresas_++);
        tela_ = std::make_unique<TfrmConfigGeral40>(*modulo, pasta_.path().string() + "/");
        guarda(testsupport::testPki().ecnpj);
        tela_->QuibNFe1.Configuracoes().Arquivos().SetIniServicos(
            pasta_.write("servicos.ini", fake_.servicesIni()).string());
        tela_->DefinirPerguntas(&perguntas_);
        tela_->FormActivate();
    }
    void TearDown() override
    {
        tela_.reset();
        modulo->dtmNFERollback();
        BancosFixture::TearDown();
    }

    void guarda(const testsupport::TestCert &certificado)
    {
        const std::pair<const char *, const char *> bibliotecas[] = {
            {"SSLLib", "1"}, {"CryptLib", "1"}, {"HttpLib", "3"}, {"XmlSignLib", "4"}};
        for (const auto &[chave, valor] : bibliotecas)
            tela_->Ini_WriteString("Certificado", chave, valor);
        tela_->Ini_WriteString("Certificado", "Caminho", certificado.pfxAes);
        tela_->Ini_WriteString("Certificado", "Senha", certificado.password);
        tela_->Ini_WriteString("WebService", "UF", "SP");
        tela_->Ini_WriteString("WebService", "Ambiente", "1");
        tela_->Ini_WriteString("Geral", "PathSalvar", (pasta_ / "salvos").string());
    }

    std::vector<testsupport::FakeSefazExchange> trocas(const std::string &raiz) const
    {
        std::vector<testsupport::FakeSefazExchange> achadas;
        for (auto &troca : fake_.exchanges())
            if (troca.root == raiz)
                achadas.push_back(troca);
        return achadas;
    }

    testsupport::TempDir pasta_;
    testsupport::FakeSefaz fake_;
    PerguntasRoteiro perguntas_;
    std::unique_ptr<TfrmConfigGeral40> tela_;
    static inline int empresas_ = 0;
};

TEST_F(OperacoesServicosTest, StatusUsesTheStoredSettingsAndShowsTheAnswerEverywhere)
{
    tela_->controle("cbUF").indice = 0;
    tela_->controle("edtSenha").texto = "não salva";
    tela_->btnStatusServClick();

    const auto status = trocas("consStatServ");
    ASSERT_EQ(status.size(), 1u);
    EXPECT_FALSE(status[0].clientSubject.empty());
    EXPECT_EQ(tela_->controle("edtSenha").texto, testsupport::testPki().ecnpj.password);
    EXPECT_EQ(tela_->controle("cbUF").indice, 24);
    const auto &servico = tela_->QuibNFe1.Servicos().ServicoStatus;
    EXPECT_EQ(servico.cUF, 35);
    EXPECT_EQ(servico.tpAmb, taHomologacao);
    EXPECT_EQ(tela_->memoRespWS, status[0].answer);
    EXPECT_THAT(tela_->MemoResp, testing::StartsWith("<retConsStatServ"));
    EXPECT_THAT(le(pasta_ / "temp.xml"), HasSubstr(tela_->MemoResp));
    EXPECT_EQ(tela_->WBResposta.arquivo, (pasta_ / "temp.xml").string());
    EXPECT_EQ(tela_->pgRespostas, TfrmConfigGeral40::pgXMLResposta);

    // The field list holds what xml.etree reads from the answer, in the
    // list's order and with its labels.
    EXPECT_EQ(tela_->MemoDados, listaStatusPeloEtree(status[0].answer));

    // A second status follows the first after an empty line.
    tela_->btnStatusServClick();
    const auto ambos = trocas("consStatServ");
    ASSERT_EQ(ambos.size(), 2u);
    EXPECT_EQ(tela_->MemoDados,
              listaStatusPeloEtree(ambos[0].answer) + "\r\n" + listaStatusPeloEtree(ambos[1].answer));
}

TEST_F(OperacoesServicosTest, SituationOfAFileQueriesEachNoteAndShowsTheLast)
{
    std::string nota = testsupport::authorisedNoteXml(1);
    if (nota.starts_with("<?xml"))
        nota.erase(0, nota.find("?>") + 2);
    const auto arquivo = pasta_.write("duas-nfe.xml", "<notas>" + nota + nota + "</notas>");
    perguntas_.arquivos = {arquivo.string()};
    tela_->btnConsultarClick();

    ASSERT_EQ(perguntas_.dialogos.size(), 1u);
    EXPECT_EQ(perguntas_.dialogos[0].titulo, "Selecione a NFE");
    EXPECT_EQ(perguntas_.dialogos[0].pastaInicial, tela_->QuibNFe1.Configuracoes().Arquivos().PathSalvar());
    const auto consultas = trocas("consSitNFe");
    ASSERT_EQ(consultas.size(), 2u);
    const auto &consulta = tela_->QuibNFe1.Servicos().ServicoConsulta;
    EXPECT_EQ(perguntas_.caixas, std::vector<std::string>{consulta.Protocolo});
    EXPECT_EQ(tela_->memoRespWS, consultas[1].answer);
    EXPECT_THAT(tela_->MemoResp, HasSubstr("\r\nEmpresa: "));
    ASSERT_EQ(tela_->TreeViewRetornoConsulta.size(), 1u);
    EXPECT_EQ(tela_->TreeViewRetornoConsulta[0].legenda, "\xC2\xA0retConsSitNFe");
    EXPECT_THAT(tela_->TreeViewRetornoConsulta[0].filhos,
                testing::Each(testing::Field(&NoArvore::legenda, testing::Ne("\xC2\xA0Signature"))));
    EXPECT_EQ(tela_->pgRespostas, TfrmConfigGeral40::pgLog);

    // No file chosen: nothing is asked of the authority.
    tela_->btnConsultarClick();
    EXPECT_EQ(trocas("consSitNFe").size(), 2u);
}

TEST_F(OperacoesServicosTest, SituationByKeyUsesItsDigitsAndABadKeyAsksNothing)
{
    const std::string chave = testsupport::kSampleKey;
    std::string digitada;
    for (std::size_t i = 0; i < chave.size(); ++i)
        digitada += chave.substr(i, 1) + (i % 4 == 3 ? ". " : "");
    tela_->QuibNFe1.Notas().AdicionarNota();
    perguntas_.respostas = {digitada};
    tela_->btnConsultarChaveClick();
    ASSERT_EQ(trocas("consSitNFe").size(), 1u);
    EXPECT_EQ(tela_->QuibNFe1.Servicos().ServicoConsulta.ChaveAcesso(), chave);
    EXPECT_EQ(tela_->QuibNFe1.Notas().Count(), 0);
    EXPECT_EQ(tela_->memoRespWS, trocas("consSitNFe")[0].answer);
    EXPECT_FALSE(tela_->TreeViewRetornoConsulta.empty());

    const std::string antes = tela_->memoRespWS;
    perguntas_.respostas = {chave.substr(0, 43) + "9"};
    EXPECT_THROW(tela_->btnConsultarChaveClick(), EQuibNFeException);
    EXPECT_EQ(trocas("consSitNFe").size(), 1u);
    EXPECT_EQ(tela_->memoRespWS, antes);
    EXPECT_FALSE(tela_->EmOperacao());
}

TEST_F(OperacoesServicosTest, ReceiptRegistryAndDistributionSendWhatWasTyped)
{
    perguntas_.respostas = {"351000000012345"};
    tela_->btnConsultarReciboClick();
    ASSERT_EQ(trocas("consReciNFe").size(), 1u);
    EXPECT_EQ(tela_->memoRespWS, trocas("consReciNFe")[0].answer);
    EXPECT_EQ(tela_->pgRespostas, TfrmConfigGeral40::pgXMLResposta);
    EXPECT_THAT(tela_->MemoDados, testing::StartsWith("\r\nConsultar Recibo\r\ntpAmb: 2\r\nversao: "));
    EXPECT_THAT(tela_->MemoDados, testing::EndsWith("\r\nRecibo: 351000000012345"));

    auto &cadastro = tela_->QuibNFe1.Servicos().ServicoConsultaCadastro;
    const struct {
        const char *uf, *documento, *cpf, *cnpj;
    } documentos[] = {
        {"SP", "123.456.789-09", "12345678909", ""},
        {"sp", "11.222.333/0001-81", "", "11222333000181"},
        {"SP", " ", "", ""},
    };
    for (const auto &d : documentos) {
        perguntas_.respostas = {d.uf, d.documento};
        tela_->btnConsCadClick();
        EXPECT_EQ(cadastro.UF, d.uf) << d.documento;
        EXPECT_EQ(cadastro.CPF(), d.cpf) << d.documento;
        EXPECT_EQ(cadastro.CNPJ(), d.cnpj) << d.documento;
    }
    EXPECT_EQ(trocas("ConsCad").size(), 3u);
    EXPECT_THAT(tela_->MemoDados, HasSubstr("\r\n\r\nConsulta Cadastro\r\nversao: "));

    // A letter in the author's state fails before any request; Cancel on any
    // box sends nothing.
    perguntas_.respostas = {"3S", "11222333000181", "0", ""};
    EXPECT_THROW(tela_->btnDistribuicaoDFeClick(), ConversionError);
    perguntas_.respostas = {"35", "11222333000181"};
    tela_->btnDistribuicaoDFeClick();
    EXPECT_TRUE(trocas("distDFeInt").empty());

    perguntas_.respostas = {"35", "11222333000181", "0", "0"};
    tela_->btnDistribuicaoDFeClick();
    ASSERT_EQ(trocas("distDFeInt").size(), 1u);
    EXPECT_THAT(le(pasta_ / "temp.xml"), HasSubstr("<retDistDFeInt"));
    EXPECT_THAT(le(pasta_ / "temp.xml"), testing::Not(HasSubstr("Envelope")));
}

TEST_F(OperacoesServicosTest, FailuresLeaveThePanesAndHideThePopUp)
{
    tela_->btnStatusServClick();
    const std::string resp = tela_->MemoResp, ws = tela_->memoRespWS, dados = tela_->MemoDados;
    const auto inalterados = [&](const char *caso) {
        EXPECT_EQ(tela_->MemoResp, resp) << caso;
        EXPECT_EQ(tela_->memoRespWS, ws) << caso;
        EXPECT_EQ(tela_->MemoDados, dados) << caso;
        EXPECT_TRUE(tela_->frmStatus.criado) << caso;
        EXPECT_FALSE(tela_->frmStatus.visivel) << caso;
        EXPECT_FALSE(tela_->EmOperacao()) << caso;
    };
    testsupport::fakesefaz::ScriptedAnswer falha500, vazia;
    falha500.http500 = true;
    vazia.empty = true;
    fake_.script("consStatServ", {falha500, vazia});
    EXPECT_THROW(tela_->btnStatusServClick(), EQuibException);
    inalterados("500");
    EXPECT_THROW(tela_->btnStatusServClick(), EQuibException);
    inalterados("empty body");

    guarda(testsupport::testPki().expired1999);
    EXPECT_THAT([&] { tela_->btnStatusServClick(); },
                testing::ThrowsMessage<EQuibException>(HasSubstr("Data de Validade do Certificado")));
    inalterados("expired");

    guarda(testsupport::testPki().ecnpj);
    fake_.stop();
    EXPECT_THROW(tela_->btnStatusServClick(), EQuibException);
    inalterados("stopped");
}

TEST_F(OperacoesServicosTest, ThePopUpFollowsEveryStep)
{
    // clang-format off
    const struct { int etapa; bool visivel; const char *texto; } passos[] = {
        {0, false, ""},
        {15, false, ""},
        {1, true, "Verificando Status do servico..."},
        {2, true, "Enviando dados da NFe..."},
        {3, true, "Recebendo dados da NFe..."},
        {4, true, "Consultando NFe..."},
        {5, true, "Enviando cancelamento de NFe..."},
        {6, true, "Enviando pedido de Inutilização..."},
        {7, true, "Consultando Recibo de Lote..."},
        {8, true, "Consultando Cadastro..."},
        {9, true, "Enviando Email..."},
        {10, true, "Enviando Carta de Correção..."},
        {11, true, "Enviando Evento..."},
        {14, true, "Enviando Evento..."},
        {15, true, "Enviando Evento..."},
        {16, true, "Enviando Evento..."},
        {0, false, "Enviando Evento..."},
        {16, false, "Enviando Evento..."},
    };
    // clang-format on
    for (const auto &p : passos) {
        tela_->QuibNFe1.DefinirEtapa(static_cast<TEtapaNFe>(p.etapa));
        EXPECT_EQ(tela_->frmStatus.visivel, p.visivel) << p.etapa;
        EXPECT_EQ(tela_->frmStatus.texto, p.texto) << p.etapa;
    }
    EXPECT_EQ(PassoDoStatus(etOcioso).acao, AcaoStatus::Esconder);
    EXPECT_EQ(PassoDoStatus(etAdministrandoCSC).acao, AcaoStatus::Manter);
}

TEST_F(OperacoesServicosTest, TheLogHandlerAddsLinesButIsBoundToNothing)
{
    EXPECT_FALSE(tela_->QuibNFe1.OnGerarLog);
    bool tratado = false;
    tela_->QuibNFe1GerarLog("primeira", tratado);
    tela_->QuibNFe1GerarLog("segunda", tratado);
    EXPECT_EQ(tela_->memoLog, "primeira\r\nsegunda");
    EXPECT_FALSE(tratado);
    TfrmConfigGeral40::FonteRotulo fonte;
    TfrmConfigGeral40::lblMouseEnter(fonte);
    EXPECT_TRUE(fonte.negrito && fonte.sublinhado);
    TfrmConfigGeral40::lblMouseLeave(fonte);
    EXPECT_TRUE(fonte.negrito && !fonte.sublinhado);
}

} // namespace
