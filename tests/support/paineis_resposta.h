#pragma once

#include "console/config_geral/exibicao_resposta.h"

#include <string>
#include <vector>

class TfrmConfigGeral40;

namespace testsupport {

// What the console's answer panes hold at one moment, to tell which of them
// an action changed. Implemented in paineis_resposta.cpp.
struct PaineisResposta {
    std::string MemoResp, memoLog, memoRespWS, MemoDados;
    // The browser's file: its full name and what it held.
    std::string WBResposta, conteudoWB;
    std::vector<NoArvore> trvwNFe, TreeViewRetornoConsulta;
    int pagina = 0;
};

PaineisResposta fotografaPaineis(const TfrmConfigGeral40 &tela);

// Each pane that changed, in page order: a line "[<control>]", then the
// memo's text (for `MemoDados` and `memoLog` only the lines appended), a
// tree as one node per line indented two spaces per level with captions as
// shown, or the browser file's full name; then "page=<index>" when the page
// changed. Lines end with "\n"; memo texts' CR LF become "\n".
std::string paineisQueMudaram(const PaineisResposta &antes, const PaineisResposta &depois);

} // namespace testsupport
