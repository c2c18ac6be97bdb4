#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "tests/app/dados/bancos_fixture.h"
#include "tests/support/fake_monitor/detail/monitor_files.h"
#include "tests/support/staged_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const char *const kEmitenteProducao = "11222333000181";
const char *const kEmitenteHomologacao = "44555666000199";

std::chrono::system_clock::time_point agoraLocal(int ano, int mes, int dia, int h, int m, int s)
{
    const auto comoUtc = std::chrono::sys_days{std::chrono::year{ano} / mes / dia} + std::chrono::hours{h} +
                         std::chrono::minutes{m} + std::chrono::seconds{s};
    return comoUtc - std::chrono::minutes{localUtcOffsetMinutes(comoUtc)};
}

class DocumentoNota : public BancosFixture {
  protected:
    static void SetUpTestSuite()
    {
        BancosFixture::SetUpTestSuite();
        const std::string colunas =
            "(NOM_EMI, FAN_EMI, END_EMI, NRO_END_EMI, BAI_EMI, COD_MUN_EMI, MUN_EMI, "
            "COD_UF_EMI, UF_EMI, CEP_EMI, COD_PAIS_EMI, PAIS_EMI, FONE_EMI, CNPJ_EMI, "
            "CPF_EMI, IE_EMI, IE_SUBST_EMI, IM_EMI, CNAE_EMI, TIPO_IMP_DANF, COMPL_EMI, "
            "TIPO_EMI, COD_REG_TRIB, NRO_COPIAS2)";
        executaComCommit(
            bancoModulo(),
            "INSERT INTO CONFIGNFE " + colunas +
                " VALUES ('EMITENTE EXEMPLO LTDA', 'EXEMPLO', 'AV PAULISTA', '1000', 'BELA VISTA', "
                "3550308, 'SAO PAULO', 35, 'SP', '01310-100', 1058, 'BRASIL', '(11) 4000-1000', "
                "'11.222.333/0001-81', '', '111.111.111.111', '', '12345', '4711-3', '1', "
                "'SALA 1', 'J', 3, 0)");
        executaComCommit(bancoModulo(),
                         "INSERT INTO CONFIGNFE " + colunas +
                             " VALUES ('PRODUTOR TESTE', 'PRODUTOR', 'ESTRADA 5', 'SN', 'RURAL', 4106902, "
                             "'CURITIBA', 41, 'PR', '80000-000', 1058, 'BRASIL', '41 3000-0000', "
                             "'44.555.666/0001-99', '123.456.789-09', '9.999', NULL, NULL, NULL, '2', NULL, "
                             "'F', 1, 100)");
        executaComCommit(bancoModulo(), "INSERT INTO CEP (CEP_10, UF_CID, NOM_CID) VALUES "
                                        "('13450-999', 'SP', 'SANTA BARBARA D''OESTE')");
        executaComCommit(bancoModulo(), "INSERT INTO CEP (CEP_10, UF_CID, NOM_CID) VALUES "
                                        "('01999-000', 'SP', 'SÃO PAULO')");
        executaComCommit(bancoModulo(), "INSERT INTO CEP (CEP_10, UF_CID, NOM_CID) VALUES "
                                        "('13'' 000', 'SP', 'CAMPINAS')");
    }

    void SetUp() override
    {
        BancosFixture::SetUp();
        setClock([] { return agoraLocal(2024, 3, 7, 10, 20, 30); });
        modulo->dtmNFEOpen({"ConfigNFE"});
        testsupport::loadStagedNotes(testsupport::testData("data/monitor_client/notas.json"), tabelas);
        tela = std::make_unique<TfrmNFE_2G>(*modulo, tabelas, pastaDados());
    }

    void TearDown() override
    {
        tela.reset();
        resetClock();
        BancosFixture::TearDown();
    }

    static std::string pastaDados()
    {
        return (testsupport::sourceDir() / "tests/data/monitor_client/").string();
    }

    void selecionaEmitente(const std::string &cnpj)
    {
        auto &tabela = *modulo->tblConfigNFE;
        for (tabela.first(); !tabela.eof(); tabela.next())
            if (SomenteNumeros(tabela.field("CNPJ_EMI").asString()) == cnpj)
                return;
        FAIL() << "emitter " << cnpj << " missing";
    }

    // The request document of the note with the key, as the file's bytes.
    std::string documento(int nota)
    {
        for (std::size_t i = 0; i < tabelas.tblNotas.linhas().size(); ++i)
            if (tabelas.tblNotas.linhas()[i].nota == nota) {
                const auto &linha = tabelas.tblNotas.linhas()[i];
                selecionaEmitente(SomenteNumeros(linha.cnpj_emitente));
                tela->selecionaNota(i);
                tela->CodigoNumerico = 0;
                return bytesDoDocumento(tela->MontaDocumentoNota());
            }
        ADD_FAILURE() << "note " << nota << " missing";
        return {};
    }

    TabelasNotas tabelas;
    std::unique_ptr<TfrmNFE_2G> tela;
};

// Each golden is Windows-1252 with CR LF and passes the fake monitor's check.
TEST_F(DocumentoNota, MatchesTheGoldenDocuments)
{
    const struct {
        int nota;
        const char *golden;
    } casos[] = {
        {1, "cnpj_prazo_volume_da_nota"}, {2, "cpf_isento_obs_geral"}, {3, "estrangeiro_exporta"},
        {4, "homologacao_placa"},         {5, "referencias_memo"},     {6, "entrega_veiculo"},
        {7, "placa_linhas_de_volume"},    {8, "quatorze_observacoes"},
    };
    for (const auto &caso : casos) {
        const std::string bytes = documento(caso.nota);
        const std::string arquivo = std::string("data/monitor_client/") + caso.golden + ".txt";
        if (std::getenv("NFE_WRITE_GOLDENS"))
            std::ofstream(pastaDados() + caso.golden + ".txt", std::ios::binary) << bytes;
        EXPECT_EQ(bytes, testsupport::testBytes(arquivo)) << caso.golden;
        EXPECT_EQ(testsupport::monitor::firstFault(bytes), "") << caso.golden;
        EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << caso.golden;
    }
}

TEST_F(DocumentoNota, FindsMunicipalitiesByListAndByCep)
{
    const struct {
        const char *cidade, *uf, *cep, *codigo;
    } casos[] = {
        {"São Paulo", "SP", "", "3550308"},
        {"SÃO PAULO", "sp", "", "3550308"},
        {"SANTA BARBARA D'OESTE", "SP", "", "3547304"},
        {"Santa Bárbara d'Oeste", "SP", "", "3547304"},
        {"Outro Nome", "SP", "13450-999", "3547304"},
        {"Outro Nome", "SP", "01999-000", "3550308"},
        {"Outro Nome", "SP", "13' 000", "3509502"},
        {"São Paulo", "RJ", "", "0"},
        {"Atlantida", "SP", "99999-999", "0"},
        {"Curitiba", "XX", "", "0"},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(tela->BuscaCidade_IBGE(caso.cidade, caso.uf, caso.cep), caso.codigo) << caso.cidade;
}

TEST_F(DocumentoNota, ComputesTheNumericCodeFromTheClock)
{
    selecionaEmitente(kEmitenteProducao);
    const struct {
        int codigoAnterior;
        const char *serie, *numero, *esperado;
        int codigo;
    } casos[] = {
        {0, "1", "000123", "301000123", 301000123},   // seconds 37230: digits 4-5 "30"
        {0, "A1", "1234567", "301234567", 301234567}, // the number's rightmost 6 digits
        {0, "", "42", "30000042", 30000042},          // no series digit: 8 digits
        {7, "1", "5", "000000007", 7},                // a resend keeps its code
    };
    for (const auto &caso : casos) {
        tabelas.tblNotas.linhas()[0].serie_not = caso.serie;
        tabelas.tblNotas.linhas()[0].nro_not = caso.numero;
        tela->selecionaNota(0);
        tela->CodigoNumerico = caso.codigoAnterior;
        tela->Requisicao.clear();
        tela->GeraEmitente();
        EXPECT_EQ(tela->Requisicao.at(2), TfrmNFE_2G::Sp(4, "cnf") + caso.esperado) << caso.numero;
        EXPECT_EQ(tela->CodigoNumerico, caso.codigo);
    }
}

// The value of the first line of the key in the written lines; "<none>"
// when there is no such line.
std::string valorDe(const std::vector<std::string> &linhas, const std::string &chave)
{
    const std::string prefixo = TfrmNFE_2G::Sp(4, chave);
    for (const auto &linha : linhas)
        if (linha.rfind(prefixo, 0) == 0)
            return linha.substr(prefixo.size());
    return "<none>";
}

TEST_F(DocumentoNota, ChoosesPaymentExitTimeAndFreightCodes)
{
    selecionaEmitente(kEmitenteProducao);
    auto &nota = tabelas.tblNotas.linhas()[1]; // note 2, no instalments
    const struct {
        const char *natureza, *outros;
        int parcelaDaNota;
        const char *esperado;
    } pagamentos[] = {
        {"VENDA", "", 0, "0"},       {"venda a prazo", "", 0, "1"}, {"Venda Prazo", "OUTROS", 0, "1"},
        {"VENDA", "OUTROS", 0, "2"}, {"VENDA", "", 2, "1"},
    };
    for (const auto &caso : pagamentos) {
        nota.nat_not = caso.natureza;
        nota.desc_porc_out = caso.outros;
        tabelas.tblFatura.linhas().clear();
        if (caso.parcelaDaNota)
            tabelas.posta(LinhaFatura{caso.parcelaDaNota, encodeDate(2024, 4, 1), "1", 10});
        tela->selecionaNota(1);
        tela->Requisicao.clear();
        tela->GeraEmitente();
        EXPECT_EQ(valorDe(tela->Requisicao, "indpag"), caso.esperado) << caso.natureza << "/" << caso.outros;
    }

    const struct {
        const char *hora, *esperado;
    } horas[] = {
        {"08:05", "08:05:00"}, {"00:00", "<none>"}, {"", "<none>"}, {"23:59", "23:59:00"}, {"7", "07:00:00"}};
    for (const auto &caso : horas) {
        nota.hora_sai_not = caso.hora;
        tela->Requisicao.clear();
        tela->GeraEmitente();
        EXPECT_EQ(valorDe(tela->Requisicao, "hsaient"), caso.esperado) << caso.hora;
    }

    const struct {
        const char *pagador, *esperado;
    } fretes[] = {{"1", "0"}, {"2", "1"}, {"3", "2"}, {"9", "9"}, {"", "9"}};
    for (const auto &caso : fretes) {
        nota.t_fre_ct_not = caso.pagador;
        tela->Requisicao.clear();
        tela->GeraTransportadorVolumes();
        EXPECT_EQ(valorDe(tela->Requisicao, "modfrete"), caso.esperado) << caso.pagador;
    }
}

TEST_F(DocumentoNota, BadDatesAndAmountsNameTheFieldAndWriteNoFile)
{
    selecionaEmitente(kEmitenteProducao);
    const auto falha = [&](auto altera, const char *campo) {
        TabelasNotas copia;
        testsupport::loadStagedNotes(testsupport::testData("data/monitor_client/notas.json"), copia);
        altera(copia.tblNotas.linhas()[0]);
        TfrmNFE_2G outra(*modulo, copia, pastaDados());
        outra.selecionaNota(0);
        try {
            outra.MontaDocumentoNota();
            ADD_FAILURE() << campo;
        } catch (const ConversionError &erro) {
            EXPECT_NE(std::string(erro.what()).find(campo), std::string::npos) << erro.what();
        }
    };
    falha([](LinhaNota &n) { n.Dat_emi_not = "00/00/0000"; }, "Dat_emi_not");
    falha([](LinhaNota &n) { n.dat_sai_not = "32/01/2024"; }, "dat_sai_not");
    falha([](LinhaNota &n) { n.nro_not = "12A"; }, "nro_not");
    falha([](LinhaNota &n) { n.cfop_not = "X102"; }, "cfop_not");

    // A running total read against a note amount that is no number.
    tela->selecionaNota(0);
    tabelas.tblNotas.linhas()[0].vlr_tot_pro_not = "mil";
    tela->TotalServicos = 10;
    EXPECT_THROW(tela->GeraICMSTotal_com_VtotTrib(), ConversionError);
}

} // namespace
