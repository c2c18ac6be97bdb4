#include <map>
#include <sstream>
#include <string>

#include "tests/support/fake_monitor.h"

namespace testsupport {

namespace {

bool isNumber(const std::string &text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos && text.size() < 9;
}

bool rejectionCode(int code)
{
    return (code >= 201 && code <= 299) || (code >= 401 && code <= 488) || code == 999;
}

std::string checkArguments(MonitorAction action, const std::vector<std::string> &args)
{
    switch (action) {
    case MonitorAction::Reject:
        if (args.empty() || !isNumber(args[0]) || !rejectionCode(std::stoi(args[0])))
            return "reject pede um codigo de 201 a 299, 401 a 488 ou 999";
        return {};
    case MonitorAction::Deny:
        if (!args.empty() && args[0] != "110" && args[0] != "301" && args[0] != "302")
            return "deny aceita 110, 301 ou 302";
        return {};
    case MonitorAction::Delay: {
        const std::string amount = args.empty() ? std::string{} : args[0];
        const bool seconds = !amount.empty() && amount.back() == 's';
        if (args.size() != 1 || !isNumber(seconds ? amount.substr(0, amount.size() - 1) : amount))
            return "delay pede <chamadas> ou <segundos>s";
        return {};
    }
    default:
        return args.empty() ? std::string{} : "argumentos a mais";
    }
}

} // namespace

std::vector<MonitorRule> readMonitorScript(const std::string &text)
{
    // clang-format off
    static const std::map<std::string, MonitorAction> actions = {
        {"accept",             MonitorAction::Accept},
        {"reject",             MonitorAction::Reject},
        {"deny",               MonitorAction::Deny},
        {"delay",              MonitorAction::Delay},
        {"never",              MonitorAction::Never},
        {"partial",            MonitorAction::Partial},
        {"no-final-break",     MonitorAction::NoFinalBreak},
        {"not-a-number",       MonitorAction::NotNumber},
        {"no-resultado",       MonitorAction::NoResultado},
        {"mensagem-first",     MonitorAction::MensagemFirst},
        {"equals-in-mensagem", MonitorAction::EqualsInMensagem},
        {"alternate-name",     MonitorAction::AlternateName},
        {"utf8",               MonitorAction::Utf8},
        {"stray-other-cnpj",   MonitorAction::StrayOtherCnpj},
    };
    // clang-format on
    std::vector<MonitorRule> rules;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        MonitorRule rule;
        std::string action;
        if (!(words >> rule.pattern) || rule.pattern.front() == '#')
            continue;
        const std::string where = "roteiro, linha " + std::to_string(number) + ": ";
        if (!(words >> action))
            throw FakeMonitorError(where + "falta a acao");
        const auto found = actions.find(action);
        if (found == actions.end())
            throw FakeMonitorError(where + "acao desconhecida \"" + action + "\"");
        rule.action = found->second;
        std::string word;
        while (words >> word)
            rule.args.push_back(word);
        // A rejection message is the rest of the line, spaces kept.
        if (rule.action == MonitorAction::Reject && rule.args.size() > 1) {
            const auto code = line.find(rule.args[0], line.find(action) + action.size());
            std::string message = line.substr(code + rule.args[0].size());
            message.erase(0, message.find_first_not_of(' '));
            rule.args = {rule.args[0], message};
        }
        const std::string problem =
            checkArguments(rule.action, rule.action == MonitorAction::Reject && !rule.args.empty()
                                            ? std::vector<std::string>{rule.args[0]}
                                            : rule.args);
        if (!problem.empty())
            throw FakeMonitorError(where + problem);
        rules.push_back(std::move(rule));
    }
    return rules;
}

} // namespace testsupport
