#pragma once

#include <functional>
#include <memory>
#include <string>

class TdtmGerencia;
class TdtmNFE_grd;
class TdtmNFE_2;

// The data modules made at start-up; each pointer is null when its creation
// failed. The program owns them until it ends.
struct ModulosDados {
    TdtmGerencia *dtmGerencia = nullptr;
    TdtmNFE_grd *dtmNFE_grd = nullptr;
    TdtmNFE_2 *dtmNFE_2 = nullptr;
};

// A screen built by another layer as the shell holds it: shown modally,
// freed by its holder.
class TelaModal {
  public:
    virtual ~TelaModal() = default;
    virtual void ShowModal() = 0;
};

// The re-print screen of the document-monitor client as the shell and the
// emitter screen reach it.
class TelaReimpressao {
  public:
    virtual ~TelaReimpressao() = default;
    // Creates the client's note screens on the first call only.
    virtual void Criar_Forms() = 0;
    // Sets the note screen's export mode from TIPO_EMISSOR of CONFIGNFE.
    virtual void Ativa_Modelo_Exportacao() = 0;
};

// What the shell opens of layers above it (and of its own screens that need
// the Qt views): the program's `main` fills every entry; `fabricaProvisoria`
// (telas_provisorias.h) fills each with its stand-in first. Entries are
// called on the main thread; what they raise reaches the caller.
struct FabricaTelas {
    using Janela = std::shared_ptr<void>; // a hidden window kept until the program ends

    // The main window's whole commands "Configurações da empresa" (which
    // opens and closes CONFIGNFE itself) and "Modulo de Gerencia" (which
    // opens and closes the management tables itself).
    std::function<void()> ConfiguracoesDaEmpresa;
    std::function<void()> ModuloDeGerencia;
    // The settings-and-console screen, which the emitter screen shows, and
    // the schema updater.
    std::function<std::unique_ptr<TelaModal>()> criaConfigGeral40;
    std::function<std::unique_ptr<TelaModal>()> criaCreateFile;

    // Hidden windows made at start-up.
    std::function<Janela()> criaPrint;
    std::function<Janela()> criaFuncoesAplicativo;
    std::function<std::shared_ptr<TelaReimpressao>()> criaPrintNotasPov;
    std::function<Janela()> criaAvisoAbertura;
    std::function<Janela()> criaSelecionarCertificado;
};
