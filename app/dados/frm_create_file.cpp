#include "app/dados/frm_create_file.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/dados/passos_atualizacao.h"
#include "app/db/cursor.h"
#include "app/db/db_error.h"
#include "app/db/orphan_pages.h"
#include "app/db/statement.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"

#include <ibase.h>

namespace {

// "Sequence ... already exists" (no name of its own in the client's header).
constexpr long kSequenciaExiste = 336068862L;

// The engine's codes for "already exists" of a table, index, generator and,
// for a column, the unique key of the catalogue's column list.
} // namespace

bool objetoJaExiste(const db::DatabaseError &erro)
{
    return erro.hasCode(isc_dyn_dup_table) || erro.hasCode(isc_dyn_dup_index) ||
           erro.hasCode(kSequenciaExiste) ||
           (erro.hasCode(isc_no_meta_update) && erro.hasCode(isc_unique_key_violation) &&
            erro.engineText().find("RDB$RELATION_FIELDS") != std::string::npos);
}

std::int32_t TfrmCreateFile::leContador()
{
    db::Statement leitura(*modulo_.ibtNFE, "Select Gen_id(Controla_Atualizacao_NFE_40,0) codigo from \n"
                                           "(Select Sum(codigo) codigo From gerador )");
    db::Cursor linhas = leitura.open();
    linhas.next();
    return static_cast<std::int32_t>(linhas.field("codigo").asInt64());
}

void TfrmCreateFile::Set_Gerador_Atualizacao(int numero)
{
    db::executeSql(*modulo_.ibtNFE, "Set Generator Controla_Atualizacao_NFE_40 TO " + std::to_string(numero));
}

void TfrmCreateFile::FormActivate()
{
    try {
        modulo_.dtmConectBanco(true);
        UltimaAtualizacao = leContador();
        lblultima = "Última atualização: " + std::to_string(UltimaAtualizacao);
    } catch (const std::exception &) {
        // the label keeps its text
    }
}

void TfrmCreateFile::Executa_as_Atiualizacao()
{
    if (!modulo_.dtmConectBanco(true))
        throw db::DatabaseError(db::DbFailure::Other,
                                "O banco de dados " + modulo_.DatabaseName() + " não está conectado.");
    db::Transaction &transacao = *modulo_.ibtNFE;
    // A database without the counter starts at step 71: the staged tables
    // of the earlier steps come with it.
    try {
        db::executeSql(transacao, "Create GENERATOR Controla_Atualizacao_NFE_40");
        Set_Gerador_Atualizacao(70);
        transacao.commitRetaining();
    } catch (const std::exception &) {
        transacao.rollbackRetaining();
    }

    UltimaAtualizacao = leContador();
    AtualizacoesExecutadas.clear();
    Falha.reset();

    for (const PassoAtualizacao &passo : passosAtualizacao()) {
        if (UltimaAtualizacao >= passo.numero)
            continue;
        std::size_t gravadas = 0; // parts committed so far
        try {
            if (!passo.partes.empty())
                db::releaseOrphanRelationPages(transacao);
            if (passo.aviso)
                passo.aviso();
            for (std::size_t i = 0; i < passo.partes.size(); ++i) {
                const ParteAtualizacao &parte = passo.partes[i];
                for (const std::string &comando : parte.comandos)
                    db::executeSql(transacao, comando);
                if (parte.trabalho)
                    parte.trabalho(modulo_);
                transacao.commitRetaining();
                ++gravadas;
            }
        } catch (const std::exception &erro) {
            transacao.rollbackRetaining();
            std::string mensagem = erro.what();
            try {
                for (std::size_t i = gravadas; i-- > 0;) {
                    for (const std::string &comando : passo.partes[i].desfazer)
                        db::executeSql(transacao, comando);
                    transacao.commitRetaining();
                }
            } catch (const std::exception &desfazer) {
                transacao.rollbackRetaining();
                mensagem +=
                    "\r\nNão foi possível desfazer a parte já gravada: " + std::string(desfazer.what());
            }
            const auto *banco = dynamic_cast<const db::DatabaseError *>(&erro);
            if (banco && objetoJaExiste(*banco))
                continue;
            Falha = FalhaPasso{passo.numero, mensagem};
            return;
        }
        // The counter goes in a commit of its own, after the step's work is
        // kept: the engine writes a generator's new value during the commit,
        // before the transaction is marked committed, so a commit killed in
        // between would keep the number without the work. Killed here, the
        // step runs again and meets its objects already there.
        try {
            Set_Gerador_Atualizacao(passo.numero);
            transacao.commitRetaining();
        } catch (const std::exception &erro) {
            transacao.rollbackRetaining();
            Falha = FalhaPasso{passo.numero, erro.what()};
            return;
        }
        AtualizacoesExecutadas += " " + ZerosEsquerda(passo.numero, 3) + ",";
    }
}

void TfrmCreateFile::btnAtualizaClick()
{
    Executa_as_Atiualizacao();
    dialogos().mensagem("Atualizacoes executadas = " + AtualizacoesExecutadas, "Informação");
    if (Falha)
        dialogos().mensagem("A atualização " + ZerosEsquerda(Falha->numero, 3) +
                                " não foi aplicada e o banco de dados ficou como estava antes dela; as "
                                "atualizações seguintes não foram executadas.\r\n" +
                                Falha->mensagem,
                            "Erro");
}
