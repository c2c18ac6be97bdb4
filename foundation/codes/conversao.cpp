#include "foundation/codes/conversao.h"

#include <array>
#include <cstddef>

namespace {

// clang-format off
constexpr auto kTipoAmbiente = MakeCodeTable<TpcnTipoAmbiente>({
    {"1", taProducao}, {"2", taHomologacao},
});

constexpr auto kTipoEmissao = MakeCodeTable<TpcnTipoEmissao>({
    {"1", teNormal}, {"2", teContingencia}, {"3", teSCAN}, {"4", teDPEC}, {"5", teFSDA}, {"6", teSVCAN},
    {"7", teSVCRS}, {"8", teSVCSP}, {"9", teOffLine},
});

constexpr auto kTipoImpressao = MakeCodeTable<TpcnTipoImpressao>({
    {"0", tiSemGeracao}, {"1", tiRetrato}, {"2", tiPaisagem}, {"3", tiSimplificado}, {"4", tiNFCe},
    {"5", tiMsgEletronica},
});

constexpr auto kProcEmissao = MakeCodeTable<TpcnProcEmissao>({
    {"0", pem0}, {"1", pem1}, {"2", pem2}, {"3", pem3},
});

constexpr auto kTipoDocFiscal = MakeCodeTable<TpcnTipoDocFiscal>({
    {"0", tdf0}, {"1", tdf1},
});

constexpr auto kLocalDestino = MakeCodeTable<TpcnLocalDestino>({
    {"1", ld1}, {"2", ld2}, {"3", ld3},
});

constexpr auto kIndConsumidorFinal = MakeCodeTable<TpcnIndConsumidorFinal>({
    {"0", icf0}, {"1", icf1},
});

constexpr auto kIndPresenca = MakeCodeTable<TpcnIndPresenca>({
    {"0", ipr0}, {"1", ipr1}, {"2", ipr2}, {"3", ipr3}, {"4", ipr4}, {"5", ipr5}, {"9", ipr9},
});

constexpr auto kModeloECF = MakeCodeTable<TpcnModeloECF>({
    {"", mecfVazio}, {"2B", mecf2B}, {"2C", mecf2C}, {"2D", mecf2D},
});

constexpr auto kRegimeTributario = MakeCodeTable<TpcnRegimeTributario>({
    {"", crt3}, {"1", crt1}, {"2", crt2}, {"3", crt3},
});

constexpr auto kIndIEDestinatario = MakeCodeTable<TpcnIndIEDestinatario>({
    {"1", iie1}, {"2", iie2}, {"9", iie9},
});
// clang-format on

struct EstadoUF {
    std::string_view sigla;
    int codigo;
};

constexpr std::array<EstadoUF, 27> kEstados{{
    {"AC", 12}, {"AL", 27}, {"AP", 16}, {"AM", 13}, {"BA", 29}, {"CE", 23}, {"DF", 53},
    {"ES", 32}, {"GO", 52}, {"MA", 21}, {"MT", 51}, {"MS", 50}, {"MG", 31}, {"PA", 15},
    {"PB", 25}, {"PR", 41}, {"PE", 26}, {"PI", 22}, {"RJ", 33}, {"RN", 24}, {"RS", 43},
    {"RO", 11}, {"RR", 14}, {"SC", 42}, {"SP", 35}, {"SE", 28}, {"TO", 17},
}};

// Direct indexes over the state table: by the two letters of the abbreviation and by code.
constexpr int kSemEstado = -1;

constexpr std::size_t posicaoDaSigla(std::string_view sigla)
{
    return static_cast<std::size_t>(sigla[0] - 'A') * 26 + static_cast<std::size_t>(sigla[1] - 'A');
}

constexpr bool siglaIndexavel(std::string_view sigla)
{
    return sigla.size() == 2 && sigla[0] >= 'A' && sigla[0] <= 'Z' && sigla[1] >= 'A' && sigla[1] <= 'Z';
}

constexpr auto kEstadoPorSigla = [] {
    std::array<int, 26 * 26> indice{};
    for (auto &posicao : indice)
        posicao = kSemEstado;
    for (std::size_t i = kEstados.size(); i-- > 0;)
        indice[posicaoDaSigla(kEstados[i].sigla)] = static_cast<int>(i);
    return indice;
}();

constexpr auto kEstadoPorCodigo = [] {
    std::array<int, 100> indice{};
    for (auto &posicao : indice)
        posicao = kSemEstado;
    for (std::size_t i = kEstados.size(); i-- > 0;)
        indice[static_cast<std::size_t>(kEstados[i].codigo)] = static_cast<int>(i);
    return indice;
}();

} // namespace

std::string TipoAmbienteParaCodigo(TpcnTipoAmbiente valor)
{
    return EnumParaCodigo(valor, kTipoAmbiente);
}

TpcnTipoAmbiente CodigoParaTipoAmbiente(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kTipoAmbiente, ok);
}

TpcnTipoAmbiente CodigoParaTipoAmbiente(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kTipoAmbiente, ok);
}

std::string TipoEmissaoParaCodigo(TpcnTipoEmissao valor)
{
    return EnumParaCodigo(valor, kTipoEmissao);
}

TpcnTipoEmissao CodigoParaTipoEmissao(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kTipoEmissao, ok);
}

TpcnTipoEmissao CodigoParaTipoEmissao(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kTipoEmissao, ok);
}

std::string TipoImpressaoParaCodigo(TpcnTipoImpressao valor)
{
    return EnumParaCodigo(valor, kTipoImpressao);
}

TpcnTipoImpressao CodigoParaTipoImpressao(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kTipoImpressao, ok);
}

TpcnTipoImpressao CodigoParaTipoImpressao(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kTipoImpressao, ok);
}

std::string ProcEmissaoParaCodigo(TpcnProcEmissao valor)
{
    return EnumParaCodigo(valor, kProcEmissao);
}

TpcnProcEmissao CodigoParaProcEmissao(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kProcEmissao, ok);
}

TpcnProcEmissao CodigoParaProcEmissao(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kProcEmissao, ok);
}

std::string TipoDocFiscalParaCodigo(TpcnTipoDocFiscal valor)
{
    return EnumParaCodigo(valor, kTipoDocFiscal);
}

TpcnTipoDocFiscal CodigoParaTipoDocFiscal(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kTipoDocFiscal, ok);
}

TpcnTipoDocFiscal CodigoParaTipoDocFiscal(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kTipoDocFiscal, ok);
}

std::string LocalDestinoParaCodigo(TpcnLocalDestino valor)
{
    return EnumParaCodigo(valor, kLocalDestino);
}

TpcnLocalDestino CodigoParaLocalDestino(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kLocalDestino, ok);
}

TpcnLocalDestino CodigoParaLocalDestino(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kLocalDestino, ok);
}

std::string IndConsumidorFinalParaCodigo(TpcnIndConsumidorFinal valor)
{
    return EnumParaCodigo(valor, kIndConsumidorFinal);
}

TpcnIndConsumidorFinal CodigoParaIndConsumidorFinal(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kIndConsumidorFinal, ok);
}

TpcnIndConsumidorFinal CodigoParaIndConsumidorFinal(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kIndConsumidorFinal, ok);
}

std::string IndPresencaParaCodigo(TpcnIndPresenca valor)
{
    return EnumParaCodigo(valor, kIndPresenca);
}

TpcnIndPresenca CodigoParaIndPresenca(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kIndPresenca, ok);
}

TpcnIndPresenca CodigoParaIndPresenca(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kIndPresenca, ok);
}

std::string ModeloECFParaCodigo(TpcnModeloECF valor)
{
    return EnumParaCodigo(valor, kModeloECF);
}

TpcnModeloECF CodigoParaModeloECF(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kModeloECF, ok);
}

TpcnModeloECF CodigoParaModeloECF(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kModeloECF, ok);
}

std::string RegimeTributarioParaCodigo(TpcnRegimeTributario valor)
{
    return EnumParaCodigo(valor, kRegimeTributario);
}

TpcnRegimeTributario CodigoParaRegimeTributario(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kRegimeTributario, ok);
}

TpcnRegimeTributario CodigoParaRegimeTributario(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kRegimeTributario, ok);
}

std::string IndIEDestinatarioParaCodigo(TpcnIndIEDestinatario valor)
{
    return EnumParaCodigo(valor, kIndIEDestinatario);
}

TpcnIndIEDestinatario CodigoParaIndIEDestinatario(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kIndIEDestinatario, ok);
}

TpcnIndIEDestinatario CodigoParaIndIEDestinatario(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kIndIEDestinatario, ok);
}

int SiglaUFParaCUF(std::string_view sigla)
{
    if (!siglaIndexavel(sigla))
        return -1;
    const int estado = kEstadoPorSigla[posicaoDaSigla(sigla)];
    return estado == kSemEstado ? -1 : kEstados[static_cast<std::size_t>(estado)].codigo;
}

std::string CUFParaSiglaUF(int cuf)
{
    if (cuf < 0 || cuf >= static_cast<int>(kEstadoPorCodigo.size()))
        return {};
    const int estado = kEstadoPorCodigo[static_cast<std::size_t>(cuf)];
    return estado == kSemEstado ? std::string{}
                                : std::string(kEstados[static_cast<std::size_t>(estado)].sigla);
}
