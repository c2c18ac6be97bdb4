// Verb "rules": the business rules of one note, as checked before sending.

#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/services/notas_fiscais.h"
#include "nota_componente.h"
#include "verbs.h"

namespace {

// "YYYY-MM-DDThh:mm:ss±hh:mm" as a moment; nothing when the text is not so.
std::optional<std::chrono::system_clock::time_point> momentoDe(const std::string &texto)
{
    int ano = 0, mes = 0, dia = 0, hora = 0, minuto = 0, segundo = 0, fusoHoras = 0, fusoMinutos = 0;
    char sinal = 0;
    int lidos = 0;
    if (texto.size() != 25 ||
        std::sscanf(texto.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%2d:%2d%n", &ano, &mes, &dia, &hora, &minuto,
                    &segundo, &sinal, &fusoHoras, &fusoMinutos, &lidos) != 9 ||
        lidos != 25 || (sinal != '+' && sinal != '-') || hora > 23 || minuto > 59 || segundo > 59 ||
        fusoHoras > 14 || fusoMinutos > 59)
        return std::nullopt;
    const std::chrono::year_month_day data{std::chrono::year{ano},
                                           std::chrono::month{static_cast<unsigned>(mes)},
                                           std::chrono::day{static_cast<unsigned>(dia)}};
    if (!data.ok())
        return std::nullopt;
    const std::chrono::minutes fuso{(sinal == '-' ? -1 : 1) * (fusoHoras * 60 + fusoMinutos)};
    return std::chrono::sys_days{data} + std::chrono::hours{hora} + std::chrono::minutes{minuto} +
           std::chrono::seconds{segundo} - fuso;
}

// Puts the system clock back however the verb ends.
struct RelogioFixo {
    explicit RelogioFixo(std::chrono::system_clock::time_point agora)
    {
        setClock([agora] { return agora; });
    }
    ~RelogioFixo() { resetClock(); }
    RelogioFixo(const RelogioFixo &) = delete;
    RelogioFixo &operator=(const RelogioFixo &) = delete;
};

} // namespace

int runRulesVerb(std::span<const std::string> args)
{
    std::vector<std::string> posicionais;
    std::optional<std::chrono::system_clock::time_point> agora;
    bool argumentosOk = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--now") {
            agora = i + 1 < args.size() ? momentoDe(args[++i]) : std::nullopt;
            argumentosOk = argumentosOk && agora.has_value();
        } else {
            posicionais.push_back(args[i]);
        }
    }
    if (!argumentosOk || posicionais.size() != 3 || (posicionais[2] != "1" && posicionais[2] != "2") ||
        CodigoDaSiglaUF(posicionais[1]) == 0) {
        std::fprintf(stderr, "nfe-check rules: expected <note.xml> <UF> <1|2> "
                             "[--now <YYYY-MM-DDThh:mm:ss±hh:mm>]\n");
        return 2;
    }
    auto componente = componenteComNota("rules", posicionais[0]);
    if (!componente)
        return 2;
    std::optional<RelogioFixo> relogio;
    if (agora)
        relogio.emplace(*agora);
    try {
        TConfiguracoesNFe &cfg = componente->Configuracoes();
        cfg.WebServices().SetUF(posicionais[1]);
        cfg.WebServices().Ambiente = posicionais[2] == "1" ? taProducao : taHomologacao;
        cfg.Geral().FormaEmissao = teNormal;
        NotaFiscal &nota = componente->Notas()[0];
        const bool valida = nota.ValidarRegrasNegocio();
        std::fwrite(nota.MsgErroRegras.data(), 1, nota.MsgErroRegras.size(), stdout);
        return valida ? 0 : 1;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 2;
    }
}
