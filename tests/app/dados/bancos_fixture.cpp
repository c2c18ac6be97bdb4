#include "tests/app/dados/bancos_fixture.h"

#include "app/dados/esquema_base.h"
#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "app/regional/localiza_ini.h"
#include "foundation/files/ini_file.h"
#include "tests/support/firebird_test_env.h"

testsupport::TempDir *BancosFixture::pasta_ = nullptr;

std::string BancosFixture::pastaIni()
{
    return pasta_->path().string() + "/";
}

std::string BancosFixture::bancoGerencia()
{
    return pastaIni() + "gerencia.kvl";
}

std::string BancosFixture::bancoModulo()
{
    return pastaIni() + "modulo.kvl";
}

void BancosFixture::SetUpTestSuite()
{
    testsupport::useTestFirebird();
    pasta_ = new testsupport::TempDir();
    {
        db::Database gerencia = db::Database::create(bancoGerencia());
        db::Transaction t(gerencia);
        criaEsquema(t, esquemaBaseGerencia());
        db::executeSql(t, "INSERT INTO PATHIB (ALIAS_IB, SERVIDOR_IB, PATH_IB, COD_EMP) VALUES (?, '', ?, 0)",
                       {db::Value("IB_DANFE_NFE"), db::Value(bancoModulo())});
        db::executeSql(t, "INSERT INTO EMPRESA (CODIGO, NOME, CNPJ, UF, NOME_CID) VALUES "
                          "(1, 'Padaria São João', '11222333000181', 'SP', 'Santos')");
        t.commit();
    }
    {
        db::Database modulo = db::Database::create(bancoModulo());
        db::Transaction t(modulo);
        criaEsquema(t, esquemaBaseModulo());
        // What the schema updater adds to the base schema.
        criaEsquema(t, {"CREATE TABLE CONFIG_GERAL (CNPJ VARCHAR(14), CAMPO_REF VARCHAR(50), "
                        "CAMPO_VALOR VARCHAR(100), SESSAO_REFERENCIA VARCHAR(50), "
                        "CAMPO_MEMO BLOB SUB_TYPE 0 SEGMENT SIZE 80)",
                        "ALTER TABLE CONFIGNFE ADD CNPJ_ATIVO VARCHAR(1)"});
        t.commit();
    }
    IniFile(pastaIni() + std::string(kArquivoIniAplicacao))
        .WriteString("IBGERENCIA", "PATH IB", bancoGerencia());
}

void BancosFixture::TearDownTestSuite()
{
    delete pasta_;
    pasta_ = nullptr;
}

void BancosFixture::SetUp()
{
    auto scripted = std::make_unique<testsupport::ScriptedDialogs>();
    dialogos = scripted.get();
    instalaDialogos(std::move(scripted));
    gerencia = std::make_unique<TdtmGerencia>(pastaIni());
    modulo = std::make_unique<TdtmNFE_grd>(*gerencia);
    ASSERT_TRUE(modulo->dtmConectBanco(true));
}

void BancosFixture::TearDown()
{
    modulo.reset();
    gerencia.reset();
    instalaDialogos(nullptr);
}

void BancosFixture::executaComCommit(const std::string &banco, const std::string &sql)
{
    db::Database conexao = db::Database::attach(banco);
    db::Transaction t(conexao);
    db::executeSql(t, sql);
    t.commit();
}

std::string BancosFixture::consultaExterna(const std::string &banco, const std::string &sql)
{
    db::Database conexao = db::Database::attach(banco);
    db::Transaction t(conexao);
    db::Statement consulta(t, sql);
    std::string resultado = "<none>";
    {
        db::Cursor linhas = consulta.open();
        if (linhas.next())
            resultado = linhas.at(0).isNull() ? "<null>" : linhas.at(0).asString();
    }
    t.commit();
    return resultado;
}
