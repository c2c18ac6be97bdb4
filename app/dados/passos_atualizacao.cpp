#include "app/dados/passos_atualizacao.h"

#include "app/dados/conversoes_configuracao.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/files/windows_paths.h"

#include <cstdlib>
#include <filesystem>
#include <initializer_list>

namespace {

// One ALTER TABLE with one ADD clause per column.
std::string add(std::string_view tabela, std::initializer_list<std::string_view> colunas)
{
    std::string sql = "ALTER TABLE " + std::string(tabela);
    const char *separador = " ADD ";
    for (std::string_view c : colunas) {
        sql += separador;
        sql += c;
        separador = ", ADD ";
    }
    return sql;
}

// The statement that undoes add() (for steps of two parts).
std::string drop(std::string_view tabela, std::initializer_list<std::string_view> colunas)
{
    std::string sql = "ALTER TABLE " + std::string(tabela);
    const char *separador = " DROP ";
    for (std::string_view c : colunas) {
        sql += separador;
        sql += c;
        separador = ", DROP ";
    }
    return sql;
}

PassoAtualizacao passo(int numero, std::vector<std::string> comandos)
{
    return {numero, {ParteAtualizacao{std::move(comandos), {}, {}}}, {}};
}

PassoAtualizacao trabalho(int numero, std::function<void(TdtmNFE_grd &)> f)
{
    return {numero, {ParteAtualizacao{{}, std::move(f), {}}}, {}};
}

void aviso(std::string_view texto)
{
    dialogos().mensagem(texto, "Informação");
}

bool existe(const std::string &caminho)
{
    std::error_code erro;
    return std::filesystem::exists(localPath(caminho), erro);
}

const char *const kMarcadorSessao = "sessao_referencia";

void insereMarcador(TdtmNFE_grd &m, const char *sessao, const char *chave)
{
    m.INSERTFILE("Config_geral",
                 {kMarcadorSessao, sessao, "CNPJ", "000000", "CAMPO_REF", chave, "CAMPO_VALOR", "SIM"});
}

std::vector<PassoAtualizacao> montaPassos()
{
    const std::string blob = "BLOB SUB_TYPE 0 SEGMENT SIZE 80";
    std::vector<PassoAtualizacao> p;
    // clang-format off
    p.push_back(passo(1, {"CREATE TABLE CONFIG_GERAL (CNPJ varchar(14), CAMPO_REF varchar(50), CAMPO_VALOR varchar(100))"}));
    p.push_back(passo(2, {"CREATE GENERATOR GERA_ID_NOTA",
        "CREATE TABLE notas (id_Nota integer, CNPJ varchar(14), nNota integer, dataNota date, nSerie integer, "
        "status integer, nretorno_nota integer, nretorno_danfe integer, nretorno_email integer, "
        "chaveNFE varchar(44), nProtocolo varchar(15), nRecibo varchar(15), Mensagem_nota varchar(200), "
        "Mensagem_danfe varchar(200), Mensagem_email varchar(200), email_1 varchar(100), email_2 varchar(100), "
        "email_3 varchar(100), cuf varchar(2), natop varchar(60), indpag varchar(1), mod varchar(2), "
        "serie varchar(3), nnf varchar(9), demi varchar(10), dsaient varchar(10), hsaient varchar(8), "
        "tpnf varchar(1), tpimp varchar(1), cmunfg varchar(7), finnfe varchar(1), procemi varchar(1), "
        "verproc varchar(20))",
        "CREATE INDEX notas_a ON notas (cnpj, nNota, nSerie)",
        "CREATE INDEX notas_b ON notas (id_nota)"}));
    p.push_back(passo(3, {
        "CREATE TABLE notas_cab (id_Nota integer, rotulo_cab varchar(10), CNPJ varchar(14), cpf varchar(11), "
        "tipo varchar(1), xnome varchar(60), xfant varchar(60), ie varchar(14), iest varchar(14), im varchar(15), "
        "isuf varchar(9), email varchar(100), cnae varchar(7), crt varchar(1), xlgr varchar(60), nro varchar(20), "
        "xcpl varchar(60), xbairro varchar(60), cmun varchar(7), xmun varchar(60), uf varchar(2), cep varchar(10), "
        "cpais varchar(5), xpais varchar(60), fone varchar(20))",
        "CREATE INDEX notas_cab_a ON notas_cab (id_nota, rotulo_cab)"}));
    p.push_back(passo(4, {add("notas", {"cnf varchar(10)"})}));
    p.push_back(passo(5, {
        "CREATE TABLE notas_totais (id_Nota integer, rotulo_cab varchar(10), vbc varchar(15), vicms varchar(15), "
        "vbcst varchar(15), vst varchar(15), vprod varchar(15), vfrete varchar(15), vseg varchar(15), "
        "vdesc varchar(15), vii varchar(15), vipi varchar(15), vpis varchar(15), vcofins varchar(15), "
        "voutro varchar(15), vnf varchar(15), vserv varchar(15), viss varchar(15))",
        "CREATE INDEX notas_totais_a ON notas_totais (id_nota, rotulo_cab)",
        add("notas_cab", {"xender varchar(60)"})}));
    p.push_back(passo(6, {
        "CREATE TABLE notas_transp (id_Nota integer, rotulo_cab varchar(10), modfrete varchar(1), "
        "placa varchar(10), uf varchar(2), rntc varchar(20), qvol varchar(15), esp varchar(60), marca varchar(60), "
        "nvol varchar(60), pesol varchar(15), pesob varchar(15), nlacre varchar(60))",
        "CREATE INDEX notas_transp_a ON notas_transp (id_nota, rotulo_cab)"}));
    p.push_back(passo(7, {"CREATE GENERATOR GERA_ID_ITEM",
        "CREATE TABLE notas_item (id_Nota integer, id_item integer, n_item integer, cprod varchar(60), "
        "xprod varchar(120), cean varchar(14), ncm varchar(8), extipi varchar(3), cfop varchar(4), "
        "ucom varchar(6), qcom varchar(18), vuncom varchar(21), vprod varchar(18), ceantrib varchar(14), "
        "utrib varchar(6), qtrib varchar(18), vuntrib varchar(21), vfrete varchar(15), vseg varchar(15), "
        "vdesc varchar(15), voutro varchar(15), indtot varchar(1), xped varchar(15), nitemped varchar(6))",
        "CREATE INDEX notas_item_a ON notas_item (id_nota, n_item)"}));
    p.push_back(passo(8, {
        "CREATE TABLE notas_item_ii (id_Nota integer, id_item integer, n_item integer, ndi varchar(12), "
        "ddi varchar(10), xlocdesemb varchar(60), ufdesemb varchar(2), ddesemb varchar(10), "
        "cexportador varchar(60), nadicao varchar(3), nseqadic varchar(2), cfabricante varchar(60), "
        "vdescdi varchar(15), vbc varchar(15), vdespadu varchar(15), vii varchar(15), viof varchar(15))",
        "CREATE INDEX notas_item_ii_a ON notas_item_ii (id_nota, n_item)",
        "CREATE INDEX notas_item_ii_b ON notas_item_ii (id_item)"}));
    p.push_back(passo(9, {
        "CREATE TABLE notas_item_imp (id_Nota integer, id_item integer, n_item integer, rotulo varchar(6), "
        "ncst integer, orig varchar(1), cst varchar(2), modbc varchar(1), vbc varchar(15), picms varchar(6), "
        "vicms varchar(15), modbcst varchar(1), pmvast varchar(6), predbcst varchar(6), vbcst varchar(15), "
        "picmsst varchar(6), vicmsst varchar(15), predbc varchar(6), motdesicms varchar(1), "
        "vbcstret varchar(15), vicmsstret varchar(15), pbcop varchar(5), ufst varchar(2), vbcstdest varchar(15), "
        "vicmsstdest varchar(15), csosn varchar(3), pcredsn varchar(6), vcredicmssn varchar(15), clenq varchar(5), "
        "cnpjprod varchar(14), cselo varchar(12), qselo varchar(1), cenq varchar(3), pipi varchar(6), "
        "qunid varchar(16), vunid varchar(15), vipi varchar(15), ppis varchar(6), vpis varchar(15), "
        "qbcprod varchar(16), valiqprod varchar(15), pcofins varchar(6), vcofins varchar(15))",
        "CREATE INDEX notas_item_imp_a ON notas_item_imp (id_nota, n_item, rotulo)",
        "CREATE INDEX notas_item_impi_b ON notas_item_imp (id_item, rotulo)"}));
    p.push_back(passo(10, {
        "CREATE TABLE notas_fat (id_Nota integer, n_par integer, ndup varchar(20), dvenc varchar(10), vdup varchar(15))",
        "CREATE INDEX notas_fat_a ON notas_fat (id_nota, n_par)"}));
    p.push_back(passo(11, {
        "CREATE TABLE notas_obs (id_Nota integer, n_item integer, rotulo varchar(50), texto varchar(200))",
        "CREATE INDEX notas_obs_a ON notas_obs (id_nota, n_item, rotulo)"}));
    p.push_back(passo(12, {add("notas_obs", {"ct_lin integer"}),
        "CREATE INDEX notas_obs_b ON notas_obs (id_nota, n_item, ct_lin)"}));
    p.push_back(passo(13, {
        "CREATE TABLE notas_Item_Ref (id_Nota integer, n_item integer, ct_lin integer, referencia varchar(20), "
        "rotulo varchar(50), texto varchar(200))",
        "CREATE INDEX notas_Item_Ref_a ON notas_Item_Ref (id_nota, n_item)"}));
    p.push_back(passo(14, {
        "CREATE TABLE notas_CCE (id_Nota integer, n_item integer, chaveNFE varchar(44), nomecampo varchar(50), "
        "nomepaicampo varchar(50), ordem integer, valornovo varchar(200))",
        "CREATE INDEX notas_CCE_a ON notas_CCE (id_nota, n_item)"}));
    p.push_back(passo(15, {add("notas_CCE", {"n_timer integer"})}));
    p.push_back(passo(16, {add("notas_CCE", {"Status integer", "Mensagem varchar(100)"})}));
    p.push_back({17, {}, {}});
    p.push_back(passo(18, {add("NOTAS_TOTAIS", {"vtotTrib varchar(15)"}), add("NOTAS_ITEM", {"vtotTrib varchar(15)"})}));
    p.push_back(passo(19, {add("NOTAS", {"dhEmi varchar(20)", "dhSaiEnt varchar(20)", "iddest varchar(3)",
                                         "indFinal varchar(3)", "indPres varchar(3)"})}));
    p.push_back(passo(20, {add("NOTAS_CAB", {"idEstrangeiro varchar(25)", "indIeDest varchar(3)"})}));
    p.push_back(passo(21, {add("NOTAS_TOTAIS", {"vIcmsDeson varchar(15)", "dCompet varchar(10)"})}));
    p.push_back(passo(22, {add("NOTAS_ITEM_II", {"tpViaTransp varchar(3)", "tpIntermedio varchar(3)"})}));
    p.push_back(passo(23, {add("NOTAS_ITEM_II", {"cnpj varchar(20)", "ufTerceiro varchar(3)"})}));
    p.push_back(passo(24, {add("NOTAS_ITEM_IMP", {"vtotTrib varchar(15)"})}));
    p.push_back(passo(25, {add("NOTAS_ITEM_II", {"vafrmm varchar(15)"})}));
    p.push_back(passo(26, {add("NOTAS", {"Memo_NFE " + blob})}));
    p.push_back(passo(27, {add("NOTAS", {"em_contigencia varchar(1)"})}));
    p.push_back(trabalho(28, passo28));
    p.push_back(passo(29, {add("NOTAS", {"serie_nfse varchar(10)"})}));
    p.push_back(passo(31, {add("NOTAS", {"nProtocolo_nfse varchar(50)"})}));
    p.push_back(passo(32, {add("NOTAS", {"Hambiente varchar(15)"})}));
    p.push_back(passo(33, {add("CONFIGNFE", {"cnpj_ativo varchar(1)"})}));
    p.push_back(trabalho(34, [](TdtmNFE_grd &m) { m.UPDATEFILE_Matriz("configNfe", "1=1", {"cnpj_ativo", "T"}); }));
    p.push_back(passo(35, {add("NOTAS_ITEM", {"nDraw varchar(15)", "NRE varchar(15)", "chnfe varchar(44)", "qexport varchar(18)"})}));
    p.push_back(passo(36, {add("NOTAS_ITEM", {"cEst varchar(10)"})}));
    p.push_back(passo(37, {add("NOTAS_TOTAIS", {"vICMSUFDest varchar(15)", "vICMSUFRemet varchar(15)"}),
        add("NOTAS_ITEM_IMP", {"vbcUfDest varchar(15)", "pIcmsUfDest varchar(15)", "pIcmsInter varchar(15)",
                               "pIcmsInterPart varchar(15)", "vIcmsUfDest varchar(15)", "vIcmsUfRemet varchar(15)"})}));
    p.push_back(passo(38, {add("NOTAS_TOTAIS", {"vFcpUFDest varchar(15)"}),
        add("NOTAS_ITEM_IMP", {"pFcpUfDest varchar(15)", "vFcpUfDest varchar(15)"})}));
    p.push_back({39, {}, [] { aviso("Precisa que seja atualizado a pasta de schemas de NFE e NFCE."); }});
    p.push_back(passo(40, {"CREATE TABLE notas_txt (CNPJ varchar(14), idTimer integer, status integer, nNota integer, "
        "nSerie integer, nModelo integer, TXT_nota BLOB SUB_TYPE 0 SEGMENT SIZE 2000)"}));
    p.push_back({71, {
        ParteAtualizacao{{add("CONFIG_GERAL", {"sessao_referencia varchar(50)"})}, {},
                         {drop("CONFIG_GERAL", {"sessao_referencia"})}},
        ParteAtualizacao{{}, [](TdtmNFE_grd &m) {
            m.UPDATEFILE_Matriz("config_geral", "1=1", {"sessao_referencia", "V-3.0"}); }, {}}}, {}});
    p.push_back(passo(72, {add("CONFIG_GERAL", {"Campo_memo " + blob})}));
    p.push_back(trabalho(73, passo73));
    p.push_back(passo(74, {"CREATE TABLE notas_txt_ret (CNPJ varchar(14), idTimer integer, status integer, "
        "nNota integer, nSerie integer, nModelo integer, TXT_nota " + blob + ")"}));
    // The three parts of this step touch different tables, so one commit
    // at its end serves and nothing is ever left half done.
    p.push_back(passo(75, {
        add("NOTAS_TOTAIS", {"vFcp varchar(15)", "vFcpStRet varchar(15)", "vIpiDevol varchar(15)", "vFcpst varchar(15)"}),
        add("NOTAS_ITEM_IMP", {"pSt varchar(10)", "pFcp varchar(10)", "vBcFcp varchar(15)", "vFcp varchar(15)",
                               "pFcpSt varchar(10)", "vBcFcpSt varchar(15)", "vFcpSt varchar(15)",
                               "pFcpStRet varchar(10)", "vBcFcpStRet varchar(15)", "vFcpStRet varchar(15)"}),
        "CREATE TABLE notas_pag (id_Nota integer, vTroco varchar(15), tPag varchar(3), tPagNfce varchar(20), "
        "tIntegra varchar(2), vPag varchar(15))",
        "CREATE INDEX notas_pag_a ON notas_pag (id_nota)"}));
    p.push_back(passo(76, {add("NOTAS_ITEM_IMP", {"VBCFCPUFDEST varchar(15)"})}));
    p.push_back(passo(77, {add("NOTAS_ITEM_IMP", {"vicmsop varchar(15)", "pDif varchar(10)", "vicmsDif varchar(15)"})}));
    p.push_back(passo(78, {"CREATE TABLE notas_txt (CNPJ varchar(14), idTimer integer, status integer, nNota integer, "
        "nSerie integer, nModelo integer, TXT_nota " + blob + ")"}));
    p.push_back(passo(79, {add("NOTAS_PAG", {"indPag varchar(1)"})}));
    p.push_back(passo(80, {add("notas_fat", {"nFat varchar(20)", "vfat varchar(15)"})}));
    p.push_back(passo(82, {add("NOTAS_TXT_RET", {"nro_flag Integer default 0"}),
                           add("NOTAS_TXT", {"nro_flag Integer default 0"})}));
    p.push_back({83, {}, [] {
        const char *programas = std::getenv("ProgramFiles");
        if (!programas || !*programas || !existe(std::string(programas) + "\\WinRar\\WinRAR.exe"))
            aviso("Será necessário a instalaçao do software winRar para a emissão de XML para a contabilidade");
        aviso("Dentro do config geral da NFE - configure o email do contador para envio de arquivos XML.");
    }});
    p.push_back(passo(84, {add("NOTAS_ITEM_IMP", {"pDevol varchar(10)", "vipiDevol varchar(15)"})}));
    p.push_back(trabalho(85, passo85));
    p.push_back({86, {}, [] {
        if (!existe(PastaPrograma() + "Schemas40/Schema_40_3.txt"))
            aviso("Será necessário atualizar os SCHEMAS da pasta \"Atualizacao do Schema_3\"");
        if (!existe(PastaPrograma() + "QuibNfeServicos.ini"))
            aviso("Será necessário o arquivo QuibNfeServicos.ini");
    }});
    PassoAtualizacao p89 = passo(89, {add("notas_item", {"cBenef varchar(10)"})});
    p89.aviso = [] {
        if (!existe(PastaPrograma() + "Schemas40/Schema_40_4.txt"))
            aviso("Será necessário atualizar os SCHEMAS da pasta \"Atualizacao do Schema_4\"");
    };
    p.push_back(std::move(p89));
    p.push_back(trabalho(90, [](TdtmNFE_grd &m) {
        m.DeleteRegistro("Config_geral", "sessao_referencia = ? AND CNPJ = ? AND CAMPO_REF = ? AND CAMPO_VALOR = ?",
                         {db::Value("ATUALIZA_WEB"), db::Value("000000"), db::Value("PODE_ATUALIZAR_WEB"), db::Value("SIM")});
        insereMarcador(m, "ATUALIZA_WEB", "PODE_ATUALIZAR_WEB");
    }));
    p.push_back(passo(91, {"CREATE TABLE notas_codigo_erro (cod_erro integer, desc_erro varchar(250))"}));
    p.push_back({92, {
        ParteAtualizacao{{add("NOTAS_CCE", {"vlr_new_memo " + blob})}, {}, {drop("NOTAS_CCE", {"vlr_new_memo"})}},
        ParteAtualizacao{{}, [](TdtmNFE_grd &m) {
            m.UPDATEFILE("notas_cce", "vlr_new_memo = valorNovo", "1=1");
            insereMarcador(m, "BANCO_DE_DADOS", "NOTAS_CCE_AT_01"); }, {}}}, {}});
    p.push_back(passo(93, {add("NOTAS", {"indIntermed varchar(1)"})}));
    p.push_back(passo(94, {add("NOTAS_PAG", {"xpag varchar(40)"})}));
    p.push_back(passo(95, {add("NOTAS_TOTAIS", {"vIcmsMono varchar(15)", "vIcmsMonoRet varchar(15)", "vIcmsMonoReten varchar(15)"})}));
    p.push_back(passo(96, {add("NOTAS_ITEM_IMP", {"qbcMonoDif varchar(15)", "adRemIcmsDif varchar(10)",
        "vIcmsMonoDif varchar(15)", "qbcMonoRet varchar(15)", "adRemIcmsRet varchar(10)", "vIcmsMonoRet varchar(15)",
        "qbcMono varchar(15)", "adRemIcms varchar(10)", "vIcmsMono varchar(15)", "qbcMonoReten varchar(15)",
        "adRemIcmsReten varchar(10)", "vIcmsMonoReten varchar(15)", "predAdRem varchar(10)", "motRedadRem varchar(2)"})}));
    p.push_back(passo(97, {add("NOTAS_TOTAIS", {"qbcMono varchar(15)", "qbcMonoRet varchar(15)", "qbcMonoReten varchar(15)"})}));
    // clang-format on
    return p;
}

} // namespace

const std::vector<PassoAtualizacao> &passosAtualizacao()
{
    static const std::vector<PassoAtualizacao> passos = montaPassos();
    return passos;
}
