#include "app/ui/dados/modulo_gerencia.h"

#include "app/dados/dados_antigos_paradox.h"
#include "app/dados/dtm_gerencia.h"
#include "app/relatorios/frm_rdp.h"
#include "app/ui/aplicacao.h"
#include "app/ui/dados/frm_gerencia_view.h"
#include "app/ui/dados/frm_path_ib_view.h"
#include "app/ui/regional/path_reg_gerencia_view.h"
#include "app/ui/relatorios/visualizacao_relatorio_view.h"

#include <memory>

void abreModuloGerencia(TdtmGerencia &gerencia, FrmPathIbView &pathIb, QWidget *parent)
{
    bool aberto = false;
    executaProtegido([&] {
        gerencia.dtmGerenciaOpen();
        aberto = true;
    });
    if (aberto) {
        TfrmGerencia::Ambiente ambiente;
        ambiente.pathIb = &pathIb.core();
        ambiente.configGerencia = [parent] {
            TfrmPathRegGerencia dialogo(parent);
            dialogo.exec();
        };
        instalaVisualizacaoRelatorio(frmRdp());
        ambiente.rdp = &frmRdp();
        ambiente.dadosAntigos = leitorDadosAntigosDoUsuario();
        std::unique_ptr<FrmGerenciaView> tela;
        executaProtegido([&] { tela = std::make_unique<FrmGerenciaView>(gerencia, ambiente, parent); });
        if (tela) {
            tela->core().CodigoSistema = 100;
            tela->exec();
        }
    }
    executaProtegido([&] { gerencia.dtmGerenciaClose(); });
}
