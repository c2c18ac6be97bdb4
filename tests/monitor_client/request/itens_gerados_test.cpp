#include "tests/monitor_client/request/nota_fixture.h"

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

namespace {

class ItensGerados : public NotaFixture {};

// Cents as an amount text with "." and two decimals.
std::string centavos(long long valor)
{
    std::string texto = std::to_string(valor / 100) + ".";
    texto += std::to_string(valor % 100 / 10) + std::to_string(valor % 10);
    return texto;
}

// 200 notes of 1 to 50 items with random amounts (every tenth shares 0.05 of
// each amount over ten equal items), checked by an independent parser.
TEST_F(ItensGerados, AnIndependentParserChecksTwoHundredNotes)
{
    if (!testsupport::hasProgram("/usr/bin/python3"))
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    std::mt19937 aleatorio(62);
    const auto entre = [&](long long de, long long ate) {
        return std::uniform_int_distribution<long long>(de, ate)(aleatorio);
    };
    const char *tiposPis[] = {"PISALIQ", "PISQTDE", "PISNT", "PISOUTR", ""};
    const char *tiposCofins[] = {"COFINSALIQ", "COFINSQTDE", "COFINSNT", "COFINSOUTR", ""};
    testsupport::TempDir pasta;
    for (int n = 1; n <= 200; ++n) {
        tabelas.OpenFile();
        const bool centavosEmDez = n % 10 == 0;
        const int quantidade = centavosEmDez ? 10 : static_cast<int>(entre(1, 50));
        long long produtos = 0;
        for (int k = 1; k <= quantidade; ++k) {
            LinhaItem item = tabelas.tblItens.nova();
            item.nota = n;
            item.nro_item = k;
            item.cod_pro = "P" + std::to_string(k);
            item.un_pro = "UN";
            const long long milesimos = centavosEmDez ? 1000 : entre(1, 500000); // quantity, 3 places
            const long long unitario = centavosEmDez ? 1000 : entre(1, 50000);   // cents
            const long long total = (milesimos * unitario + 500) / 1000;
            item.qtd_pro =
                std::to_string(milesimos / 1000) + "." + std::to_string(1000 + milesimos % 1000).substr(1);
            item.vlr_uni_pro = centavos(unitario);
            item.sub_tot_pro = centavos(total);
            produtos += total;
            item.st_pro = entre(0, 1) ? "041" : "000";
            item.icm_pro = "18";
            item.bc_icms = static_cast<double>(total) / 100;
            if (entre(0, 6) == 0) {
                item.iss_aliq = 5;
                item.iss_vbc = item.bc_icms;
            }
            const auto tipo = entre(0, 4);
            item.tipo_pis = tiposPis[tipo];
            item.tipo_cofins = tiposCofins[(tipo + entre(0, 4)) % 5];
            item.pis_cst = entre(0, 1) ? 1 : 70;
            item.cofins_cst = entre(0, 1) ? 1 : 8;
            item.pis_vbc = item.cofins_vbc = item.bc_icms;
            item.pis_ppis = 1.65;
            item.cofins_aliq = 7.6;
            item.pis_qtdvnd = item.cofins_qtdvnd = 2;
            item.pis_aliq_real = item.cofins_aliq_real = 0.1234;
            tabelas.posta(item);
        }
        LinhaNota nota = tabelas.tblNotas.nova();
        nota.nota = n;
        nota.nro_not = std::to_string(n);
        nota.cnpj_emitente = kEmitenteProducao;
        nota.Dat_emi_not = "07/03/2024";
        nota.vlr_tot_pro_not = centavos(produtos);
        nota.vlr_fre_not = centavos(centavosEmDez ? 5 : entre(0, produtos / 10));
        nota.vlr_seg_not = centavos(centavosEmDez ? 5 : entre(0, 3) * entre(0, 999));
        nota.vlr_desc_not = centavos(centavosEmDez ? 5 : entre(0, produtos / 20));
        nota.vlr_out_not = centavos(centavosEmDez ? 5 : entre(0, 3) * entre(0, 99));
        tabelas.posta(nota);
        std::ofstream(pasta / ("nota_" + std::to_string(n) + ".txt"), std::ios::binary) << documento(n);
    }
    const auto resultado = testsupport::runCommand(
        {"/usr/bin/python3",
         (testsupport::sourceDir() / "tests/support/confere_itens_requisicao.py").string(),
         pasta.path().string()});
    EXPECT_EQ(resultado.exitCode, 0) << resultado.out << resultado.err;
    EXPECT_EQ(resultado.err, "200 documentos\n");
}

} // namespace
