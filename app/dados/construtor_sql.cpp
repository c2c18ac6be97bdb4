#include "app/dados/construtor_sql.h"

#include "app/db/catalogue.h"

namespace construtor_sql {

std::string select(std::string_view tabela, std::string_view condicao, std::string_view ordem,
                   std::string_view campos)
{
    std::string sql = "Select ";
    sql += campos.empty() ? std::string_view("*") : campos;
    sql += " From ";
    sql += tabela;
    sql += " Where ( ";
    sql += condicao;
    sql += " )";
    if (!ordem.empty()) {
        sql += "\nOrder By ";
        sql += ordem;
    }
    return sql;
}

std::string update(std::string_view tabela, std::string_view atribuicoes, std::string_view condicao)
{
    return "UPDATE " + std::string(tabela) + " SET\n" + std::string(atribuicoes) + "\nWHERE\n( " +
           std::string(condicao) + " )";
}

std::string remove(std::string_view tabela, std::string_view condicao)
{
    return "DELETE FROM " + std::string(tabela) + "\nWHERE\n( " + std::string(condicao) + " )";
}

Insercao insert(std::string_view tabela, const std::vector<std::pair<std::string, std::string>> &lista)
{
    Insercao insercao;
    std::string campos;
    std::string marcas;
    for (const auto &[nome, valor] : lista) {
        campos += nome + ",";
        marcas += "?,";
        insercao.valores.emplace_back(valor);
    }
    if (!campos.empty()) {
        campos.pop_back();
        marcas.pop_back();
    }
    insercao.sql =
        "Insert into " + std::string(tabela) + "\n( " + campos + " )  \n Values ( " + marcas + " )  ";
    return insercao;
}

std::vector<std::pair<std::string, std::string>> pares(const std::vector<std::string> &nomesEValores)
{
    std::vector<std::pair<std::string, std::string>> lista;
    for (std::size_t i = 0; i + 1 < nomesEValores.size(); i += 2)
        lista.emplace_back(db::checkedIdentifier(nomesEValores[i]), nomesEValores[i + 1]);
    return lista;
}

} // namespace construtor_sql
