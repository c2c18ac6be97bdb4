#include "app/dados/armazem_configuracao.h"

#include "app/db/cursor.h"
#include "app/db/db_error.h"
#include "app/db/value.h"
#include "foundation/text/text_utils.h"

namespace {

// clang-format off
constexpr const char *kChaveSessao = " WHERE CNPJ = ? AND CAMPO_REF = ? AND SESSAO_REFERENCIA = ?";
constexpr const char *kChavePlana  = " WHERE CNPJ = ? AND CAMPO_REF = ?";
// clang-format on

std::string sql(std::string_view inicio, const char *chave)
{
    return std::string(inicio) + chave;
}

db::Value valorOuNulo(std::string_view valor)
{
    return valor.empty() ? db::Value() : db::Value(valor);
}

std::string primeiroTexto(db::Statement &consulta, const std::vector<db::Value> &parametros)
{
    db::Cursor linhas = consulta.open(parametros);
    if (!linhas.next())
        return {};
    return linhas.at(0).asString();
}

bool existe(db::Statement &consulta, const std::vector<db::Value> &parametros)
{
    db::Cursor linhas = consulta.open(parametros);
    return linhas.next();
}

} // namespace

ColunaConfig colunaConfig(std::string_view nome)
{
    const std::string maiusculo = upperAscii(nome);
    if (maiusculo == "CAMPO_VALOR")
        return ColunaConfig::Campo_Valor;
    if (maiusculo == "CAMPO_MEMO")
        return ColunaConfig::Campo_memo;
    throw db::DatabaseError(db::DbFailure::Other, "Coluna de configuração desconhecida: \"" +
                                                      std::string(nome) +
                                                      "\" (use Campo_Valor ou Campo_memo).");
}

struct ArmazemConfiguracao::Comandos {
    explicit Comandos(db::Transaction &t)
        : existeSessao(t, sql("SELECT 1 FROM CONFIG_GERAL", kChaveSessao)),
          leSessao{db::Statement(t, sql("SELECT CAMPO_VALOR FROM CONFIG_GERAL", kChaveSessao)),
                   db::Statement(t, sql("SELECT CAMPO_MEMO FROM CONFIG_GERAL", kChaveSessao))},
          gravaSessao{db::Statement(t, sql("UPDATE CONFIG_GERAL SET CAMPO_VALOR = ?", kChaveSessao)),
                      db::Statement(t, sql("UPDATE CONFIG_GERAL SET CAMPO_MEMO = ?", kChaveSessao))},
          insereSessao{db::Statement(t, "INSERT INTO CONFIG_GERAL (CAMPO_REF, SESSAO_REFERENCIA, CNPJ, "
                                        "CAMPO_VALOR) VALUES (?, ?, ?, ?)"),
                       db::Statement(t, "INSERT INTO CONFIG_GERAL (CAMPO_REF, SESSAO_REFERENCIA, CNPJ, "
                                        "CAMPO_MEMO) VALUES (?, ?, ?, ?)")},
          lePlana(t, sql("SELECT CAMPO_VALOR FROM CONFIG_GERAL", kChavePlana) +
                         " ORDER BY CASE WHEN SESSAO_REFERENCIA IS NULL OR SESSAO_REFERENCIA = 'V-3.0' "
                         "THEN 0 ELSE 1 END, SESSAO_REFERENCIA"),
          gravaPlana(t, sql("UPDATE CONFIG_GERAL SET CAMPO_VALOR = ?", kChavePlana)),
          inserePlana(t, "INSERT INTO CONFIG_GERAL (CAMPO_REF, CNPJ, CAMPO_VALOR) VALUES (?, ?, ?)")
    {
    }

    db::Statement existeSessao;
    db::Statement leSessao[2];
    db::Statement gravaSessao[2];
    db::Statement insereSessao[2];
    db::Statement lePlana;
    db::Statement gravaPlana;
    db::Statement inserePlana;
};

ArmazemConfiguracao::ArmazemConfiguracao(db::Transaction &transacao) : transacao_(transacao) {}

ArmazemConfiguracao::~ArmazemConfiguracao() = default;

ArmazemConfiguracao::Comandos &ArmazemConfiguracao::comandos()
{
    if (!comandos_)
        comandos_ = std::make_unique<Comandos>(transacao_);
    return *comandos_;
}

void ArmazemConfiguracao::Grava_Valor_Referencia(std::string_view cnpj, const CampoRef &chave,
                                                 std::string_view valor)
{
    Comandos &c = comandos();
    const std::string k = upperWithAccents(chave.nome);
    const std::vector<db::Value> linha{db::Value(cnpj), db::Value(k)};
    if (existe(c.lePlana, linha))
        c.gravaPlana.execute({valorOuNulo(valor), db::Value(cnpj), db::Value(k)});
    else
        c.inserePlana.execute({db::Value(k), db::Value(cnpj), valorOuNulo(valor)});
}

std::string ArmazemConfiguracao::Busca_Valor_Referencia(std::string_view cnpj, const CampoRef &chave)
{
    return primeiroTexto(comandos().lePlana, {db::Value(cnpj), db::Value(upperWithAccents(chave.nome))});
}

void ArmazemConfiguracao::Grava_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                                        const CampoRef &chave, std::string_view valor,
                                                        ColunaConfig coluna)
{
    Comandos &c = comandos();
    const int i = static_cast<int>(coluna);
    const std::string k = upperWithAccents(chave.nome);
    const std::string s = upperWithAccents(sessao);
    if (existe(c.existeSessao, {db::Value(cnpj), db::Value(k), db::Value(s)}))
        c.gravaSessao[i].execute({valorOuNulo(valor), db::Value(cnpj), db::Value(k), db::Value(s)});
    else
        c.insereSessao[i].execute({db::Value(k), db::Value(s), db::Value(cnpj), valorOuNulo(valor)});
}

std::string ArmazemConfiguracao::Busca_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                                               const CampoRef &chave, ColunaConfig coluna)
{
    return primeiroTexto(
        comandos().leSessao[static_cast<int>(coluna)],
        {db::Value(cnpj), db::Value(upperWithAccents(chave.nome)), db::Value(upperWithAccents(sessao))});
}
