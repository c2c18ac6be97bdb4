// States and municipalities of the directory: their cache lines, their JSON
// form and the sorted lookups of their lists.

#include <charconv>
#include <initializer_list>

#include <nlohmann/json.hpp>

#include "foundation/net/quib_ibge.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace {

using Json = nlohmann::json;

// ---- JSON ------------------------------------------------------------------------

Json parseArray(std::string_view text)
{
    Json root;
    try {
        root = Json::parse(text);
    } catch (const Json::exception &error) {
        throw EQuibException(std::string("Resposta JSON inválida do serviço de localidades: ") +
                             error.what());
    }
    if (!root.is_array())
        throw EQuibException("Resposta do serviço de localidades não é uma lista JSON");
    return root;
}

// The member at the end of the path of object names; null when any is absent.
const Json *member(const Json &object, std::initializer_list<const char *> path)
{
    const Json *current = &object;
    for (const char *name : path) {
        if (!current->is_object())
            return nullptr;
        const auto found = current->find(name);
        if (found == current->end() || found->is_null())
            return nullptr;
        current = &*found;
    }
    return current;
}

int asInteger(const Json *value)
{
    if (value == nullptr)
        return 0;
    if (value->is_number_integer())
        return value->get<int>();
    if (value->is_string()) {
        const std::string &text = value->get_ref<const std::string &>();
        int result = 0;
        std::from_chars(text.data(), text.data() + text.size(), result);
        return result;
    }
    return 0;
}

std::string asText(const Json *value)
{
    if (value == nullptr)
        return {};
    if (value->is_string())
        return value->get<std::string>();
    if (value->is_number())
        return value->dump();
    return {};
}

// ---- Cache lines -------------------------------------------------------------------

std::vector<std::string> cacheFields(std::string_view line)
{
    std::vector<std::string> fields;
    DivideTexto(line, '|', fields, '\0');
    return fields;
}

bool readInteger(std::string_view text, int &value)
{
    text = trimText(text);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool readFloat(std::string_view text, double &value)
{
    try {
        value = TextoParaFloat(text);
        return true;
    } catch (const ConversionError &) {
        return false;
    }
}

std::string areaText(double area)
{
    return FloatParaTexto('.', "", area);
}

template <typename T> int compareValues(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareByCode(const TQuibIBGECidade &a, const TQuibIBGECidade &b)
{
    return compareValues(a.CodigoMunicipio, b.CodigoMunicipio);
}

int compareByKey(const TQuibIBGECidade &a, const TQuibIBGECidade &b)
{
    return a.ChaveBusca.compare(b.ChaveBusca); // byte-wise
}

} // namespace

// ---- TQuibIBGEUF ------------------------------------------------------------------

void TQuibIBGEUF::Limpar()
{
    *this = TQuibIBGEUF();
}

std::string TQuibIBGEUF::LinhaCache() const
{
    return std::to_string(CodigoUF) + "|" + Sigla + "|" + Nome + "|" + SiglaRegiao + "|" + NomeRegiao + "|" +
           areaText(Area) + "|" + std::to_string(Populacao);
}

void TQuibIBGEUF::LerLinhaCache(std::string_view linha)
{
    const std::vector<std::string> fields = cacheFields(linha);
    TQuibIBGEUF lido;
    if (fields.size() != 7 || !readInteger(fields[0], lido.CodigoUF) || !readFloat(fields[5], lido.Area) ||
        !readInteger(fields[6], lido.Populacao))
        throw EQuibIBGEException("Linha de UF inválida: " + std::string(linha));
    lido.Sigla = fields[1];
    lido.Nome = fields[2];
    lido.SiglaRegiao = fields[3];
    lido.NomeRegiao = fields[4];
    *this = std::move(lido);
}

// ---- TQuibIBGECidade ------------------------------------------------------------

void TQuibIBGECidade::Limpar()
{
    *this = TQuibIBGECidade();
}

void TQuibIBGECidade::CopiarDe(const TQuibIBGECidade &origem)
{
    CodigoMunicipio = origem.CodigoMunicipio;
    NomeMunicipio = origem.NomeMunicipio;
    CodigoUF = origem.CodigoUF;
    SiglaUF = origem.SiglaUF;
    Area = origem.Area;
    Populacao = origem.Populacao;
}

std::string TQuibIBGECidade::LinhaCache() const
{
    return std::to_string(CodigoMunicipio) + "|" + NomeMunicipio + "|" + std::to_string(CodigoUF) + "|" +
           SiglaUF + "|" + areaText(Area) + "|" + std::to_string(Populacao);
}

void TQuibIBGECidade::LerLinhaCache(std::string_view linha)
{
    const std::vector<std::string> fields = cacheFields(linha);
    TQuibIBGECidade lida;
    if (fields.size() != 6 || !readInteger(fields[0], lida.CodigoMunicipio) ||
        !readInteger(fields[2], lida.CodigoUF) || !readFloat(fields[4], lida.Area) ||
        !readInteger(fields[5], lida.Populacao))
        throw EQuibIBGEException("Linha de Cidade inválida: " + std::string(linha));
    lida.NomeMunicipio = fields[1];
    lida.SiglaUF = fields[3];
    lida.ChaveBusca = ChaveBusca;
    *this = std::move(lida);
}

// ---- TQuibIBGEUFs -----------------------------------------------------------------

int TQuibIBGEUFs::IndicePorCodigo(int codigo)
{
    if (empty())
        return -1;
    if (ordem_ != IbgeSortOrder::byCode || !sorted()) {
        Ordena(
            [](const TQuibIBGEUF &a, const TQuibIBGEUF &b) { return compareValues(a.CodigoUF, b.CodigoUF); });
        ordem_ = IbgeSortOrder::byCode;
    }
    TQuibIBGEUF key;
    key.CodigoUF = codigo;
    return BuscaBinaria(key, [](const TQuibIBGEUF &a, const TQuibIBGEUF &b) {
        return compareValues(a.CodigoUF, b.CodigoUF);
    });
}

int TQuibIBGEUFs::IndicePorSigla(std::string_view sigla) const
{
    const std::string wanted = upperAscii(sigla);
    for (int i = 0; i < count(); ++i)
        if ((*this)[i].Sigla == wanted)
            return i;
    return -1;
}

int TQuibIBGEUFs::CodigoPorSigla(std::string_view sigla) const
{
    const int index = IndicePorSigla(sigla);
    return index < 0 ? -1 : (*this)[index].CodigoUF;
}

void TQuibIBGEUFs::LerJSON(std::string_view json)
{
    const Json root = parseArray(json);
    std::vector<std::unique_ptr<TQuibIBGEUF>> lidas;
    for (const Json &item : root) {
        auto uf = std::make_unique<TQuibIBGEUF>();
        uf->CodigoUF = asInteger(member(item, {"id"}));
        uf->Sigla = asText(member(item, {"sigla"}));
        uf->Nome = asText(member(item, {"nome"}));
        uf->SiglaRegiao = asText(member(item, {"regiao", "sigla"}));
        uf->NomeRegiao = asText(member(item, {"regiao", "nome"}));
        lidas.push_back(std::move(uf));
    }
    clear();
    for (auto &uf : lidas)
        Adicionar(std::move(uf));
}

// ---- TQuibIBGECidades -----------------------------------------------------------

int TQuibIBGECidades::AdicionarCopia(const TQuibIBGECidade &cidade)
{
    auto copia = std::make_unique<TQuibIBGECidade>();
    copia->CopiarDe(cidade);
    return Adicionar(std::move(copia));
}

void TQuibIBGECidades::ordenaPorCodigo()
{
    if (ordem_ == IbgeSortOrder::byCode && sorted())
        return;
    Ordena(compareByCode);
    ordem_ = IbgeSortOrder::byCode;
}

void TQuibIBGECidades::ordenaPorChave()
{
    if (ordem_ == IbgeSortOrder::bySearchKey && sorted())
        return;
    Ordena(compareByKey);
    ordem_ = IbgeSortOrder::bySearchKey;
}

int TQuibIBGECidades::IndicePorNome(std::string_view chave, bool Exata)
{
    if (empty() || chave.empty())
        return -1;
    ordenaPorChave();
    TQuibIBGECidade key;
    key.ChaveBusca = std::string(chave);
    const int index = BuscaBinaria(key, compareByKey, !Exata);
    return index >= count() ? -1 : index;
}

int TQuibIBGECidades::IndicePorCodigo(int codigo, bool Exata)
{
    if (empty())
        return -1;
    ordenaPorCodigo();
    TQuibIBGECidade key;
    key.CodigoMunicipio = codigo;
    const int index = BuscaBinaria(key, compareByCode, !Exata);
    return index >= count() ? -1 : index;
}

void TQuibIBGECidades::LerJSON(std::string_view json)
{
    const Json root = parseArray(json);
    std::vector<std::unique_ptr<TQuibIBGECidade>> lidas;
    for (const Json &item : root) {
        auto cidade = std::make_unique<TQuibIBGECidade>();
        cidade->CodigoMunicipio = asInteger(member(item, {"id"}));
        cidade->NomeMunicipio = asText(member(item, {"nome"}));
        if (const Json *uf = member(item, {"microrregiao", "mesorregiao", "UF"})) {
            cidade->CodigoUF = asInteger(member(*uf, {"id"}));
            cidade->SiglaUF = asText(member(*uf, {"sigla"}));
        } else {
            // A municipality without a microregion (the service has sent some
            // as null): its state is the first two digits of its code.
            cidade->CodigoUF = cidade->CodigoMunicipio / 100000;
            const int index = diretorio_.UFsCarregadas().IndicePorCodigo(cidade->CodigoUF);
            if (index >= 0)
                cidade->SiglaUF = diretorio_.UFsCarregadas().ObterItem(index).Sigla;
        }
        cidade->ChaveBusca = diretorio_.ChaveDeBusca(cidade->NomeMunicipio);
        lidas.push_back(std::move(cidade));
    }
    for (auto &cidade : lidas)
        Adicionar(std::move(cidade));
}
