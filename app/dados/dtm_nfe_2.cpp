#include "app/dados/dtm_nfe_2.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/db_error.h"
#include "foundation/text/text_utils.h"

#include <algorithm>

namespace {

bool naLista(const std::vector<std::string> &nomes, std::string_view nome)
{
    const std::string procurado = upperAscii(nome);
    return std::any_of(nomes.begin(), nomes.end(), [&](const std::string &n) {
        const std::string item = upperAscii(n);
        return item == procurado || item == "ALL";
    });
}

// Tables in the order they are closed.
// clang-format off
const char *const kOrdemFecha[] = {
    "CONFIG_GERAL", "NOTAS", "NOTAS_CCE", "NOTAS_CAB", "NOTAS_TOTAIS", "NOTAS_TRANSP", "NOTAS_ITEM",
    "NOTAS_ITEM_REF", "NOTAS_ITEM_II", "NOTAS_ITEM_IMP", "NOTAS_FAT", "NOTAS_OBS",
};
// clang-format on

std::vector<std::string> campos(std::string_view lista)
{
    std::vector<std::string> nomes;
    std::string nome;
    for (char c : lista) {
        if (c == ',') {
            nomes.push_back(nome);
            nome.clear();
        } else if (c != ' ') {
            nome += c;
        }
    }
    nomes.push_back(nome);
    return nomes;
}

} // namespace

const std::vector<TdtmNFE_2::Tabela> &TdtmNFE_2::tabelas()
{
    // In the order they are opened.
    // clang-format off
    static const std::vector<Tabela> kTabelas = {
        {"tblConfigGeralNFE", "CONFIG_GERAL", "ConfigGeralNFE",
         campos("CNPJ, CAMPO_REF, CAMPO_VALOR, SESSAO_REFERENCIA, CAMPO_MEMO")},
        {"tblNotas", "NOTAS", "notas",
         campos("ID_NOTA, CNPJ, NNOTA, DATANOTA, NSERIE, STATUS, NRETORNO_NOTA, NRETORNO_DANFE, NRETORNO_EMAIL, "
                "CHAVENFE, NPROTOCOLO, NRECIBO, MENSAGEM_NOTA, MENSAGEM_DANFE, MENSAGEM_EMAIL, EMAIL_1, EMAIL_2, "
                "EMAIL_3, CUF, NATOP, INDPAG, MOD, SERIE, NNF, DEMI, DSAIENT, HSAIENT, TPNF, TPIMP, CMUNFG, FINNFE, "
                "PROCEMI, VERPROC, CNF, DHEMI, DHSAIENT, IDDEST, INDFINAL, INDPRES, MEMO_NFE")},
        {"tblCCe", "NOTAS_CCE", "notasCCE",
         campos("ID_NOTA, N_ITEM, CHAVENFE, NOMECAMPO, NOMEPAICAMPO, ORDEM, VALORNOVO, N_TIMER, STATUS, MENSAGEM")},
        {"tblNotascab", "NOTAS_CAB", "notascab",
         campos("ID_NOTA, ROTULO_CAB, CNPJ, CPF, TIPO, XNOME, XFANT, IE, IEST, IM, ISUF, EMAIL, CNAE, CRT, XLGR, NRO, "
                "XCPL, XBAIRRO, CMUN, XMUN, UF, CEP, CPAIS, XPAIS, FONE, XENDER, IDESTRANGEIRO, INDIEDEST")},
        {"tblNotasFat", "NOTAS_FAT", "notasfat", campos("ID_NOTA, N_PAR, DVENC, VDUP, NDUP")},
        {"tblNotasObs", "NOTAS_OBS", "notasobs", campos("ID_NOTA, N_ITEM, ROTULO, TEXTO, CT_LIN")},
        {"tblNotasTotais", "NOTAS_TOTAIS", "notastotais",
         campos("ID_NOTA, ROTULO_CAB, VBC, VICMS, VBCST, VST, VPROD, VFRETE, VSEG, VDESC, VII, VIPI, VPIS, VCOFINS, "
                "VOUTRO, VNF, VSERV, VISS, VTOTTRIB, VICMSDESON, DCOMPET")},
        {"tblNotasTransp", "NOTAS_TRANSP", "NotasTransp",
         campos("ID_NOTA, ROTULO_CAB, MODFRETE, PLACA, UF, RNTC, QVOL, ESP, MARCA, NVOL, PESOL, PESOB, NLACRE")},
        {"tblNotasItem", "NOTAS_ITEM", "NotasItem",
         campos("ID_NOTA, ID_ITEM, N_ITEM, CPROD, XPROD, CEAN, NCM, EXTIPI, CFOP, UCOM, QCOM, VUNCOM, VPROD, "
                "CEANTRIB, UTRIB, QTRIB, VUNTRIB, VFRETE, VSEG, VDESC, VOUTRO, INDTOT, XPED, NITEMPED, VTOTTRIB")},
        {"tblNotasItem_ii", "NOTAS_ITEM_II", "NotasItemII",
         campos("ID_NOTA, ID_ITEM, N_ITEM, NDI, DDI, XLOCDESEMB, UFDESEMB, DDESEMB, CEXPORTADOR, NADICAO, NSEQADIC, "
                "CFABRICANTE, VDESCDI, VBC, VDESPADU, VII, VIOF, TPVIATRANSP, TPINTERMEDIO, CNPJ, UFTERCEIRO, VAFRMM")},
        {"tblNotasItemRef", "NOTAS_ITEM_REF", "NotasItemRef",
         campos("ID_NOTA, N_ITEM, CT_LIN, REFERENCIA, ROTULO, TEXTO")},
        {"tblNotasItem_imp", "NOTAS_ITEM_IMP", "NotasItemImp",
         campos("ID_NOTA, ID_ITEM, N_ITEM, ROTULO, NCST, ORIG, CST, MODBC, VBC, PICMS, VICMS, MODBCST, PMVAST, "
                "PREDBCST, VBCST, PICMSST, VICMSST, PREDBC, MOTDESICMS, VBCSTRET, VICMSSTRET, PBCOP, UFST, "
                "VBCSTDEST, VICMSSTDEST, CSOSN, PCREDSN, VCREDICMSSN, CLENQ, CNPJPROD, CSELO, QSELO, CENQ, PIPI, "
                "QUNID, VUNID, VIPI, PPIS, VPIS, QBCPROD, VALIQPROD, PCOFINS, VCOFINS, VTOTTRIB")},
    };
    // clang-format on
    return kTabelas;
}

TdtmNFE_2::TdtmNFE_2(TdtmNFE_grd &modulo) : modulo_(modulo), abertas_(tabelas().size()) {}

TdtmNFE_2::~TdtmNFE_2() = default;

void TdtmNFE_2::dtmNFEOpen(const std::vector<std::string> &nomes)
{
    modulo_.dtmConectBanco(true);
    for (std::size_t i = 0; i < tabelas().size(); ++i) {
        const Tabela &t = tabelas()[i];
        if ((abertas_[i] && abertas_[i]->active()) || !naLista(nomes, t.nomeLogico))
            continue;
        abertas_[i].reset();
        if (!modulo_.ibtNFE)
            throw db::DatabaseError(db::DbFailure::Other,
                                    std::string("Sem conexão com o banco de dados da NFE para abrir ") +
                                        t.tabela + ".");
        auto tabela = std::make_unique<db::DataSet>(*modulo_.ibtNFE, t.tabela, t.campos);
        tabela->open();
        abertas_[i] = std::move(tabela);
    }
}

void TdtmNFE_2::dtmNFEClose(const std::vector<std::string> &nomes)
{
    for (const char *nome : kOrdemFecha)
        for (std::size_t i = 0; i < tabelas().size(); ++i)
            if (std::string_view(tabelas()[i].tabela) == nome && abertas_[i] &&
                naLista(nomes, tabelas()[i].nomeLogico))
                abertas_[i].reset();
}

db::DataSet *TdtmNFE_2::tabela(std::string_view componente) const
{
    for (std::size_t i = 0; i < tabelas().size(); ++i)
        if (tabelas()[i].componente == componente)
            return abertas_[i] ? abertas_[i].get() : nullptr;
    return nullptr;
}
