// The TXT-layout export of a note (layout 2.00): the export switch, the
// file names, the frame of the file and its note-level records.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"
#include "monitor_client/detail/arquivo_troca.h"
#include "monitor_client/request/detail/registro_txt.h"

namespace {

constexpr const char *kEmissorSefaz = "NFE SEFAZ";

} // namespace

void TfrmNFE_2G::Ativa_Modelo_Exportacao()
{
    if (!modulo_.tblConfigNFE || !modulo_.tblConfigNFE->active())
        modulo_.dtmNFEOpen({"ConfigNFE"});
    ModoExportacao = emitente("TIPO_EMISSOR") == kEmissorSefaz;
}

void TfrmNFE_2G::Nome_dos_arquivos_Sefaz(std::string_view tipo, int serie, int numero)
{
    const std::string kind = upperAscii(tipo);
    std::string nome;
    if (kind == "NOTA")
        nome = "NOTA_" + std::to_string(numero) + "-" + std::to_string(serie) + ".txt";
    else if (kind == "EMITENTE" || kind == "CLIENTE" || kind == "PRODUTO")
        nome = kind + ".TXT";
    else
        return;
    ArquivoExportacao = monitor_detail::minusculas(BarraFinal(emitente("PATH_COMUNICACAO")) + nome);
    if (PastaLocal.empty())
        PastaLocal = PastaDeDadosDoUsuario() + "monitor/";
    ArquivoExportacaoLocal = PastaLocal + monitor_detail::minusculas(nome);
}

bool TfrmNFE_2G::Gera_File_Sefaz(std::string_view tipo, int serie, int numero)
{
    // A note whose emitter no longer exports gets no file; the names are
    // cleared so that nothing left from an earlier note is taken for it.
    if (emitente("TIPO_EMISSOR") != kEmissorSefaz || upperAscii(tipo) != "NOTA") {
        ArquivoExportacao.clear();
        ArquivoExportacaoLocal.clear();
        return false;
    }
    Nome_dos_arquivos_Sefaz("NOTA", serie, numero);
    const auto linhas = MontaExportacaoNota();
    std::error_code erro;
    std::filesystem::create_directories(PastaLocal, erro);
    gravaDocumento(ArquivoExportacaoLocal, linhas);
    return true;
}

std::vector<std::string> TfrmNFE_2G::MontaExportacaoNota()
{
    Exportacao.clear();
    const LinhaNota &nota = notaAtual();
    Exportacao.push_back("NOTAFISCAL|1");
    Exportacao.push_back("A|2.00|NFe|");

    std::string indPag = "0";
    if (ContemTexto("PRAZO", nota.nat_not) || TemParcela(std::to_string(nota.nota)))
        indPag = "1";
    else if (nota.desc_porc_out == "OUTROS")
        indPag = "2";
    std::string dSaiEnt;
    if (!nota.dat_sai_not.empty() && nota.dat_sai_not != "30/12/1899")
        dSaiEnt = AjData(dataDoCampo(nota.dat_sai_not, "dat_sai_not"));
    std::string hSaiEnt;
    if (SomenteNumeros(nota.hora_sai_not).find_first_not_of('0') != std::string::npos) {
        hSaiEnt = nota.hora_sai_not + ":00";
    } else {
        const auto agora = decodeDateTime(nowLocal());
        hSaiEnt = ZerosEsquerda(agora.hour, 2) + ":" + ZerosEsquerda(agora.minute, 2) + ":" +
                  ZerosEsquerda(agora.second, 2);
    }
    Exportacao.push_back(registroTxt("B", {emitente("COD_UF_EMI"),
                                           "",
                                           nota.nat_not,
                                           indPag,
                                           "55",
                                           std::to_string(nota.nro_serie_not),
                                           std::to_string(inteiroDoCampo(nota.nro_not, "nro_not")),
                                           AjData(dataDoCampo(nota.Dat_emi_not, "Dat_emi_not")),
                                           dSaiEnt,
                                           hSaiEnt,
                                           nota.ent_not.empty() ? "1" : "0",
                                           emitente("COD_MUN_EMI"),
                                           emitente("TIPO_IMP_DANF"),
                                           emitente("CONTINGENCIA") == "2" ? "2" : "1",
                                           "",
                                           "1",
                                           "1",
                                           "0",
                                           emitente("VERSAO_APL_NFE"),
                                           "",
                                           ""}));

    Exportacao.push_back(
        registroTxt("C", {emitente("NOM_EMI"), emitente("FAN_EMI"), SomenteNumeros(emitente("IE_EMI")), "",
                          "", "", emitente("COD_REG_TRIB")}));
    if (emitente("TIPO_EMI") == "J")
        Exportacao.push_back(registroTxt("C02", {SomenteNumeros(emitente("CNPJ_EMI"))}, false));
    else
        Exportacao.push_back(registroTxt("C02a", {SomenteNumeros(emitente("CPF_EMI"))}, false));
    Exportacao.push_back(
        registroTxt("C05",
                    {emitente("END_EMI"), emitente("NRO_END_EMI"), emitente("COMPL_EMI"), emitente("BAI_EMI"),
                     emitente("COD_MUN_EMI"), emitente("MUN_EMI"), emitente("UF_EMI"),
                     SomenteNumeros(emitente("CEP_EMI")), emitente("COD_PAIS_EMI"), emitente("PAIS_EMI"),
                     SomenteNumeros(emitente("FONE_EMI"))},
                    false));

    const std::string ie = upperAscii(nota.IE_not) == "ISENTO" ? "ISENTO" : SomenteNumeros(nota.IE_not);
    if (homologacao()) {
        Exportacao.push_back(registroTxt("E", {kNomeHomologacao, "", "", nota.email_NFE}));
        Exportacao.push_back(registroTxt("E02", {"99999999000191"}, false));
    } else {
        Exportacao.push_back(registroTxt("E", {nota.nom_not, ie, "", nota.email_NFE}));
        const std::string documento = SomenteNumeros(nota.cnpj_not);
        Exportacao.push_back(registroTxt(documento.size() > 11 ? "E02" : "E03", {documento}, false));
    }
    if (destinatarioEstrangeiro())
        Exportacao.push_back(
            registroTxt("E05",
                        {nota.end_not, ".", "", nota.bai_not, "9999999", "EXTERIOR", "EX", "00000000",
                         std::to_string(nota.cod_pais), nota.nome_pais, SomenteNumeros(nota.fon_not)},
                        false));
    else
        Exportacao.push_back(registroTxt(
            "E05",
            {nota.end_not, ".", "", nota.bai_not, BuscaCidade_IBGE(nota.mun_not, nota.uf_not, nota.cep_not),
             nota.mun_not, nota.uf_not, SomenteNumeros(nota.cep_not), emitente("COD_PAIS_EMI"),
             emitente("PAIS_EMI"), SomenteNumeros(nota.fon_not)},
            false));

    if (!nota.cnpj_ent.empty()) {
        Exportacao.push_back(registroTxt("G", {ChrEsp(nota.end_ent), ".", "", ChrEsp(nota.bai_ent),
                                               BuscaCidade_IBGE(nota.cid_ent, nota.uf_ent, nota.cep_ent),
                                               ChrEsp(nota.cid_ent), nota.uf_ent}));
        Exportacao.push_back(registroTxt("G02", {SomenteNumeros(nota.cnpj_ent)}));
    }

    GeraProdutos_File_Sefaz();
    GeraICMSTotal_File_Sefaz();
    escreveTransporteTxt();
    escreveCobrancaTxt();
    GeraInfoADC_File_Sefaz();
    return Exportacao;
}

void TfrmNFE_2G::escreveTransporteTxt()
{
    const LinhaNota &nota = notaAtual();
    const std::string &modalidade = nota.t_fre_ct_not;
    Exportacao.push_back(modalidade == "1"   ? "X|0|"
                         : modalidade == "2" ? "X|1|"
                         : modalidade == "3" ? "X|2|"
                                             : "X|9|");
    Exportacao.push_back(
        registroTxt("X03", {ChrEsp(nota.t_nom_not), SomenteNumeros(nota.t_ie_not), ChrEsp(nota.t_end_not),
                            nota.t_uf_mun_not, ChrEsp(nota.t_mun_not)}));
    const std::string documento = SomenteNumeros(nota.t_cnpj_not);
    Exportacao.push_back(registroTxt(documento.size() > 11 ? "X04" : "X05", {documento}));
    if (!nota.t_pla_vei_not.empty())
        Exportacao.push_back(
            registroTxt("X18", {RemoveCaractere(nota.t_pla_vei_not, " "),
                                nota.t_uf_vei_not.empty() ? emitente("UF_EMI") : nota.t_uf_vei_not, ""}));
    const auto quantidade = [](const std::string &texto) {
        return SomenteNumeros(texto).find_first_not_of('0') != std::string::npos ? texto : std::string("1");
    };
    const auto volumes = tabelas_.tblVolumes.daNota(nota.nota);
    for (const LinhaVolume *volume : volumes) {
        Exportacao.push_back(registroTxt("X26", {quantidade(volume->qVol), ChrEsp(volume->esp),
                                                 ChrEsp(volume->marca), ChrEsp(volume->nvol),
                                                 FtDc(volume->pesoL, "000"), FtDc(volume->pesoB, "000")}));
        Exportacao.push_back(registroTxt("X33", {ChrEsp(volume->nLacre)}));
    }
    if (volumes.empty())
        Exportacao.push_back(
            registroTxt("X26", {quantidade(nota.t_qtd_not), ChrEsp(nota.t_esp_not), ChrEsp(nota.t_marca_not),
                                ChrEsp(nota.t_num_not), FtDc(nota.t_pes_liq_not, "000"),
                                FtDc(nota.t_pes_bru_not, "000")}));
}

void TfrmNFE_2G::escreveCobrancaTxt()
{
    const auto parcelas = tabelas_.tblFatura.daNota(notaAtual().nota);
    if (parcelas.empty())
        return;
    Exportacao.push_back("Y|");
    for (const LinhaFatura *parcela : parcelas)
        Exportacao.push_back(
            registroTxt("Y07", {parcela->nro_fat, AjData(parcela->data), duasCasas(parcela->valor_fat)}));
}

void TfrmNFE_2G::GeraInfoADC_File_Sefaz()
{
    const LinhaNota &nota = notaAtual();
    std::string entrega;
    if (!nota.cnpj_ent.empty())
        entrega = "Local Entrega: Cnpj: " + nota.cnpj_ent + " /  Endereco: " + nota.end_ent +
                  " /  Bairro: " + nota.bai_ent + " /  Cidade: " + nota.cid_ent + " / UF: " + nota.uf_ent +
                  " / CEP: " + nota.cep_ent;
    if (!nota.obs_Geral.empty()) {
        std::string geral;
        std::string_view resto = nota.obs_Geral;
        while (!resto.empty()) {
            auto fim = resto.find('\n');
            std::string_view linha = resto.substr(0, fim);
            if (!linha.empty() && linha.back() == '\r')
                linha.remove_suffix(1);
            geral += std::string(linha) + "  ";
            resto = fim == std::string_view::npos ? std::string_view() : resto.substr(fim + 1);
        }
        Exportacao.push_back("Z||" + ChrEsp(geral) + " / " + ChrEsp(entrega) + "|");
        return;
    }
    std::string observacoes;
    for (const std::string *campo :
         {&nota.da_obs1, &nota.da_obs2, &nota.da_obs3, &nota.da_obs4, &nota.da_obs5, &nota.da_obs6,
          &nota.da_obs7, &nota.da_obs8, &nota.da_obs9, &nota.da_obs10, &nota.da_obs11, &nota.da_obs12,
          &nota.da_obs13, &nota.da_obs14})
        if (!campo->empty())
            observacoes += *campo + "  ";
    std::string corpo;
    for (const LinhaObsCorpo *linha : tabelas_.tblObsCorpo.daNota(nota.nota))
        corpo += linha->observacao + "  ";
    Exportacao.push_back("Z||" + ChrEsp(NormalizaTexto(observacoes)) + " / " + ChrEsp(NormalizaTexto(corpo)) +
                         " / " + ChrEsp(entrega) + "|");
}
