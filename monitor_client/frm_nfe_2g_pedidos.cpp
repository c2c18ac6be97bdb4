// The short requests of the note screen: DANFE and correction-letter prints,
// the e-mail of a note, the XML export, and the opening of a PDF the monitor
// reports. A note changes state only once its request is in the monitor's
// hands; a request that could not be handed over is warned about, naming
// the file and the reason.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/db_error.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/adc_funcoes.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/funcoes/ufuncoes.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"
#include "monitor_client/detail/digitos.h"
#include "monitor_client/nomes_monitor.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;
using monitor_detail::inteiroDosDigitos;

namespace {

// The emitter's CNPJ inside an access key.
std::string cnpjDaChave(const std::string &chave)
{
    return chave.size() > 6 ? chave.substr(6, 14) : std::string{};
}

} // namespace

std::pair<int, int> TfrmNFE_2G::notaSelecionada() const
{
    return {inteiroDosDigitos(modulo_.qrySelect2.campo("SERIE_NOTA").asString()),
            modulo_.qrySelect2.campo("NRO_NOTA").asInteger()};
}

std::vector<std::string> TfrmNFE_2G::linhasImpressoras(bool perguntaCopias)
{
    std::vector<std::string> linhas;
    const auto impressora = [&](const std::string &nome) { linhas.push_back(Sp(0, "Impressora") + nome); };
    const int modo = inteiroDosDigitos(emitente("NRO_COPIAS1"));
    if (modo == 100) {
        if (perguntaCopias) {
            const auto resposta = dialogos().entrada(
                "Cópias de Carta de correção", "Número de copias para CCE", std::to_string(NumeroCopias));
            if (resposta)
                NumeroCopias = inteiroDosDigitos("0" + *resposta);
        }
        for (int i = 0; i < NumeroCopias; ++i)
            impressora(emitente("PATH_PRINT_1"));
        return linhas;
    }
    if (modo == 101) {
        if (perguntaCopias) {
            NumeroCopias = 0;
            ListaImpressorasCriada = true;
            if (MostraListaImpressoras)
                MostraListaImpressoras();
        }
        db::MemoryTable &lista = modulo().tblListPrint;
        for (lista.first(); !lista.eof(); lista.next())
            for (int i = 0; i < lista.field("nCopia").asInteger(); ++i)
                impressora(lista.field("printSetup").asString());
        return linhas;
    }
    if (!emitente("PATH_PRINT_1").empty()) {
        impressora(emitente("PATH_PRINT_1"));
        impressora(emitente("PATH_PRINT_1"));
    }
    for (const char *coluna : {"PATH_PRINT_2", "PATH_PRINT_3"})
        if (!emitente(coluna).empty())
            impressora(emitente(coluna));
    return linhas;
}

std::optional<std::string> TfrmNFE_2G::entregaPedido(std::string_view tipo, int serie, int numero,
                                                     const std::vector<std::string> &linhas)
{
    try {
        Nome_dos_arquivos(tipo, "-fil", serie, numero);
        EntregaRequisicao(linhas);
    } catch (const std::exception &e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

bool TfrmNFE_2G::pedeImpressao(const std::string &chave, int numero, int serie)
{
    if (chave.empty()) {
        // Every row without a key would be taken for this one.
        MsgAtencao("Nota " + std::to_string(numero) + " sem chave de acesso: impressão não pedida");
        return false;
    }
    std::vector<std::string> linhas = {Sp(0, "ChaveNFE") + chave};
    for (std::string &linha : linhasImpressoras(false))
        linhas.push_back(std::move(linha));
    if (const auto falha = entregaPedido("danfe", serie, numero, linhas)) {
        MsgAtencao(*falha);
        return false;
    }
    try {
        marcaEstadoDaChave(chave, 3, "ENVIADA P/ IMPRESSAO");
        commit();
    } catch (const db::DatabaseError &e) {
        modulo().dtmNFERollback();
        registra("Impressão da nota " + std::to_string(numero) + " pedida, estado não gravado: " + e.what());
    }
    return true;
}

bool TfrmNFE_2G::EnviarPrintDanfe(const std::string &chave)
{
    if (!chave.empty()) {
        const auto [serie, numero] = notaSelecionada();
        return pedeImpressao(chave, numero, serie);
    }
    struct Nota {
        std::string cnpj;
        int numero, serie;
    };
    std::vector<Nota> notas;
    for (const LinhaNota &linha : tabelas_.tblNotas.linhas())
        notas.push_back({linha.cnpj_emitente, inteiroDosDigitos(linha.nro_not), linha.nro_serie_not});
    bool pedida = false;
    for (const Nota &nota : notas) {
        AjustaCnpj_do_Emitente(nota.cnpj);
        if (const auto chaveDaNota = chaveEmEstado(nota.numero, nota.serie, 2))
            pedida = pedeImpressao(*chaveDaNota, nota.numero, nota.serie) || pedida;
    }
    if (pedida) {
        abreGrade(qryDanfe);
        abreGrade(qryImpresso_Email);
    }
    return pedida;
}

bool TfrmNFE_2G::EnviarPrintCCe(const std::string &chave, int numero, int serie)
{
    AjustaCnpj_do_Emitente(cnpjDaChave(chave));
    std::vector<std::string> linhas = {Sp(0, "ChaveNFE") + chave};
    for (std::string &linha : linhasImpressoras(true))
        linhas.push_back(std::move(linha));
    if (const auto falha = entregaPedido("ImpCarta", serie, numero, linhas)) {
        MsgAtencao(*falha);
        return true;
    }
    if (AguardaRetorno("impcarta", "", "", numero, serie) != 0)
        MsgAtencao("Resultado = " + std::to_string(RetResultado) + "\r\nMensagem = " + RetMensagem2);
    else
        MsgAtencao("Arquivo de retorno não localizado");
    return true;
}

bool TfrmNFE_2G::EnviarPrintDanfeCancelada(const std::string &chave, const std::string &numero,
                                           const std::string &serie)
{
    if (chave.empty())
        return false;
    AjustaCnpj_do_Emitente(cnpjDaChave(chave));
    std::string impressora = emitente("PATH_PRINT_1");
    if (impressora.empty())
        impressora = emitente("PATH_PRINT_2");
    if (impressora.empty())
        impressora = emitente("PATH_PRINT_3");
    if (const auto falha =
            entregaPedido("danfe", inteiroDosDigitos("0" + serie), inteiroDosDigitos("0" + numero),
                          {Sp(0, "ChaveNFE") + chave, Sp(0, "Impressora") + impressora})) {
        MsgAtencao(*falha);
        return false;
    }
    dialogos().mensagem("Envio concluido com sucesso", kTitulo);
    return true;
}

bool TfrmNFE_2G::EnviarEmail(const std::string &chave, const std::string &emailEnvio,
                             const std::string &emailEnvio2, const std::string &emailTransp, bool enviar)
{
    if (!enviar)
        return false;
    const ConsultaSelecao &linha = modulo().qrySelect2;
    const std::string transpDaLinha = linha.campo("EMAIL_TRANSP").asString();
    const std::string envioDaLinha = linha.campo("EMAIL_ENVIO").asString();
    if (emailEnvio.empty() && emailEnvio2.empty() && emailTransp.empty() && transpDaLinha.empty() &&
        envioDaLinha.empty())
        return false;
    if (chave.empty()) {
        MsgAtencao("Nota " + linha.campo("NRO_NOTA").asString() + " sem chave de acesso: e-mail não pedido");
        return false;
    }
    const auto [serie, numero] = notaSelecionada();
    const auto destinatario = [](const std::string &endereco) { return Sp(0, "destinatario") + endereco; };
    std::vector<std::string> linhas = {Sp(0, "ChaveNFE") + chave};
    if (!emailTransp.empty() || !transpDaLinha.empty())
        linhas.push_back(destinatario(!emailTransp.empty() ? emailTransp : transpDaLinha));
    if (!emailEnvio.empty() || !envioDaLinha.empty())
        linhas.push_back(destinatario(!emailEnvio.empty() ? emailEnvio : envioDaLinha));
    if (!emailEnvio2.empty())
        linhas.push_back(destinatario(emailEnvio2));
    // Folders the monitor keeps copies in, named as the suite names them: the
    // DANFE folder relative to the monitor's own, and the exchange folder's.
    linhas.push_back(destinatario("-Danfes\\"));
    const std::string pastaXml = JuntaCaminho(PastaComunicacao, "XmlTmp", "");
    linhas.push_back(destinatario(pastaXml));
    linhas.push_back(Sp(0, "assunto") + "N.F.E. " + linha.campo("NRO_NOTA").asString() + " emitida por " +
                     emitente("NOM_EMI"));
    linhas.push_back(Sp(0, "anexoPdf") + "sim");
    linhas.push_back(Sp(0, "anexoProtocolo") + "sim");
    std::error_code erro; // a folder that cannot be made is the monitor's to report
    fs::create_directories(localPath(pastaXml), erro);

    if (const auto falha = entregaPedido("email", serie, numero, linhas)) {
        MsgAtencao(*falha);
        return false;
    }
    try {
        marcaEstadoDaChave(chave, 5, "DANFE IMPRESSO / XML / EMAIL",
                           !emailEnvio.empty() ? emailEnvio : emailEnvio2, emailTransp);
        commit();
    } catch (const db::DatabaseError &e) {
        modulo().dtmNFERollback();
        registra("E-mail da nota " + std::to_string(numero) + " pedido, estado não gravado: " + e.what());
    }
    return true;
}

bool TfrmNFE_2G::ExportXML(const std::string &chave, const std::string &destinatario, int numero, int serie)
{
    AjustaCnpj_do_Emitente(cnpjDaChave(chave));
    if (const auto falha = entregaPedido("email", serie, numero,
                                         {Sp(0, "ChaveNFE") + chave, Sp(0, "destinatario") + destinatario,
                                          Sp(0, "assunto") + "Exportacao XML Nota " + std::to_string(numero),
                                          Sp(0, "anexoProtocolo") + "sim"})) {
        MsgAtencao(*falha);
        return false;
    }
    Ocupado operacao(*this);
    for (int i = 0; i < 60; ++i) {
        Aguarda(1000);
        if (ColetaRetorno("Email", "", "", numero, serie) > 0) {
            ConsomeRetorno();
            break;
        }
    }
    return false;
}

void TfrmNFE_2G::AbrePdf(const std::string &caminho)
{
    const auto barra = caminho.find_last_of("\\/");
    const std::string nome = barra == std::string::npos ? caminho : caminho.substr(barra + 1);
    const auto naoAberto = [&](const std::string &motivo) {
        MsgAtencao("PDF \"" + caminho + "\" não aberto: " + motivo);
    };
    if (nome.size() <= 4 || upperAscii(nome.substr(nome.size() - 4)) != ".PDF") {
        naoAberto("não é um arquivo PDF");
        return;
    }
    const std::string pasta = localPath(kPastaTemporaria);
    std::error_code erro;
    fs::create_directories(pasta, erro);
    if (!fs::is_directory(pasta, erro)) {
        naoAberto("a pasta " + pasta + " não pôde ser criada");
        return;
    }
    const std::string copia = (fs::path(pasta) / nome).string();
    if (!CopiaArquivo(localPath(caminho), copia)) {
        naoAberto("a cópia para " + copia + " falhou");
        return;
    }
    if (AbreArquivoNoShell)
        AbreArquivoNoShell(copia);
}
