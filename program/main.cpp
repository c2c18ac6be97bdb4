// nfe-console: the program. Runs the start-up (first-start databases, splash,
// login, the long-lived windows and data modules), then the main window's
// message loop. The screen factory is filled here: every screen whose layer
// is built gets its real entry, the others keep their stand-ins.

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QScreen>

#include "app/config_geral/frm_config_geral.h"
#include "app/config_nfe/frm_confi_nfe.h"
#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_2.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dados/primeira_partida.h"
#include "app/dados/selecao_empresa.h"
#include "app/dialogs/dialogos.h"
#include "app/firebird/sonda_firebird.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/principal/partida.h"
#include "app/principal/telas_provisorias.h"
#include "app/regional/localiza_ini.h"
#include "app/ui/acesso/acesso_view.h"
#include "app/ui/aplicacao.h"
#include "app/ui/config_geral/frm_config_geral_view.h"
#include "app/ui/config_nfe/frm_confi_nfe_view.h"
#include "app/ui/dados/frm_create_file_view.h"
#include "app/ui/dados/frm_path_ib_view.h"
#include "app/ui/dados/modulo_gerencia.h"
#include "app/ui/dados/selecao_empresa_view.h"
#include "app/ui/dialogs/dialogos_qt.h"
#include "app/ui/funcoes/funcoes_form.h"
#include "app/ui/funcoes/splash_view.h"
#include "app/ui/principal/frm_principal_view.h"
#include "console/ui/config_geral/tela_config_geral40.h"
#include "dfe/backends.h"
#include "foundation/base/quib_exception.h"
#include "printing/device/printer_hook.h"
#include "printing/device/usb_printer_hooks.h"

namespace {

// A Qt dialog as the shell's cores hold a modal screen.
template <class View> class TelaQt : public TelaModal {
  public:
    template <class... Args> explicit TelaQt(Args &&...args) : view_(std::forward<Args>(args)...) {}
    void ShowModal() override { view_.exec(); }

  private:
    View view_;
};

class Programa : public PassosPartida {
  public:
    Programa()
    {
        fabrica = fabricaProvisoria(modulos);
        fabrica.criaCreateFile = [this] {
            return std::make_unique<TelaQt<TfrmCreateFileView>>(*modulos.dtmNFE_grd, principal.get());
        };
        fabrica.criaConfigGeral40 = [this] {
            return std::make_unique<TelaConfigGeral40>(*modulos.dtmNFE_grd, PastaPrograma());
        };
        fabrica.ConfiguracoesDaEmpresa = [this] {
            // One settings-and-console screen for the whole command: made
            // after the emitter and NFS-e/CT-e screens, shown by the emitter
            // screen as often as asked, freed after both.
            std::unique_ptr<TelaModal> frmConfigGeral40;
            ConfiguracoesDaEmpresa(
                *modulos.dtmNFE_grd, *modulos.dtmGerencia, PastaPrograma(),
                [this, &frmConfigGeral40](TfrmConfiNFE &tela) {
                    frmConfigGeral40 = fabrica.criaConfigGeral40();
                    tela.mostraConfigGeral40 = [&frmConfigGeral40] { frmConfigGeral40->ShowModal(); };
                    tela.Criar_Forms = [this] { frmPrintNotasPov->Criar_Forms(); };
                    tela.Ativa_Modelo_Exportacao = [this] { frmPrintNotasPov->Ativa_Modelo_Exportacao(); };
                });
        };
        fabrica.ModuloDeGerencia = [this] {
            if (!frmPathIB)
                throw ProgramError("O editor de localização dos bancos de dados não foi criado.");
            abreModuloGerencia(*modulos.dtmGerencia, *frmPathIB, principal.get());
        };
        // The monitor client's windows keep their stand-ins until their
        // layer is built.
    }

    void criaBancos() override
    {
        const BancosPrimeiraPartida bancos = CriaBancosPrimeiraPartida();
        if (bancos.criados)
            std::fprintf(stderr, "Bancos de dados criados: %s, %s\n", bancos.gerencia.c_str(),
                         bancos.modulo.c_str());
    }
    void mostraSplash(const std::string &programa, const std::string &versao, int maximo) override
    {
        splash = std::make_unique<TfrmSplash>();
        splash->core().ConfigSplash(programa, versao, maximo);
        splash->show();
        QApplication::processEvents();
    }
    std::optional<int> login() override
    {
        TfrmAcesso::Ambiente ambiente;
        ambiente.sonda = &sondaDoSistema();
        ambiente.splash = &splash->core();
        TfrmAcessoView acesso(std::move(ambiente));
        acesso.core().CodigoSistema = TfrmPrincipal::kCodigoSistema;
        const int resultado = acesso.exec();
        if (resultado != QDialog::Accepted || acesso.core().encerraPrograma() ||
            !acesso.core().AcessoLiberado)
            return std::nullopt;
        return acesso.core().NivelUsuario;
    }
    void repintaSplash() override { splash->repaint(); }
    void inicializa() override {}
    std::vector<Criacao> criacoes() override
    {
        return {
            {"TfrmPrincipal", [this] { principal = std::make_unique<TfrmPrincipalView>(modulos, fabrica); }},
            {"TdtmGerencia",
             [this] {
                 gerencia = std::make_unique<TdtmGerencia>(LocalizaIni());
                 modulos.dtmGerencia = gerencia.get();
             }},
            {"TfrmPathIB",
             [this] {
                 if (!gerencia)
                     throw ProgramError(
                         "O editor de localização dos bancos de dados precisa do banco de gerência.");
                 frmPathIB = std::make_unique<FrmPathIbView>(*gerencia);
             }},
            {"TdtmNFE_grd",
             [this] {
                 if (!gerencia)
                     throw ProgramError(
                         "O banco de dados da NF-e não pode ser localizado sem o de gerência.");
                 moduloNFE = std::make_unique<TdtmNFE_grd>(*gerencia);
                 modulos.dtmNFE_grd = moduloNFE.get();
             }},
            {"TdtmNFE_2",
             [this] {
                 if (!moduloNFE)
                     throw ProgramError("O módulo das notas precisa do banco de dados da NF-e.");
                 notas = std::make_unique<TdtmNFE_2>(*moduloNFE);
                 modulos.dtmNFE_2 = notas.get();
             }},
            {"TFuncoes", [this] { funcoes = std::make_unique<TFuncoes>(); }},
            {"TfrmPrint", [this] { janelas.push_back(fabrica.criaPrint()); }},
            {"TfrmFuncoesAplicativo", [this] { janelas.push_back(fabrica.criaFuncoesAplicativo()); }},
            {"TfrmPrintNotasPov", [this] { frmPrintNotasPov = fabrica.criaPrintNotasPov(); }},
            {"TfrmAvisoAbertura", [this] { janelas.push_back(fabrica.criaAvisoAbertura()); }},
            {"TfrSelecionarCertificado", [this] { janelas.push_back(fabrica.criaSelecionarCertificado()); }},
        };
    }
    void entregaNivel(int nivel) override
    {
        if (gerencia)
            gerencia->NivelUsuario = nivel;
    }
    void fechaSplash() override { splash.reset(); }
    int executaLaco() override
    {
        if (!principal)
            return 1;
        // Maximised by the window manager; the screen's size where there is none.
        if (const QScreen *tela = principal->screen())
            principal->setGeometry(tela->availableGeometry());
        principal->showMaximized();
        return QApplication::exec();
    }
    void mostraErro(const std::exception &erro) override { reportaErroNaoTratado(erro); }

    ~Programa() override
    {
        // Windows before the modules they use; the modules in reverse order.
        principal.reset();
        frmPathIB.reset();
        janelas.clear();
        frmPrintNotasPov.reset();
        funcoes.reset();
        notas.reset();
        moduloNFE.reset();
        gerencia.reset();
    }

    ModulosDados modulos;
    FabricaTelas fabrica;
    std::unique_ptr<TfrmSplash> splash;
    std::unique_ptr<TfrmPrincipalView> principal;
    std::unique_ptr<FrmPathIbView> frmPathIB;
    std::unique_ptr<TdtmGerencia> gerencia;
    std::unique_ptr<TdtmNFE_grd> moduloNFE;
    std::unique_ptr<TdtmNFE_2> notas;
    std::unique_ptr<TFuncoes> funcoes;
    std::shared_ptr<TelaReimpressao> frmPrintNotasPov;
    std::vector<FabricaTelas::Janela> janelas;
};

} // namespace

int main(int argc, char **argv)
{
    // Registrations made once at start-up, before any document is read.
    RegistraBackendsDFe();
    RegistrarHooksUSB();
    AplicacaoKvl aplicacao(argc, argv);
    instalaDialogos(std::make_unique<DialogosQt>());
    instalaSelecaoEmpresaQt();
    instalaConfigGeralQt();
    instalaConfiNFEQt();
    int resultado = 1;
    {
        Programa programa;
        resultado = ExecutaPartida(programa);
    }
    instalaConfiNFE(nullptr);
    instalaConfigGeral(nullptr);
    instalaSelecaoEmpresa(nullptr);
    instalaDialogos(nullptr);
    LimparHooksRegistrados();
    return resultado;
}
