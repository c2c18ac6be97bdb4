#include "tests/monitor_client/request/nota_fixture.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"
#include "tests/support/staged_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

class ExportacaoTxt : public NotaFixture {
  protected:
    std::vector<std::string> exporta(int nota)
    {
        for (std::size_t i = 0; i < tabelas.tblNotas.linhas().size(); ++i)
            if (tabelas.tblNotas.linhas()[i].nota == nota) {
                selecionaEmitente(SomenteNumeros(tabelas.tblNotas.linhas()[i].cnpj_emitente));
                tela->selecionaNota(i);
                return tela->MontaExportacaoNota();
            }
        ADD_FAILURE() << "note " << nota << " missing";
        return {};
    }
    // The lines of a record, in order.
    static std::vector<std::string> registros(const std::vector<std::string> &linhas, const std::string &id)
    {
        std::vector<std::string> achadas;
        for (const auto &linha : linhas)
            if (linha.rfind(id + "|", 0) == 0)
                achadas.push_back(linha);
        return achadas;
    }
    LinhaNota &nota(int chave)
    {
        for (auto &linha : tabelas.tblNotas.linhas())
            if (linha.nota == chave)
                return linha;
        throw std::logic_error("note missing");
    }
};

// The goldens are also read back by the TXT reader (tools tests).
TEST_F(ExportacaoTxt, MatchesTheGoldenFiles)
{
    const struct {
        const char *notas;
        int nota;
        const char *golden;
    } casos[] = {
        {"notas.json", 1, "prazo_volume_da_nota"}, {"notas.json", 3, "estrangeiro"},
        {"notas.json", 4, "homologacao_simples"},  {"notas.json", 6, "entrega_veiculo"},
        {"notas.json", 7, "linhas_de_volume"},     {"notas_itens.json", 11, "itens_11"},
        {"notas_itens.json", 12, "itens_12"},      {"notas_itens.json", 13, "itens_13"},
        {"notas_itens.json", 14, "itens_14"},      {"notas_itens.json", 15, "itens_15_simples"},
        {"notas_itens.json", 16, "itens_16"},      {"notas_itens.json", 17, "itens_17"},
    };
    for (const auto &caso : casos) {
        carregaNotas(std::string("data/monitor_client/") + caso.notas);
        const std::string bytes = bytesDoDocumento(exporta(caso.nota));
        const std::string arquivo = std::string("exportacao/") + caso.golden + ".txt";
        if (std::getenv("NFE_WRITE_GOLDENS"))
            std::ofstream(pastaDados() + arquivo, std::ios::binary) << bytes;
        EXPECT_EQ(bytes, testsupport::testBytes("data/monitor_client/" + arquivo)) << caso.golden;
    }
}

TEST_F(ExportacaoTxt, HeaderDatesTimesAndRecipient)
{
    nota(1).hora_sai_not = "";
    nota(1).dat_sai_not = "30/12/1899";
    auto b = registros(exporta(1), "B").at(0);
    // dSaiEnt empty, hSaiEnt the clock's time, TpAmb "1".
    EXPECT_NE(b.find("||10:20:30|"), std::string::npos) << b;

    nota(1).cod_pais = 0;
    EXPECT_EQ(registros(exporta(1), "E05").at(0).find("EXTERIOR"), std::string::npos);
    nota(1).cod_pais = 1058;
    EXPECT_EQ(registros(exporta(1), "E05").at(0).find("EXTERIOR"), std::string::npos);
    nota(1).cod_pais = 249;
    nota(1).nome_pais = "ESTADOS UNIDOS";
    EXPECT_NE(registros(exporta(1), "E05").at(0).find("|9999999|EXTERIOR|EX|00000000|249|ESTADOS UNIDOS|"),
              std::string::npos);
}

TEST_F(ExportacaoTxt, TransporterVolumesAndInstalments)
{
    for (const char *documento : {"", "123.456.789-09"}) {
        nota(1).t_cnpj_not = documento;
        EXPECT_EQ(registros(exporta(1), "X05").size(), 1u) << documento;
    }
    tabelas.tblVolumes.linhas().erase(std::remove_if(tabelas.tblVolumes.linhas().begin(),
                                                     tabelas.tblVolumes.linhas().end(),
                                                     [](const LinhaVolume &v) { return v.nota == 1; }),
                                      tabelas.tblVolumes.linhas().end());
    nota(1).t_qtd_not = "";
    nota(1).t_pes_liq_not = nota(1).t_pes_bru_not = "";
    tabelas.tblFatura.linhas().clear();
    const auto linhas = exporta(1);
    ASSERT_EQ(registros(linhas, "X26").size(), 1u);
    EXPECT_EQ(registros(linhas, "X26")[0].substr(0, 6), "X26|1|");
    EXPECT_NE(registros(linhas, "X26")[0].find("|0.000|0.000|"), std::string::npos);
    EXPECT_TRUE(registros(linhas, "X33").empty());
    EXPECT_TRUE(registros(linhas, "Y").empty());
}

// Shares of the note's amounts: equal thirds of 10.00, and an item with its
// own amounts leaves the remainders for the shared-out last item.
TEST_F(ExportacaoTxt, SharesTheNoteAmountsOverTheItems)
{
    auto &n = nota(1);
    tabelas.tblItens.linhas().erase(std::remove_if(tabelas.tblItens.linhas().begin(),
                                                   tabelas.tblItens.linhas().end(),
                                                   [](const LinhaItem &i) { return i.nota == 1; }),
                                    tabelas.tblItens.linhas().end());
    n.vlr_tot_pro_not = "300.00";
    n.vlr_fre_not = "10.00";
    n.vlr_seg_not = n.vlr_desc_not = n.vlr_out_not = "0";
    for (int i = 0; i < 3; ++i) {
        LinhaItem item = tabelas.tblItens.nova();
        item.nota = 1;
        item.cod_pro = "P" + std::to_string(i);
        item.nom_pro = "Item";
        item.qtd_pro = "3";
        item.vlr_uni_pro = "33.3333";
        item.sub_tot_pro = "100.00";
        item.icm_pro = "0";
        item.st_pro = "040";
        tabelas.posta(item);
    }
    auto frete = [&] {
        std::vector<std::string> valores;
        for (const auto &linha : registros(exporta(1), "I")) {
            std::vector<std::string> campos;
            std::string_view resto = linha;
            for (auto p = resto.find('|'); p != std::string_view::npos; p = resto.find('|')) {
                campos.emplace_back(resto.substr(0, p));
                resto.remove_prefix(p + 1);
            }
            valores.push_back(campos.at(15) + "/" + campos.at(16));
        }
        return valores;
    };
    EXPECT_EQ(frete(), (std::vector<std::string>{"3.33/", "3.33/", "3.34/"}));
    // VUnCom with ten decimals even when the price reproduces the total.
    EXPECT_NE(registros(exporta(1), "I")[0].find("|33.3333000000|"), std::string::npos);

    tabelas.tblItens.linhas()[tabelas.tblItens.linhas().size() - 2].vlr_seguro = 2;
    EXPECT_EQ(frete(), (std::vector<std::string>{"3.33/", "/2.00", "6.67/"}));
}

TEST_F(ExportacaoTxt, ChoosesTheItemTaxRecords)
{
    carregaNotas("data/monitor_client/notas_itens.json");
    auto &item = tabelas.tblItens.linhas().at(0);
    const int chave = item.nota;
    auto &n = nota(chave);
    item.st_pro = "040";
    item.vlr_frete = 10;
    item.vlr_desconto = 5;
    item.icm_pro = "18";
    item.iss_aliq = 0;
    item.ipi_vlr = 0;
    item.cst_IPI = 50;
    item.tipo_pis = "PISOUTR";
    item.pis_cst = 70;
    item.pis_vbc = 100;
    item.pis_ppis = 1.65;
    item.tipo_cofins = "";
    n.desc_porc_cota = "12,00";
    auto linhas = exporta(chave);
    EXPECT_EQ(registros(linhas, "N10").at(0), "N10|0|90|3||10.00|18.00|1.20|||||||");
    EXPECT_TRUE(registros(linhas, "O").empty());
    EXPECT_EQ(registros(linhas, "Q05").at(0), "Q05|70|1.65|");
    EXPECT_EQ(registros(linhas, "Q07").at(0), "Q07|100.00|1.65|");
    EXPECT_EQ(registros(linhas, "S04").at(0), "S04|07|");

    n.desc_porc_cota = "";
    item.st_pro = "090";
    item.bc_icms = 0;
    item.bc_icms_s = 0;
    item.Aliq_Cred_Icms = 0;
    EXPECT_EQ(registros(exporta(chave), "N10").at(0), "N10|0|90|3|||||||||||");
    item.bc_icms_s = 50;
    item.icm_pro_st = 10;
    item.cf_pro = "T";
    EXPECT_NE(registros(exporta(chave), "N10").at(0).find("|5|"), std::string::npos);
    item.st_pro = "010";
    EXPECT_EQ(registros(exporta(chave), "N03").at(0).find("|5|"), std::string::npos);

    item.st_pro = "070";
    item.iss_aliq = 5;
    item.iss_vbc = 100;
    linhas = exporta(chave);
    EXPECT_EQ(registros(linhas, "N09").size(), 1u);
    EXPECT_EQ(registros(linhas, "U").at(0).substr(0, 19), "U|100.00|5.00|5.00|");

    item.icm_pro = "";
    EXPECT_THROW(exporta(chave), ConversionError);
}

TEST_F(ExportacaoTxt, NamesAndWritesTheFileOnlyForAnExportingEmitter)
{
    testsupport::TempDir pasta;
    tela->PastaLocal = (pasta.path() / "monitor/").string();
    selecionaEmitente(kEmitenteProducao);
    tela->selecionaNota(0);
    auto &tabela = *modulo->tblConfigNFE;
    tabela.edit();
    tabela.setField("TIPO_EMISSOR", db::Value(std::string("NFE SEFAZ")));
    tabela.setField("PATH_COMUNICACAO", db::Value(std::string("X:\\Monitor")));
    tela->Ativa_Modelo_Exportacao();
    EXPECT_TRUE(tela->ModoExportacao);
    ASSERT_TRUE(tela->Gera_File_Sefaz("nota", 1, 1234));
    EXPECT_EQ(tela->ArquivoExportacao, "x:\\monitor\\nota_1234-1.txt");
    EXPECT_EQ(tela->ArquivoExportacaoLocal, tela->PastaLocal + "nota_1234-1.txt");
    EXPECT_EQ(testsupport::readFile(tela->ArquivoExportacaoLocal).substr(0, 14), "NOTAFISCAL|1\r\n");

    // Another emitter kind: no file and no names left over for a copy.
    tabela.setField("TIPO_EMISSOR", db::Value(std::string("MONITOR")));
    EXPECT_FALSE(tela->Gera_File_Sefaz("NOTA", 1, 1235));
    EXPECT_TRUE(tela->ArquivoExportacao.empty());
    tela->Ativa_Modelo_Exportacao();
    EXPECT_FALSE(tela->ModoExportacao);
    tabela.cancel();
}

} // namespace
