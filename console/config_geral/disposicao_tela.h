#pragma once

#include <span>
#include <string_view>

class TfrmConfigGeral40;

// What the settings-and-console window shows besides the values: the
// caption of each settings control and the tab and group it sits on, and
// the window's buttons with the screen handler each one runs. The view
// builds the window from these tables; the test tool presses the buttons by
// name or caption through them. Implemented in disposicao_tela.cpp.

// The left half's tabs: "Certificado", "Geral", "WebService", "Emitente",
// "Arquivos" and "Responsavel Tecnico" inside "Configurações", then "DANFe"
// and "Email". The right half's operation tabs are "NF-e" and "NFC-e".
// The tab of a settings section.
std::string_view abaDaSessao(std::string_view sessao);

struct LegendaControle {
    std::string_view controle;
    // The label beside an edit or list, a box's caption, a radio group's title.
    std::string_view legenda;
    // A box of its own inside the tab, titled so; empty for none.
    std::string_view grupo;
    // The tool tip; empty for none.
    std::string_view dica;
    // A list drawn as a radio group rather than a drop-down list.
    bool grupoRadio = false;
};

// Every settings control of the key table once, in the writer's order.
std::span<const LegendaControle> legendasControles();
// The control's entry; nullptr for a name the table lacks.
const LegendaControle *legendaDoControle(std::string_view controle);

using AcaoTela = void (TfrmConfigGeral40::*)();

struct BotaoTela {
    std::string_view nome;
    std::string_view legenda;
    // A settings tab, "NF-e" or "NFC-e"; empty for the save button under
    // the settings tabs.
    std::string_view aba;
    // The edit the button sits beside; empty for a button on a row of its own.
    std::string_view aoLadoDe;
    std::string_view grupo;
    // The handler; nullptr when the button is a folder picker (it runs
    // `btnPastaClick` with the edit beside it) or its operation is not
    // bound yet (the view shows it disabled, the tool refuses to press it).
    AcaoTela acao = nullptr;
    bool pasta = false;
};

// Every button of the window, settings half first, in tab order.
std::span<const BotaoTela> botoesTela();
// The button named so, else the first whose caption is so; nullptr for none.
const BotaoTela *botaoTela(std::string_view nomeOuLegenda);
// Whether pressing the button runs anything.
bool botaoAtivo(const BotaoTela &botao);
// Runs the button's handler on the screen; what the handler raises passes
// on. Nothing for a button that is not active.
void pressionaBotao(TfrmConfigGeral40 &tela, const BotaoTela &botao);
