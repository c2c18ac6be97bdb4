#include "tests/app/dados/gerencia_vazia_fixture.h"

#include "app/dados/esquema_base.h"
#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "app/regional/localiza_ini.h"
#include "foundation/files/ini_file.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/temp_dir.h"

namespace {

testsupport::TempDir *pasta = nullptr;

std::string banco()
{
    return pasta->path().string() + "/gerencia.kvl";
}

} // namespace

std::string GerenciaVaziaFixture::pastaIni()
{
    return pasta->path().string() + "/";
}

void GerenciaVaziaFixture::SetUpTestSuite()
{
    testsupport::useTestFirebird();
    pasta = new testsupport::TempDir();
    db::Database gerencia = db::Database::create(banco());
    db::Transaction t(gerencia);
    criaEsquema(t, esquemaBaseGerencia());
    criaEsquema(t, {"CREATE TABLE CONFIG_GERAL (CAMPO_REF VARCHAR(30), CAMPO_VALOR VARCHAR(100))"});
    t.commit();
    IniFile(pastaIni() + std::string(kArquivoIniAplicacao)).WriteString("IBGERENCIA", "PATH IB", banco());
}

void GerenciaVaziaFixture::TearDownTestSuite()
{
    delete pasta;
    pasta = nullptr;
}

void GerenciaVaziaFixture::SetUp()
{
    {
        db::Database conexao = db::Database::attach(banco());
        db::Transaction t(conexao);
        for (const char *tabela : {"USUARIO", "EMPRESA", "REGISTRO", "PATHIB", "CONFIG_GERAL"})
            db::executeSql(t, std::string("DELETE FROM ") + tabela);
        for (const std::string &sql : linhasIniciais())
            db::executeSql(t, sql);
        t.commit();
    }
    auto scripted = std::make_unique<testsupport::ScriptedDialogs>();
    dialogos = scripted.get();
    instalaDialogos(std::move(scripted));
    gerencia = std::make_unique<TdtmGerencia>(pastaIni());
}

void GerenciaVaziaFixture::TearDown()
{
    gerencia.reset();
    instalaDialogos(nullptr);
}

void GerenciaVaziaFixture::executa(const std::string &sql)
{
    db::Database conexao = db::Database::attach(banco());
    db::Transaction t(conexao);
    db::executeSql(t, sql);
    t.commit();
}

std::string GerenciaVaziaFixture::consulta(const std::string &sql)
{
    db::Database conexao = db::Database::attach(banco());
    db::Transaction t(conexao);
    db::Statement comando(t, sql);
    std::string resultado = "<none>";
    {
        db::Cursor linhas = comando.open();
        if (linhas.next())
            resultado = linhas.at(0).isNull() ? "<null>" : linhas.at(0).asString();
    }
    t.commit();
    return resultado;
}
