#include "app/relatorios/frm_rdp.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

#include <cmath>

int FontePorLargura(int codigoLargura)
{
    switch (codigoLargura) {
    case 40:
        return RelatorioTexto::kExpandido;
    case 80:
        return RelatorioTexto::kCpi10;
    case 95:
        return RelatorioTexto::kCpi12;
    case 135:
        return RelatorioTexto::kCpi17;
    case 55:
    case 160:
        return RelatorioTexto::kCpi20;
    default:
        return 0;
    }
}

TfrmRdp &frmRdp()
{
    static TfrmRdp instancia;
    return instancia;
}

TfrmRdp::TfrmRdp()
{
    RDprint.PortaComunicacao = "LPT1";
}

void TfrmRdp::IniciaRelatorio(bool visualizar, int linhasPorPolegada, int codigoLargura, int primeiraPagina,
                              int linhasPagina, std::string_view titulo)
{
    CodigoLargura = codigoLargura;
    Pagina = primeiraPagina;
    Titulo = std::string(titulo);
    Linha = Espacos(CodigoLargura);
    RelatorioTexto::Opcoes opcoes;
    opcoes.linhasPorPolegada = linhasPorPolegada != 6 ? 8 : 6;
    opcoes.visualizar = visualizar;
    if (codigoLargura == 55) {
        opcoes.linhasPagina = 1;
        opcoes.colunas = 55;
        opcoes.tamanhoPadrao = 4;
    } else {
        opcoes.linhasPagina = linhasPagina;
        opcoes.colunas = 80;
        opcoes.tamanhoPadrao = 1;
    }
    RDprint.abre(opcoes);
}

void TfrmRdp::PosicionaTexto(int coluna, std::string_view texto, std::string_view alinhamento)
{
    Linha = InsereNaLinha(texto, Linha, alinhamento, coluna);
}

void TfrmRdp::ImprimeLinha(int numeroLinha)
{
    ImprimeNaPosicao(numeroLinha, 1, false, "E",
                     utf8Prefix(Linha, static_cast<std::size_t>(std::max(CodigoLargura, 0))));
    Linha = Espacos(CodigoLargura);
}

void TfrmRdp::ImprimeNaPosicao(int numeroLinha, int coluna, bool negrito, std::string_view alinhamento,
                               std::string_view texto)
{
    const int fonte = FontePorLargura(CodigoLargura);
    const std::string modo = upperAscii(alinhamento);
    if (fonte == 0 || (modo != "E" && modo != "C" && modo != "D"))
        return;
    if (CodigoLargura == 55)
        RDprint.defineLinhasPagina(RDprint.linhasPagina() + 1);
    RDprint.imprime(numeroLinha, ColunaParaPosicao(coluna), texto, fonte + (negrito ? 1 : 0), modo[0]);
}

int TfrmRdp::ColunaParaPosicao(int coluna) const
{
    if (coluna == 0 || CodigoLargura == 0)
        return 1;
    const long posicao = std::lround(static_cast<double>(coluna) * 80.0 / CodigoLargura);
    return posicao > 0 ? static_cast<int>(posicao) : 1;
}

void TfrmRdp::NovaPagina()
{
    RDprint.novaPagina();
    ++Pagina;
}

void TfrmRdp::FinalizaRelatorio()
{
    if (CodigoLargura == 55) {
        RDprint.defineLinhasPagina(1);
        RDprint.setup();
        RDprint.defineVisualizar(false);
    }
    RDprint.fecha();
}
