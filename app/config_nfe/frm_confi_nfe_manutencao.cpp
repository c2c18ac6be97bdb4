// The emitter screen's upkeep commands: the table upgrades of older module
// databases (with the postal-code import) and the purge of homologation
// notes.

#include "app/config_nfe/frm_confi_nfe.h"

#include "app/config_nfe/detail/comando_cep.h"
#include "app/config_nfe/detail/ponto_gravacao.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/db/db_error.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/funcoes/ufuncoes.h"

#include <numeric>

namespace {

constexpr int kLinhasPorCommit = 500;

// The child tables of a staged note, in the order they are emptied.
constexpr const char *kTabelasDaNota[] = {"NOTAS_CAB",     "NOTAS_CCE",      "NOTAS_FAT",      "NOTAS_ITEM",
                                          "NOTAS_ITEM_II", "NOTAS_ITEM_IMP", "NOTAS_ITEM_REF", "NOTAS_OBS",
                                          "NOTAS_TOTAIS",  "NOTAS_TRANSP"};

std::string juntaLinhas(const std::vector<std::string> &linhas)
{
    return std::accumulate(linhas.begin(), linhas.end(), std::string());
}

std::vector<std::string> colunasSped(const char *ultima)
{
    return {"cod_item      Varchar(15),",
            "cfop          Varchar(4),",
            "cod_nat_rec    integer,",
            "vl_item          numeric(15,2),",
            "vl_bc_pis        numeric(15,2),",
            "aliq_pis         numeric(15,2),",
            "vl_pis           numeric(15,2),",
            "vl_bc_cofins     numeric(15,2),",
            "aliq_cofins      numeric(15,2),",
            "vl_cofins        numeric(15,2),",
            ultima};
}

void executa(TdtmNFE_grd &modulo, const std::string &sql, const std::vector<db::Value> &parametros = {})
{
    db::executeSql(*modulo.ibtNFE, sql, parametros);
}

// A commit that failed was told and rolled back by the module; the step stops.
void commit(TdtmNFE_grd &modulo)
{
    if (!modulo.dtmNFECommit())
        throw db::DatabaseError(db::DbFailure::Other, "commit não efetuado");
}

} // namespace

void TfrmConfiNFE::alteracao(int numero, const std::function<void()> &passo)
{
    const std::string nome = std::string(numero < 10 ? "0" : "") + std::to_string(numero);
    try {
        passo();
    } catch (const ProgramError &) {
        // The step's own uncommitted work goes; what it committed stays.
        modulo_.dtmNFERollback();
        MsgAtencao("Alteracao " + nome + " já realizada.");
        return;
    }
    MsgAtencao("Alteracao " + nome + " concluída.");
}

void TfrmConfiNFE::AlteraoesaseremExecutadas1Click()
{
    alteracao(1, [&] {
        executa(modulo_, "Alter Table CONFIGNFE add COD_REG_TRIB      INTEGER,add NRO_COPIAS1       INTEGER,"
                         "add NRO_COPIAS2       INTEGER");
        commit(modulo_);
        modulo_.UPDATEFILE("CONFIGNFE", "COD_REG_TRIB=3,NRO_COPIAS1=2,NRO_COPIAS2=1", "COD_UF_EMI>0");
        commit(modulo_);
    });
    alteracao(2, [&] {
        executa(modulo_, "Alter Table DANFENFE add email_transp      varchar(60)");
        commit(modulo_);
    });
    alteracao(3, [&] {
        executa(modulo_, "Alter Table CONFIGNFE add tipo_emissor varchar(10)");
        commit(modulo_);
    });
    alteracao(4, [&] {
        executa(modulo_, "Alter Table DANFENFE add cod_filial Integer");
        commit(modulo_);
        modulo_.SelectFileOrdemCampo("1", "CONFIGNFE", "1=1", "", "cnpj_emi");
        const std::string digitos = SomenteNumeros(modulo_.consulta("1")->campo("cnpj_emi").asString());
        const std::string filial = digitos.size() > 8 ? digitos.substr(8, 6) : "";
        modulo_.UPDATEFILE("DANFENFE", "cod_filial=?", "1=1", {db::Value(std::stoi("0" + filial))});
        commit(modulo_);
    });
    createCep();
    createSped1();
    createSped2();
}

bool TfrmConfiNFE::tabelaExiste(std::string_view tabela)
{
    return modulo_.SelectFileOrdemCampo("1", "RDB$RELATIONS",
                                        "(RDB$VIEW_BLR is NULL and RDB$SYSTEM_FLAG=0) and "
                                        "(UPPER( RDB$RELATION_NAME ) = ?)",
                                        "Arquivos", "RDB$RELATION_NAME Arquivos", {db::Value(tabela)});
}

void TfrmConfiNFE::createCep()
{
    if (tabelaExiste("CEP"))
        return;
    lblCepVisivel = true;
    if (!localizaArquivo(pastaPrograma_, kArquivoCeps)) {
        MsgAtencao(
            "Esta faltando o arquivo de cidades.SQL, o mesmo deve estar junto com o arquivo executavel.");
    } else {
        try {
            executa(modulo_, "Create Table Cep ( Cep_10        Varchar(10),Cep_6         Varchar(6),"
                             "nom_cid       Varchar(30),uf_cid        Varchar(2))");
            commit(modulo_);
            executa(modulo_, "CREATE INDEX CEP_10_ ON CEP (CEP_10)");
            executa(modulo_, "CREATE INDEX NOM_CID_ ON CEP (NOM_CID)");
            commit(modulo_);
            ImportCidadeSql();
            MsgAtencao("Alteracao 04 concluída.");
        } catch (const ErroImportacaoCep &erro) {
            MsgAtencao(erro.what());
        } catch (const ProgramError &) {
            modulo_.dtmNFERollback();
            MsgAtencao("Alteracao 04 já realizada.");
        }
    }
    lblCepVisivel = false;
}

void TfrmConfiNFE::ImportCidadeSql()
{
    ultimaImportacaoCep = {};
    pbar = {82000, 0};
    const auto arquivo = localizaArquivo(pastaPrograma_, kArquivoCeps);
    if (!arquivo)
        throw ErroImportacaoCep(std::string(kArquivoCeps) + " não localizado");
    const auto linhas = leLinhasReferencia(*arquivo);
    const auto falha = [&](std::size_t indice, const std::string &motivo) {
        ultimaImportacaoCep.erro =
            std::string(kArquivoCeps) + ", linha " + std::to_string(indice + 1) + ": " + motivo;
        modulo_.dtmNFERollback();
        throw ErroImportacaoCep(*ultimaImportacaoCep.erro);
    };
    const auto confirma = [&](std::size_t indice) {
        if (!modulo_.dtmNFECommit())
            falha(indice, "transação não efetuada");
        ++ultimaImportacaoCep.commits;
    };
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        try {
            if (const auto comando = leComandoCep(linhas[i])) {
                std::string marcas;
                for (std::size_t c = 0; c < comando->colunas.size(); ++c)
                    marcas += c ? ", ?" : "?";
                std::string colunas;
                for (const auto &coluna : comando->colunas)
                    colunas += (colunas.empty() ? "" : ", ") + coluna;
                executa(modulo_, "INSERT INTO CEP (" + colunas + ") VALUES (" + marcas + ")",
                        comando->valores);
                ++ultimaImportacaoCep.linhasImportadas;
            }
        } catch (const ProgramError &erro) {
            falha(i, erro.what());
        }
        if ((i + 1) % kLinhasPorCommit == 0) {
            pbar.position += kLinhasPorCommit;
            confirma(i);
        }
    }
    confirma(linhas.size());
    MsgAtencao("Importacao de Ceps concluído.");
}

void TfrmConfiNFE::createSped(int numero, std::string_view tabela, const std::vector<std::string> &ddl)
{
    if (tabelaExiste(tabela))
        return;
    const std::string nome = "Alteracao Sped " + std::to_string(numero);
    try {
        executa(modulo_, ddl[0]);
        commit(modulo_);
        executa(modulo_, ddl[1]);
        executa(modulo_, ddl[2]);
        commit(modulo_);
    } catch (const ProgramError &) {
        modulo_.dtmNFERollback();
        MsgAtencao(nome + " já realizada.");
        return;
    }
    MsgAtencao(nome + " Concluida.");
}

void TfrmConfiNFE::createSped1()
{
    createSped(1, "EFDPC491495",
               {"Create Table EFDPC491495 ( " + juntaLinhas(colunasSped("cst_pc      integer)")),
                "CREATE INDEX EFDPC4914955_A ON EFDPC491495 (COD_ITEM)",
                "CREATE INDEX EFDPC491495_B ON EFDPC491495 (CST_PC,COD_NAT_REC)"});
}

void TfrmConfiNFE::createSped2()
{
    createSped(2, "EFDPC170",
               {"Create Table EFDPC170 ( " + juntaLinhas(colunasSped("cst_pc           integer)")),
                "CREATE INDEX EFDPC170_A ON EFDPC170 (COD_ITEM)",
                "CREATE INDEX EFDPC170_B ON EFDPC170 (CST_PC,COD_NAT_REC)"});
}

void TfrmConfiNFE::SpeedButton1Click()
{
    pbar = {100, 0};
    const std::string cnpjExibido = campo("CNPJ_EMI").asString();
    if (!MsgConfirmacao("Eliminar os registros feitos em Homologação para o CNPJ: " + cnpjExibido + " ?"))
        return;
    // Only the current emitter's notes, as the confirmation says.
    const std::string condicao = "hambiente=? and cnpj=?";
    const std::vector<db::Value> parametros = {db::Value("HOMOLOGACAO"), db::Value(cnpjDigitos())};
    std::vector<db::Value> notas;
    modulo_.SelectFileOrdemCampo("1", "notas", condicao, "", "ID_NOTA", parametros);
    for (ConsultaSelecao *consulta = modulo_.consulta("1"); !consulta->eof(); consulta->proximo())
        notas.push_back(consulta->campo("ID_NOTA"));
    modulo_.SelectFile("CLOSE", "", "");
    pbar.position = pbar.position + 1 >= pbar.max ? 0 : pbar.position + 1;
    // A delete the database refuses undoes the whole purge.
    emPontoDeGravacao(*modulo_.ibtNFE, [&] {
        for (const db::Value &id : notas)
            for (const char *tabela : kTabelasDaNota)
                modulo_.DeleteRegistro(tabela, "ID_NOTA=?", {id});
        modulo_.DeleteRegistro("notas", condicao, parametros);
    });
    if (!modulo_.dtmNFECommit())
        return;
    dialogos().mensagem("Foram eliminados " + std::to_string(notas.size()) +
                            " notas do CNPJ: " + cnpjExibido + " emitidas em hambiente de homologação.",
                        kTitulo);
    dialogos().mensagem("Atemnção....\r\nAcesse a pasta do CNPJ: " + cnpjExibido +
                            " e apague os arquivos XML feitos em homologação.",
                        kTitulo);
}
