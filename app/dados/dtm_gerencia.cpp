#include "app/dados/dtm_gerencia.h"

#include "app/dados/construtor_sql.h"
#include "app/dados/selecao_empresa.h"
#include "app/dados/texto_sql.h"
#include "app/db/catalogue.h"
#include "app/db/statement.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/ufuncoes.h"
#include "app/regional/localiza_ini.h"
#include "foundation/files/ini_file.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

// clang-format off
const std::vector<db::MemoryTable::FieldDef> kCamposEmpresa = {
    {"CODIGO", 0}, {"NOME", 60},  {"ENDERECO", 50}, {"BAIRRO", 40}, {"CIDADE", 0},   {"CEP", 10},
    {"FONE1", 16}, {"FONE2", 16}, {"FAX", 16},      {"CNPJ", 18},   {"IE", 15},      {"RODAPE", 60},
    {"CIDADEUF", 33}, {"EMAIEL", 40}, {"UF", 2},    {"NOME_CID", 40},
};
const std::vector<db::MemoryTable::FieldDef> kCamposEmpresaMulti = {
    {"codigo", 0}, {"nome", 50}, {"cnpj", 18}, {"ie", 18}, {"uf", 2}, {"Cidade", 30},
};
// clang-format on

} // namespace

TdtmGerencia::TdtmGerencia(std::string pastaIni, int codigoEmpresa)
    : PastaIni(std::move(pastaIni)), tblEmpresa(kCamposEmpresa), tblEmpresaMulti(kCamposEmpresaMulti)
{
    const IniFile ini(PastaIni + std::string(kArquivoIniAplicacao));
    const std::string path = ini.ReadString("IBGERENCIA", "PATH IB", "");
    const std::string extensao = ExtensaoArquivo(path);
    databaseName_ = path + (extensao == ".GDB" || extensao == ".KVL" ? "" : kArquivoPadrao);

    dtmConectBanco(true);
    dtmGerenciaOpen();
    tblEmpresa.clear();
    tblEmpresaMulti.clear();
    TransfEmpresa();
    tblEmpresaMulti.sortBy("Nome");
    escolheEmpresa(codigoEmpresa);
}

TdtmGerencia::~TdtmGerencia()
{
    try {
        dtmGerenciaClose();
    } catch (...) {
        // Ending the program: an engine that no longer answers changes nothing.
    }
}

void TdtmGerencia::escolheEmpresa(int codigoEmpresa)
{
    if (tblEmpresaHD->recordCount() <= 1)
        return;
    if (codigoEmpresa > 0) {
        tblEmpresaHD->setOrder({"CODIGO"});
        tblEmpresaHD->refresh();
        tblEmpresaHD->locate("CODIGO", db::Value(codigoEmpresa));
    } else {
        TfrmSelectEmpresa escolha(*tblEmpresaHD);
        escolha.ShowModal();
    }
    tblEmpresa.locate("CODIGO", tblEmpresaHD->field("CODIGO"));
}

void TdtmGerencia::criaTabelas()
{
    db::Transaction &t = transacao();
    tblUsuarios =
        std::make_unique<db::DataSet>(t, "USUARIO",
                                      std::vector<std::string>{"USUARIO", "USERNAME", "SENHA", "NIVEL",
                                                               "SISTEMA", "CAMPO_AUX1", "CAMPO_AUX2"});
    tblEmpresaHD = std::make_unique<db::DataSet>(
        t, "EMPRESA",
        std::vector<std::string>{"CODIGO", "NOME", "ENDERECO", "BAIRRO", "CIDADE", "NOME_CID", "UF", "CEP",
                                 "FONE1", "FONE2", "FAX", "CNPJ", "IE", "RODAPE", "CIDADEUF", "EMAIEL"});
    tblEmpresaHD->setOrder({"NOME"});
    tblRegistro = std::make_unique<db::DataSet>(
        t, "REGISTRO", std::vector<std::string>{"NROSERIE", "DESCRICAO", "CAMPO_AUX1"});
    tblPathIb = std::make_unique<db::DataSet>(
        t, "PATHIB", std::vector<std::string>{"ALIAS_IB", "SERVIDOR_IB", "PATH_IB", "COD_EMP"});
    tblPathIb->setOrder({"ALIAS_IB"});
    for (db::DataSet *tabela : {tblUsuarios.get(), tblEmpresaHD.get(), tblRegistro.get(), tblPathIb.get()}) {
        tabela->afterPost = [this](db::DataSet &) { transacao().commitRetaining(); };
        tabela->afterDelete = [this](db::DataSet &) { transacao().commitRetaining(); };
    }
}

void TdtmGerencia::dtmGerenciaOpen()
{
    dtmConectBanco(true);
    for (db::DataSet *tabela : {tblUsuarios.get(), tblEmpresaHD.get(), tblRegistro.get(), tblPathIb.get()})
        if (!tabela->active())
            tabela->open();
}

void TdtmGerencia::dtmGerenciaClose()
{
    for (db::DataSet *tabela : {tblUsuarios.get(), tblEmpresaHD.get(), tblRegistro.get(), tblPathIb.get()})
        if (tabela)
            tabela->close();
    dtmConectBanco(false);
}

void TdtmGerencia::TransfEmpresa()
{
    db::DataSet &hd = *tblEmpresaHD;
    for (hd.first(); !hd.eof(); hd.next()) {
        tblEmpresa.append();
        for (const auto &campo : kCamposEmpresa)
            tblEmpresa.setField(campo.name, hd.field(campo.name));
        tblEmpresaMulti.append();
        tblEmpresaMulti.setField("codigo", hd.field("CODIGO"));
        tblEmpresaMulti.setField("nome", hd.field("NOME"));
        tblEmpresaMulti.setField("cnpj", hd.field("CNPJ"));
        tblEmpresaMulti.setField("ie", hd.field("IE"));
        tblEmpresaMulti.setField("uf", hd.field("UF"));
        tblEmpresaMulti.setField("Cidade", hd.field("NOME_CID"));
    }
}

void TdtmGerencia::dtmConectBanco(bool conectar)
{
    if (!conectar) {
        qrySelect1.fecha();
        qrySelect2.fecha();
        for (db::DataSet *tabela :
             {tblUsuarios.get(), tblEmpresaHD.get(), tblRegistro.get(), tblPathIb.get()})
            if (tabela)
                tabela->close();
        tblUsuarios.reset();
        tblEmpresaHD.reset();
        tblRegistro.reset();
        tblPathIb.reset();
        ibtGerencia.reset(); // an active transaction rolls back
        dtbGerencia.reset();
        return;
    }
    if (conectado())
        return;
    auto banco = std::make_unique<db::Database>(db::Database::attach(databaseName_));
    ibtGerencia = std::make_unique<db::Transaction>(*banco);
    dtbGerencia = std::move(banco);
    criaTabelas();
    if (!db::tableExists(*ibtGerencia, "CONFIG_GERAL")) {
        db::executeSql(*ibtGerencia, "Create Table CONFIG_GERAL( \n"
                                     "CAMPO_REF      varchar(30) ,\n"
                                     "CAMPO_VALOR    varchar(100)  )");
        dtmGerenciaCommit();
    }
}

db::Transaction &TdtmGerencia::transacao()
{
    return transacaoConectada(ibtGerencia.get(), "gerência");
}

bool TdtmGerencia::dtmGerenciaCommit(db::DataSet *tabela)
{
    return commitRetendo(transacao(), tabela,
                         [](const std::string &mensagem) { dialogos().mensagem(mensagem, "Erro"); });
}

bool TdtmGerencia::SelectFile(std::string_view consulta, std::string_view tabela, std::string_view condicao,
                              const std::vector<db::Value> &parametros)
{
    const std::string numero = upperAscii(consulta);
    bool achou = false;
    if (numero == "1" || numero == "2")
        achou = (numero == "1" ? qrySelect1 : qrySelect2)
                    .abre(transacao(), construtor_sql::select(tabela, condicao), parametros);
    if (numero == "CLOSE") {
        qrySelect1.fecha();
        qrySelect2.fecha();
    }
    return achou;
}

void TdtmGerencia::UPDATEFILE(std::string_view tabela, std::string_view atribuicoes,
                              std::string_view condicao, const std::vector<db::Value> &parametros)
{
    db::executeSql(transacao(), construtor_sql::update(tabela, atribuicoes, condicao), parametros);
}

void TdtmGerencia::DeleteRegistro(std::string_view tabela, std::string_view condicao,
                                  const std::vector<db::Value> &parametros)
{
    db::executeSql(transacao(), construtor_sql::remove(tabela, condicao), parametros);
}

void TdtmGerencia::INSERTFILE(std::string_view tabela, const std::vector<std::string> &nomesEValores)
{
    auto lista = construtor_sql::pares(nomesEValores);
    for (auto &par : lista)
        par.second = semAspasNemVirgulas(par.second, false);
    const auto insercao = construtor_sql::insert(tabela, lista);
    db::executeSql(transacao(), insercao.sql, insercao.valores);
}

void TdtmGerencia::Grava_Valor_Referencia(std::string_view chave, std::string_view valor)
{
    const std::string k = upperWithAccents(utf8Prefix(chave, 30));
    const std::string v(utf8Prefix(valor, 100));
    if (SelectFile("1", "Config_Geral", "Campo_Ref=?", {db::Value(k)}))
        UPDATEFILE("Config_Geral", "Campo_Valor=?", "Campo_Ref=?", {db::Value(v), db::Value(k)});
    else
        db::executeSql(transacao(), "Insert into Config_Geral (Campo_Ref, Campo_Valor) Values (?, ?)",
                       {db::Value(k), db::Value(v)});
}

std::string TdtmGerencia::Busca_Valor_Referencia(std::string_view chave)
{
    if (!SelectFile("1", "Config_Geral", "Campo_Ref=?", {db::Value(upperWithAccents(chave))}))
        return {};
    return qrySelect1.campo("Campo_Valor").asString();
}
