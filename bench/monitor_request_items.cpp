// Writing the note request document of a 990-item note against a 99-item
// note, both with the same mix of items (a tenth of them with an NCM of the
// NcmImposto table). The goal: the larger note takes at most 12 times the
// smaller, i.e. the counter "por item" stays nearly flat.

#include "app/dados/esquema_base.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "modulo_avulso.h"
#include "monitor_client/frm_nfe_2g.h"
#include "monitor_client/tabelas_notas.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct Banco {
    testsupport::TempDir dir;
    std::string arquivo = (dir / "modulo.kvl").string();
    std::unique_ptr<ModuloAvulso> modulo;

    Banco()
    {
        testsupport::useTestFirebird();
        {
            db::Database banco = db::Database::create(arquivo);
            db::Transaction t(banco);
            criaEsquema(t, esquemaBaseModulo());
            // The column a later schema step adds, which the data module opens.
            db::executeSql(t, "ALTER TABLE CONFIGNFE ADD CNPJ_ATIVO VARCHAR(1)");
            t.commitRetaining();
            db::executeSql(t,
                           "INSERT INTO CONFIGNFE (NOM_EMI, CNPJ_EMI, COD_UF_EMI, COD_MUN_EMI, UF_EMI, "
                           "TIPO_EMI, COD_REG_TRIB, NRO_COPIAS2) VALUES ('EMITENTE', '11222333000181', 35, "
                           "3550308, 'SP', 'J', 3, 0)");
            db::executeSql(t,
                           "INSERT INTO NCMIMPOSTO (NRO_NCM, ALIQ_NAC, ALIQ_IMP) VALUES (22030000, 10, 15)");
            t.commit();
        }
        modulo = std::make_unique<ModuloAvulso>(arquivo);
        modulo->modulo().dtmNFEOpen({"ConfigNFE"});
    }
};

Banco &banco()
{
    static Banco instancia;
    return instancia;
}

void montaNota(TabelasNotas &tabelas, int itens)
{
    tabelas.OpenFile();
    LinhaNota nota = tabelas.tblNotas.nova();
    nota.nota = 1;
    nota.nro_not = "1";
    nota.Dat_emi_not = "07/03/2024";
    nota.vlr_tot_pro_not = std::to_string(itens * 10) + ".00";
    nota.vlr_fre_not = "12.34";
    nota.vlr_desc_not = "5.67";
    tabelas.posta(nota);
    for (int k = 1; k <= itens; ++k) {
        LinhaItem item = tabelas.tblItens.nova();
        item.nota = 1;
        item.nro_item = k;
        item.cod_pro = "P" + std::to_string(k);
        item.nom_pro = "Produto de teste " + std::to_string(k);
        item.un_pro = "UN";
        item.qtd_pro = "3";
        item.vlr_uni_pro = "3.33";
        item.sub_tot_pro = "10.00";
        item.st_pro = k % 3 ? "000" : "060";
        item.icm_pro = "18";
        item.bc_icms = 10;
        item.bc_icms_s = 12;
        item.cod_ncm = k % 10 ? "" : "22030000";
        item.tipo_pis = "PISALIQ";
        item.tipo_cofins = "COFINSALIQ";
        item.pis_vbc = item.cofins_vbc = 10;
        item.pis_ppis = 1.65;
        item.cofins_aliq = 7.6;
        item.ipi_vlr = k % 2 ? 1 : 0;
        tabelas.posta(item);
    }
}

void BM_DocumentoDaNota(benchmark::State &state)
{
    const int itens = static_cast<int>(state.range(0));
    TabelasNotas tabelas;
    montaNota(tabelas, itens);
    TfrmNFE_2G tela(banco().modulo->modulo(), tabelas,
                    std::string(NFE_SOURCE_DIR) + "/tests/data/monitor_client/");
    tela.selecionaNota(0);
    for (auto _ : state) {
        tela.CodigoNumerico = 0;
        benchmark::DoNotOptimize(tela.MontaDocumentoNota());
    }
    state.counters["por item"] =
        benchmark::Counter(static_cast<double>(itens),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DocumentoDaNota)->Arg(99)->Arg(990)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
