#include "tests/support/paineis_resposta.h"

#include "console/config_geral/frm_config_geral40.h"

#include <fstream>
#include <sstream>

namespace testsupport {

namespace {

std::string conteudo(const std::string &arquivo)
{
    if (arquivo.empty())
        return {};
    std::ifstream entrada(arquivo, std::ios::binary);
    std::ostringstream texto;
    texto << entrada.rdbuf();
    return texto.str();
}

// The memo's text with "\n" line ends, ending with one unless empty.
std::string linhas(std::string_view texto)
{
    std::string saida;
    for (std::size_t i = 0; i < texto.size(); ++i)
        if (!(texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n'))
            saida += texto[i];
    if (!saida.empty() && saida.back() != '\n')
        saida += '\n';
    return saida;
}

// What was appended to a memo that only grows; the whole text when it did
// not just grow.
std::string acrescentado(const std::string &antes, const std::string &depois)
{
    if (antes.empty() || !depois.starts_with(antes))
        return linhas(depois);
    std::string_view resto = std::string_view(depois).substr(antes.size());
    if (resto.starts_with("\r\n"))
        resto.remove_prefix(2);
    return linhas(resto);
}

void arvore(std::string &saida, const std::vector<NoArvore> &nos, int nivel)
{
    for (const auto &no : nos) {
        saida += std::string(2 * nivel, ' ') + no.legenda + "\n";
        arvore(saida, no.filhos, nivel + 1);
    }
}

} // namespace

PaineisResposta fotografaPaineis(const TfrmConfigGeral40 &tela)
{
    return {tela.MemoResp,
            tela.memoLog,
            tela.memoRespWS,
            tela.MemoDados,
            tela.WBResposta.arquivo,
            conteudo(tela.WBResposta.arquivo),
            tela.trvwNFe,
            tela.TreeViewRetornoConsulta,
            tela.pgRespostas};
}

std::string paineisQueMudaram(const PaineisResposta &antes, const PaineisResposta &depois)
{
    std::string saida;
    if (antes.MemoResp != depois.MemoResp)
        saida += "[MemoResp]\n" + linhas(depois.MemoResp);
    if (antes.WBResposta != depois.WBResposta || antes.conteudoWB != depois.conteudoWB)
        saida += "[WBResposta]\n" + depois.WBResposta + "\n";
    if (antes.memoLog != depois.memoLog)
        saida += "[memoLog]\n" + acrescentado(antes.memoLog, depois.memoLog);
    if (antes.trvwNFe != depois.trvwNFe) {
        saida += "[trvwNFe]\n";
        arvore(saida, depois.trvwNFe, 0);
    }
    if (antes.memoRespWS != depois.memoRespWS)
        saida += "[memoRespWS]\n" + linhas(depois.memoRespWS);
    if (antes.MemoDados != depois.MemoDados)
        saida += "[MemoDados]\n" + acrescentado(antes.MemoDados, depois.MemoDados);
    if (antes.TreeViewRetornoConsulta != depois.TreeViewRetornoConsulta) {
        saida += "[TreeViewRetornoConsulta]\n";
        arvore(saida, depois.TreeViewRetornoConsulta, 0);
    }
    if (antes.pagina != depois.pagina)
        saida += "page=" + std::to_string(depois.pagina) + "\n";
    return saida;
}

} // namespace testsupport
