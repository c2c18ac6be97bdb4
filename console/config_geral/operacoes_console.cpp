// What the console's operations share: the screen's own panes and default
// prompts, one operation at a time, the standard answer display, field
// lists, the note dialog, the status pop-up, the log pane and the links.
#include "console/config_geral/frm_config_geral40.h"

#include "app/dialogs/dialogos.h"
#include "app/shell_constants.h"
#include "foundation/files/file_utils.h"
#include "nfe/services/dfe_web_service.h"

#include <array>
#include <utility>

namespace {

constexpr std::string_view kTituloNota = "Selecione a NFE";
constexpr std::string_view kExtensaoNota = "*-nfe.XML";
constexpr std::string_view kFiltroNota =
    "Arquivos NFE (*-nfe.XML)|*-nfe.XML|Arquivos XML (*.XML)|*.XML|Todos os Arquivos (*.*)|*.*";

// clang-format off
constexpr std::array<std::string_view, 12> kTextosStatus = {
    "",
    "Verificando Status do servico...",
    "Enviando dados da NFe...",
    "Recebendo dados da NFe...",
    "Consultando NFe...",
    "Enviando cancelamento de NFe...",
    "Enviando pedido de Inutilização...",
    "Consultando Recibo de Lote...",
    "Consultando Cadastro...",
    "Enviando Email...",
    "Enviando Carta de Correção...",
    "Enviando Evento...",
};
// clang-format on

} // namespace

PassoStatus PassoDoStatus(TEtapaNFe etapa)
{
    if (etapa == etOcioso)
        return {AcaoStatus::Esconder, {}};
    if (etapa < kTextosStatus.size())
        return {AcaoStatus::Mostrar, kTextosStatus[etapa]};
    return {AcaoStatus::Manter, {}};
}

// The answer views and the pop-up's state kept in the screen itself.
class TfrmConfigGeral40::PaineisDaTela : public PaineisConsole {
  public:
    explicit PaineisDaTela(TfrmConfigGeral40 &tela) : tela_(tela) {}

    void substitui(int pagina, std::string texto) override
    {
        memo(pagina) = std::move(texto);
        tela_.avisaMudanca();
    }
    void acrescenta(int pagina, std::string linhas) override
    {
        std::string &m = memo(pagina);
        if (!m.empty())
            m += "\r\n";
        m += linhas;
        tela_.avisaMudanca();
    }
    void mostraPagina(int pagina) override
    {
        tela_.pgRespostas = pagina;
        tela_.avisaMudanca();
    }
    void defineArvore(int pagina, std::vector<NoArvore> arvore) override
    {
        (pagina == pgNFe ? tela_.trvwNFe : tela_.TreeViewRetornoConsulta) = std::move(arvore);
        tela_.avisaMudanca();
    }
    void navega(std::string arquivo) override
    {
        tela_.WBResposta.arquivo = std::move(arquivo);
        tela_.avisaMudanca();
    }
    void etapa(TEtapaNFe etapa) override
    {
        const PassoStatus passo = PassoDoStatus(etapa);
        EstadoStatus &status = tela_.frmStatus;
        if (passo.acao == AcaoStatus::Manter || (passo.acao == AcaoStatus::Esconder && !status.criado))
            return;
        status.visivel = passo.acao == AcaoStatus::Mostrar;
        if (status.visivel) {
            status.criado = true;
            status.texto = passo.texto;
        }
        tela_.avisaMudanca();
    }
    void naJanela(const std::function<void()> &funcao) override { funcao(); }

  private:
    std::string &memo(int pagina)
    {
        switch (pagina) {
        case pgResp:
            return tela_.MemoResp;
        case pgLog:
            return tela_.memoLog;
        case pgRetornoWS:
            return tela_.memoRespWS;
        case pgDados:
            return tela_.MemoDados;
        default:
            throw std::out_of_range("answer page " + std::to_string(pagina) + " is not a memo");
        }
    }

    TfrmConfigGeral40 &tela_;
};

// Prompts over the installed dialogs, which have no input box: it answers
// Cancel.
class TfrmConfigGeral40::PerguntasDosDialogos : public PerguntasConsole {
  public:
    std::optional<std::string> InputBox(std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> abrirArquivo(const DialogoArquivo &dialogo) override
    {
        return dialogos().abrirArquivo(dialogo.filtro, dialogo.pastaInicial);
    }
    void mensagem(std::string_view texto) override { dialogos().mensagem(texto, ""); }
    void erro(std::string_view texto) override { dialogos().mensagem(texto, "Erro de sistema"); }
    bool confirmacao(std::string_view texto) override { return dialogos().confirmacao(texto); }
};

void TfrmConfigGeral40::criaJanelaPropria()
{
    paineisProprios_ = std::make_unique<PaineisDaTela>(*this);
    perguntasPadrao_ = std::make_unique<PerguntasDosDialogos>();
    QuibNFe1.OnStatusChange = [this](TQuibDFe &) { QuibNFe1StatusChange(); };
}

PerguntasConsole &TfrmConfigGeral40::perguntas()
{
    return perguntas_ ? *perguntas_ : *perguntasPadrao_;
}

void TfrmConfigGeral40::operacao(const std::function<void()> &corpo)
{
    if (emOperacao_.exchange(true))
        return;
    struct Fim {
        std::atomic<bool> &emOperacao;
        ~Fim() { emOperacao = false; }
    } fim{emOperacao_};
    corpo();
}

void TfrmConfigGeral40::exibicaoPadrao(const TDFeWebService &servico, std::string_view xmlNavegador)
{
    paineis().substitui(pgResp, servico.RespostaXML);
    paineis().substitui(pgRetornoWS, servico.RetornoSoap);
    ExibirXMLNoNavegador(xmlNavegador, WBResposta);
}

void TfrmConfigGeral40::acrescentaCampos(
    std::string_view titulo, std::initializer_list<std::pair<std::string_view, std::string>> campos)
{
    // The empty line in front, then the title and the fields.
    std::string linhas = "\r\n" + std::string(titulo);
    for (const auto &[rotulo, valor] : campos)
        linhas += "\r\n" + std::string(rotulo) + valor;
    paineis().acrescenta(pgDados, std::move(linhas));
}

DialogoArquivo TfrmConfigGeral40::dialogoNota()
{
    return {std::string(kTituloNota), std::string(kExtensaoNota), std::string(kFiltroNota),
            QuibNFe1.Configuracoes().Arquivos().PathSalvar()};
}

void TfrmConfigGeral40::QuibNFe1StatusChange()
{
    paineis().etapa(QuibNFe1.Etapa());
}

void TfrmConfigGeral40::QuibNFe1GerarLog(std::string_view ALogLine, bool &)
{
    paineis().acrescenta(pgLog, std::string(ALogLine));
}

void TfrmConfigGeral40::lblMouseEnter(FonteRotulo &fonte)
{
    fonte = {true, true};
}

void TfrmConfigGeral40::lblMouseLeave(FonteRotulo &fonte)
{
    fonte = {true, false};
}

void TfrmConfigGeral40::lblColaboradorClick()
{
    AbreNoShell(kPaginaColaboradores);
}

void TfrmConfigGeral40::lblPatrocinadorClick()
{
    AbreNoShell(kPaginaPatrocinadores);
}

void TfrmConfigGeral40::lblDoar1Click()
{
    AbreNoShell(kPaginaDoacoes);
}
