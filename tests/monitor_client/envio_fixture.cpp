#include "tests/monitor_client/envio_fixture.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/statement.h"
#include "tests/support/staged_notes.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>

void EnvioFixture::SetUp()
{
    MonitorFixture::SetUp();
    auto scripted = std::make_unique<testsupport::ScriptedDialogs>();
    caixas = scripted.get();
    anteriores = instalaDialogos(std::move(scripted));
    emitente("NOM_EMI = 'EMITENTE EXEMPLO LTDA', FAN_EMI = 'EXEMPLO', END_EMI = 'AV PAULISTA', "
             "NRO_END_EMI = '1000', BAI_EMI = 'BELA VISTA', COD_MUN_EMI = 3550308, MUN_EMI = 'SAO PAULO', "
             "COD_UF_EMI = 35, UF_EMI = 'SP', CEP_EMI = '01310-100', COD_PAIS_EMI = 1058, "
             "PAIS_EMI = 'BRASIL', FONE_EMI = '(11) 4000-1000', IE_EMI = '111.111.111.111', "
             "TIPO_IMP_DANF = '1', TIPO_EMI = 'J', COD_REG_TRIB = 3, NRO_COPIAS2 = 0, "
             "PATH_PRINT_1 = 'HP LaserJet', NRO_COPIAS1 = 0");
    testsupport::loadStagedNotes(testsupport::testData("data/monitor_client/envio.json"), tabelas);
    for (LinhaNota &nota : tabelas.tblNotas.linhas())
        nota.cnpj_emitente = cnpj;
    tela = std::make_unique<TfrmNFE_2G>(*modulo, tabelas,
                                        (testsupport::sourceDir() / "tests/data/monitor_client/").string());
    tela->DataEnvio = "12/11/2026";
    tela->TimerEnvio = "3600";
    tela->AbreArquivoNoShell = nullptr;
}

void EnvioFixture::TearDown()
{
    instalaDialogos(std::move(anteriores));
    MonitorFixture::TearDown();
}

void EnvioFixture::emitente(const std::string &atribuicoes)
{
    modulo->dtmNFEClose({"ConfigNFE"});
    db::executeSql(*modulo->ibtNFE, "update CONFIGNFE set " + atribuicoes + " where CNPJ_EMI = ?", {cnpj});
    modulo->dtmNFECommit();
    modulo->dtmNFEOpen({"ConfigNFE"});
}

const testsupport::MonitorRequest *EnvioFixture::pedido(const std::string &tipo) const
{
    for (const auto &requisicao : monitor->requests())
        if (requisicao.kind == tipo)
            return &requisicao;
    ADD_FAILURE() << "no \"" << tipo << "\" request";
    return nullptr;
}

int EnvioFixture::quantosPedidos(const std::string &tipo) const
{
    int quantos = 0;
    for (const auto &requisicao : monitor->requests())
        quantos += requisicao.kind == tipo;
    return quantos;
}
