#include "tests/monitor_client/monitor_fixture.h"

#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"

#include <filesystem>

namespace {

int proximoEmitente()
{
    static int numero = 100;
    return ++numero;
}

} // namespace

void MonitorFixture::SetUp()
{
    BancosFixture::SetUp();
    troca = std::make_unique<testsupport::TempDir>();
    dados = std::make_unique<testsupport::TempDir>();
    xdg = std::make_unique<testsupport::ScopedEnv>("XDG_DATA_HOME", dados->path().string());
    cnpj = "112223330" + std::to_string(proximoEmitente()) + "81";
    executaComCommit(bancoModulo(),
                     "insert into CONFIGNFE (NOM_EMI, CNPJ_EMI, PATH_COMUNICACAO) values ('Emitente " + cnpj +
                         "', '" + cnpj + "', '" + troca->path().string() + "')");
    roteiro("");
    tabelas.OpenFile();
    tela = std::make_unique<TfrmNFE_2G>(*modulo, tabelas, dados->path().string() + "/");
    tela->DataEnvio = "12/11/2026";
    tela->TimerEnvio = "3600";
    tela->AjustaCnpj_do_Emitente(cnpj);
}

void MonitorFixture::TearDown()
{
    tela.reset();
    monitor.reset();
    BancosFixture::TearDown();
}

void MonitorFixture::roteiro(const std::string &script)
{
    testsupport::FakeMonitor::Options opcoes;
    opcoes.folders = {troca->path().string()};
    opcoes.script = testsupport::readMonitorScript(script);
    monitor = std::make_unique<testsupport::FakeMonitor>(opcoes);
}

void MonitorFixture::linhaDanfe(int numero, int serie, int estado, const std::string &desStatus)
{
    executaComCommit(bancoModulo(),
                     "insert into DANFENFE (NRO_NOTA, SERIE_NOTA, COD_FILIAL, STATUS_NFE, DES_STATUS_NFE, "
                     "RESULTADO, DATA_ENVIO, TIMER_ENVIO) values (" +
                         std::to_string(numero) + ", '" + std::to_string(serie) + "', " + cnpj.substr(8, 6) +
                         ", " + std::to_string(estado) + ", '" + desStatus + "', 0, '2026-12-11', 3600)");
}

std::vector<std::string> MonitorFixture::linhasNota(int numero, int serie, const std::string &cnpj)
{
    return {"[ide]",
            "cUF             = 35",
            "demi            = 2026-12-11",
            "mod             = 55",
            "serie           = " + std::to_string(serie),
            "nnf             = " + std::to_string(numero),
            "cnf             = 12345678",
            "[emit]",
            "cnpj            = " + cnpj};
}

void MonitorFixture::entregaNota(int numero, int serie)
{
    tela->AjustaCnpj_do_Emitente(cnpj);
    tela->Nome_dos_arquivos("nota", "-fil", serie, numero);
    tela->EntregaRequisicao(linhasNota(numero, serie, cnpj));
    monitor->processPending();
}

void MonitorFixture::entregaPedido(const std::string &tipo, int numero, int serie)
{
    tela->AjustaCnpj_do_Emitente(cnpj);
    tela->Nome_dos_arquivos(tipo, "-fil", serie, numero);
    tela->EntregaRequisicao({"ChaveNFE        = 35261211222333000181550010000000011123456780"});
    monitor->processPending();
}

std::string MonitorFixture::linha(int numero, int serie, const std::string &colunas)
{
    db::Database conexao = db::Database::attach(bancoModulo());
    db::Transaction t(conexao);
    db::Statement consulta(t, "select " + colunas +
                                  " from DANFENFE where NRO_NOTA = ? and SERIE_NOTA = ? and "
                                  "COD_FILIAL = ?");
    std::string texto = "<none>";
    {
        db::Cursor linhas = consulta.open({numero, std::to_string(serie), std::stoi(cnpj.substr(8, 6))});
        if (linhas.next()) {
            texto.clear();
            for (std::size_t i = 0; i < linhas.row().size(); ++i)
                texto += (i ? "|" : "") +
                         (linhas.at(i).isNull() ? std::string("<null>") : linhas.at(i).asString());
        }
    }
    t.commit();
    return texto;
}

std::vector<std::string> MonitorFixture::respostas() const
{
    std::vector<std::string> nomes;
    for (const auto &entrada : std::filesystem::directory_iterator(troca->path() / "-resp"))
        if (entrada.is_regular_file())
            nomes.push_back(entrada.path().filename().string());
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}
