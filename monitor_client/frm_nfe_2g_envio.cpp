// The send run: every loaded note is validated, then handed to the monitor
// (first hand-off, resend or re-print, by its DANFENFE row). A note's row is
// committed before its request reaches the monitor, and undone when the
// request cannot be handed over, so no answer ever comes for a note without
// a row and no row waits for a request the monitor never got.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/db_error.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/funcoes/ufuncoes.h"
#include "foundation/dates/date_time.h"
#include "monitor_client/detail/digitos.h"

#include <exception>

using monitor_detail::inteiroDosDigitos;
using monitor_detail::semZerosEsquerda;

bool TfrmNFE_2G::emitenteDaNota(const LinhaNota &nota) const
{
    const std::string procurado = semZerosEsquerda(SomenteNumeros(nota.cnpj_emitente));
    if (!modulo_.tblConfigNFE || !modulo_.tblConfigNFE->active() || modulo_.tblConfigNFE->isEmpty())
        return false;
    // An empty CNPJ takes the current emitter, as the selection does.
    return procurado.empty() || semZerosEsquerda(CnpjEmitente) == procurado;
}

void TfrmNFE_2G::EnviaNotas()
{
    EnvioIncompleto = false;
    modulo().dtmNFEOpen({"ConfigNFE"});
    const auto &notas = tabelas_.tblNotas.linhas();
    AjustaCnpj_do_Emitente(notas.empty() ? std::string{}
                                         : notas[notaAtual_ < notas.size() ? notaAtual_ : 0].cnpj_emitente);
    if (!ValidarNotas()) {
        EnvioIncompleto = true;
        return;
    }
    ProcessaNotas_para_Enviar();
    if (ModoExportacao)
        dialogos().mensagem("Nota fiscal exportada com sucesso...", kTitulo);
}

bool TfrmNFE_2G::ProcessaNotas_para_Enviar()
{
    const auto &notas = tabelas_.tblNotas.linhas();
    if (!notas.empty())
        AjustaCnpj_do_Emitente(notas.front().cnpj_emitente);
    if (modulo().tblConfigNFE && modulo().tblConfigNFE->active() && !modulo().tblConfigNFE->eof()) {
        const int copias = emitente("NRO_COPIAS1").empty() ? 0 : inteiroDosDigitos(emitente("NRO_COPIAS1"));
        if (copias == 100) {
            const auto resposta = dialogos().entrada("Cópias de nota", "Número de copias para nota fiscal",
                                                     std::to_string(NumeroCopias));
            if (resposta)
                NumeroCopias = inteiroDosDigitos("0" + *resposta);
        } else if (copias == 101) {
            NumeroCopias = 0;
            ListaImpressorasCriada = true;
            if (MostraListaImpressoras)
                MostraListaImpressoras();
        }
    }

    // Notes the hanging-note check appends are handled by the ticks.
    const std::size_t quantas = notas.size();
    for (std::size_t i = 0; i < quantas; ++i) {
        selecionaNota(i);
        LinhaNota &nota = tabelas_.tblNotas.linhas()[i];
        AjustaCnpj_do_Emitente(nota.cnpj_emitente);
        nota.nro_serie_not = inteiroDosDigitos("0" + BuscaSerieNota(nota.serie_not));
        if (nota.nro_serie_not == 76)
            MsgAtencao("Serie 76");
        const int numero = inteiroDosDigitos(nota.nro_not);
        const int serie = nota.nro_serie_not;

        int estado = -1;
        try {
            estado = EstadoDaNota(numero, serie);
        } catch (const db::DatabaseError &e) {
            EnvioIncompleto = true;
            dialogos().mensagem("Nota Fiscal " + nota.nro_not + " nao Gerada\r\n" + e.what(), kTitulo);
            continue;
        }
        if (estado == -1) {
            EnviarNotaEletronica(true);
            continue;
        }
        CodigoNumerico = modulo().qrySelect3.campo("NRO_ALEAT_ENVIO").asInteger();
        const std::string chave = modulo().qrySelect3.campo("CHAVE_NFE").asString();
        const TDateTime enviada = modulo().qrySelect3.campo("DATA_ENVIO").asDateTime();
        if (estado == 7) {
            // A voided number is never issued again, not even as an export.
            EnvioIncompleto = true;
            dialogos().mensagem("Esta nota fiscal foi inutilizada\r\nno dia " +
                                    FormataDataHora("DD/MM/AAAA", enviada),
                                kTitulo);
            continue;
        }
        if (estado == 1 || ModoExportacao) {
            EnviarNotaEletronica(false);
            continue;
        }
        // Handed over before: only printed again, under this run's tag.
        try {
            marcaReimpressao(numero, serie);
            if (!commit()) {
                EnvioIncompleto = true;
                continue;
            }
        } catch (const db::DatabaseError &e) {
            modulo().dtmNFERollback();
            EnvioIncompleto = true;
            dialogos().mensagem("Nota Fiscal " + nota.nro_not + " nao Gerada\r\n" + e.what(), kTitulo);
            continue;
        }
        if (!pedeImpressao(chave, numero, serie))
            EnvioIncompleto = true;
    }

    VerificarPenduradas = true;
    if (!ModoExportacao)
        Verifica_Notas_Penduradas();
    return false;
}

void TfrmNFE_2G::EnviarNotaEletronica(bool novo)
{
    const LinhaNota nota = notaAtual();
    const int numero = inteiroDosDigitos(nota.nro_not);
    const int serie = nota.nro_serie_not;
    bool registrada = false;
    std::vector<db::Value> antes;
    try {
        if (novo)
            CodigoNumerico = 0;
        if (!ModoExportacao) {
            Nome_dos_arquivos("nota", "-fil", serie, numero);
            gravaArquivoLocal(MontaDocumentoNota());
        } else if (!ExportaNotaTxt) {
            throw ProgramError("a exportação no layout TXT não está disponível");
        }
        if (!novo)
            antes = linhaAntesDoEnvio(numero, serie);
        marcaEnvio(novo, numero, serie);
        if (!commit()) {
            EnvioIncompleto = true; // rolled back with its message; nothing was handed over
            return;
        }
        registrada = true;
        if (ModoExportacao)
            ExportaNotaTxt(serie, numero);
        else
            Nome_dos_arquivos("COPIAR", "", 0, 0);
    } catch (const std::exception &e) {
        EnvioIncompleto = true;
        std::string motivo = e.what();
        if (registrada) {
            try {
                desfazEnvio(novo, numero, serie, antes);
                if (!commit())
                    motivo += "\r\nO registro da nota não pôde ser desfeito.";
            } catch (const db::DatabaseError &d) {
                modulo().dtmNFERollback();
                motivo += std::string("\r\nO registro da nota não pôde ser desfeito: ") + d.what();
            }
        } else if (modulo().conectado()) {
            modulo().dtmNFERollback();
        }
        dialogos().mensagem("Nota Fiscal " + nota.nro_not + " nao Gerada\r\n" + motivo, kTitulo);
    }
}
