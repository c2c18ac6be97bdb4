#include "tests/support/staged_notes.h"

#include "foundation/dates/date_time.h"
#include "foundation/text/utf8.h"
#include "monitor_client/tabelas_notas.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace testsupport {

namespace {

using Json = nlohmann::ordered_json;

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

[[noreturn]] void fail(const std::string &where, const std::string &what)
{
    throw StagedNotesError(where + ": " + what);
}

// "dd/mm/yyyy" as a date; false for anything else.
bool parseDate(const std::string &text, TDateTime &date)
{
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return false;
    int parts[3] = {};
    const std::pair<int, int> spans[3] = {{0, 2}, {3, 2}, {6, 4}};
    for (int i = 0; i < 3; ++i) {
        const char *begin = text.data() + spans[i].first;
        const char *end = begin + spans[i].second;
        if (std::any_of(begin, end, [](char c) { return !std::isdigit(static_cast<unsigned char>(c)); }))
            return false;
        std::from_chars(begin, end, parts[i]);
    }
    return tryEncodeDate(parts[2], parts[1], parts[0], date);
}

template <typename Linha>
void setField(Linha &row, const CampoTabela<Linha> &field, const Json &value, const std::string &where)
{
    switch (field.tipo) {
    case TipoCampo::Texto:
    case TipoCampo::Memo:
    case TipoCampo::Blob: {
        if (!value.is_string())
            fail(where, "esperado um texto");
        const auto text = value.get<std::string>();
        if (field.tipo == TipoCampo::Texto && utf8Length(text) > static_cast<std::size_t>(field.largura))
            fail(where, "texto com " + std::to_string(utf8Length(text)) + " caracteres (maximo " +
                            std::to_string(field.largura) + ")");
        row.*std::get<std::string Linha::*>(field.membro) = text;
        return;
    }
    case TipoCampo::Booleano:
        if (!value.is_boolean())
            fail(where, "esperado true ou false");
        row.*std::get<bool Linha::*>(field.membro) = value.get<bool>();
        return;
    case TipoCampo::Data: {
        TDateTime date = 0;
        if (!value.is_string() || !parseDate(value.get<std::string>(), date))
            fail(where, "esperada uma data dd/mm/aaaa");
        row.*std::get<double Linha::*>(field.membro) = date;
        return;
    }
    case TipoCampo::Real:
        if (!value.is_number())
            fail(where, "esperado um numero");
        row.*std::get<double Linha::*>(field.membro) = value.get<double>();
        return;
    case TipoCampo::Inteiro:
    case TipoCampo::Word: {
        if (!value.is_number_integer())
            fail(where, "esperado um numero inteiro");
        const auto number = value.get<std::int64_t>();
        if (field.tipo == TipoCampo::Word) {
            if (number < 0 || number > std::numeric_limits<std::uint16_t>::max())
                fail(where, "fora de 0 a 65535");
            row.*std::get<std::uint16_t Linha::*>(field.membro) = static_cast<std::uint16_t>(number);
        } else {
            if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
                fail(where, "fora do intervalo de um inteiro de 32 bits");
            row.*std::get<int Linha::*>(field.membro) = static_cast<int>(number);
        }
        return;
    }
    }
}

template <typename Linha>
void loadTable(const std::string &name, const Json &rows, TabelaNotas<Linha> &table, TabelasNotas &tables)
{
    if (!rows.is_array())
        fail(name, "esperada uma lista de linhas");
    int number = 0;
    for (const auto &object : rows) {
        const std::string at = name + ", linha " + std::to_string(++number);
        if (!object.is_object())
            fail(at, "esperado um objeto");
        Linha row = table.nova();
        for (const auto &[key, value] : object.items()) {
            const auto fields = table.campos();
            const auto field = std::find_if(fields.begin(), fields.end(),
                                            [&](const auto &f) { return sameName(f.nome, key); });
            if (field == fields.end())
                fail(at + ", campo " + key, "campo desconhecido");
            setField(row, *field, value, at + ", campo " + field->nome);
        }
        tables.posta(std::move(row));
    }
}

} // namespace

void loadStagedNotes(std::string_view json, TabelasNotas &tabelas)
{
    Json document;
    try {
        document = Json::parse(json);
    } catch (const Json::parse_error &error) {
        throw StagedNotesError(std::string("JSON invalido: ") + error.what());
    }
    if (!document.is_object())
        throw StagedNotesError("JSON invalido: esperado um objeto com uma lista por tabela");
    tabelas.OpenFile();
    for (const auto &[name, rows] : document.items()) {
        if (sameName(name, "tblNotas"))
            loadTable("tblNotas", rows, tabelas.tblNotas, tabelas);
        else if (sameName(name, "tblItens"))
            loadTable("tblItens", rows, tabelas.tblItens, tabelas);
        else if (sameName(name, "tblObsCorpo"))
            loadTable("tblObsCorpo", rows, tabelas.tblObsCorpo, tabelas);
        else if (sameName(name, "tblFatura"))
            loadTable("tblFatura", rows, tabelas.tblFatura, tabelas);
        else if (sameName(name, "tblVolumes"))
            loadTable("tblVolumes", rows, tabelas.tblVolumes, tabelas);
        else if (sameName(name, "tblLotesMed"))
            loadTable("tblLotesMed", rows, tabelas.tblLotesMed, tabelas);
        else
            throw StagedNotesError(name + ": tabela desconhecida");
    }
}

void loadStagedNotesFile(const std::string &path, TabelasNotas &tabelas)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw StagedNotesError(path + ": arquivo nao encontrado");
    std::ostringstream text;
    text << file.rdbuf();
    loadStagedNotes(text.str(), tabelas);
}

} // namespace testsupport
