#include "foundation/codes/conversao_itens.h"

namespace {

// clang-format off
constexpr auto kOrigemProduto = MakeCodeTable<TpcnOrigemProduto>({
    {"0", opr0}, {"1", opr1}, {"2", opr2}, {"3", opr3}, {"4", opr4}, {"5", opr5}, {"6", opr6}, {"7", opr7},
    {"8", opr8}, {"9", opr9}, {"", oprVazio},
});

constexpr auto kSitTributariaICMSLida = MakeCodeTable<TpcnSitTributariaICMS>({
    {"", stiVazio}, {"00", sti00}, {"10", sti10}, {"20", sti20}, {"30", sti30}, {"40", sti40}, {"41", sti41},
    {"45", sti45}, {"50", sti50}, {"51", sti51}, {"60", sti60}, {"70", sti70}, {"80", sti80}, {"81", sti81},
    {"90", sti90}, {"91", sti91}, {"SN", stiSN}, {"10part", sti10Part}, {"90part", sti90Part},
    {"41rep", sti41Rep}, {"60rep", sti60Rep}, {"02", sti02}, {"15", sti15}, {"53", sti53}, {"61", sti61},
});

constexpr auto kSitTributariaICMSEscrita = MakeCodeTable<TpcnSitTributariaICMS>({
    {"", stiVazio}, {"00", sti00}, {"10", sti10}, {"20", sti20}, {"30", sti30}, {"40", sti40}, {"41", sti41},
    {"45", sti45}, {"50", sti50}, {"51", sti51}, {"60", sti60}, {"70", sti70}, {"80", sti80}, {"81", sti81},
    {"90", sti90}, {"90", sti91}, {"SN", stiSN}, {"10", sti10Part}, {"90", sti90Part}, {"41", sti41Rep},
    {"60", sti60Rep}, {"02", sti02}, {"15", sti15}, {"53", sti53}, {"61", sti61},
});

constexpr auto kSitTributariaICMSIdLayout = MakeCodeTable<TpcnSitTributariaICMS>({
    {"02", sti00}, {"03", sti10}, {"04", sti20}, {"05", sti30}, {"06", sti40}, {"06", sti41}, {"06", sti50},
    {"07", sti51}, {"08", sti60}, {"09", sti70}, {"10", sti80}, {"11", sti81}, {"12", sti90},
    {"10a", sti10Part}, {"10a", sti90Part}, {"10b", sti41Rep}, {"10b", sti60Rep}, {"13", sti02},
    {"14", sti15}, {"15", sti53}, {"16", sti61},
});

constexpr auto kSitSimplesNacional = MakeCodeTable<TpcnSitSimplesNacional>({
    {"", ssnVazio}, {"101", ssn101}, {"102", ssn102}, {"103", ssn103}, {"201", ssn201}, {"202", ssn202},
    {"203", ssn203}, {"300", ssn300}, {"400", ssn400}, {"500", ssn500}, {"900", ssn900},
});

constexpr auto kSitSimplesNacionalGrupo = MakeCodeTable<TpcnSitSimplesNacional>({
    {"101", ssn101}, {"102", ssn102}, {"102", ssn103}, {"201", ssn201}, {"202", ssn202}, {"202", ssn203},
    {"102", ssn300}, {"102", ssn400}, {"500", ssn500}, {"900", ssn900},
});

constexpr auto kSitSimplesNacionalIdLayout = MakeCodeTable<TpcnSitSimplesNacional>({
    {"10c", ssn101}, {"10d", ssn102}, {"10d", ssn103}, {"10e", ssn201}, {"10f", ssn202}, {"10f", ssn203},
    {"10d", ssn300}, {"10d", ssn400}, {"10g", ssn500}, {"10h", ssn900},
});

constexpr auto kModalidadeBCICMS = MakeCodeTable<TpcnModalidadeBCICMS>({
    {"0", mbc0}, {"1", mbc1}, {"2", mbc2}, {"3", mbc3}, {"", mbcVazio},
});

constexpr auto kModalidadeBCICMSST = MakeCodeTable<TpcnModalidadeBCICMSST>({
    {"0", mbs0}, {"1", mbs1}, {"2", mbs2}, {"3", mbs3}, {"4", mbs4}, {"5", mbs5}, {"6", mbs6}, {"", mbsVazio},
});

constexpr auto kMotivoDesoneracao = MakeCodeTable<TpcnMotivoDesoneracao>({
    {"1", mdi1}, {"2", mdi2}, {"3", mdi3}, {"4", mdi4}, {"5", mdi5}, {"6", mdi6}, {"7", mdi7}, {"8", mdi8},
    {"9", mdi9}, {"10", mdi10}, {"11", mdi11}, {"12", mdi12}, {"16", mdi16}, {"90", mdi90}, {"", mdiVazio},
});

constexpr auto kSitTributariaIPI = MakeCodeTable<TpcnSitTributariaIPI>({
    {"00", sip00}, {"49", sip49}, {"50", sip50}, {"99", sip99}, {"01", sip01}, {"02", sip02}, {"03", sip03},
    {"04", sip04}, {"05", sip05}, {"51", sip51}, {"52", sip52}, {"53", sip53}, {"54", sip54}, {"55", sip55},
});
// clang-format on

constexpr auto kSitTributariaPIS = MakeCodeTable<TpcnSitTributariaPIS>({
    {"01", stp01}, {"02", stp02}, {"03", stp03}, {"04", stp04}, {"05", stp05}, {"06", stp06}, {"07", stp07},
    {"08", stp08}, {"09", stp09}, {"49", stp49}, {"50", stp50}, {"51", stp51}, {"52", stp52}, {"53", stp53},
    {"54", stp54}, {"55", stp55}, {"56", stp56}, {"60", stp60}, {"61", stp61}, {"62", stp62}, {"63", stp63},
    {"64", stp64}, {"65", stp65}, {"66", stp66}, {"67", stp67}, {"70", stp70}, {"71", stp71}, {"72", stp72},
    {"73", stp73}, {"74", stp74}, {"75", stp75}, {"98", stp98}, {"99", stp99},
});

constexpr auto kSitTributariaCOFINS = MakeCodeTable<TpcnSitTributariaCOFINS>({
    {"01", stc01}, {"02", stc02}, {"03", stc03}, {"04", stc04}, {"05", stc05}, {"06", stc06}, {"07", stc07},
    {"08", stc08}, {"09", stc09}, {"49", stc49}, {"50", stc50}, {"51", stc51}, {"52", stc52}, {"53", stc53},
    {"54", stc54}, {"55", stc55}, {"56", stc56}, {"60", stc60}, {"61", stc61}, {"62", stc62}, {"63", stc63},
    {"64", stc64}, {"65", stc65}, {"66", stc66}, {"67", stc67}, {"70", stc70}, {"71", stc71}, {"72", stc72},
    {"73", stc73}, {"74", stc74}, {"75", stc75}, {"98", stc98}, {"99", stc99},
});

// clang-format off
constexpr auto kSomaPISST = MakeCodeTable<TpcnSomaPISST>({
    {"", spsVazio}, {"0", sps0}, {"1", sps1},
});

constexpr auto kSomaCOFINSST = MakeCodeTable<TpcnSomaCOFINSST>({
    {"", scsVazio}, {"0", scs0}, {"1", scs1},
});

constexpr auto kIndSomaTotal = MakeCodeTable<TpcnIndSomaTotal>({
    {"0", ist0}, {"1", ist1},
});

constexpr auto kSitTributariaISSQN = MakeCodeTable<TpcnSitTributariaISSQN>({
    {"", sisVazio}, {"N", sisN}, {"R", sisR}, {"S", sisS}, {"I", sisI},
});

constexpr auto kExigibilidadeISS = MakeCodeTable<TpcnExigibilidadeISS>({
    {"1", eis1}, {"2", eis2}, {"3", eis3}, {"4", eis4}, {"5", eis5}, {"6", eis6}, {"7", eis7},
});

constexpr auto kIncentivoFiscal = MakeCodeTable<TpcnIncentivoFiscal>({
    {"1", ifi1}, {"2", ifi2},
});

constexpr auto kRegimeEspecialISSQN = MakeCodeTable<TpcnRegimeEspecialISSQN>({
    {"0", rei0}, {"1", rei1}, {"2", rei2}, {"3", rei3}, {"4", rei4}, {"5", rei5}, {"6", rei6},
});

constexpr auto kViaTransporteInternacional = MakeCodeTable<TpcnViaTransporteInternacional>({
    {"1", vti1}, {"2", vti2}, {"3", vti3}, {"4", vti4}, {"5", vti5}, {"6", vti6}, {"7", vti7}, {"8", vti8},
    {"9", vti9}, {"10", vti10}, {"11", vti11}, {"12", vti12}, {"13", vti13},
});

constexpr auto kFormaImportacao = MakeCodeTable<TpcnFormaImportacao>({
    {"1", fim1}, {"2", fim2}, {"3", fim3},
});
// clang-format on

} // namespace

std::string OrigemProdutoParaCodigo(TpcnOrigemProduto valor)
{
    return EnumParaCodigo(valor, kOrigemProduto);
}

TpcnOrigemProduto CodigoParaOrigemProduto(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kOrigemProduto, ok);
}

TpcnOrigemProduto CodigoParaOrigemProduto(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kOrigemProduto, ok);
}

std::string SitTributariaICMSParaCodigo(TpcnSitTributariaICMS valor)
{
    return EnumParaCodigo(valor, kSitTributariaICMSEscrita);
}

TpcnSitTributariaICMS CodigoParaSitTributariaICMS(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSitTributariaICMSLida, ok);
}

TpcnSitTributariaICMS CodigoParaSitTributariaICMS(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSitTributariaICMSLida, ok);
}

std::string SitTributariaICMSParaIdLayout(TpcnSitTributariaICMS valor)
{
    return EnumParaCodigo(valor, kSitTributariaICMSIdLayout);
}

std::string SitSimplesNacionalParaCodigo(TpcnSitSimplesNacional valor)
{
    return EnumParaCodigo(valor, kSitSimplesNacional);
}

TpcnSitSimplesNacional CodigoParaSitSimplesNacional(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSitSimplesNacional, ok);
}

TpcnSitSimplesNacional CodigoParaSitSimplesNacional(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSitSimplesNacional, ok);
}

std::string SitSimplesNacionalParaGrupo(TpcnSitSimplesNacional valor)
{
    return EnumParaCodigo(valor, kSitSimplesNacionalGrupo);
}

std::string SitSimplesNacionalParaIdLayout(TpcnSitSimplesNacional valor)
{
    return EnumParaCodigo(valor, kSitSimplesNacionalIdLayout);
}

std::string ModalidadeBCICMSParaCodigo(TpcnModalidadeBCICMS valor)
{
    return EnumParaCodigo(valor, kModalidadeBCICMS);
}

TpcnModalidadeBCICMS CodigoParaModalidadeBCICMS(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kModalidadeBCICMS, ok);
}

TpcnModalidadeBCICMS CodigoParaModalidadeBCICMS(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kModalidadeBCICMS, ok);
}

std::string ModalidadeBCICMSSTParaCodigo(TpcnModalidadeBCICMSST valor)
{
    return EnumParaCodigo(valor, kModalidadeBCICMSST);
}

TpcnModalidadeBCICMSST CodigoParaModalidadeBCICMSST(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kModalidadeBCICMSST, ok);
}

TpcnModalidadeBCICMSST CodigoParaModalidadeBCICMSST(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kModalidadeBCICMSST, ok);
}

std::string MotivoDesoneracaoParaCodigo(TpcnMotivoDesoneracao valor)
{
    return EnumParaCodigo(valor, kMotivoDesoneracao);
}

TpcnMotivoDesoneracao CodigoParaMotivoDesoneracao(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kMotivoDesoneracao, ok);
}

TpcnMotivoDesoneracao CodigoParaMotivoDesoneracao(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kMotivoDesoneracao, ok);
}

std::string SitTributariaIPIParaCodigo(TpcnSitTributariaIPI valor)
{
    return EnumParaCodigo(valor, kSitTributariaIPI);
}

TpcnSitTributariaIPI CodigoParaSitTributariaIPI(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSitTributariaIPI, ok);
}

TpcnSitTributariaIPI CodigoParaSitTributariaIPI(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSitTributariaIPI, ok);
}

std::string SitTributariaPISParaCodigo(TpcnSitTributariaPIS valor)
{
    return EnumParaCodigo(valor, kSitTributariaPIS);
}

TpcnSitTributariaPIS CodigoParaSitTributariaPIS(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSitTributariaPIS, ok);
}

TpcnSitTributariaPIS CodigoParaSitTributariaPIS(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSitTributariaPIS, ok);
}

std::string SitTributariaCOFINSParaCodigo(TpcnSitTributariaCOFINS valor)
{
    return EnumParaCodigo(valor, kSitTributariaCOFINS);
}

TpcnSitTributariaCOFINS CodigoParaSitTributariaCOFINS(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSitTributariaCOFINS, ok);
}

TpcnSitTributariaCOFINS CodigoParaSitTributariaCOFINS(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSitTributariaCOFINS, ok);
}

std::string SomaPISSTParaCodigo(TpcnSomaPISST valor)
{
    return EnumParaCodigo(valor, kSomaPISST);
}

TpcnSomaPISST CodigoParaSomaPISST(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSomaPISST, ok);
}

TpcnSomaPISST CodigoParaSomaPISST(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSomaPISST, ok);
}

std::string SomaCOFINSSTParaCodigo(TpcnSomaCOFINSST valor)
{
    return EnumParaCodigo(valor, kSomaCOFINSST);
}

TpcnSomaCOFINSST CodigoParaSomaCOFINSST(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSomaCOFINSST, ok);
}

TpcnSomaCOFINSST CodigoParaSomaCOFINSST(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSomaCOFINSST, ok);
}

std::string IndSomaTotalParaCodigo(TpcnIndSomaTotal valor)
{
    return EnumParaCodigo(valor, kIndSomaTotal);
}

TpcnIndSomaTotal CodigoParaIndSomaTotal(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kIndSomaTotal, ok);
}

TpcnIndSomaTotal CodigoParaIndSomaTotal(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kIndSomaTotal, ok);
}

std::string SitTributariaISSQNParaCodigo(TpcnSitTributariaISSQN valor)
{
    return EnumParaCodigo(valor, kSitTributariaISSQN);
}

TpcnSitTributariaISSQN CodigoParaSitTributariaISSQN(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kSitTributariaISSQN, ok);
}

TpcnSitTributariaISSQN CodigoParaSitTributariaISSQN(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kSitTributariaISSQN, ok);
}

std::string ExigibilidadeISSParaCodigo(TpcnExigibilidadeISS valor)
{
    return EnumParaCodigo(valor, kExigibilidadeISS);
}

TpcnExigibilidadeISS CodigoParaExigibilidadeISS(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kExigibilidadeISS, ok);
}

TpcnExigibilidadeISS CodigoParaExigibilidadeISS(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kExigibilidadeISS, ok);
}

std::string IncentivoFiscalParaCodigo(TpcnIncentivoFiscal valor)
{
    return EnumParaCodigo(valor, kIncentivoFiscal);
}

TpcnIncentivoFiscal CodigoParaIncentivoFiscal(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kIncentivoFiscal, ok);
}

TpcnIncentivoFiscal CodigoParaIncentivoFiscal(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kIncentivoFiscal, ok);
}

std::string RegimeEspecialISSQNParaCodigo(TpcnRegimeEspecialISSQN valor)
{
    return EnumParaCodigo(valor, kRegimeEspecialISSQN);
}

TpcnRegimeEspecialISSQN CodigoParaRegimeEspecialISSQN(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kRegimeEspecialISSQN, ok);
}

TpcnRegimeEspecialISSQN CodigoParaRegimeEspecialISSQN(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kRegimeEspecialISSQN, ok);
}

std::string ViaTransporteInternacionalParaCodigo(TpcnViaTransporteInternacional valor)
{
    return EnumParaCodigo(valor, kViaTransporteInternacional);
}

TpcnViaTransporteInternacional CodigoParaViaTransporteInternacional(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kViaTransporteInternacional, ok);
}

TpcnViaTransporteInternacional CodigoParaViaTransporteInternacional(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kViaTransporteInternacional, ok);
}

std::string FormaImportacaoParaCodigo(TpcnFormaImportacao valor)
{
    return EnumParaCodigo(valor, kFormaImportacao);
}

TpcnFormaImportacao CodigoParaFormaImportacao(std::string_view codigo, bool &ok)
{
    return CodigoParaEnum(codigo, kFormaImportacao, ok);
}

TpcnFormaImportacao CodigoParaFormaImportacao(std::string_view codigo)
{
    bool ok = false;
    return CodigoParaEnum(codigo, kFormaImportacao, ok);
}
