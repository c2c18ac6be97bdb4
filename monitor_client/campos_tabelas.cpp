// The field lists of the staged note tables: name, type, width and new-row
// default of every field, in each table's order.

#include "monitor_client/tabelas_notas.h"

namespace {

using CampoNota = CampoTabela<LinhaNota>;
const CampoNota kCamposNotas[] = {
    {"nota", TipoCampo::Inteiro, 0, &LinhaNota::nota},
    {"serie_not", TipoCampo::Texto, 10, &LinhaNota::serie_not},
    {"nro_not", TipoCampo::Texto, 10, &LinhaNota::nro_not},
    {"ent_not", TipoCampo::Texto, 2, &LinhaNota::ent_not},
    {"sai_not", TipoCampo::Texto, 2, &LinhaNota::sai_not},
    {"cfop_not", TipoCampo::Texto, 10, &LinhaNota::cfop_not},
    {"nom_not", TipoCampo::Texto, 75, &LinhaNota::nom_not},
    {"cnpj_not", TipoCampo::Texto, 20, &LinhaNota::cnpj_not},
    {"Dat_emi_not", TipoCampo::Texto, 10, &LinhaNota::Dat_emi_not},
    {"dat_sai_not", TipoCampo::Texto, 10, &LinhaNota::dat_sai_not},
    {"hora_sai_not", TipoCampo::Texto, 10, &LinhaNota::hora_sai_not},
    {"end_not", TipoCampo::Texto, 50, &LinhaNota::end_not},
    {"bai_not", TipoCampo::Texto, 30, &LinhaNota::bai_not},
    {"cep_not", TipoCampo::Texto, 15, &LinhaNota::cep_not},
    {"mun_not", TipoCampo::Texto, 35, &LinhaNota::mun_not},
    {"fon_not", TipoCampo::Texto, 25, &LinhaNota::fon_not},
    {"uf_not", TipoCampo::Texto, 8, &LinhaNota::uf_not},
    {"IE_not", TipoCampo::Texto, 20, &LinhaNota::IE_not},
    {"desp_pes_liq", TipoCampo::Texto, 12, &LinhaNota::desp_pes_liq},
    {"desp_armaz", TipoCampo::Texto, 12, &LinhaNota::desp_armaz},
    {"desp_quebra", TipoCampo::Texto, 12, &LinhaNota::desp_quebra},
    {"desp_staxa", TipoCampo::Texto, 12, &LinhaNota::desp_staxa},
    {"desp_conser", TipoCampo::Texto, 12, &LinhaNota::desp_conser},
    {"desp_outros", TipoCampo::Texto, 12, &LinhaNota::desp_outros},
    {"desp_total", TipoCampo::Texto, 12, &LinhaNota::desp_total},
    {"desp_Porc_arm", TipoCampo::Texto, 4, &LinhaNota::desp_Porc_arm},
    {"desp_porc_quebra", TipoCampo::Texto, 4, &LinhaNota::desp_porc_quebra},
    {"desp_porc_sTaxa", TipoCampo::Texto, 4, &LinhaNota::desp_porc_sTaxa},
    {"desp_porc_cons", TipoCampo::Texto, 4, &LinhaNota::desp_porc_cons},
    {"desp_porc_out", TipoCampo::Texto, 4, &LinhaNota::desp_porc_out},
    {"desc_cota_cap", TipoCampo::Texto, 13, &LinhaNota::desc_cota_cap},
    {"desc_funr", TipoCampo::Texto, 13, &LinhaNota::desc_funr},
    {"desc_outros", TipoCampo::Texto, 13, &LinhaNota::desc_outros},
    {"desc_liquido", TipoCampo::Texto, 13, &LinhaNota::desc_liquido},
    {"desc_senar", TipoCampo::Texto, 13, &LinhaNota::desc_senar},
    {"desc_comerc", TipoCampo::Texto, 13, &LinhaNota::desc_comerc},
    {"desc_porc_cota", TipoCampo::Texto, 6, &LinhaNota::desc_porc_cota},
    {"desc_porc_fun", TipoCampo::Texto, 6, &LinhaNota::desc_porc_fun},
    {"desc_porc_senar", TipoCampo::Texto, 6, &LinhaNota::desc_porc_senar},
    {"desc_porc_com", TipoCampo::Texto, 6, &LinhaNota::desc_porc_com},
    {"desc_porc_out", TipoCampo::Texto, 6, &LinhaNota::desc_porc_out},
    {"base_icm_not", TipoCampo::Texto, 18, &LinhaNota::base_icm_not},
    {"vlr_icm_not", TipoCampo::Texto, 18, &LinhaNota::vlr_icm_not},
    {"base_icm_s_not", TipoCampo::Texto, 18, &LinhaNota::base_icm_s_not},
    {"vlr_imc_s_not", TipoCampo::Texto, 18, &LinhaNota::vlr_imc_s_not},
    {"vlr_tot_pro_not", TipoCampo::Texto, 18, &LinhaNota::vlr_tot_pro_not},
    {"vlr_fre_not", TipoCampo::Texto, 18, &LinhaNota::vlr_fre_not},
    {"vlr_seg_not", TipoCampo::Texto, 18, &LinhaNota::vlr_seg_not},
    {"vlr_out_not", TipoCampo::Texto, 18, &LinhaNota::vlr_out_not},
    {"vlr_ipi_not", TipoCampo::Texto, 18, &LinhaNota::vlr_ipi_not},
    {"vlr_total_not", TipoCampo::Texto, 18, &LinhaNota::vlr_total_not},
    {"t_nom_not", TipoCampo::Texto, 55, &LinhaNota::t_nom_not},
    {"t_fre_ct_not", TipoCampo::Texto, 1, &LinhaNota::t_fre_ct_not},
    {"t_pla_vei_not", TipoCampo::Texto, 14, &LinhaNota::t_pla_vei_not},
    {"t_uf_vei_not", TipoCampo::Texto, 3, &LinhaNota::t_uf_vei_not},
    {"t_cnpj_not", TipoCampo::Texto, 20, &LinhaNota::t_cnpj_not},
    {"t_end_not", TipoCampo::Texto, 55, &LinhaNota::t_end_not},
    {"t_mun_not", TipoCampo::Texto, 30, &LinhaNota::t_mun_not},
    {"t_uf_mun_not", TipoCampo::Texto, 3, &LinhaNota::t_uf_mun_not},
    {"t_ie_not", TipoCampo::Texto, 20, &LinhaNota::t_ie_not},
    {"t_qtd_not", TipoCampo::Texto, 25, &LinhaNota::t_qtd_not},
    {"t_esp_not", TipoCampo::Texto, 20, &LinhaNota::t_esp_not},
    {"t_marca_not", TipoCampo::Texto, 18, &LinhaNota::t_marca_not},
    {"t_num_not", TipoCampo::Texto, 18, &LinhaNota::t_num_not},
    {"t_pes_bru_not", TipoCampo::Texto, 12, &LinhaNota::t_pes_bru_not},
    {"t_pes_liq_not", TipoCampo::Texto, 12, &LinhaNota::t_pes_liq_not},
    {"da_obs1", TipoCampo::Texto, 60, &LinhaNota::da_obs1},
    {"da_obs2", TipoCampo::Texto, 60, &LinhaNota::da_obs2},
    {"da_obs3", TipoCampo::Texto, 60, &LinhaNota::da_obs3},
    {"da_obs4", TipoCampo::Texto, 60, &LinhaNota::da_obs4},
    {"da_obs5", TipoCampo::Texto, 60, &LinhaNota::da_obs5},
    {"da_obs6", TipoCampo::Texto, 60, &LinhaNota::da_obs6},
    {"da_obs7", TipoCampo::Texto, 60, &LinhaNota::da_obs7},
    {"da_obs8", TipoCampo::Texto, 60, &LinhaNota::da_obs8},
    {"da_obs9", TipoCampo::Texto, 60, &LinhaNota::da_obs9},
    {"da_obs10", TipoCampo::Texto, 60, &LinhaNota::da_obs10},
    {"da_obs11", TipoCampo::Texto, 60, &LinhaNota::da_obs11},
    {"da_obs12", TipoCampo::Texto, 60, &LinhaNota::da_obs12},
    {"da_obs13", TipoCampo::Texto, 60, &LinhaNota::da_obs13},
    {"da_obs14", TipoCampo::Texto, 60, &LinhaNota::da_obs14},
    {"Ie_S_t_not", TipoCampo::Texto, 20, &LinhaNota::Ie_S_t_not},
    {"email_NFE", TipoCampo::Texto, 60, &LinhaNota::email_NFE},
    {"nro_serie_not", TipoCampo::Inteiro, 0, &LinhaNota::nro_serie_not},
    {"vlr_desc_not", TipoCampo::Texto, 15, &LinhaNota::vlr_desc_not},
    {"cod_pais", TipoCampo::Inteiro, 0, &LinhaNota::cod_pais},
    {"nome_pais", TipoCampo::Texto, 40, &LinhaNota::nome_pais},
    {"cnpj_ent", TipoCampo::Texto, 20, &LinhaNota::cnpj_ent},
    {"end_ent", TipoCampo::Texto, 60, &LinhaNota::end_ent},
    {"bai_ent", TipoCampo::Texto, 60, &LinhaNota::bai_ent},
    {"cid_ent", TipoCampo::Texto, 40, &LinhaNota::cid_ent},
    {"uf_ent", TipoCampo::Texto, 2, &LinhaNota::uf_ent},
    {"cep_ent", TipoCampo::Texto, 10, &LinhaNota::cep_ent},
    {"email_tra", TipoCampo::Texto, 60, &LinhaNota::email_tra},
    {"cnpj_emitente", TipoCampo::Texto, 20, &LinhaNota::cnpj_emitente},
    {"obs_Geral", TipoCampo::Memo, 0, &LinhaNota::obs_Geral},
    {"nfp_ref", TipoCampo::Inteiro, 0, &LinhaNota::nfp_ref},
    {"ser_nfp_ref", TipoCampo::Texto, 5, &LinhaNota::ser_nfp_ref},
    {"notas_refer", TipoCampo::Blob, 0, &LinhaNota::notas_refer},
    {"email_nfe_2", TipoCampo::Texto, 100, &LinhaNota::email_nfe_2},
    {"nom_end_entrega", TipoCampo::Texto, 50, &LinhaNota::nom_end_entrega},
    {"t_rntc", TipoCampo::Texto, 20, &LinhaNota::t_rntc},
    {"finalidade_nfe", TipoCampo::Inteiro, 0, &LinhaNota::finalidade_nfe},
    {"nro_pedido", TipoCampo::Inteiro, 0, &LinhaNota::nro_pedido},
    {"nat_not", TipoCampo::Texto, 50, &LinhaNota::nat_not},
};

using CampoItem = CampoTabela<LinhaItem>;
const CampoItem kCamposItens[] = {
    {"nota", TipoCampo::Inteiro, 0, &LinhaItem::nota},
    {"cod_pro", TipoCampo::Texto, 20, &LinhaItem::cod_pro},
    {"cf_pro", TipoCampo::Texto, 6, &LinhaItem::cf_pro},
    {"un_pro", TipoCampo::Texto, 6, &LinhaItem::un_pro},
    {"qtd_pro", TipoCampo::Texto, 11, &LinhaItem::qtd_pro},
    {"vlr_uni_pro", TipoCampo::Texto, 11, &LinhaItem::vlr_uni_pro},
    {"sub_tot_pro", TipoCampo::Texto, 13, &LinhaItem::sub_tot_pro},
    {"icm_pro", TipoCampo::Texto, 4, &LinhaItem::icm_pro},
    {"bc_icms", TipoCampo::Real, 0, &LinhaItem::bc_icms},
    {"perc_red_icms", TipoCampo::Real, 0, &LinhaItem::perc_red_icms},
    {"tipo_pis", TipoCampo::Texto, 20, &LinhaItem::tipo_pis},
    {"tipo_cofins", TipoCampo::Texto, 20, &LinhaItem::tipo_cofins},
    {"pis_cst", TipoCampo::Word, 0, &LinhaItem::pis_cst},
    {"pis_vbc", TipoCampo::Real, 0, &LinhaItem::pis_vbc},
    {"pis_ppis", TipoCampo::Real, 0, &LinhaItem::pis_ppis},
    {"pis_qtdvnd", TipoCampo::Real, 0, &LinhaItem::pis_qtdvnd},
    {"pis_aliq_real", TipoCampo::Real, 0, &LinhaItem::pis_aliq_real},
    {"cofins_cst", TipoCampo::Real, 0, &LinhaItem::cofins_cst},
    {"cofins_vbc", TipoCampo::Real, 0, &LinhaItem::cofins_vbc},
    {"cofins_aliq", TipoCampo::Real, 0, &LinhaItem::cofins_aliq},
    {"cofins_qtdvnd", TipoCampo::Real, 0, &LinhaItem::cofins_qtdvnd},
    {"cofins_aliq_real", TipoCampo::Real, 0, &LinhaItem::cofins_aliq_real},
    {"iss_vbc", TipoCampo::Real, 0, &LinhaItem::iss_vbc},
    {"iss_aliq", TipoCampo::Real, 0, &LinhaItem::iss_aliq},
    {"iss_clisTserv", TipoCampo::Real, 0, &LinhaItem::iss_clisTserv},
    {"bc_icms_s", TipoCampo::Real, 0, &LinhaItem::bc_icms_s},
    {"ipi_aliq", TipoCampo::Real, 0, &LinhaItem::ipi_aliq},
    {"ipi_vlr", TipoCampo::Real, 0, &LinhaItem::ipi_vlr},
    {"perc_adc_icms_subts", TipoCampo::Real, 0, &LinhaItem::perc_adc_icms_subts},
    {"nom_pro", TipoCampo::Texto, 120, &LinhaItem::nom_pro},
    {"cod_ncm", TipoCampo::Texto, 10, &LinhaItem::cod_ncm},
    {"adc1", TipoCampo::Texto, 50, &LinhaItem::adc1},
    {"adc2", TipoCampo::Texto, 50, &LinhaItem::adc2},
    {"adc3", TipoCampo::Texto, 50, &LinhaItem::adc3},
    {"adc4", TipoCampo::Texto, 50, &LinhaItem::adc4},
    {"adc5", TipoCampo::Texto, 50, &LinhaItem::adc5},
    {"adc6", TipoCampo::Texto, 50, &LinhaItem::adc6},
    {"adc7", TipoCampo::Texto, 50, &LinhaItem::adc7},
    {"adc8", TipoCampo::Texto, 50, &LinhaItem::adc8},
    {"adc9", TipoCampo::Texto, 50, &LinhaItem::adc9},
    {"adc10", TipoCampo::Texto, 50, &LinhaItem::adc10},
    {"printAdc", TipoCampo::Booleano, 0, &LinhaItem::printAdc},
    {"cfop_item", TipoCampo::Texto, 5, &LinhaItem::cfop_item},
    {"st_pro", TipoCampo::Texto, 5, &LinhaItem::st_pro},
    {"Aliq_Cred_Icms", TipoCampo::Real, 0, &LinhaItem::Aliq_Cred_Icms},
    {"cst_IPI", TipoCampo::Inteiro, 0, &LinhaItem::cst_IPI, 50},
    {"cod_bar", TipoCampo::Texto, 30, &LinhaItem::cod_bar},
    {"icm_pro_st", TipoCampo::Real, 0, &LinhaItem::icm_pro_st},
    {"cod_mer", TipoCampo::Inteiro, 0, &LinhaItem::cod_mer},
    {"nro_item", TipoCampo::Inteiro, 0, &LinhaItem::nro_item},
    {"vlr_frete", TipoCampo::Real, 0, &LinhaItem::vlr_frete},
    {"vlr_seguro", TipoCampo::Real, 0, &LinhaItem::vlr_seguro},
    {"vlr_outras", TipoCampo::Real, 0, &LinhaItem::vlr_outras},
    {"vlr_desconto", TipoCampo::Real, 0, &LinhaItem::vlr_desconto},
    {"vlr_desp_adu", TipoCampo::Real, 0, &LinhaItem::vlr_desp_adu},
    {"vlr_ii", TipoCampo::Real, 0, &LinhaItem::vlr_ii},
    {"vlr_icms_St", TipoCampo::Real, 0, &LinhaItem::vlr_icms_St},
    {"item_pedido", TipoCampo::Inteiro, 0, &LinhaItem::item_pedido},
};

using CampoObs = CampoTabela<LinhaObsCorpo>;
const CampoObs kCamposObsCorpo[] = {
    {"nota", TipoCampo::Inteiro, 0, &LinhaObsCorpo::nota},
    {"observacao", TipoCampo::Texto, 70, &LinhaObsCorpo::observacao},
};

using CampoFatura = CampoTabela<LinhaFatura>;
const CampoFatura kCamposFatura[] = {
    {"nota", TipoCampo::Inteiro, 0, &LinhaFatura::nota},
    {"data", TipoCampo::Data, 0, &LinhaFatura::data},
    {"nro_fat", TipoCampo::Texto, 60, &LinhaFatura::nro_fat},
    {"valor_fat", TipoCampo::Real, 0, &LinhaFatura::valor_fat},
};

using CampoVolume = CampoTabela<LinhaVolume>;
const CampoVolume kCamposVolumes[] = {
    {"qVol", TipoCampo::Texto, 15, &LinhaVolume::qVol},
    {"esp", TipoCampo::Texto, 60, &LinhaVolume::esp},
    {"marca", TipoCampo::Texto, 60, &LinhaVolume::marca},
    {"nvol", TipoCampo::Texto, 60, &LinhaVolume::nvol},
    {"pesoL", TipoCampo::Texto, 15, &LinhaVolume::pesoL},
    {"pesoB", TipoCampo::Texto, 15, &LinhaVolume::pesoB},
    {"nLacre", TipoCampo::Texto, 60, &LinhaVolume::nLacre},
    {"nota", TipoCampo::Inteiro, 0, &LinhaVolume::nota},
};

using CampoLote = CampoTabela<LinhaLoteMed>;
const CampoLote kCamposLotesMed[] = {
    {"nota", TipoCampo::Inteiro, 0, &LinhaLoteMed::nota},
    {"cod_mer", TipoCampo::Inteiro, 0, &LinhaLoteMed::cod_mer},
    {"nro_item", TipoCampo::Inteiro, 0, &LinhaLoteMed::nro_item},
    {"nLote", TipoCampo::Texto, 20, &LinhaLoteMed::nLote},
    {"qLote", TipoCampo::Real, 0, &LinhaLoteMed::qLote},
    {"dFab", TipoCampo::Data, 0, &LinhaLoteMed::dFab},
    {"dVal", TipoCampo::Data, 0, &LinhaLoteMed::dVal},
    {"vpmc", TipoCampo::Real, 0, &LinhaLoteMed::vpmc},
};

} // namespace

std::span<const CampoTabela<LinhaNota>> camposNotas()
{
    return kCamposNotas;
}

std::span<const CampoTabela<LinhaItem>> camposItens()
{
    return kCamposItens;
}

std::span<const CampoTabela<LinhaObsCorpo>> camposObsCorpo()
{
    return kCamposObsCorpo;
}

std::span<const CampoTabela<LinhaFatura>> camposFatura()
{
    return kCamposFatura;
}

std::span<const CampoTabela<LinhaVolume>> camposVolumes()
{
    return kCamposVolumes;
}

std::span<const CampoTabela<LinhaLoteMed>> camposLotesMed()
{
    return kCamposLotesMed;
}
