#pragma once

#include <algorithm>
#include <cstdint>

#include "foundation/base/quib_exception.h"
#include "printing/device/device_types.h"

// The enumerations, settings and font state of the POS printer component that
// its model writers read when they build commands. The component owns one
// TQuibPosConfig and hands the writer a pointer to it; the writer never
// changes it. Header only: no source of its own.

// Errors of the POS printer component and its writers (bad logo key codes,
// an unsupported logo store).
class EPosPrinterException : public EQuibException {
  public:
    using EQuibException::EQuibException;
};

// The printer's code page: text is recoded to it and the initialisation
// selects it.
enum TQuibPosPaginaCodigo : std::uint8_t { pcNone, pc437, pc850, pc852, pc860, pcUTF8, pc1252 };

enum TQuibPosDirecao : std::uint8_t {
    dirEsquerdaParaDireita,
    dirTopoParaBaixo,
    dirDireitaParaEsquerda,
    dirBaixoParaTopo
};

enum TQuibPosTipoCorte : std::uint8_t { ctTotal, ctParcial };

// The font attributes the component tracks.
enum TQuibPosAtributoFonte : std::uint8_t {
    afNormal,
    afCondensado,
    afExpandido,
    afNegrito,
    afSublinhado,
    afInvertido,
    afItalico,
    afFonteB,
    afAlturaDupla
};

enum TQuibPosAlinhamento : std::uint8_t { alEsquerda, alCentro, alDireita };

// A set of font attributes.
class TQuibPosEstadoFonte {
  public:
    TQuibPosEstadoFonte() = default;
    TQuibPosEstadoFonte(std::initializer_list<TQuibPosAtributoFonte> atributos)
    {
        for (auto a : atributos)
            Incluir(a);
    }
    bool Contem(TQuibPosAtributoFonte a) const { return (bits_ & bit(a)) != 0; }
    void Incluir(TQuibPosAtributoFonte a) { bits_ |= bit(a); }
    void Excluir(TQuibPosAtributoFonte a) { bits_ &= static_cast<std::uint16_t>(~bit(a)); }
    friend bool operator==(TQuibPosEstadoFonte, TQuibPosEstadoFonte) = default;

  private:
    static std::uint16_t bit(TQuibPosAtributoFonte a) { return static_cast<std::uint16_t>(1U << a); }
    std::uint16_t bits_ = 0;
};

// QR code options. The setters clamp: Tipo to 1..2, LarguraModulo to 1..16,
// ErrorLevel to 0..3 (0 to 3 for L, M, Q, H).
class TQuibConfigQRCode {
  public:
    int Tipo() const { return tipo_; }
    void Tipo(int value) { tipo_ = std::clamp(value, 1, 2); }
    int LarguraModulo() const { return larguraModulo_; }
    void LarguraModulo(int value) { larguraModulo_ = std::clamp(value, 1, 16); }
    int ErrorLevel() const { return errorLevel_; }
    void ErrorLevel(int value) { errorLevel_ = std::clamp(value, 0, 3); }

  private:
    int tipo_ = 2;
    int larguraModulo_ = 4;
    int errorLevel_ = 0;
};

// A logo stored in the printer, named by two key bytes; KeyCode2 0 names the
// legacy store, where KeyCode1 is the logo's number.
struct TQuibConfigLogo {
    bool IgnorarLogo = false;
    std::uint8_t KeyCode1 = 32;
    std::uint8_t KeyCode2 = 32;
    std::uint8_t FatorX = 1;
    std::uint8_t FatorY = 1;
};

// The cash drawer pulse, in the printer's units.
struct TQuibConfigGaveta {
    bool SinalInvertido = false;
    std::uint8_t TempoON = 50;
    std::uint8_t TempoOFF = 200;
};

// The page-mode region, in dots.
struct TQuibConfigModoPagina {
    int Largura = 0;
    int Altura = 0;
    int Esquerda = 0;
    int Topo = 0;
    TQuibPosDirecao Direcao = dirEsquerdaParaDireita;
    std::uint8_t EspacoEntreLinhas = 0;
};

// What the writers read of the component: its settings and its current font
// and alignment state.
struct TQuibPosConfig {
    TQuibECFConfigBarras ConfigBarras;
    TQuibConfigQRCode ConfigQRCode;
    TQuibConfigLogo ConfigLogo;
    TQuibConfigGaveta ConfigGaveta;
    TQuibConfigModoPagina ConfigModoPagina;
    std::uint8_t EspacoEntreLinhas = 0; // 0: the printer's default spacing
    TQuibPosPaginaCodigo PaginaDeCodigo = pc850;
    TQuibPosEstadoFonte EstadoFonte{afNormal};
    TQuibPosAlinhamento Alinhamento = alEsquerda;
};
