// Activation, the three polling ticks, the closing tick, the bounded blocking
// polls and the message panel of the note screen. A tick lists each answer
// folder once; while a tick or an operation runs, another tick returns at once
// (a box opened by one must not let the next pile up behind it).

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/db_error.h"
#include "app/funcoes/adc_funcoes.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/dates/date_time.h"
#include "monitor_client/detail/digitos.h"

#include <charconv>

namespace {

// What a tick needs of a loaded note; taken before the tick works, since the
// steps it calls may add notes.
struct NotaSeguida {
    int numero = 0;
    int serie = 0;
    std::string cnpjEmitente, emailNfe, emailNfe2, emailTransp;
};

std::vector<NotaSeguida> notasSeguidas(const TabelasNotas &tabelas)
{
    std::vector<NotaSeguida> notas;
    for (const LinhaNota &linha : tabelas.tblNotas.linhas())
        notas.push_back({monitor_detail::inteiroDosDigitos(linha.nro_not), linha.nro_serie_not,
                         linha.cnpj_emitente, linha.email_NFE, linha.email_nfe_2, linha.email_tra});
    return notas;
}

// Lists the answer folders afresh for one tick.
class ListagemDoTick {
  public:
    ListagemDoTick(bool &ativo, std::map<std::string, std::map<std::string, std::string>> &listagens)
        : ativo_(ativo), listagens_(listagens)
    {
        listagens_.clear();
        ativo_ = true;
    }
    ~ListagemDoTick()
    {
        ativo_ = false;
        listagens_.clear();
    }

  private:
    bool &ativo_;
    std::map<std::string, std::map<std::string, std::string>> &listagens_;
};

} // namespace

void TfrmNFE_2G::FormActivate()
{
    DataEnvio = FormataDataHora("MM/DD/AAAA", nowLocal());
    TimerEnvio = std::to_string(SegundosDoDia());
    PainelErroVisivel = PainelErroInteiro = false;
    TimerNotaAtivo = TimerDanfeAtivo = TimerEmailAtivo = TimerFechaAtivo = false;
    ConcluidoVisivel = false;
    VerificarPenduradas = false;
    ModalResult = 0;
    {
        Ocupado operacao(*this);
        if (NotaEletronica)
            NotaEletronica();
    }
    AbreGrades();
    if (ModoExportacao) {
        TimerFechaIntervalo = 1500;
        TimerFechaAtivo = true;
    } else {
        TimerNotaAtivo = TimerDanfeAtivo = TimerEmailAtivo = true;
    }
}

void TfrmNFE_2G::AbreGrades()
{
    abreGrade(qryEnviadas);
    abreGrade(qryDanfe);
    abreGrade(qryImpresso_Email);
}

void TfrmNFE_2G::FormClose()
{
    qryEnviadas.fecha();
    qryDanfe.fecha();
    qryImpresso_Email.fecha();
    TimerNotaAtivo = TimerDanfeAtivo = TimerEmailAtivo = false;
    modulo_.dtmConectBanco(false);
}

void TfrmNFE_2G::TimerNotaTimer()
{
    Ocupado tick(*this);
    if (!tick.livre() || qryEnviadas.vazia())
        return;
    ListagemDoTick listagem(listandoNoTick_, listagens_);
    bool confirmada = false;
    for (const NotaSeguida &nota : notasSeguidas(tabelas_)) {
        AjustaCnpj_do_Emitente(nota.cnpjEmitente);
        if (ColetaRetorno("Nota", nota.emailNfe, nota.emailTransp, nota.numero, nota.serie) == 2)
            confirmada = true;
    }
    if (!confirmada)
        return;
    abreGrade(qryEnviadas);
    abreGrade(qryDanfe);
    if (PedePrintDanfe && PedePrintDanfe()) {
        abreGrade(qryDanfe);
        abreGrade(qryImpresso_Email);
    }
}

void TfrmNFE_2G::TimerDanfeTimer()
{
    Ocupado tick(*this);
    if (!tick.livre() || qryDanfe.vazia())
        return;
    ListagemDoTick listagem(listandoNoTick_, listagens_);
    bool lida = false;
    const std::vector<NotaSeguida> notas = notasSeguidas(tabelas_);
    const NotaSeguida *recusada = nullptr;
    for (const NotaSeguida &nota : notas) {
        AjustaCnpj_do_Emitente(nota.cnpjEmitente);
        const int r = ColetaRetorno("Danfe", "", "", nota.numero, nota.serie);
        if (r == 0)
            continue;
        lida = true;
        try {
            gravaImpressaoRespondida(nota.numero, nota.serie, r == 2);
            if (!commit())
                continue; // rolled back: the answer stays for the next tick
        } catch (const db::DatabaseError &e) {
            modulo().dtmNFERollback();
            registra("Resposta " + ArquivoMonitor + " não gravada (" + e.what() +
                     "): fica para a próxima leitura");
            continue;
        }
        ConsomeRetorno();
        if (r == 1) {
            recusada = &nota;
            continue;
        }
        const auto chave = chaveEmEstado(nota.numero, nota.serie, 4);
        if (chave && PedeEmail)
            PedeEmail(*chave, nota.emailNfe, nota.emailNfe2, nota.emailTransp);
    }
    if (!lida)
        return;
    abreGrade(qryDanfe);
    abreGrade(qryImpresso_Email);
    if (recusada)
        mostraPainelRecusa(qryDanfe, recusada->numero, recusada->serie);
}

void TfrmNFE_2G::TimerEmailTimer()
{
    Ocupado tick(*this);
    if (!tick.livre())
        return;
    if (!qryImpresso_Email.vazia()) {
        ListagemDoTick listagem(listandoNoTick_, listagens_);
        bool enviado = false;
        for (const NotaSeguida &nota : notasSeguidas(tabelas_)) {
            AjustaCnpj_do_Emitente(nota.cnpjEmitente);
            const int r = ColetaRetorno("Email", "", "", nota.numero, nota.serie);
            if (r == 0)
                continue;
            try {
                gravaEmailRespondido(nota.numero, nota.serie);
                if (!commit())
                    continue;
            } catch (const db::DatabaseError &e) {
                modulo().dtmNFERollback();
                registra("Resposta " + ArquivoMonitor + " não gravada (" + e.what() +
                         "): fica para a próxima leitura");
                continue;
            }
            ConsomeRetorno();
            enviado = enviado || r == 2;
        }
        if (enviado)
            abreGrade(qryImpresso_Email);
    }
    const bool nadaAguarda = qryDanfe.vazia() && qryEnviadas.vazia();
    if (PainelErroVisivel || (EnvioIncompleto && nadaAguarda)) {
        // A run that handed over less than it was given never reads as a
        // success: the operator reads why and closes the window.
        ConcluidoVisivel = true;
        lblConcluido = "Nota fiscal eletrônica não enviada";
    } else if (nadaAguarda) {
        ConcluidoVisivel = true;
        lblConcluido = "Nota fiscal eletrônica enviada com sucesso";
        TimerEmailAtivo = true;
        TimerFechaIntervalo = 4000;
        TimerFechaAtivo = true;
    }
}

void TfrmNFE_2G::TimerFechaTimer()
{
    TimerFechaIntervalo = 4000;
    if (PainelErroVisivel)
        return;
    TimerFechaAtivo = false;
    ModalResult = 1;
}

int TfrmNFE_2G::AguardaRetorno(std::string_view tipo, std::string_view emailEnvio,
                               std::string_view emailTransp, int numero, int serie, int tentativas,
                               int intervaloMs)
{
    Ocupado operacao(*this);
    for (int i = 0; i < tentativas; ++i) {
        const int r = ColetaRetorno(tipo, emailEnvio, emailTransp, numero, serie);
        if (r != 0)
            return r;
        Aguarda(intervaloMs);
    }
    return 0;
}

// ---- Message panel ----

void TfrmNFE_2G::preenchePainel(const GradeDanfe &grade)
{
    const LinhaDanfe *linha = grade.linhaAtual();
    if (!linha) {
        memoerro.clear();
        return;
    }
    if (grade.grupo == GradeDanfe::Enviadas) {
        memoerro = "Mensagem de Envio:\r\n" + linha->mensagem2 + "\r\n\r\nMensagem de Danfe:\r\n" +
                   linha->mensagem3 + "\r\n\r\nMensagem de Email:\r\n" + linha->mensagem4;
        return;
    }
    memoerro = "Mensagem de envio:\r\n" + linha->mensagem2 + "\r\n\r\nMensagem de danfe:\r\n" +
               linha->mensagem3 + "\r\n\r\nMensagem de email:\r\n" +
               (grade.grupo == GradeDanfe::ImpressoEmail ? linha->emailEnvio + "\r\n" : std::string{}) +
               linha->mensagem4;
}

namespace {

void alterna(bool &visivel, bool &inteiro)
{
    visivel = !visivel;
    inteiro = false;
}

} // namespace

void TfrmNFE_2G::gridEnviadasDblClick()
{
    alterna(PainelErroVisivel, PainelErroInteiro);
    if (PainelErroVisivel)
        preenchePainel(qryEnviadas);
}

void TfrmNFE_2G::gridDanfeDblClick()
{
    alterna(PainelErroVisivel, PainelErroInteiro);
    if (PainelErroVisivel)
        preenchePainel(qryDanfe);
}

void TfrmNFE_2G::gridImpressaDblClick()
{
    alterna(PainelErroVisivel, PainelErroInteiro);
    if (PainelErroVisivel)
        preenchePainel(qryImpresso_Email);
}

void TfrmNFE_2G::Panel2Click()
{
    PainelErroVisivel = PainelErroInteiro = false;
}

void TfrmNFE_2G::mostraPainelRecusa(GradeDanfe &grade, int numero, int serie)
{
    // A refusal opens the panel on the refused note; a second refusal never
    // closes it again.
    for (std::size_t i = 0; i < grade.linhas.size(); ++i)
        if (grade.linhas[i].nroNota == numero && grade.linhas[i].serie == SerieDaLinha(serie))
            grade.atual = i;
    PainelErroVisivel = true;
    PainelErroInteiro = false;
    preenchePainel(grade);
}
