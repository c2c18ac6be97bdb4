#include "app/dados/esquema_base.h"

#include "app/db/statement.h"
#include "app/db/transaction.h"

#include <string>

namespace {

// clang-format off
const std::vector<std::string_view> kGerencia = {
R"(CREATE TABLE USUARIO (
    USUARIO     VARCHAR(30),
    USERNAME    VARCHAR(10),
    SENHA       VARCHAR(30),
    NIVEL       INTEGER,
    SISTEMA     INTEGER,
    CAMPO_AUX1  VARCHAR(30),
    CAMPO_AUX2  VARCHAR(30)))",
R"(CREATE INDEX USUARIO_B ON USUARIO (USERNAME, SISTEMA))",
R"(CREATE TABLE EMPRESA (
    CODIGO      INTEGER,
    NOME        VARCHAR(60),
    ENDERECO    VARCHAR(50),
    BAIRRO      VARCHAR(40),
    CIDADE      INTEGER,
    NOME_CID    VARCHAR(30),
    UF          VARCHAR(2),
    CEP         VARCHAR(10),
    FONE1       VARCHAR(16),
    FONE2       VARCHAR(16),
    FAX         VARCHAR(16),
    CNPJ        VARCHAR(18),
    IE          VARCHAR(15),
    RODAPE      VARCHAR(60),
    CIDADEUF    VARCHAR(33),
    EMAIEL      VARCHAR(40)))",
R"(CREATE INDEX EMPRESA_A ON EMPRESA (CODIGO))",
R"(CREATE INDEX EMPRESA_B ON EMPRESA (NOME))",
R"(CREATE TABLE REGISTRO (
    NROSERIE    VARCHAR(20),
    DESCRICAO   VARCHAR(15),
    CAMPO_AUX1  VARCHAR(30)))",
R"(CREATE TABLE PATHIB (
    ALIAS_IB    VARCHAR(15),
    SERVIDOR_IB VARCHAR(20),
    PATH_IB     VARCHAR(150),
    COD_EMP     INTEGER))",
R"(CREATE INDEX IPATHIB_A ON PATHIB (ALIAS_IB))",
R"(CREATE TABLE NIVELMENU (
    COD_SISTEMA INTEGER,
    COD_NIVEL   INTEGER,
    NAME        VARCHAR(50),
    CAPTION     VARCHAR(120),
    LIBERADO    VARCHAR(1),
    ORDEM       VARCHAR(20)))",
};

const std::vector<std::string_view> kModulo = {
R"(CREATE TABLE CONFIGNFE (
    NOM_EMI          VARCHAR(60),
    FAN_EMI          VARCHAR(60),
    END_EMI          VARCHAR(60),
    NRO_END_EMI      VARCHAR(10),
    BAI_EMI          VARCHAR(60),
    COD_MUN_EMI      INTEGER,
    MUN_EMI          VARCHAR(60),
    COD_UF_EMI       INTEGER,
    UF_EMI           VARCHAR(2),
    CEP_EMI          VARCHAR(10),
    COD_PAIS_EMI     INTEGER,
    PAIS_EMI         VARCHAR(30),
    FONE_EMI         VARCHAR(20),
    CNPJ_EMI         VARCHAR(18),
    CPF_EMI          VARCHAR(14),
    IE_EMI           VARCHAR(20),
    IE_SUBST_EMI     VARCHAR(20),
    IM_EMI           VARCHAR(20),
    CNAE_EMI         VARCHAR(7),
    ENVIA_EMAIL      VARCHAR(1),
    PATH_COMUNICACAO VARCHAR(80),
    VERSAO_APL_NFE   VARCHAR(20),
    TIPO_IMP_DANF    VARCHAR(1),
    COMPL_EMI        VARCHAR(60),
    TIPO_EMI         VARCHAR(1),
    PATH_PRINT_1     VARCHAR(50),
    PATH_PRINT_2     VARCHAR(50),
    PATH_PRINT_3     VARCHAR(50),
    CONTINGENCIA     INTEGER,
    CST_VENDA        VARCHAR(3),
    CST_COMPRA       VARCHAR(3),
    TIPO_PC_COMPRA   VARCHAR(15),
    TIPO_PC_VENDA    VARCHAR(15),
    ALIQUOTA_PIS     DECIMAL(18,2),
    ALIQUOTA_COFINS  DECIMAL(18,2),
    TIPO_EMISSOR     VARCHAR(10),
    COD_REG_TRIB     INTEGER,
    NRO_COPIAS1      INTEGER,
    NRO_COPIAS2      INTEGER,
    LIST_PRINT       BLOB SUB_TYPE TEXT SEGMENT SIZE 80))",
R"(CREATE TABLE DANFENFE (
    NRO_NOTA         INTEGER,
    SERIE_NOTA       VARCHAR(2),
    CHAVE_NFE        VARCHAR(60),
    STATUS_NFE       INTEGER,
    DES_STATUS_NFE   VARCHAR(30),
    EMAIL_ENVIO      VARCHAR(60),
    MENSAGEM         VARCHAR(30),
    RECIBO           VARCHAR(30),
    NROLOTE          VARCHAR(30),
    NPROTOCOLO       VARCHAR(30),
    DATA_ENVIO       DATE,
    TIMER_ENVIO      INTEGER,
    NRO_ALEAT_ENVIO  INTEGER,
    MENSAGEM_2       VARCHAR(400),
    RESULTADO        INTEGER,
    MENSAGEM_3       VARCHAR(400),
    MENSAGEM_4       VARCHAR(400),
    EMAIL_TRANSP     VARCHAR(60),
    COD_FILIAL       INTEGER))",
R"(CREATE INDEX DANFENFE_A ON DANFENFE (CHAVE_NFE))",
R"(CREATE INDEX DANFENFE_B ON DANFENFE (NRO_NOTA, SERIE_NOTA))",
R"(CREATE TABLE GERADOR (
    CODIGO           INTEGER))",
R"(CREATE TABLE CEP (
    CEP_10           VARCHAR(10),
    CEP_6            VARCHAR(6),
    NOM_CID          VARCHAR(30),
    UF_CID           VARCHAR(2)))",
R"(CREATE TABLE EFDPC491495 (
    COD_ITEM         VARCHAR(15),
    CFOP             VARCHAR(4),
    COD_NAT_REC      INTEGER,
    VL_ITEM          NUMERIC(15,2),
    VL_BC_PIS        NUMERIC(15,2),
    ALIQ_PIS         NUMERIC(15,2),
    VL_PIS           NUMERIC(15,2),
    VL_BC_COFINS     NUMERIC(15,2),
    ALIQ_COFINS      NUMERIC(15,2),
    VL_COFINS        NUMERIC(15,2),
    CST_PC           INTEGER))",
R"(CREATE INDEX EFDPC4914955_A ON EFDPC491495 (COD_ITEM))",
R"(CREATE INDEX EFDPC491495_B ON EFDPC491495 (CST_PC, COD_NAT_REC))",
R"(CREATE TABLE EFDPC170 (
    COD_ITEM         VARCHAR(15),
    CFOP             VARCHAR(4),
    COD_NAT_REC      INTEGER,
    VL_ITEM          NUMERIC(15,2),
    VL_BC_PIS        NUMERIC(15,2),
    ALIQ_PIS         NUMERIC(15,2),
    VL_PIS           NUMERIC(15,2),
    VL_BC_COFINS     NUMERIC(15,2),
    ALIQ_COFINS      NUMERIC(15,2),
    VL_COFINS        NUMERIC(15,2),
    CST_PC           INTEGER))",
R"(CREATE INDEX EFDPC170_A ON EFDPC170 (COD_ITEM))",
R"(CREATE INDEX EFDPC170_B ON EFDPC170 (CST_PC, COD_NAT_REC))",
R"(CREATE TABLE CARTA_CORRECAO (
    ID_CARTA         INTEGER,
    DATA_CARTA       DATE,
    NRO_NOTA         INTEGER,
    SERIE_NOTA       INTEGER,
    CHAVE_NFE        VARCHAR(44),
    COD_RESP         NUMERIC(18,2)))",
R"(CREATE TABLE CARTA_ITENS (
    ID_CARTA         INTEGER,
    ORDEM            INTEGER,
    NOME_CAMPO       VARCHAR(60),
    CAMPO_PAI        VARCHAR(60),
    VALOR_CAMPO      VARCHAR(200)))",
R"(CREATE TABLE EVENTOS_NFE (
    ID_EVENTO        INTEGER,
    NRO_NOTA         INTEGER,
    SERIE_NOTA       INTEGER,
    COD_RESP         INTEGER,
    DATA_EVENTO      DATE,
    NOME_EVENTO      VARCHAR(60),
    CHAVE_NFE        VARCHAR(44),
    NPROTOCOLO       VARCHAR(20)))",
R"(CREATE TABLE NCMIMPOSTO (
    NRO_NCM          INTEGER,
    ALIQ_NAC         NUMERIC(15,4),
    ALIQ_IMP         NUMERIC(15,4)))",
R"(CREATE GENERATOR CONTROLA_ATUALIZACAO_NFE_40)",
R"(SET GENERATOR CONTROLA_ATUALIZACAO_NFE_40 TO 0)",
};
// clang-format on

} // namespace

const std::vector<std::string_view> &esquemaBaseGerencia()
{
    return kGerencia;
}

const std::vector<std::string_view> &esquemaBaseModulo()
{
    return kModulo;
}

void criaEsquema(db::Transaction &transacao, const std::vector<std::string_view> &esquema)
{
    for (std::string_view ddl : esquema) {
        db::executeSql(transacao, std::string(ddl));
        transacao.commitRetaining();
    }
}
