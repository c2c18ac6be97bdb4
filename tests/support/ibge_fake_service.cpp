#include "tests/support/ibge_fake_service.h"

#include <vector>

#include "tests/support/run_command.h"

namespace testsupport {

namespace {

struct State {
    int code;
    const char *abbreviation;
    const char *name;
    const char *region;
    const char *regionName;
};

const State kStates[] = {
    {11, "RO", "Rondônia", "N", "Norte"},
    {12, "AC", "Acre", "N", "Norte"},
    {13, "AM", "Amazonas", "N", "Norte"},
    {14, "RR", "Roraima", "N", "Norte"},
    {15, "PA", "Pará", "N", "Norte"},
    {16, "AP", "Amapá", "N", "Norte"},
    {17, "TO", "Tocantins", "N", "Norte"},
    {21, "MA", "Maranhão", "NE", "Nordeste"},
    {22, "PI", "Piauí", "NE", "Nordeste"},
    {23, "CE", "Ceará", "NE", "Nordeste"},
    {24, "RN", "Rio Grande do Norte", "NE", "Nordeste"},
    {25, "PB", "Paraíba", "NE", "Nordeste"},
    {26, "PE", "Pernambuco", "NE", "Nordeste"},
    {27, "AL", "Alagoas", "NE", "Nordeste"},
    {28, "SE", "Sergipe", "NE", "Nordeste"},
    {29, "BA", "Bahia", "NE", "Nordeste"},
    {31, "MG", "Minas Gerais", "SE", "Sudeste"},
    {32, "ES", "Espírito Santo", "SE", "Sudeste"},
    {33, "RJ", "Rio de Janeiro", "SE", "Sudeste"},
    {35, "SP", "São Paulo", "SE", "Sudeste"},
    {41, "PR", "Paraná", "S", "Sul"},
    {42, "SC", "Santa Catarina", "S", "Sul"},
    {43, "RS", "Rio Grande do Sul", "S", "Sul"},
    {50, "MS", "Mato Grosso do Sul", "CO", "Centro-Oeste"},
    {51, "MT", "Mato Grosso", "CO", "Centro-Oeste"},
    {52, "GO", "Goiás", "CO", "Centro-Oeste"},
    {53, "DF", "Distrito Federal", "CO", "Centro-Oeste"},
};

struct Municipality {
    int code;
    const char *name;
    bool withMicroregion = true;
};

// In the service's own order (by name within each state).
const Municipality kMunicipalities[] = {
    {2507507, "João Pessoa"},
    {2513406, "Santa Luzia"},
    {3106200, "Belo Horizonte"},
    {3151800, "Poços de Caldas"},
    {3157807, "Santa Luzia"},
    {3304557, "Rio de Janeiro"},
    {3509502, "Campinas"},
    {3545803, "Santa Bárbara d'Oeste"},
    {3547809, "Santo André"},
    {3548500, "Santos"},
    {3548708, "São Bernardo do Campo"},
    {3550308, "São Paulo"},
    {5101837, "Boa Esperança do Norte", false},
};

const State &stateOf(int code)
{
    for (const State &state : kStates)
        if (state.code == code)
            return state;
    return kStates[0];
}

std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string stateJson(const State &state)
{
    return "{\"id\":" + std::to_string(state.code) + ",\"sigla\":" + quoted(state.abbreviation) +
           ",\"nome\":" + quoted(state.name) + ",\"regiao\":{\"id\":1,\"sigla\":" + quoted(state.region) +
           ",\"nome\":" + quoted(state.regionName) + "}}";
}

std::string municipalityJson(const Municipality &city)
{
    const State &state = stateOf(city.code / 100000);
    std::string json =
        "{\"id\":" + std::to_string(city.code) + ",\"nome\":" + quoted(city.name) + ",\"microrregiao\":";
    if (city.withMicroregion)
        json += "{\"id\":1,\"nome\":\"Micro\",\"mesorregiao\":{\"id\":1,\"nome\":\"Meso\",\"UF\":" +
                stateJson(state) + "}}";
    else
        json += "null";
    return json + ",\"regiao-imediata\":{\"id\":1,\"nome\":\"Imediata\"}}";
}

std::string municipalitiesJson(int stateCode)
{
    std::string json = "[";
    for (const Municipality &city : kMunicipalities) {
        if (stateCode != 0 && city.code / 100000 != stateCode)
            continue;
        if (json.size() > 1)
            json += ",";
        json += municipalityJson(city);
    }
    return json + "]";
}

HttpTestResponse json(std::string body)
{
    return HttpTestResponse::text(200, "OK", std::move(body), "application/json;charset=UTF-8");
}

} // namespace

IbgeFakeService::IbgeFakeService()
    : server_([this](const HttpTestRequest &request) { return answer(request); })
{
}

std::string IbgeFakeService::statePath(int stateCode)
{
    return "/api/v1/localidades/estados/" + std::to_string(stateCode) + "/municipios";
}

HttpTestResponse IbgeFakeService::answer(const HttpTestRequest &request)
{
    if (const auto failure = failures.find(request.target); failure != failures.end())
        return HttpTestResponse::text(failure->second, "Falha", "{\"message\":\"falha simulada\"}",
                                      "application/json;charset=UTF-8");
    if (request.target == kStatesPath) {
        std::string body = "[";
        for (const State &state : kStates)
            body += (body.size() > 1 ? "," : "") + stateJson(state);
        body += "]";
        HttpTestResponse response = json(body);
        if (request.header("Accept-Encoding").find("gzip") != std::string::npos) {
            const CommandResult gzip = runCommand({"gzip", "-c", "-n"}, body);
            if (gzip.exitCode != 0)
                return HttpTestResponse::text(500, "gzip", gzip.err);
            response.body = gzip.out;
            response.headers.emplace_back("Content-Encoding", "gzip");
        }
        return response;
    }
    if (request.target == kAllPath)
        return json(municipalitiesJson(0));
    for (const State &state : kStates)
        if (request.target == statePath(state.code))
            return json(municipalitiesJson(state.code));
    return HttpTestResponse::text(404, "Not Found", "{\"message\":\"caminho desconhecido\"}",
                                  "application/json");
}

} // namespace testsupport
