#include "tests/support/fake_sefaz/script.h"

#include <charconv>
#include <sstream>

#include "tests/support/fake_sefaz/services.h"

namespace testsupport::fakesefaz {

namespace {

bool applyPart(std::string_view part, ScriptedAnswer &answer)
{
    auto number = [](std::string_view text, int &value) {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size() && !text.empty();
    };
    int value = 0;
    if (number(part, value) && value >= 100 && value <= 999)
        answer.cStat = value;
    else if (part == "http500")
        answer.http500 = true;
    else if (part == "empty")
        answer.empty = true;
    else if (part == "reset")
        answer.reset = true;
    else if (part == "prefixed")
        answer.prefixedResult = true;
    else if (part == "escaped")
        answer.escapedPayload = true;
    else if (part == "reverse")
        answer.reverseEvents = true;
    else if (part.starts_with("event=") && number(part.substr(6), value) && value >= 100 && value <= 999)
        answer.eventStatus = value;
    else if (part.starts_with("soap=") && part.size() > 5)
        answer.soapPrefix = std::string(part.substr(5));
    else if (part.starts_with("delay=") && number(part.substr(6), value) && value >= 0)
        answer.delay = std::chrono::seconds(value);
    else
        return false;
    return true;
}

} // namespace

std::optional<ScriptedAnswer> parseScriptedAnswer(std::string_view token)
{
    ScriptedAnswer answer;
    while (!token.empty()) {
        const std::size_t plus = token.find('+');
        if (!applyPart(token.substr(0, plus), answer))
            return std::nullopt;
        token = plus == std::string_view::npos ? std::string_view() : token.substr(plus + 1);
    }
    return answer;
}

std::string ScriptQueues::addLine(std::string_view line)
{
    std::istringstream words{std::string(line)};
    std::string root;
    if (!(words >> root) || root.starts_with('#'))
        return {};
    if (serviceOfRoot(root) == nullptr)
        return "mensagem desconhecida no roteiro: " + root;
    std::vector<ScriptedAnswer> answers;
    for (std::string token; words >> token;) {
        const auto answer = parseScriptedAnswer(token);
        if (!answer)
            return "resposta desconhecida no roteiro: " + token;
        answers.push_back(*answer);
    }
    for (ScriptedAnswer &answer : answers)
        push(root, std::move(answer));
    return {};
}

std::optional<ScriptedAnswer> ScriptQueues::next(const std::string &root)
{
    const auto queue = queues_.find(root);
    if (queue == queues_.end() || queue->second.empty())
        return std::nullopt;
    ScriptedAnswer answer = std::move(queue->second.front());
    queue->second.pop_front();
    return answer;
}

} // namespace testsupport::fakesefaz
