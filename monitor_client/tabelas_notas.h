#pragma once

#include "foundation/dates/date_time.h"
#include "monitor_client/campo_tabela.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The six in-memory tables that hold the notes of one run, as the suite
// stages them: one row per note (`tblNotas`, whose `nota` links the others),
// its items, body observations, instalments, volume groups and medicine
// lots. Every writer of the client reads them. Amounts held as texts use "."
// as decimal and "," as thousands separator; texts are UTF-8 and widths count
// characters. Each table declares its fields once (campo_tabela.h).
//
// Rows keep the order in which they were posted; filters are predicates over
// that order. Main thread only. Implemented in tabelas_notas.cpp (open,
// close, post) and campos_tabelas.cpp (the field lists).

struct LinhaNota {
    int nota = 0;
    std::string serie_not, nro_not, ent_not, sai_not, cfop_not, nom_not, cnpj_not, Dat_emi_not, dat_sai_not,
        hora_sai_not, end_not, bai_not, cep_not, mun_not, fon_not, uf_not, IE_not;
    std::string desp_pes_liq, desp_armaz, desp_quebra, desp_staxa, desp_conser, desp_outros, desp_total;
    std::string desp_Porc_arm, desp_porc_quebra, desp_porc_sTaxa, desp_porc_cons, desp_porc_out;
    std::string desc_cota_cap, desc_funr, desc_outros, desc_liquido, desc_senar, desc_comerc;
    std::string desc_porc_cota, desc_porc_fun, desc_porc_senar, desc_porc_com, desc_porc_out;
    std::string base_icm_not, vlr_icm_not, base_icm_s_not, vlr_imc_s_not, vlr_tot_pro_not, vlr_fre_not,
        vlr_seg_not, vlr_out_not, vlr_ipi_not, vlr_total_not;
    std::string t_nom_not, t_fre_ct_not, t_pla_vei_not, t_uf_vei_not, t_cnpj_not, t_end_not, t_mun_not,
        t_uf_mun_not, t_ie_not, t_qtd_not, t_esp_not, t_marca_not, t_num_not, t_pes_bru_not, t_pes_liq_not;
    std::string da_obs1, da_obs2, da_obs3, da_obs4, da_obs5, da_obs6, da_obs7, da_obs8, da_obs9, da_obs10,
        da_obs11, da_obs12, da_obs13, da_obs14;
    std::string Ie_S_t_not, email_NFE;
    int nro_serie_not = 0;
    std::string vlr_desc_not;
    int cod_pais = 0;
    std::string nome_pais, cnpj_ent, end_ent, bai_ent, cid_ent, uf_ent, cep_ent, email_tra, cnpj_emitente;
    std::string obs_Geral; // memo
    int nfp_ref = 0;
    std::string ser_nfp_ref;
    std::string notas_refer; // blob
    std::string email_nfe_2, nom_end_entrega, t_rntc;
    int finalidade_nfe = 0;
    int nro_pedido = 0;
    std::string nat_not;
};

struct LinhaItem {
    int nota = 0;
    std::string cod_pro, cf_pro, un_pro, qtd_pro, vlr_uni_pro, sub_tot_pro, icm_pro;
    double bc_icms = 0, perc_red_icms = 0;
    std::string tipo_pis, tipo_cofins;
    std::uint16_t pis_cst = 0;
    double pis_vbc = 0, pis_ppis = 0, pis_qtdvnd = 0, pis_aliq_real = 0;
    double cofins_cst = 0;
    double cofins_vbc = 0, cofins_aliq = 0, cofins_qtdvnd = 0, cofins_aliq_real = 0;
    double iss_vbc = 0, iss_aliq = 0, iss_clisTserv = 0;
    double bc_icms_s = 0;
    double ipi_aliq = 0, ipi_vlr = 0;
    double perc_adc_icms_subts = 0;
    std::string nom_pro, cod_ncm;
    std::string adc1, adc2, adc3, adc4, adc5, adc6, adc7, adc8, adc9, adc10;
    bool printAdc = false;
    std::string cfop_item, st_pro;
    double Aliq_Cred_Icms = 0;
    int cst_IPI = 0;
    std::string cod_bar;
    double icm_pro_st = 0;
    int cod_mer = 0;
    int nro_item = 0;
    double vlr_frete = 0, vlr_seguro = 0, vlr_outras = 0, vlr_desconto = 0;
    double vlr_desp_adu = 0, vlr_ii = 0;
    double vlr_icms_St = 0;
    int item_pedido = 0;
};

struct LinhaObsCorpo {
    int nota = 0;
    std::string observacao;
};

struct LinhaFatura {
    int nota = 0;
    TDateTime data = kDataNaoInformada;
    std::string nro_fat;
    double valor_fat = 0;
};

struct LinhaVolume {
    std::string qVol, esp, marca, nvol, pesoL, pesoB, nLacre;
    int nota = 0;
};

struct LinhaLoteMed {
    int nota = 0;
    int cod_mer = 0;
    int nro_item = 0;
    std::string nLote;
    double qLote = 0;
    TDateTime dFab = kDataNaoInformada;
    TDateTime dVal = kDataNaoInformada;
    double vpmc = 0;
};

// The field lists, in the tables' order.
std::span<const CampoTabela<LinhaNota>> camposNotas();
std::span<const CampoTabela<LinhaItem>> camposItens();
std::span<const CampoTabela<LinhaObsCorpo>> camposObsCorpo();
std::span<const CampoTabela<LinhaFatura>> camposFatura();
std::span<const CampoTabela<LinhaVolume>> camposVolumes();
std::span<const CampoTabela<LinhaLoteMed>> camposLotesMed();

// One table: closed until opened, its rows in posting order.
template <typename Linha> class TabelaNotas {
  public:
    explicit TabelaNotas(std::span<const CampoTabela<Linha>> campos) : campos_(campos) {}

    bool aberta() const { return aberta_; }
    std::span<const CampoTabela<Linha>> campos() const { return campos_; }
    // A row with the table's new-row defaults.
    Linha nova() const { return novaLinha(campos_); }
    const std::vector<Linha> &linhas() const { return linhas_; }
    std::vector<Linha> &linhas() { return linhas_; }
    // The rows for which `filtro` holds, in table order.
    std::vector<const Linha *> filtra(const std::function<bool(const Linha &)> &filtro) const
    {
        std::vector<const Linha *> vistas;
        for (const auto &linha : linhas_)
            if (filtro(linha))
                vistas.push_back(&linha);
        return vistas;
    }
    // The rows whose `nota` equals the key, in table order.
    std::vector<const Linha *> daNota(int nota) const
    {
        return filtra([nota](const Linha &linha) { return linha.nota == nota; });
    }

  private:
    friend class TabelasNotas;
    std::span<const CampoTabela<Linha>> campos_;
    std::vector<Linha> linhas_;
    bool aberta_ = false;
};

// The six tables with the pre-printed form's counters. Posting to a closed
// table raises std::logic_error.
class TabelasNotas {
  public:
    TabelasNotas();

    TabelaNotas<LinhaNota> tblNotas;
    TabelaNotas<LinhaItem> tblItens;
    TabelaNotas<LinhaObsCorpo> tblObsCorpo;
    TabelaNotas<LinhaFatura> tblFatura;
    TabelaNotas<LinhaVolume> tblVolumes;
    TabelaNotas<LinhaLoteMed> tblLotesMed;

    int LinhasPorPagina = 0;
    int PaginaAtual = 0;
    int DeslocamentoLinha = 0;

    // Closes the tables, then opens all six empty; LinhasPorPagina is 30.
    void OpenFile();
    // Closes the six tables; their rows are dropped.
    void CloseFile();

    // Appends a row. Before an item or a lot row is posted, the thousands
    // separators "," leave the current item's (the posted item's, or for a
    // lot the last item's) sub_tot_pro, qtd_pro and vlr_uni_pro.
    void posta(LinhaNota linha);
    void posta(LinhaItem linha);
    void posta(LinhaObsCorpo linha);
    void posta(LinhaFatura linha);
    void posta(LinhaVolume linha);
    void posta(LinhaLoteMed linha);
};
