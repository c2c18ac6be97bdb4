#include "tests/monitor_client/request/nota_fixture.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/dates/date_time.h"
#include "tests/support/fake_monitor/detail/monitor_files.h"
#include "tests/support/staged_notes.h"
#include "tests/support/test_data.h"

#include <cstdlib>
#include <fstream>

std::chrono::system_clock::time_point agoraLocal(int ano, int mes, int dia, int h, int m, int s)
{
    const auto comoUtc = std::chrono::sys_days{std::chrono::year{ano} / mes / dia} + std::chrono::hours{h} +
                         std::chrono::minutes{m} + std::chrono::seconds{s};
    return comoUtc - std::chrono::minutes{localUtcOffsetMinutes(comoUtc)};
}

void NotaFixture::SetUpTestSuite()
{
    BancosFixture::SetUpTestSuite();
    const std::string colunas = "(NOM_EMI, FAN_EMI, END_EMI, NRO_END_EMI, BAI_EMI, COD_MUN_EMI, MUN_EMI, "
                                "COD_UF_EMI, UF_EMI, CEP_EMI, COD_PAIS_EMI, PAIS_EMI, FONE_EMI, CNPJ_EMI, "
                                "CPF_EMI, IE_EMI, IE_SUBST_EMI, IM_EMI, CNAE_EMI, TIPO_IMP_DANF, COMPL_EMI, "
                                "TIPO_EMI, COD_REG_TRIB, NRO_COPIAS2)";
    executaComCommit(bancoModulo(),
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
    executaComCommit(bancoModulo(),
                     "INSERT INTO NCMIMPOSTO (NRO_NCM, ALIQ_NAC, ALIQ_IMP) VALUES (22030000, 10, 15)");
}

void NotaFixture::SetUp()
{
    BancosFixture::SetUp();
    setClock([] { return agoraLocal(2024, 3, 7, 10, 20, 30); });
    modulo->dtmNFEOpen({"ConfigNFE"});
    carregaNotas("data/monitor_client/notas.json");
}

void NotaFixture::TearDown()
{
    tela.reset();
    resetClock();
    BancosFixture::TearDown();
}

std::string NotaFixture::pastaDados()
{
    return (testsupport::sourceDir() / "tests/data/monitor_client/").string();
}

void NotaFixture::carregaNotas(const std::string &arquivo)
{
    tela.reset();
    testsupport::loadStagedNotes(testsupport::testData(arquivo), tabelas);
    tela = std::make_unique<TfrmNFE_2G>(*modulo, tabelas, pastaDados());
}

void NotaFixture::selecionaEmitente(const std::string &cnpj)
{
    auto &tabela = *modulo->tblConfigNFE;
    for (tabela.first(); !tabela.eof(); tabela.next())
        if (SomenteNumeros(tabela.field("CNPJ_EMI").asString()) == cnpj)
            return;
    FAIL() << "emitter " << cnpj << " missing";
}

std::string NotaFixture::documento(int nota)
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

void NotaFixture::confereGolden(int nota, const std::string &golden)
{
    const std::string bytes = documento(nota);
    if (std::getenv("NFE_WRITE_GOLDENS"))
        std::ofstream(pastaDados() + golden + ".txt", std::ios::binary) << bytes;
    EXPECT_EQ(bytes, testsupport::testBytes("data/monitor_client/" + golden + ".txt")) << golden;
    EXPECT_EQ(testsupport::monitor::firstFault(bytes), "") << golden;
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << golden;
}
