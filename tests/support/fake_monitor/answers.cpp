#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "foundation/text/text_utils.h"
#include "tests/support/fake_monitor/detail/monitor_files.h"

namespace testsupport::monitor {

namespace {

std::string digitsOf(std::string_view text)
{
    std::string out;
    for (const char c : text)
        if (std::isdigit(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

// The digits of a field, left-padded with zeros and cut to the rightmost
// `width`; raises when the field is missing or holds no digit.
std::string field(const MonitorRequest &request, const std::string &section, const std::string &key,
                  size_t width)
{
    const auto value = request.value(key, section);
    const std::string digits = value ? digitsOf(*value) : std::string{};
    if (digits.empty())
        throw FakeMonitorError("campo [" + section + "] " + key + (value ? " sem numero" : " ausente"));
    if (digits.size() >= width)
        return digits.substr(digits.size() - width);
    return std::string(width - digits.size(), '0') + digits;
}

char modulo11(std::string_view digits)
{
    int weight = 2;
    int sum = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = weight == 9 ? 2 : weight + 1;
    }
    const int rest = sum % 11;
    return static_cast<char>('0' + (rest < 2 ? 0 : 11 - rest));
}

std::string runningNumber(long long &next)
{
    const std::string digits = std::to_string(next++);
    return std::string(15 - std::min<size_t>(15, digits.size()), '0') + digits;
}

} // namespace

std::string chaveDaNota(const MonitorRequest &request)
{
    const auto demi = request.value("demi", "ide");
    if (!demi || demi->size() < 7 || digitsOf(*demi).size() < 6)
        throw FakeMonitorError(std::string("campo [ide] demi ") + (demi ? "sem data" : "ausente"));
    const std::string anoMes = demi->substr(2, 2) + demi->substr(5, 2);
    const bool temCnpj = request.value("cnpj", "emit").has_value();
    std::string key =
        field(request, "ide", "cUF", 2) + anoMes + field(request, "emit", temCnpj ? "cnpj" : "cpf", 14) +
        field(request, "ide", "mod", 2) + field(request, "ide", "serie", 3) +
        field(request, "ide", "nnf", 9) +
        (request.value("tpemis", "ide") ? field(request, "ide", "tpemis", 1) : std::string("1")) +
        field(request, "ide", "cnf", 8);
    return key + modulo11(key);
}

AnswerLines defaultAnswer(const MonitorRequest &request, AnswerContext &context)
{
    const std::string &kind = request.kind;
    const auto protocolo = [&] { return runningNumber(context.nextNumber); };
    if (kind == "nota") {
        const std::string chave = chaveDaNota(request);
        const std::string recibo = protocolo();
        return {{"RESULTADO", "100"},
                {"MENSAGEM", "Autorizado o uso da NF-e"},
                {"CHAVENFE", chave},
                {"RECIBO", recibo},
                {"NUMEROLOTE", std::to_string(context.nextNumber)},
                {"NPROTOCOLO", protocolo()}};
    }
    if (kind == "consulta") {
        const std::string chave = request.value("ChaveNFE").value_or("");
        const bool cancelada =
            std::find(context.cancelled.begin(), context.cancelled.end(), chave) != context.cancelled.end();
        const std::string recibo = protocolo();
        return {{"RESULTADO", cancelada ? "101" : "100"},
                {"MENSAGEM", cancelada ? "Cancelamento de NF-e homologado" : "Autorizado o uso da NF-e"},
                {"CHAVENFE", chave},
                {"RECIBO", recibo},
                {"NUMEROLOTE", std::to_string(context.nextNumber)},
                {"NPROTOCOLO", protocolo()}};
    }
    if (kind == "danfe") {
        AnswerLines lines = {{"RESULTADO", "100"}, {"MENSAGEM", "DANFE impresso"}};
        if (!context.pdfPath.empty())
            lines.emplace_back("PATHPDF", context.pdfPath);
        return lines;
    }
    if (kind == "impcarta")
        return {{"RESULTADO", "100"}, {"MENSAGEM", "Carta de correcao impressa"}};
    if (kind == "email")
        return {{"RESULTADO", "100"}, {"MENSAGEM", "E-mail enviado"}};
    if (kind == "cancel")
        return {{"RESULTADO", "101"}, {"MENSAGEM", "Cancelamento de NF-e homologado"}};
    if (kind == "carta" || kind == "evento")
        return {{"RESULTADO", "135"},
                {"MENSAGEM", "Evento registrado e vinculado a NF-e"},
                {"NPROTOCOLO", protocolo()}};
    if (kind == "inutiliza")
        return {{"RESULTADO", "102"}, {"MENSAGEM", "Inutilizacao de numero homologado"}};
    return {};
}

std::string alternateAnswerName(std::string_view kind, std::string_view answerName)
{
    static const std::string_view withSeries[] = {"nota", "danfe", "email", "cancel", "consulta"};
    if (std::find(std::begin(withSeries), std::end(withSeries), kind) == std::end(withSeries))
        return std::string(answerName);
    const size_t seriesAt = std::string_view("resp-").size() + kind.size();
    if (answerName.size() < seriesAt + 3)
        return std::string(answerName);
    return std::string(answerName.substr(0, seriesAt)) + std::string(answerName.substr(seriesAt + 3));
}

std::string answerBytes(const AnswerLines &lines, bool utf8, bool finalBreak)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += lines[i].first + "=" + lines[i].second;
        if (finalBreak || i + 1 < lines.size())
            text += "\r\n";
    }
    return utf8 ? text : ConvertePaginaCodigo(text, 1252, 65001);
}

} // namespace testsupport::monitor
