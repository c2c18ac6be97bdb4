#include "app/principal/frm_principal.h"

#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_2.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/ufuncoes.h"
#include "app/nivel_menu/frm_nivel_menu.h"
#include "app/regional/formatos_processo.h"
#include "foundation/base/quib_exception.h"

namespace {

ItemMenu *procura(ItemMenu &raiz, std::string_view nome)
{
    if (raiz.Name == nome)
        return &raiz;
    for (ItemMenu &filho : raiz.Items)
        if (ItemMenu *achado = procura(filho, nome))
            return achado;
    return nullptr;
}

// Runs `acao` between `abre` and `fecha`; the tables are closed also when
// the action fails (a close that fails then gives way to the first error).
template <class Abre, class Acao, class Fecha> void entreAberturas(Abre abre, Acao acao, Fecha fecha)
{
    try {
        abre();
        acao();
    } catch (...) {
        try {
            fecha();
        } catch (...) {
        }
        throw;
    }
    fecha();
}

} // namespace

TfrmPrincipal::TfrmPrincipal(ModulosDados &modulos, FabricaTelas &fabrica)
    : MainMenu1(menuPrincipal()), modulos_(modulos), fabrica_(fabrica)
{
    FormCreate();
}

ItemMenu TfrmPrincipal::menuPrincipal()
{
    ItemMenu raiz;
    raiz.Items = {
        {"Arquivos1",
         "Arquivos",
         true,
         {{"Configuraesdaempresa1", "Configurações da empresa", true, {}},
          {"N1", "-", true, {}},
          {"Sair1", "Sair", true, {}}}},
        {"Gerencia1",
         "Gerencia",
         true,
         {{"ModulodeGerencia1", "Modulo de Gerencia", true, {}},
          {"VerificaAberturadeArquivos1", "Verifica Abertura de Arquivos", true, {}},
          {"CreateArquivos1", "Alteração de Arquivos", true, {}}}},
    };
    return raiz;
}

ItemMenu *TfrmPrincipal::item(std::string_view nome)
{
    return nome.empty() ? nullptr : procura(MainMenu1, nome);
}

TdtmGerencia &TfrmPrincipal::gerencia() const
{
    if (modulos_.dtmGerencia == nullptr)
        throw ProgramError(
            "O módulo de dados de gerência não foi criado: o banco de dados de gerência não abriu.");
    return *modulos_.dtmGerencia;
}

TdtmNFE_grd &TfrmPrincipal::moduloNFE() const
{
    if (modulos_.dtmNFE_grd == nullptr)
        throw ProgramError("O módulo de dados da NF-e não foi criado: o banco de dados da NF-e não abriu.");
    return *modulos_.dtmNFE_grd;
}

TdtmNFE_2 &TfrmPrincipal::moduloNotas() const
{
    if (modulos_.dtmNFE_2 == nullptr)
        throw ProgramError("O módulo de dados das notas não foi criado.");
    return *modulos_.dtmNFE_2;
}

void TfrmPrincipal::FormCreate()
{
    FormatosDoProcesso &formatos = formatosDoProcesso();
    formatos.separadorDecimal = '.';
    formatos.separadorMilhar = ',';
    formatos.formatoDataCurta = "dd/mm/yyyy";
    PrimeiraAtivacao = true;
}

void TfrmPrincipal::FormActivate()
{
    if (!PrimeiraAtivacao)
        return;
    TdtmGerencia &modulo = gerencia();
    if (modulo.NivelUsuario > 0) {
        // Trimmed on a copy: a failing lookup leaves the menu as it was.
        ItemMenu menu = MainMenu1;
        TfrmNivelMenu nivelMenu(modulo);
        nivelMenu.CodigoSistema = kCodigoSistema;
        nivelMenu.Menu = &menu;
        nivelMenu.AjustaNivelUsuario();
        MainMenu1 = std::move(menu);
    }
    PrimeiraAtivacao = false;
}

void TfrmPrincipal::Configuraesdaempresa1Click()
{
    moduloNFE();
    fabrica_.ConfiguracoesDaEmpresa();
}

void TfrmPrincipal::ModulodeGerencia1Click()
{
    gerencia();
    fabrica_.ModuloDeGerencia();
}

void TfrmPrincipal::VerificaAberturadeArquivos1Click()
{
    TdtmNFE_grd &modulo = moduloNFE();
    TdtmNFE_2 &notas = moduloNotas();
    entreAberturas(
        [&] {
            modulo.dtmNFEOpen({"All"});
            notas.dtmNFEOpen({"All"});
        },
        [] { MsgAtencao("Abertura de Arquivos Concluida..."); },
        [&] {
            modulo.dtmNFEClose({"All"});
            notas.dtmNFEClose({"All"});
        });
}

void TfrmPrincipal::CreateArquivos1Click()
{
    TdtmNFE_grd &modulo = moduloNFE();
    entreAberturas([&] { modulo.dtmNFEOpen({"CONFIGNFE"}); }, [&] { fabrica_.criaCreateFile()->ShowModal(); },
                   [&] { modulo.dtmNFEClose({"CONFIGNFE"}); });
}

void TfrmPrincipal::Sair1Click()
{
    if (dialogos().atencao(kPerguntaSair) && encerraPrograma)
        encerraPrograma();
}

bool TfrmPrincipal::clicaItem(std::string_view nome)
{
    // clang-format off
    static const std::pair<std::string_view, void (TfrmPrincipal::*)()> kAcoes[] = {
        {"Configuraesdaempresa1",       &TfrmPrincipal::Configuraesdaempresa1Click},
        {"Sair1",                       &TfrmPrincipal::Sair1Click},
        {"ModulodeGerencia1",           &TfrmPrincipal::ModulodeGerencia1Click},
        {"VerificaAberturadeArquivos1", &TfrmPrincipal::VerificaAberturadeArquivos1Click},
        {"CreateArquivos1",             &TfrmPrincipal::CreateArquivos1Click},
    };
    // clang-format on
    for (const auto &[item, acao] : kAcoes)
        if (item == nome) {
            (this->*acao)();
            return true;
        }
    return false;
}
