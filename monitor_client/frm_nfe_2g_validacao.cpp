// The send run's check of the loaded notes before anything is handed over:
// recipient, delivery place and items, plus what would make the monitor issue
// a note wrongly (an emitter that is not registered, a series the DANFENFE
// row cannot hold). Every failing note is listed in the message panel.

#include "monitor_client/frm_nfe_2g.h"

#include "app/config_nfe/listas_referencia.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "monitor_client/detail/digitos.h"

#include <algorithm>

namespace {

bool estadoInvalido(std::string_view uf)
{
    return BuscaEstado(0, upperWithAccents(uf)) == "0";
}

bool soZeros(std::string_view digitos)
{
    return std::all_of(digitos.begin(), digitos.end(), [](char c) { return c == '0'; });
}

} // namespace

bool TfrmNFE_2G::ValidarNotas()
{
    PainelErroInteiro = true;
    memoerro.clear();
    bool falhou = false;
    const std::size_t quantas = tabelas_.tblNotas.linhas().size();
    for (std::size_t i = 0; i < quantas; ++i) {
        selecionaNota(i);
        const LinhaNota &nota = notaAtual();
        std::string erros;
        AjustaCnpj_do_Emitente(nota.cnpj_emitente);
        const bool comEmitente = emitenteDaNota(nota);
        // Another emitter's data and folder would be used for the note.
        if (!comEmitente)
            erros += "Emitente CNPJ nao cadastrado / ";
        // DANFENFE keeps two characters of the series: a longer one would
        // never be found again, and every run would issue a new access key.
        const std::string serie = monitor_detail::semZerosEsquerda(BuscaSerieNota(nota.serie_not));
        if (serie.size() > 2)
            erros += "Serie " + serie + " com mais de 2 digitos / ";

        if (destinatarioEstrangeiro()) {
            if (nota.nom_not.empty())
                erros += "Nome / ";
            if (nota.end_not.empty())
                erros += "Endereco / ";
            if (nota.bai_not.empty())
                erros += "Bairro / ";
            if (!nota.t_uf_vei_not.empty() && estadoInvalido(nota.t_uf_vei_not))
                erros += "Estado do veiculo " + nota.t_uf_vei_not + " e Invalido / ";
        } else {
            if (comEmitente) {
                const bool dentroDoEstado = nota.cfop_not.starts_with('5') || nota.cfop_not.starts_with('1');
                if ((nota.uf_not == emitente("UF_EMI")) != dentroDoEstado)
                    erros += "CFOP " + nota.cfop_not + " Invalido p/ UF= " + nota.uf_not;
            }
            if (SomenteNumeros(nota.cnpj_not).empty())
                erros += "CNPJ ou CPF / ";
            if (nota.nom_not.empty())
                erros += "Nome / ";
            if (SomenteNumeros(nota.IE_not).empty() && upperWithAccents(nota.IE_not) != "ISENTO")
                erros += "IE / ";
            if (nota.end_not.empty())
                erros += "Endereco / ";
            if (nota.bai_not.empty())
                erros += "Bairro / ";
            if (nota.mun_not.empty())
                erros += "Cidade / ";
            else if (BuscaCidade_IBGE(upperWithAccents(nota.mun_not), upperWithAccents(nota.uf_not),
                                      nota.cep_not) == "0")
                erros += "Cidade " + nota.mun_not + " do Estado " + nota.uf_not +
                         " não foi Localizada na tabela do IBGE /";
            if (nota.uf_not.empty())
                erros += "Estado / ";
            else if (estadoInvalido(nota.uf_not))
                erros += "Estado " + nota.uf_not + " e Invalido / ";
            if (!nota.t_uf_vei_not.empty() && estadoInvalido(nota.t_uf_vei_not))
                erros += "Estado do veiculo " + nota.t_uf_vei_not + " e Invalido / ";
            if (!nota.cnpj_ent.empty()) {
                if (nota.end_ent.empty())
                    erros += "Endereco Entrega / ";
                if (nota.bai_ent.empty())
                    erros += "Bairro Entrega / ";
                if (nota.cid_ent.empty())
                    erros += "Cidade entrega / ";
                else if (BuscaCidade_IBGE(upperWithAccents(nota.cid_ent), upperWithAccents(nota.uf_ent),
                                          nota.cep_ent) == "0")
                    erros += "Cidade entrega " + nota.cid_ent + " do Estado " + nota.uf_ent +
                             " nao foi localizada na tabela do IBGE /";
                if (nota.uf_ent.empty())
                    erros += "Estado entrega / ";
                else if (estadoInvalido(nota.uf_ent))
                    erros += "Estado entrega " + nota.uf_ent + " e Invalido / ";
            }
        }

        for (const LinhaItem *item : tabelas_.tblItens.daNota(nota.nota)) {
            if (item->tipo_pis == "PIS")
                erros += "Tipo de Pis do produto: " + item->nom_pro + " nao Informado  / ";
            if (item->tipo_cofins == "COFINS")
                erros += "Tipo de Cofins do produto: " + item->nom_pro + " nao Informado  / ";
            const std::size_t tamanhoNcm = utf8Length(item->cod_ncm);
            if (soZeros(SomenteNumeros(item->cod_ncm)))
                erros += "NCM : " + item->nom_pro + " nao Informado  / ";
            else if (tamanhoNcm != 2 && tamanhoNcm != 8)
                erros += "NCM : " + item->cod_ncm + " = " + item->nom_pro + " Inconsistente  / ";
        }

        if (!erros.empty()) {
            falhou = true;
            memoerro += "Nota fiscal : " + nota.nro_not + "  " + nota.serie_not +
                        "         /          ERROS ENCONTRADOS   OU   CAMPOS NAO INFORMADOS: \r\n" + erros +
                        "\r\n" + std::string(72, '-') + "\r\n";
        }
    }
    if (falhou)
        PainelErroVisivel = true;
    return !falhou;
}
