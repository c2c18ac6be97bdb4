// Verbs "monitor-request" and "monitor-export": the note request documents
// or the TXT-layout exports of staged notes, as the note screen writes them.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dados/dtm_nfe_grd.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "modulo_avulso.h"
#include "monitor_client/frm_nfe_2g.h"
#include "monitor_client/tabelas_notas.h"
#include "monitor_notas_verb.h"
#include "tests/support/staged_notes.h"
#include "verbs.h"

namespace {

// "YYYY-MM-DDThh:mm:ss" in the computer's local time as a moment; nothing
// when the text is not so.
std::optional<std::chrono::system_clock::time_point> momentoLocal(const std::string &texto)
{
    int ano = 0, mes = 0, dia = 0, hora = 0, minuto = 0, segundo = 0, lidos = 0;
    if (texto.size() != 19 ||
        std::sscanf(texto.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &ano, &mes, &dia, &hora, &minuto, &segundo,
                    &lidos) != 6 ||
        lidos != 19 || hora > 23 || minuto > 59 || segundo > 59)
        return std::nullopt;
    const std::chrono::year_month_day data{std::chrono::year{ano},
                                           std::chrono::month{static_cast<unsigned>(mes)},
                                           std::chrono::day{static_cast<unsigned>(dia)}};
    if (!data.ok())
        return std::nullopt;
    const auto comoUtc = std::chrono::sys_days{data} + std::chrono::hours{hora} +
                         std::chrono::minutes{minuto} + std::chrono::seconds{segundo};
    return comoUtc - std::chrono::minutes{localUtcOffsetMinutes(comoUtc)};
}

struct RelogioFixo {
    explicit RelogioFixo(std::chrono::system_clock::time_point agora)
    {
        setClock([agora] { return agora; });
    }
    ~RelogioFixo() { resetClock(); }
    RelogioFixo(const RelogioFixo &) = delete;
    RelogioFixo &operator=(const RelogioFixo &) = delete;
};

// Makes the emitter row of the note current: the CONFIGNFE row whose CNPJ
// digits are the note's `cnpj_emitente` digits, or the first row when the
// note names none.
void selecionaEmitente(TdtmNFE_grd &modulo, const LinhaNota &nota)
{
    if (!modulo.tblConfigNFE || !modulo.tblConfigNFE->active())
        throw ProgramError("a tabela CONFIGNFE não pôde ser aberta");
    auto &tabela = *modulo.tblConfigNFE;
    tabela.first();
    const std::string cnpj = SomenteNumeros(nota.cnpj_emitente);
    if (tabela.eof())
        throw ProgramError("CONFIGNFE não tem emitente");
    if (cnpj.empty())
        return;
    for (; !tabela.eof(); tabela.next())
        if (SomenteNumeros(tabela.field("CNPJ_EMI").asString()) == cnpj)
            return;
    throw ProgramError("emitente " + nota.cnpj_emitente + " não encontrado em CONFIGNFE");
}

} // namespace

int runSobreNotasEncenadas(std::span<const std::string> args, const char *verbo,
                           const std::function<std::string(TfrmNFE_2G &)> &gera)
{
    std::vector<std::string> posicionais;
    std::optional<std::string> somenteNota;
    std::optional<std::chrono::system_clock::time_point> agora;
    bool argumentosOk = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--now") {
            agora = i + 1 < args.size() ? momentoLocal(args[++i]) : std::nullopt;
            argumentosOk = argumentosOk && agora.has_value();
        } else if (args[i] == "--note") {
            argumentosOk = argumentosOk && i + 1 < args.size();
            if (i + 1 < args.size())
                somenteNota = args[++i];
        } else {
            posicionais.push_back(args[i]);
        }
    }
    if (!argumentosOk || posicionais.size() != 2) {
        std::fprintf(stderr,
                     "nfe-check %s: expected <module db> <notes.json> [--note <nota>] "
                     "[--now <YYYY-MM-DDThh:mm:ss>]\n",
                     verbo);
        return 2;
    }
    std::optional<RelogioFixo> relogio;
    if (agora)
        relogio.emplace(*agora);
    TabelasNotas tabelas;
    try {
        testsupport::loadStagedNotesFile(posicionais[1], tabelas);
    } catch (const testsupport::StagedNotesError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    // The city list is read beside the notes file when it is there, else
    // beside the program.
    std::string pastaCidades = std::filesystem::absolute(posicionais[1]).parent_path().string() + "/";
    if (!std::filesystem::exists(pastaCidades + "Tabela_Cidades_IBGE.txt"))
        pastaCidades = PastaPrograma();
    std::string documento;
    const LinhaNota *emProcesso = nullptr;
    try {
        ModuloAvulso banco(posicionais[0]);
        banco.modulo().dtmNFEOpen({"ConfigNFE"});
        TfrmNFE_2G tela(banco.modulo(), tabelas, pastaCidades);
        bool achada = false;
        for (std::size_t i = 0; i < tabelas.tblNotas.linhas().size(); ++i) {
            const LinhaNota &nota = tabelas.tblNotas.linhas()[i];
            if (somenteNota && std::to_string(nota.nota) != *somenteNota)
                continue;
            achada = true;
            emProcesso = &nota;
            selecionaEmitente(banco.modulo(), nota);
            tela.selecionaNota(i);
            documento += gera(tela);
        }
        if (!achada) {
            std::fprintf(stderr, "nota %s não encontrada\n", somenteNota ? somenteNota->c_str() : "");
            return 1;
        }
    } catch (const ProgramError &e) {
        if (emProcesso)
            std::fprintf(stderr, "Nota Fiscal %s nao Gerada\n", emProcesso->nro_not.c_str());
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fwrite(documento.data(), 1, documento.size(), stdout);
    return 0;
}

int runMonitorRequestVerb(std::span<const std::string> args)
{
    return runSobreNotasEncenadas(args, "monitor-request", [](TfrmNFE_2G &tela) {
        tela.CodigoNumerico = 0;
        return bytesDoDocumento(tela.MontaDocumentoNota());
    });
}
