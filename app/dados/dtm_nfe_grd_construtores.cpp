// The generic SQL builders of the NF-e module's data module.

#include "app/dados/construtor_sql.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dados/texto_sql.h"
#include "app/db/catalogue.h"
#include "app/db/cursor.h"
#include "app/db/statement.h"
#include "foundation/text/text_utils.h"

ConsultaSelecao *TdtmNFE_grd::consulta(std::string_view numero)
{
    if (numero == "1")
        return &qrySelect1;
    if (numero == "2")
        return &qrySelect2;
    if (numero == "3")
        return &qrySelect3;
    return nullptr;
}

bool TdtmNFE_grd::SelectFileOrdemCampo(std::string_view numero, std::string_view tabela,
                                       std::string_view condicao, std::string_view ordem,
                                       std::string_view campos, const std::vector<db::Value> &parametros)
{
    bool achou = false;
    if (ConsultaSelecao *q = consulta(numero))
        achou = q->abre(transacao(), construtor_sql::select(tabela, condicao, ordem, campos), parametros);
    if (upperAscii(numero) == "CLOSE") {
        qrySelect1.fecha();
        qrySelect2.fecha();
        qrySelect3.fecha();
    }
    return achou;
}

bool TdtmNFE_grd::SelectFile(std::string_view numero, std::string_view tabela, std::string_view condicao,
                             const std::vector<db::Value> &parametros)
{
    return SelectFileOrdemCampo(numero, tabela, condicao, {}, {}, parametros);
}

bool TdtmNFE_grd::SelectFileOrdem(std::string_view numero, std::string_view tabela, std::string_view condicao,
                                  std::string_view ordem, const std::vector<db::Value> &parametros)
{
    return SelectFileOrdemCampo(numero, tabela, condicao, ordem, {}, parametros);
}

void TdtmNFE_grd::INSERTFILE(std::string_view tabela, const std::vector<std::string> &nomesEValores)
{
    auto lista = construtor_sql::pares(nomesEValores);
    std::erase_if(lista, [](const auto &par) { return par.second.empty(); });
    if (lista.empty())
        return;
    const auto insercao = construtor_sql::insert(tabela, lista);
    db::executeSql(transacao(), insercao.sql, insercao.valores);
}

void TdtmNFE_grd::UPDATEFILE(std::string_view tabela, std::string_view atribuicoes, std::string_view condicao,
                             const std::vector<db::Value> &parametros)
{
    db::executeSql(transacao(), construtor_sql::update(tabela, atribuicoes, condicao), parametros);
}

void TdtmNFE_grd::UPDATEFILE_Matriz(std::string_view tabela, std::string_view condicao,
                                    const std::vector<std::string> &nomesEValores,
                                    const std::vector<db::Value> &parametros)
{
    std::string atribuicoes;
    std::vector<db::Value> valores;
    for (const auto &[nome, valor] : construtor_sql::pares(nomesEValores)) {
        if (valor.empty())
            continue;
        atribuicoes += nome + "=?,";
        valores.emplace_back(semAspasNemVirgulas(valor, true));
    }
    if (atribuicoes.empty())
        return;
    atribuicoes.pop_back();
    valores.insert(valores.end(), parametros.begin(), parametros.end());
    UPDATEFILE(tabela, atribuicoes, condicao, valores);
}

void TdtmNFE_grd::DeleteRegistro(std::string_view tabela, std::string_view condicao,
                                 const std::vector<db::Value> &parametros)
{
    db::executeSql(transacao(), construtor_sql::remove(tabela, condicao), parametros);
}

int TdtmNFE_grd::BuscaGerador(std::string_view gerador)
{
    db::Statement comando(transacao(), "Select gen_id(" + db::checkedIdentifier(gerador) +
                                           ",1) codigo from \n(Select Sum(codigo) codigo From gerador )");
    db::Cursor linhas = comando.open();
    linhas.next();
    return linhas.field("codigo").asInteger();
}

int TdtmNFE_grd::RegimeTributacao()
{
    int regime = 0;
    if (SelectFile("1", "ConfigNfe", "1=1"))
        regime = qrySelect1.campo("Cod_reg_Trib").asInteger();
    SelectFile("Close", "", "");
    return regime;
}
