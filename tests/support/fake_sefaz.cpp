#include "tests/support/fake_sefaz.h"

#include "tests/support/fake_sefaz/answers.h"
#include "tests/support/fake_sefaz/services_ini.h"
#include "tests/support/fake_sefaz/soap_envelope.h"
#include "tests/support/fake_sefaz/states.h"
#include "tests/support/tls_test_stream.h"
#include "tests/support/xml_checks.h"

namespace testsupport {

using namespace fakesefaz;

namespace {

std::filesystem::path schemaFolder(const FakeSefazOptions &options)
{
    return options.schemas.empty() ? officialSchemaDir() : options.schemas;
}

std::string soapActionOf(const HttpTestRequest &request)
{
    const std::string type = request.header("Content-Type");
    const std::size_t at = type.find("action=");
    if (at != std::string::npos) {
        std::string action = type.substr(at + 7);
        action = action.substr(0, action.find(';'));
        if (action.size() >= 2 && action.front() == '"')
            action = action.substr(1, action.size() - 2);
        return action;
    }
    std::string action = request.header("SOAPAction");
    if (action.size() >= 2 && action.front() == '"')
        action = action.substr(1, action.size() - 2);
    return action;
}

// "/SP/NfeStatusServico" -> "35"; the answers' state when the request names none.
std::string stateOfPath(const std::string &path)
{
    const std::size_t end = path.find('/', 1);
    return std::string(
        stateCode(path.substr(1, end == std::string::npos ? std::string::npos : end - 1), "35"));
}

HttpTestResponse soapResponse(int status, std::string body)
{
    return HttpTestResponse::text(status, status == 200 ? "OK" : "Internal Server Error", std::move(body),
                                  "application/soap+xml; charset=utf-8");
}

} // namespace

FakeSefaz::FakeSefaz(FakeSefazOptions options) : options_(std::move(options)), judge_(schemaFolder(options_))
{
    TestStreamFactory streams = options_.streams ? options_.streams : clientCertificateTestStreams();
    server_ = std::make_unique<HttpTestServer>([this](const HttpTestRequest &r) { return handle(r); },
                                               std::move(streams), options_.scheme, options_.port);
}

FakeSefaz::~FakeSefaz()
{
    server_->stop();
}

std::string FakeSefaz::servicesIni() const
{
    return fakesefaz::servicesIni(baseUrl());
}

void FakeSefaz::script(const std::string &root, const std::vector<ScriptedAnswer> &answers)
{
    std::lock_guard lock(mutex_);
    for (const ScriptedAnswer &answer : answers)
        scripts_.push(root, answer);
}

std::string FakeSefaz::scriptLine(std::string_view line)
{
    std::lock_guard lock(mutex_);
    return scripts_.addLine(line);
}

void FakeSefaz::setProtocolStatus(const std::string &chave, int cStat)
{
    std::lock_guard lock(mutex_);
    state_.protocolStatus[chave] = cStat;
}

std::vector<FakeSefazExchange> FakeSefaz::exchanges() const
{
    std::lock_guard lock(mutex_);
    return exchanges_;
}

HttpTestResponse FakeSefaz::handle(const HttpTestRequest &request)
{
    FakeSefazExchange exchange;
    exchange.path = request.target;
    exchange.soapAction = soapActionOf(request);
    exchange.clientSubject = request.clientSubject;
    HttpTestResponse response = answer(request, exchange);
    exchange.httpStatus = response.resetConnection ? 0 : response.status;
    exchange.answer = response.resetConnection ? "" : response.body;
    {
        std::lock_guard lock(mutex_);
        exchanges_.push_back(exchange);
    }
    if (options_.observer)
        options_.observer(exchange);
    return response;
}

HttpTestResponse FakeSefaz::answer(const HttpTestRequest &request, FakeSefazExchange &exchange)
{
    const SoapRequest soap = readSoapRequest(request.body);
    exchange.root = soap.root;
    if (!soap.problem.empty()) {
        exchange.verdicts.push_back(soap.problem);
        return soapResponse(500, soapFault(soap.problem));
    }
    const Judgement judgement = judge_.judge(soap, request.clientSubject, request.clientCertificatePem);
    exchange.verdicts = judgement.verdicts;

    std::lock_guard lock(mutex_);
    const ScriptedAnswer scripted = scripts_.next(soap.root).value_or(ScriptedAnswer{});
    HttpTestResponse response;
    if (scripted.reset) {
        response.resetConnection = true;
    } else if (scripted.http500) {
        response = soapResponse(500, soapFault("Erro interno do servidor (roteiro)"));
    } else if (scripted.empty) {
        response = soapResponse(200, "");
    } else {
        AnswerOptions options;
        options.cStat = judgement.rejection != 0 ? judgement.rejection : scripted.cStat;
        options.reverseEvents = scripted.reverseEvents;
        options.eventStatus = scripted.eventStatus;
        options.cUF = stateOfPath(request.target);
        const Answer built = buildAnswer(state_, soap, options);
        exchange.cStat = built.cStat;
        AnswerStyle style;
        style.prefixedResult = scripted.prefixedResult;
        style.escapedPayload = scripted.escapedPayload;
        if (!scripted.soapPrefix.empty())
            style.soapPrefix = scripted.soapPrefix;
        response = soapResponse(200, soapAnswer(*soap.service, built.xml, style));
    }
    response.delay = scripted.delay;
    return response;
}

} // namespace testsupport
