// Checks of single layout values: identifiers (through the document
// validator), country, service-list item, referenced paper note, municipality
// and SUFRAMA registration.

#include <algorithm>
#include <array>

#include "foundation/checks/validador.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"

namespace {

// Items of the municipal service list.
constexpr std::array<int, 193> kItensListaServico = {
    101,  102,  103,  104,  105,  106,  107,  108,  201,  302,  303,  304,  305,  401,  402,  403,  404,
    405,  406,  407,  408,  409,  410,  411,  412,  413,  414,  415,  416,  417,  418,  419,  420,  421,
    422,  423,  501,  502,  503,  504,  505,  506,  507,  508,  509,  601,  602,  603,  604,  605,  701,
    702,  703,  704,  705,  706,  707,  708,  709,  710,  711,  712,  713,  716,  717,  718,  719,  720,
    721,  722,  801,  802,  901,  902,  903,  1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010,
    1101, 1102, 1103, 1104, 1201, 1202, 1203, 1204, 1205, 1206, 1207, 1208, 1209, 1210, 1211, 1212, 1213,
    1214, 1215, 1216, 1217, 1302, 1303, 1304, 1305, 1401, 1402, 1403, 1404, 1405, 1406, 1407, 1408, 1409,
    1410, 1411, 1412, 1413, 1501, 1502, 1503, 1504, 1505, 1506, 1507, 1508, 1509, 1510, 1511, 1512, 1513,
    1514, 1515, 1516, 1517, 1518, 1601, 1701, 1702, 1703, 1704, 1705, 1706, 1708, 1709, 1710, 1711, 1712,
    1713, 1714, 1715, 1716, 1717, 1718, 1719, 1720, 1721, 1722, 1723, 1724, 1801, 1901, 2001, 2002, 2003,
    2101, 2201, 2301, 2401, 2501, 2502, 2503, 2504, 2601, 2701, 2801, 2901, 3001, 3101, 3201, 3301, 3401,
    3501, 3601, 3701, 3801, 3901, 4001};

// Country codes accepted as they are, without their check digit.
constexpr std::array<int, 254> kPaisesSemDigito = {
    132,  175,  230,  310,  370,  400,  418,  434,  477,  531,  590,  639,  647,  655,  698,  699,  728,
    736,  779,  809,  817,  833,  850,  876,  884,  906,  930,  973,  981,  990,  1015, 1058, 1082, 1112,
    1155, 1198, 1279, 1376, 1414, 1457, 1490, 1504, 1508, 1511, 1538, 1546, 1589, 1600, 1619, 1635, 1651,
    1694, 1732, 1775, 1830, 1872, 1902, 1937, 1953, 1961, 1988, 1996, 2003, 2291, 2321, 2356, 2399, 2402,
    2437, 2445, 2453, 2461, 2470, 2496, 2518, 2534, 2550, 2593, 2674, 2712, 2755, 2810, 2852, 2895, 2917,
    2933, 2976, 3018, 3050, 3093, 3131, 3174, 3255, 3298, 3310, 3344, 3379, 3417, 3450, 3514, 3557, 3573,
    3595, 3611, 3654, 3697, 3727, 3751, 3794, 3832, 3867, 3913, 3964, 3999, 4030, 4111, 4200, 4235, 4260,
    4278, 4316, 4340, 4383, 4405, 4421, 4456, 4472, 4499, 4502, 4525, 4553, 4588, 4618, 4642, 4677, 4723,
    4740, 4766, 4774, 4855, 4880, 4885, 4901, 4936, 4944, 4952, 4979, 4985, 4995, 5010, 5053, 5070, 5088,
    5118, 5177, 5215, 5258, 5282, 5312, 5355, 5380, 5428, 5452, 5487, 5517, 5568, 5665, 5738, 5754, 5762,
    5780, 5800, 5860, 5894, 5932, 5991, 6033, 6076, 6114, 6238, 6254, 6289, 6408, 6475, 6602, 6653, 6700,
    6750, 6769, 6777, 6781, 6858, 6874, 6904, 6912, 6955, 6971, 6980, 6998, 7005, 7056, 7102, 7153, 7200,
    7285, 7315, 7358, 7370, 7412, 7447, 7480, 7501, 7544, 7560, 7595, 7600, 7641, 7676, 7706, 7722, 7765,
    7803, 7820, 7838, 7889, 7919, 7951, 8001, 8052, 8109, 8150, 8206, 8230, 8249, 8273, 8281, 8311, 8338,
    8451, 8478, 8486, 8508, 8583, 8630, 8664, 8702, 8737, 8885, 8907, 8958, 9903, 9946, 9950, 9970};

static_assert(std::is_sorted(kItensListaServico.begin(), kItensListaServico.end()));
static_assert(std::is_sorted(kPaisesSemDigito.begin(), kPaisesSemDigito.end()));

// Municipality codes whose check digit does not follow the rule, written
// "|code|code|..." so that "|" + the first six digits finds their family.
constexpr std::string_view kMunicipiosDigitoIrregular =
    "|2201919|2202251|2201988|2611533|3117836|3152131|4305871|5203939|5203962|";

int digito(char c)
{
    return c - '0';
}

} // namespace

bool CNPJValido(std::string_view cnpj)
{
    return VerificaCNPJ(cnpj).empty();
}
bool CPFValido(std::string_view cpf)
{
    return VerificaCPF(cpf).empty();
}
bool CNPJouCPFValido(std::string_view documento)
{
    return VerificaCNPJouCPF(documento).empty();
}
bool GTINValido(std::string_view gtin)
{
    return VerificaGTIN(gtin).empty();
}
bool PrefixoGTINValido(std::string_view gtin)
{
    return VerificaPrefixoGTIN(gtin).empty();
}

bool InscricaoEstadualValida(std::string_view inscricao, std::string_view uf)
{
    return VerificaIE(inscricao, uf).empty();
}

int ConfereCodigoPais(int codigo)
{
    const std::string texto = InteiroEmNDigitos(codigo, 4);
    if (!SoDigitos(texto))
        return -1;
    const int quatroDigitos = std::stoi(texto);
    if (std::binary_search(kPaisesSemDigito.begin(), kPaisesSemDigito.end(), quatroDigitos))
        return 1;
    const int soma = digito(texto[0]) * 4 + digito(texto[1]) * 3 + digito(texto[2]) * 2;
    const int resto = soma % 11;
    const int esperado = resto < 2 ? 0 : 11 - resto;
    return esperado == digito(texto[3]) ? 0 : -1;
}

bool ItemListaServicoValido(int codigo)
{
    return std::binary_search(kItensListaServico.begin(), kItensListaServico.end(), codigo);
}

bool ModeloNFRefValido(int modelo, double versao)
{
    if (versao >= 4.0)
        return modelo == 1 || modelo == 2;
    return modelo == 1;
}

bool CodigoMunicipioValido(int codigo)
{
    if (codigo == 9999999)
        return true;
    const std::string texto = std::to_string(codigo);
    const std::string familia = "|" + texto.substr(0, 6);
    if (kMunicipiosDigitoIrregular.find(familia) != std::string_view::npos)
        return kMunicipiosDigitoIrregular.find("|" + texto + "|") != std::string_view::npos;

    if (texto.size() != 7 || !CodigoUFValido(std::stoi(texto.substr(0, 2))) || texto.substr(2, 4) == "0000")
        return false;
    static constexpr std::array<int, 7> kPesos = {1, 2, 1, 2, 1, 2, 0};
    int total = 0;
    for (std::size_t i = 0; i < kPesos.size(); ++i) {
        const int produto = digito(texto[i]) * kPesos[i];
        total += produto >= 10 ? produto / 10 + produto % 10 : produto;
    }
    const int s = total % 10;
    const int esperado = s == 0 ? 0 : 10 - s;
    return esperado == digito(texto[6]);
}

bool InscricaoSUFRAMAValida(std::string_view inscricao)
{
    const std::string digitos = SomenteDigitos(inscricao);
    if (digitos.size() < 9)
        return false;
    int soma = 0;
    for (int i = 0; i < 8; ++i)
        soma += digito(digitos[static_cast<std::size_t>(i)]) * (9 - i);
    int esperado = 11 - soma % 11;
    if (esperado > 9)
        esperado = 0;
    return esperado == digito(digitos[8]);
}
