#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// The printer states a model writer reads back from the printer, and the set
// of them the component reports. The ordinal of each state is its bit in the
// set. Implemented in pos_status.cpp.

enum TQuibPosTipoStatus : std::uint8_t {
    stErro,
    stApenasEscrita, // the port cannot be read: nothing more is known
    stPoucoPapel,
    stSemPapel,
    stGavetaAberta,
    stImprimindo,
    stOffLine,
    stTampaAberta,
    stErroLeitura, // the answer could not be read
    stSlip,
    stMICR,
    stAguardandoSlip,
    stTOF,
    stBOF
};

constexpr int kQuantidadeTiposStatus = stBOF + 1;

// "stErro", "stSemPapel"...
const char *NomeTipoStatus(TQuibPosTipoStatus tipo);

class TQuibPosPrinterStatus {
  public:
    TQuibPosPrinterStatus() = default;
    TQuibPosPrinterStatus(std::initializer_list<TQuibPosTipoStatus> tipos)
    {
        for (auto t : tipos)
            Incluir(t);
    }
    bool Contem(TQuibPosTipoStatus t) const { return (bits_ & bit(t)) != 0; }
    void Incluir(TQuibPosTipoStatus t) { bits_ |= bit(t); }
    void Excluir(TQuibPosTipoStatus t) { bits_ &= static_cast<std::uint16_t>(~bit(t)); }
    void Alternar(TQuibPosTipoStatus t) { bits_ ^= bit(t); }
    bool Vazio() const { return bits_ == 0; }
    std::uint16_t Bits() const { return bits_; }
    friend bool operator==(TQuibPosPrinterStatus, TQuibPosPrinterStatus) = default;

  private:
    static std::uint16_t bit(TQuibPosTipoStatus t) { return static_cast<std::uint16_t>(1U << t); }
    std::uint16_t bits_ = 0;
};

// The member names in ordinal order, each followed by ", " ("stSemPapel,
// stOffLine, "); empty for the empty set.
std::string StatusParaTexto(TQuibPosPrinterStatus status);
