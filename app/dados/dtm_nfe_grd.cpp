#include "app/dados/dtm_nfe_grd.h"

#include "app/dados/dtm_gerencia.h"
#include "app/dados/texto_sql.h"
#include "app/db/cursor.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/ufuncoes.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

void avisa(const std::string &mensagem)
{
    dialogos().mensagem(mensagem, "Atenção");
}

std::string aliasDoBanco(std::string_view alias)
{
    return std::string(utf8Prefix(upperWithAccents(alias), 15));
}

bool naLista(const std::vector<std::string> &nomes, std::string_view nome)
{
    const std::string procurado = upperAscii(nome);
    for (const std::string &n : nomes) {
        const std::string item = upperAscii(n);
        if (item == procurado || item == "ALL")
            return true;
    }
    return false;
}

} // namespace

TdtmNFE_grd::TdtmNFE_grd(TdtmGerencia &gerencia)
    : tblListPrint({{"nCopia", 0}, {"printSetup", 50}}), gerencia_(gerencia)
{
    const std::string local = LoadPathIb(kAliasBanco);
    // Whether the location names the file is read from the address itself,
    // the one row the connection will use.
    const std::string extensao = ExtensaoArquivo(local);
    databaseName_ = local + (extensao == ".GDB" || extensao == ".KVL" ? "" : kArquivoPadrao);
    dtmConectBanco(false);
    Iniciado = true;
}

TdtmNFE_grd::~TdtmNFE_grd()
{
    dtmConectBanco(false);
}

void TdtmNFE_grd::setDatabaseName(std::string nome)
{
    dtmConectBanco(false);
    databaseName_ = std::move(nome);
}

std::string TdtmNFE_grd::LoadPathIb(std::string_view alias)
{
    const std::string a = aliasDoBanco(alias);
    db::Transaction &t = transacaoConectada(gerencia_.ibtGerencia.get(), "gerência");
    db::Statement consulta(t, "SELECT * FROM PATHIB P\nWHERE P.ALIAS_IB = ?\n AND  P.COD_EMP=0");
    db::Cursor linhas = consulta.open({db::Value(a)});
    if (linhas.next())
        return linhas.field("SERVIDOR_IB").asString() + linhas.field("PATH_IB").asString();
    avisa("Alias =" + a + " para COD_EMP=0 não localizado.\r\nAcesse o sistema NFE_Kolvar va em: \r\n" +
          "Opcao Gerencia -> Modulo Gerencia -> Acesso ao modulo PathIB\r\ne cadastre o Alias =" + a +
          " para COD_EMP=0");
    return {};
}

std::string TdtmNFE_grd::LoadExtensao(std::string_view alias)
{
    db::DataSet *pathIb = gerencia_.tblPathIb.get();
    if (!pathIb || !pathIb->active() || !pathIb->locate("ALIAS_IB", db::Value(aliasDoBanco(alias))))
        return {};
    return ExtensaoArquivo(pathIb->field("SERVIDOR_IB").asString() + pathIb->field("PATH_IB").asString());
}

void TdtmNFE_grd::criaTabelas()
{
    db::Transaction &t = *ibtNFE;
    // clang-format off
    tblConfigNFE = std::make_unique<db::DataSet>(t, "CONFIGNFE", std::vector<std::string>{
        "NOM_EMI", "FAN_EMI", "END_EMI", "NRO_END_EMI", "BAI_EMI", "COD_MUN_EMI", "MUN_EMI", "COD_UF_EMI",
        "UF_EMI", "CEP_EMI", "COD_PAIS_EMI", "PAIS_EMI", "FONE_EMI", "CNPJ_EMI", "CPF_EMI", "IE_EMI",
        "IE_SUBST_EMI", "IM_EMI", "CNAE_EMI", "ENVIA_EMAIL", "PATH_COMUNICACAO", "VERSAO_APL_NFE",
        "TIPO_IMP_DANF", "COMPL_EMI", "TIPO_EMI", "PATH_PRINT_1", "PATH_PRINT_2", "PATH_PRINT_3",
        "CONTINGENCIA", "TIPO_EMISSOR", "COD_REG_TRIB", "NRO_COPIAS1", "NRO_COPIAS2", "CNPJ_ATIVO"});
    tblDanfeNFE = std::make_unique<db::DataSet>(t, "DANFENFE", std::vector<std::string>{
        "NRO_NOTA", "SERIE_NOTA", "CHAVE_NFE", "STATUS_NFE", "DES_STATUS_NFE", "EMAIL_ENVIO", "MENSAGEM",
        "RECIBO", "NROLOTE", "NPROTOCOLO", "DATA_ENVIO", "TIMER_ENVIO", "NRO_ALEAT_ENVIO", "MENSAGEM_2",
        "RESULTADO", "MENSAGEM_3", "MENSAGEM_4", "EMAIL_TRANSP", "COD_FILIAL"});
    tblCep = std::make_unique<db::DataSet>(t, "CEP", std::vector<std::string>{
        "CEP_10", "CEP_6", "NOM_CID", "UF_CID"});
    // clang-format on
}

bool TdtmNFE_grd::dtmConectBanco(bool conectar)
{
    if (!conectar) {
        qrySelect1.fecha();
        qrySelect2.fecha();
        qrySelect3.fecha();
        armazem_.reset();
        tblConfigNFE.reset();
        tblDanfeNFE.reset();
        tblCep.reset();
        ibtNFE.reset(); // an active transaction rolls back
        dtbNFE.reset();
        return true;
    }
    if (conectado())
        return true;
    try {
        auto banco = std::make_unique<db::Database>(db::Database::attach(databaseName_));
        ibtNFE = std::make_unique<db::Transaction>(*banco);
        dtbNFE = std::move(banco);
    } catch (const db::DatabaseError &erro) {
        // The engine's cause names the file, e.g. one that does not exist.
        avisa(std::string(kErroConexao) + "\r\n" + erro.what());
        return false;
    }
    criaTabelas();
    armazem_ = std::make_unique<ArmazemConfiguracao>(*ibtNFE);
    return true;
}

db::Transaction &TdtmNFE_grd::transacao()
{
    return transacaoConectada(ibtNFE.get(), "da NFE");
}

bool TdtmNFE_grd::dtmNFECommit(db::DataSet *tabela)
{
    return commitRetendo(transacao(), tabela, avisa);
}

void TdtmNFE_grd::dtmNFERollback()
{
    transacao().rollbackRetaining();
}

void TdtmNFE_grd::dtmNFERefresh()
{
    if (Iniciado && tblConfigNFE && tblConfigNFE->state() == db::DataSet::State::Browse)
        tblConfigNFE->refresh();
}

void TdtmNFE_grd::dtmNFEOpen(const std::vector<std::string> &nomes)
{
    if (!dtmConectBanco(true))
        return;
    if (!tblConfigNFE->active() && naLista(nomes, "ConfigNFE")) {
        try {
            tblConfigNFE->setOrder({"NOM_EMI"});
            tblConfigNFE->open();
        } catch (const db::DatabaseError &) {
            avisa(kErroConfigNFE);
        }
    }
    if (!tblDanfeNFE->active() && naLista(nomes, "DanfeNFE"))
        tblDanfeNFE->open();
    if (!tblCep->active() && naLista(nomes, "Cep"))
        tblCep->open();
}

void TdtmNFE_grd::dtmNFEClose(const std::vector<std::string> &nomes)
{
    if (tblConfigNFE && naLista(nomes, "ConfigNFE"))
        tblConfigNFE->close();
    if (tblDanfeNFE && naLista(nomes, "DANFENFE"))
        tblDanfeNFE->close();
    if (tblCep && naLista(nomes, "CEP"))
        tblCep->close();
}

ArmazemConfiguracao &TdtmNFE_grd::armazem()
{
    transacao();
    return *armazem_;
}

void TdtmNFE_grd::Grava_Valor_Referencia(std::string_view cnpj, const CampoRef &chave, std::string_view valor)
{
    armazem().Grava_Valor_Referencia(cnpj, chave, valor);
}

std::string TdtmNFE_grd::Busca_Valor_Referencia(std::string_view cnpj, const CampoRef &chave)
{
    return armazem().Busca_Valor_Referencia(cnpj, chave);
}

void TdtmNFE_grd::Grava_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                                const CampoRef &chave, std::string_view valor,
                                                ColunaConfig coluna)
{
    armazem().Grava_Valor_Referencia_Sessao(cnpj, sessao, chave, valor, coluna);
}

std::string TdtmNFE_grd::Busca_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                                       const CampoRef &chave, ColunaConfig coluna)
{
    return armazem().Busca_Valor_Referencia_Sessao(cnpj, sessao, chave, coluna);
}
