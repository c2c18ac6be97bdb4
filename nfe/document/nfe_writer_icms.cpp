// TNFeW: the ICMS element of an item, in the inner group that the item's tax
// situation (CST) or, under the simplified regime, its CSOSN selects.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "nfe/document/detail/nfe_writer_item_fields.h"
#include "nfe/document/nfe_writer.h"

namespace {

// How an amount of the catalogue is written.
enum class Forma : std::uint8_t {
    dec2,       // two decimals
    dec4,       // four decimals
    percentual, // four decimals from layout 3.10, two before
};

// One amount of the ICMS groups: element, alert id, form, size, the field of
// TICMS that it carries and its description.
struct CampoICMS {
    std::string_view tag;
    std::string_view id;
    Forma forma;
    std::int16_t min;
    std::int16_t max;
    Decimal TICMS::*valor;
    std::string_view descricao;

    constexpr CampoICMS comId(std::string_view outro) const
    {
        CampoICMS campo = *this;
        campo.id = outro;
        return campo;
    }
    constexpr CampoICMS comDescricao(std::string_view outra) const
    {
        CampoICMS campo = *this;
        campo.descricao = outra;
        return campo;
    }
    // A percentage that some groups write with two decimals at every layout.
    constexpr CampoICMS comDuasCasas() const
    {
        CampoICMS campo = *this;
        campo.forma = Forma::dec2;
        campo.min = 1;
        campo.max = 5;
        return campo;
    }
};

constexpr Forma kDec2 = Forma::dec2;
constexpr Forma kDec4 = Forma::dec4;
constexpr Forma kPerc = Forma::percentual;

// The catalogue of amounts.
// clang-format off
constexpr CampoICMS kPRedBC          {"pRedBC",          "N14",  kPerc, 0,  0, &TICMS::pRedBC,          "Percentual da Redução de BC"};
constexpr CampoICMS kVBC             {"vBC",             "N15",  kDec2, 1, 15, &TICMS::vBC,             "Valor da BC do ICMS"};
constexpr CampoICMS kPICMS           {"pICMS",           "N16",  kPerc, 0,  0, &TICMS::pICMS,           "Alíquota do imposto"};
constexpr CampoICMS kVICMSOp         {"vICMSOp",         "N16a", kDec2, 1, 15, &TICMS::vICMSOp,         "Valor do ICMS"};
constexpr CampoICMS kPDif            {"pDif",            "N16b", kPerc, 0,  0, &TICMS::pDif,            "Alíquota do imposto"};
constexpr CampoICMS kVICMSDif        {"vICMSDif",        "N16c", kDec2, 1, 15, &TICMS::vICMSDif,        "Valor do ICMS"};
constexpr CampoICMS kVICMS           {"vICMS",           "N17",  kDec2, 1, 15, &TICMS::vICMS,           "Valor do ICMS"};
constexpr CampoICMS kVBCFCP          {"vBCFCP",          "N17a", kDec2, 1, 15, &TICMS::vBCFCP,          "Valor da Base de Cálculo do FCP"};
constexpr CampoICMS kPFCP            {"pFCP",            "N17b", kPerc, 0,  0, &TICMS::pFCP,            "Percentual do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"};
constexpr CampoICMS kVFCP            {"vFCP",            "N17c", kDec2, 1, 15, &TICMS::vFCP,            "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"};
constexpr CampoICMS kPFCPDif         {"pFCPDif",         "N17d", kPerc, 0,  0, &TICMS::pFCPDif,         "Percentual do diferimento do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"};
constexpr CampoICMS kVFCPDif         {"vFCPDif",         "N17e", kDec2, 1, 15, &TICMS::vFCPDif,         "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP) diferido"};
constexpr CampoICMS kVFCPEfet        {"vFCPEfet",        "N17f", kDec2, 1, 15, &TICMS::vFCPEfet,        "Valor efetivo do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"};
constexpr CampoICMS kPMVAST          {"pMVAST",          "N19",  kPerc, 0,  0, &TICMS::pMVAST,          "Percentual da margem de valor Adicionado do ICMS ST"};
constexpr CampoICMS kPRedBCST        {"pRedBCST",        "N20",  kPerc, 0,  0, &TICMS::pRedBCST,        "Percentual da Redução de BC do ICMS ST"};
constexpr CampoICMS kVBCST           {"vBCST",           "N21",  kDec2, 1, 15, &TICMS::vBCST,           "Valor da BC do ICMS ST"};
constexpr CampoICMS kPICMSST         {"pICMSST",         "N22",  kPerc, 0,  0, &TICMS::pICMSST,         "Alíquota do imposto do ICMS ST"};
constexpr CampoICMS kVICMSST         {"vICMSST",         "N23",  kDec2, 1, 15, &TICMS::vICMSST,         "Valor do ICMS Substituição Tributaria"};
constexpr CampoICMS kVBCFCPST        {"vBCFCPST",        "N23a", kDec2, 1, 15, &TICMS::vBCFCPST,        "Valor da Base de Cálculo do FCP por Substituição Tributária"};
constexpr CampoICMS kPFCPST          {"pFCPST",          "N23b", kPerc, 0,  0, &TICMS::pFCPST,          "Percentual do FCP retido por Substituição Tributária"};
constexpr CampoICMS kVFCPST          {"vFCPST",          "N23d", kDec2, 1, 15, &TICMS::vFCPST,          "Valor do FCP retido por Substituição Tributária"};
constexpr CampoICMS kPBCOp           {"pBCOp",           "N25",  kPerc, 0,  0, &TICMS::pBCOp,           "Percentual da BC operação própria"};
constexpr CampoICMS kVBCSTRet        {"vBCSTRet",        "N26",  kDec2, 1, 15, &TICMS::vBCSTRet,        "Valor da BC do ICMS ST Retido"};
constexpr CampoICMS kPST             {"pST",             "N26a", kPerc, 0,  0, &TICMS::pST,             "Alíquota suportada pelo Consumidor Final"};
constexpr CampoICMS kVICMSSubstituto {"vICMSSubstituto", "N26b", kDec2, 1, 15, &TICMS::vICMSSubstituto, "Valor do ICMS Substituto"};
constexpr CampoICMS kVICMSSTRet      {"vICMSSTRet",      "N27",  kDec2, 1, 15, &TICMS::vICMSSTRet,      "Valor do ICMS Substituição Tributaria Retido"};
constexpr CampoICMS kVBCFCPSTRet     {"vBCFCPSTRet",     "N27a", kDec2, 1, 15, &TICMS::vBCFCPSTRet,     "Valor da Base de Cálculo do FCP por Substituição Tributária"};
constexpr CampoICMS kPFCPSTRet       {"pFCPSTRet",       "N27b", kPerc, 0,  0, &TICMS::pFCPSTRet,       "Percentual do FCP retido anteriormente por Substituição Tributária"};
constexpr CampoICMS kVFCPSTRet       {"vFCPSTRet",       "N27d", kDec2, 1, 15, &TICMS::vFCPSTRet,       "Valor do FCP retido por Substituição Tributária"};
constexpr CampoICMS kVICMSDeson      {"vICMSDeson",      "N27a", kDec2, 1, 15, &TICMS::vICMSDeson,      "Valor do ICMS Desoneração"};
constexpr CampoICMS kPCredSN         {"pCredSN",         "N29",  kPerc, 0,  0, &TICMS::pCredSN,         "Alíquota aplicável de cálculo do crédito (Simples Nacional)."};
constexpr CampoICMS kVCredICMSSN     {"vCredICMSSN",     "N30",  kDec2, 1, 15, &TICMS::vCredICMSSN,     "Valor crédito do ICMS que pode ser aproveitado nos termos do art. 23 da LC 123 (Simples Nacional)"};
constexpr CampoICMS kVBCSTDest       {"vBCSTDest",       "N31",  kDec2, 1, 15, &TICMS::vBCSTDest,       "BC do ICMS ST da UF de destino"};
constexpr CampoICMS kVICMSSTDest     {"vICMSSTDest",     "N32",  kDec2, 1, 15, &TICMS::vICMSSTDest,     "BC do ICMS ST da UF de destino"};
constexpr CampoICMS kVICMSSTDeson    {"vICMSSTDeson",    "N33a", kDec2, 1, 15, &TICMS::vICMSSTDeson,    "Valor do ICMS- ST desonerado"};
constexpr CampoICMS kPRedBCEfet      {"pRedBCEfet",      "N34",  kPerc, 0,  0, &TICMS::pRedBCEfet,      "Percentual de redução da base de cálculo efetiva"};
constexpr CampoICMS kVBCEfet         {"vBCEfet",         "N35",  kDec2, 1, 15, &TICMS::vBCEfet,         "Valor da base de cálculo efetiva"};
constexpr CampoICMS kPICMSEfet       {"pICMSEfet",       "N36",  kPerc, 0,  0, &TICMS::pICMSEfet,       "Alíquota do ICMS efetiva"};
constexpr CampoICMS kVICMSEfet       {"vICMSEfet",       "N37",  kDec2, 1, 15, &TICMS::vICMSEfet,       "Valor do ICMS efetivo"};
constexpr CampoICMS kQBCMono         {"qBCMono",         "N15",  kDec4, 1, 15, &TICMS::qBCMono,         "Quantidade tributada"};
constexpr CampoICMS kAdRemICMS       {"adRemICMS",       "N15",  kDec4, 1,  5, &TICMS::adRemICMS,       "Alíquota ad rem do imposto"};
constexpr CampoICMS kVICMSMono       {"vICMSMono",       "N17",  kDec2, 1, 15, &TICMS::vICMSMono,       "Valor do ICMS próprio"};
constexpr CampoICMS kQBCMonoReten    {"qBCMonoReten",    "N15",  kDec4, 1, 15, &TICMS::qBCMonoReten,    "Quantidade tributada sujeita a retenção"};
constexpr CampoICMS kAdRemICMSReten  {"adRemICMSReten",  "N15",  kDec4, 1,  5, &TICMS::adRemICMSReten,  "Alíquota ad rem do imposto com retenção"};
constexpr CampoICMS kVICMSMonoReten  {"vICMSMonoReten",  "N17",  kDec2, 1, 15, &TICMS::vICMSMonoReten,  "Valor do ICMS com retenção"};
constexpr CampoICMS kPRedAdRem       {"pRedAdRem",       "N17",  kDec2, 1,  5, &TICMS::pRedAdRem,       "Percentual de redução do valor da alíquota adrem do ICMS"};
constexpr CampoICMS kQBCMonoDif      {"qBCMonoDif",      "N15",  kDec4, 1, 15, &TICMS::qBCMonoDif,      "Quantidade tributada diferida"};
constexpr CampoICMS kAdRemICMSDif    {"adRemICMSDif",    "N15",  kDec4, 1,  5, &TICMS::adRemICMSDif,    "Alíquota ad rem do imposto diferido"};
constexpr CampoICMS kVICMSMonoDif    {"vICMSMonoDif",    "N17",  kDec2, 1, 15, &TICMS::vICMSMonoDif,    "Valor do ICMS diferido"};
constexpr CampoICMS kQBCMonoRet      {"qBCMonoRet",      "N15",  kDec4, 1, 15, &TICMS::qBCMonoRet,      "Quantidade tributada retida anteriormente"};
constexpr CampoICMS kAdRemICMSRet    {"adRemICMSRet",    "N15",  kDec4, 1,  5, &TICMS::adRemICMSRet,    "Alíquota ad rem do imposto retido anteriormente"};
constexpr CampoICMS kVICMSMonoRet    {"vICMSMonoRet",    "N17",  kDec2, 1, 15, &TICMS::vICMSMonoRet,    "Valor do ICMS retido anteriormente"};
// clang-format on

// What the version and the rejection rules allow.
struct CondicoesICMS {
    bool v2;       // layout 2.00 or later
    bool v31;      // layout 3.10 or later
    bool v4;       // layout 4.00 or later
    bool forca938; // retained-ST fields forced
    bool forca906; // effective-value fields forced
};

// Writes the elements of one ICMS group.
class EscritorICMS {
  public:
    EscritorICMS(TGerador &gerador, const TICMS &icms, const CondicoesICMS &se)
        : gerador_(gerador), icms_(icms), se_(se)
    {
    }

    void grupo(TpcnSitTributariaICMS cst);
    void grupo(TpcnSitSimplesNacional csosn);

  private:
    void campo(const CampoICMS &campo, bool obrigatorio = true);
    void opcional(const CampoICMS &campo) { this->campo(campo, false); }
    bool algum(std::initializer_list<Decimal TICMS::*> campos) const;
    bool positivo(Decimal TICMS::*campo) const { return icms_.*campo > Decimal(0); }
    void codigo(std::string_view id, std::string_view tag, std::int16_t min, std::int16_t max,
                bool obrigatorio, const std::string &valor, std::string_view descricao);

    void modBC();
    void modBCST();
    void motDesICMS(std::string_view id = "N28", bool obrigatorio = true, std::int16_t max = 2);
    void motDesICMSST();
    void partilha();

    // Blocks that several groups share.
    void proprio();
    void substituicao(const CampoICMS &pMVAST);
    void fcp(const CampoICMS &vBCFCP, const CampoICMS &pFCP, const CampoICMS &vFCP, bool obrigatorios = true);
    void fcpST(bool obrigatorios = true);
    void desoneracao();
    void desoneracaoST();
    void retidoAnteriormente(std::string_view idPST);
    void efetivo();
    void creditoSN();

    void icms00();
    void icms02();
    void icms10(bool partilha);
    void icms15();
    void icms20();
    void icms30();
    void icms40();
    void icms51();
    void icms53();
    void icms60();
    void icmsST();
    void icms61();
    void icms70();
    void icms90(bool partilha);
    void icmsSN201();
    void icmsSN202();
    void icmsSN500();
    void icmsSN900();

    TGerador &gerador_;
    const TICMS &icms_;
    const CondicoesICMS &se_;
};

void EscritorICMS::campo(const CampoICMS &campo, bool obrigatorio)
{
    const std::int16_t ocorrencias = obrigatorio ? 1 : 0;
    const Decimal valor = icms_.*campo.valor;
    switch (campo.forma) {
    case Forma::percentual:
        nfe_item_writer::escrevePercentual(gerador_, se_.v31, campo.id, campo.tag, ocorrencias, valor,
                                           campo.descricao);
        break;
    case Forma::dec2:
        gerador_.EscreveCampo(vcDecimal2, campo.id, campo.tag, campo.min, campo.max, ocorrencias, valor,
                              campo.descricao);
        break;
    case Forma::dec4:
        gerador_.EscreveCampo(vcDecimal4, campo.id, campo.tag, campo.min, campo.max, ocorrencias, valor,
                              campo.descricao);
        break;
    }
}

bool EscritorICMS::algum(std::initializer_list<Decimal TICMS::*> campos) const
{
    for (const auto campo : campos)
        if (positivo(campo))
            return true;
    return false;
}

void EscritorICMS::codigo(std::string_view id, std::string_view tag, std::int16_t min, std::int16_t max,
                          bool obrigatorio, const std::string &valor, std::string_view descricao)
{
    gerador_.EscreveCampo(vcTexto, id, tag, min, max, obrigatorio ? 1 : 0, valor, descricao);
}

void EscritorICMS::modBC()
{
    codigo("N13", "modBC", 1, 1, true, ModalidadeBCICMSParaCodigo(icms_.modBC),
           "Modalidade de determinação da BC do ICMS");
}

void EscritorICMS::modBCST()
{
    codigo("N18", "modBCST", 1, 1, true, ModalidadeBCICMSSTParaCodigo(icms_.modBCST),
           "Modalidade de determinação da BC do ICMS ST");
}

void EscritorICMS::motDesICMS(std::string_view id, bool obrigatorio, std::int16_t max)
{
    codigo(id, "motDesICMS", 1, max, obrigatorio, MotivoDesoneracaoParaCodigo(icms_.motDesICMS),
           "Motivo da desoneração do ICMS");
}

void EscritorICMS::motDesICMSST()
{
    codigo("N33b", "motDesICMSST", 1, 2, true, MotivoDesoneracaoParaCodigo(icms_.motDesICMSST),
           "Motivo da desoneração do ICMS- ST");
}

// The own-operation base and the state owed, of the partition groups.
void EscritorICMS::partilha()
{
    if (icms_.UFST.empty() && icms_.pBCOp.isZero())
        return;
    campo(kPBCOp);
    codigo("N24", "UFST", 2, 2, true, icms_.UFST, "UF para qual é devido o ICMS ST");
}

// modBC, vBC, pRedBC (optional), pICMS, vICMS: the own-operation block of
// CST 90 and CSOSN 900.
void EscritorICMS::proprio()
{
    modBC();
    campo(kVBC);
    opcional(kPRedBC);
    campo(kPICMS);
    campo(kVICMS);
}

void EscritorICMS::substituicao(const CampoICMS &pMVAST)
{
    modBCST();
    opcional(pMVAST);
    opcional(kPRedBCST);
    campo(kVBCST);
    campo(kPICMSST);
    campo(kVICMSST);
}

void EscritorICMS::fcp(const CampoICMS &vBCFCP, const CampoICMS &pFCP, const CampoICMS &vFCP,
                       bool obrigatorios)
{
    campo(vBCFCP, obrigatorios);
    campo(pFCP, obrigatorios);
    campo(vFCP, obrigatorios);
}

void EscritorICMS::fcpST(bool obrigatorios)
{
    if (!se_.v4 || !algum({&TICMS::vBCFCPST, &TICMS::pFCPST, &TICMS::vFCPST}))
        return;
    campo(kVBCFCPST, obrigatorios);
    campo(kPFCPST, obrigatorios);
    campo(kVFCPST, obrigatorios);
}

void EscritorICMS::desoneracao()
{
    if (!se_.v31 || !positivo(&TICMS::vICMSDeson))
        return;
    campo(kVICMSDeson);
    motDesICMS();
}

void EscritorICMS::desoneracaoST()
{
    if (!se_.v4 || !positivo(&TICMS::vICMSSTDeson))
        return;
    campo(kVICMSSTDeson);
    motDesICMSST();
}

// The ST retained earlier (CST 60, CSOSN 500): forced by the rejection-938 rule.
void EscritorICMS::retidoAnteriormente(std::string_view idPST)
{
    if (!algum({&TICMS::vBCSTRet, &TICMS::pST, &TICMS::vICMSSubstituto, &TICMS::vICMSSTRet}) && !se_.forca938)
        return;
    campo(kVBCSTRet);
    if (se_.v4) {
        campo(kPST.comId(idPST));
        campo(kVICMSSubstituto, se_.forca938);
    }
    campo(kVICMSSTRet);
}

void EscritorICMS::efetivo()
{
    campo(kPRedBCEfet);
    campo(kVBCEfet);
    campo(kPICMSEfet);
    campo(kVICMSEfet);
}

void EscritorICMS::creditoSN()
{
    campo(kPCredSN);
    campo(kVCredICMSSN);
}

void EscritorICMS::icms00()
{
    modBC();
    campo(kVBC);
    campo(kPICMS);
    campo(kVICMS);
    if (se_.v4 && algum({&TICMS::pFCP, &TICMS::vFCP})) {
        campo(kPFCP);
        campo(kVFCP);
    }
}

void EscritorICMS::icms02()
{
    opcional(kQBCMono);
    campo(kAdRemICMS);
    campo(kVICMSMono);
}

void EscritorICMS::icms10(bool comPartilha)
{
    modBC();
    campo(kVBC);
    if (comPartilha)
        opcional(kPRedBC.comDuasCasas());
    campo(kPICMS);
    campo(kVICMS);
    if (se_.v4 && !comPartilha && algum({&TICMS::vBCFCP, &TICMS::pFCP, &TICMS::vFCP}))
        fcp(kVBCFCP, kPFCP, kVFCP);
    substituicao(kPMVAST);
    fcpST();
    if (comPartilha)
        partilha();
    else
        desoneracaoST();
}

void EscritorICMS::icms15()
{
    opcional(kQBCMono);
    campo(kAdRemICMS);
    campo(kVICMSMono);
    opcional(kQBCMonoReten);
    campo(kAdRemICMSReten);
    campo(kVICMSMonoReten);
    if (!icms_.pRedAdRem.isZero()) {
        campo(kPRedAdRem);
        codigo("N33b", "motRedAdRem", 1, 1, true, MotivoReducaoAdRemParaCodigo(icms_.motRedAdRem),
               "Motivo da redução do adrem");
    }
}

void EscritorICMS::icms20()
{
    modBC();
    campo(kPRedBC);
    campo(kVBC);
    campo(kPICMS);
    campo(kVICMS);
    if (se_.v4 && algum({&TICMS::vBCFCP, &TICMS::pFCP, &TICMS::vFCP}))
        fcp(kVBCFCP, kPFCP, kVFCP);
    desoneracao();
}

void EscritorICMS::icms30()
{
    substituicao(kPMVAST);
    fcpST();
    desoneracao();
}

void EscritorICMS::icms40()
{
    if (se_.v31) {
        if (positivo(&TICMS::vICMSDeson)) {
            campo(kVICMSDeson.comId("N13a"));
            motDesICMS("N13b");
        }
        return;
    }
    opcional(kVICMS);
    if (positivo(&TICMS::vICMS))
        motDesICMS("N28", false, 1);
}

void EscritorICMS::icms51()
{
    if (icms_.modBC != mbcVazio)
        modBC();
    campo(kPRedBC);
    campo(kVBC);
    campo(kPICMS);
    campo(kVICMSOp);
    campo(kPDif);
    campo(kVICMSDif);
    campo(kVICMS);
    if (se_.v4 && algum({&TICMS::vBCFCP, &TICMS::pFCP, &TICMS::vFCP}))
        fcp(kVBCFCP, kPFCP, kVFCP);
    if (se_.v4 && algum({&TICMS::pFCPDif, &TICMS::vFCPDif, &TICMS::vFCPEfet})) {
        campo(kPFCPDif);
        campo(kVFCPDif);
        opcional(kVFCPEfet);
    }
}

void EscritorICMS::icms53()
{
    opcional(kQBCMonoDif);
    opcional(kAdRemICMSDif);
    opcional(kVICMSMonoDif);
}

void EscritorICMS::icms60()
{
    if (!se_.v2) {
        campo(kVBCST);
        campo(kVICMSST);
        return;
    }
    retidoAnteriormente(kPST.id);
    if (se_.v4 && algum({&TICMS::vBCFCPSTRet, &TICMS::pFCPSTRet, &TICMS::vFCPSTRet}))
        fcp(kVBCFCPSTRet.comId("N23a"), kPFCPSTRet, kVFCPSTRet);
    if (se_.v4 &&
        (algum({&TICMS::pRedBCEfet, &TICMS::vBCEfet, &TICMS::pICMSEfet, &TICMS::vICMSEfet}) || se_.forca906))
        efetivo();
}

// CST 41 and 60 with the ST transferred to the state of destination.
void EscritorICMS::icmsST()
{
    campo(kVBCSTRet.comDescricao("BC do ICMS ST retido"));
    if (se_.v4) {
        campo(kPST, se_.forca938);
        campo(kVICMSSubstituto, se_.forca938);
    }
    campo(kVICMSSTRet);
    if (algum({&TICMS::vBCFCPSTRet, &TICMS::pFCPSTRet, &TICMS::vFCPSTRet}))
        fcp(kVBCFCPSTRet.comDescricao("Valor da Base de Cálculo do FCP"),
            kPFCPSTRet.comDescricao("Percentual do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"),
            kVFCPSTRet.comId("N27c").comDescricao(
                "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"),
            false);
    campo(kVBCSTDest);
    campo(kVICMSSTDest);
    if (algum({&TICMS::pRedBCEfet, &TICMS::vBCEfet, &TICMS::pICMSEfet, &TICMS::vICMSEfet}) || se_.forca906)
        efetivo();
}

void EscritorICMS::icms61()
{
    opcional(kQBCMonoRet);
    campo(kAdRemICMSRet);
    campo(kVICMSMonoRet);
}

void EscritorICMS::icms70()
{
    modBC();
    campo(kPRedBC);
    campo(kVBC);
    campo(kPICMS);
    campo(kVICMS);
    if (se_.v4 && algum({&TICMS::vBCFCP, &TICMS::pFCP, &TICMS::vFCP}))
        fcp(kVBCFCP.comId("N23a"), kPFCP.comId("N23b"), kVFCP.comId("N23d"));
    substituicao(kPMVAST);
    fcpST();
    desoneracao();
    desoneracaoST();
}

void EscritorICMS::icms90(bool comPartilha)
{
    if (algum({&TICMS::vBC, &TICMS::vICMS}))
        proprio();
    if (se_.v4 && !comPartilha && algum({&TICMS::vBCFCP, &TICMS::pFCP, &TICMS::vFCP}))
        fcp(kVBCFCP, kPFCP, kVFCP, false);
    if (algum({&TICMS::vBCST, &TICMS::vICMSST}))
        substituicao(kPMVAST.comDuasCasas());
    fcpST(false);
    if (comPartilha) {
        partilha();
        return;
    }
    desoneracao();
    desoneracaoST();
}

void EscritorICMS::icmsSN201()
{
    substituicao(kPMVAST);
    fcpST();
    creditoSN();
}

void EscritorICMS::icmsSN202()
{
    substituicao(kPMVAST);
    fcpST();
}

void EscritorICMS::icmsSN500()
{
    retidoAnteriormente("N26.1");
    if (se_.v4 && algum({&TICMS::vBCFCPSTRet, &TICMS::pFCPSTRet, &TICMS::vFCPSTRet}))
        fcp(kVBCFCPSTRet, kPFCPSTRet, kVFCPSTRet);
    if (se_.v4 &&
        (algum({&TICMS::pRedBCEfet, &TICMS::vBCEfet, &TICMS::pICMSEfet, &TICMS::vICMSEfet}) || se_.forca906))
        efetivo();
}

void EscritorICMS::icmsSN900()
{
    if (algum({&TICMS::vBC, &TICMS::vICMS}))
        proprio();
    if (algum({&TICMS::vBCST, &TICMS::vICMSST}))
        substituicao(kPMVAST);
    fcpST();
    if (positivo(&TICMS::pCredSN))
        creditoSN();
}

void EscritorICMS::grupo(TpcnSitTributariaICMS cst)
{
    switch (cst) {
    case sti00:
        icms00();
        break;
    case sti02:
        icms02();
        break;
    case sti10:
        icms10(false);
        break;
    case sti10Part:
        icms10(true);
        break;
    case sti15:
        icms15();
        break;
    case sti20:
        icms20();
        break;
    case sti30:
        icms30();
        break;
    case sti40:
    case sti41:
    case sti50:
        icms40();
        break;
    case sti51:
        icms51();
        break;
    case sti53:
        icms53();
        break;
    case sti60:
        icms60();
        break;
    case sti41Rep:
    case sti60Rep:
        icmsST();
        break;
    case sti61:
        icms61();
        break;
    case sti70:
        icms70();
        break;
    case sti90:
        icms90(false);
        break;
    case sti90Part:
        icms90(true);
        break;
    case sti80:
    case sti81:
    case sti45:
    case sti91:
    case stiSN:
    case stiVazio:
        break;
    }
}

void EscritorICMS::grupo(TpcnSitSimplesNacional csosn)
{
    switch (csosn) {
    case ssn101:
        creditoSN();
        break;
    case ssn201:
        icmsSN201();
        break;
    case ssn202:
    case ssn203:
        icmsSN202();
        break;
    case ssn500:
        icmsSN500();
        break;
    case ssn900:
        icmsSN900();
        break;
    case ssn102:
    case ssn103:
    case ssn300:
    case ssn400:
    case ssnVazio:
        break;
    }
}

// The rejection rules: whether the option forces the fields in this environment.
bool opcaoForca(TForcarGeracaoTag opcao, TpcnTipoAmbiente ambiente)
{
    return opcao == fgtSempre || (opcao == fgtSomenteProducao && ambiente == taProducao) ||
           (opcao == fgtSomenteHomologacao && ambiente == taHomologacao);
}

// The suffix after "ICMS" of the group of a tax situation.
std::string SufixoGrupoICMS(TpcnSitTributariaICMS situacao, double versao)
{
    switch (situacao) {
    case sti00:
        return "00";
    case sti10:
        return "10";
    case sti20:
        return "20";
    case sti30:
        return "30";
    case sti40:
    case sti41:
    case sti50:
        return "40";
    case sti51:
        return "51";
    case sti60:
        return "60";
    case sti70:
        return "70";
    case sti80:
        return "80";
    case sti81:
        return "81";
    case sti90:
        return "90";
    case sti10Part:
    case sti90Part:
        return "Part";
    case sti41Rep:
        return "ST";
    case sti60Rep:
        return versao >= 4 ? "ST" : "60";
    case sti02:
        return "02";
    case sti15:
        return "15";
    case sti53:
        return "53";
    case sti61:
        return "61";
    case sti45:
    case stiVazio:
    case sti91:
    case stiSN:
        return "";
    }
    return "";
}

} // namespace

int TNFeW::DeveForcarRejeicao938() const
{
    return opcaoForca(Opcoes.ForcarGerarTagRejeicao938, NFe.ide.tpAmb) ? 1 : 0;
}

int TNFeW::DeveForcarRejeicao906() const
{
    if (NFe.ide.indFinal != icf1)
        return 0;
    return opcaoForca(Opcoes.ForcarGerarTagRejeicao906, NFe.ide.tpAmb) ? 1 : 0;
}

void TNFeW::EscreveICMS(int item)
{
    const TICMS &icms = NFe.det.ObterItem(item).imposto.ICMS;
    const CondicoesICMS condicoes{versao() >= 2, LayoutDesde310, versao() >= 4, DeveForcarRejeicao938() == 1,
                                  DeveForcarRejeicao906() == 1};
    EscritorICMS escritor(Gerador, icms, condicoes);

    Gerador.EscreveGrupo("ICMS", "N01");
    const std::string origem = OrigemProdutoParaCodigo(icms.orig);
    if (NFe.emit.CRT == crt1) {
        const std::string grupo = "ICMSSN" + SitSimplesNacionalParaGrupo(icms.CSOSN);
        Gerador.EscreveGrupo(grupo, "N" + SitSimplesNacionalParaIdLayout(icms.CSOSN));
        Gerador.EscreveCampo(vcTexto, "N11", "orig", 1, 1, 1, origem, "Origem da mercadoria");
        Gerador.EscreveCampo(vcTexto, "N12a", "CSOSN", 3, 3, 1, SitSimplesNacionalParaCodigo(icms.CSOSN),
                             "Código de Situação da Operação – Simples Nacional");
        escritor.grupo(icms.CSOSN);
        Gerador.EscreveGrupo("/" + grupo);
    } else {
        const std::string grupo = "ICMS" + SufixoGrupoICMS(icms.CST, versao());
        Gerador.EscreveGrupo(grupo, "N" + SitTributariaICMSParaIdLayout(icms.CST));
        Gerador.EscreveCampo(vcTexto, "N11", "orig", 1, 1, 1, origem, "Origem da mercadoria");
        Gerador.EscreveCampo(vcTexto, "N12", "CST", 2, 2, 1, SitTributariaICMSParaCodigo(icms.CST),
                             "Código da situação tributária");
        escritor.grupo(icms.CST);
        Gerador.EscreveGrupo("/" + grupo);
    }
    Gerador.EscreveGrupo("/ICMS");
}
