#include "tests/dfe/ssl/fake_backends.h"

#include <iterator>
#include <thread>

#include "foundation/fiscal/dfe_exception.h"

namespace dfetest {

std::string FakeCrypt::pfx(std::string_view cnpj, int diasParaVencer)
{
    return "PFX;" + std::string(cnpj) + ";" + std::to_string(diasParaVencer);
}

void FakeCrypt::CarregarCertificadoDeDadosPFX()
{
    const std::string &dados = SSL().DadosPFX();
    const auto primeiro = dados.find(';');
    const auto segundo = dados.find(';', primeiro + 1);
    if (!dados.starts_with("PFX;") || segundo == std::string::npos)
        throw EQuibDFeException("PFX inválido");
    cnpj_ = dados.substr(primeiro + 1, segundo - primeiro - 1);
    dias_ = std::stoi(dados.substr(segundo + 1));
}

void FakeCrypt::PreencherDadosCertificado()
{
    DadosCertificado().NumeroSerie = "0A1B";
    DadosCertificado().CNPJ = cnpj_;
    DadosCertificado().DataValidade = dateOf(nowLocal()) + dias_ + 0.5;
}

std::string FakeCrypt::CalcHash(std::istream &stream, TSSLDgst, bool assinar)
{
    std::string bytes(std::istreambuf_iterator<char>(stream), {});
    return assinar ? "SIG:" + bytes : bytes;
}

bool FakeCrypt::ValidarHash(std::istream &stream, TSSLDgst digest, std::string_view hash, bool assinado)
{
    return CalcHash(stream, digest, assinado) == hash;
}

void HttpScript::release()
{
    std::lock_guard lock(mutex);
    released = true;
    changed.notify_all();
}

void HttpScript::waitUntilExecuting()
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return executing; });
}

HttpScript &httpScript()
{
    static HttpScript script;
    return script;
}

void FakeHttp::Executar()
{
    ConfigurarConexao();
    const HttpConnectionSettings settings = connectionSettings();
    HttpScript &script = httpScript();
    std::unique_lock lock(script.mutex);
    ++script.requests;
    script.lastMethod = Metodo;
    script.lastBody = DadosEnvio;
    script.lastHeaders = CabecalhosEnvio.text();
    script.lastMimeType = MimeType;
    script.lastSoapAction = SoapAction;
    script.lastUrl = URL;
    script.lastSettings = settings;
    script.executing = true;
    script.changed.notify_all();
    if (script.block)
        script.changed.wait(lock, [&script] { return script.released; });
    script.executing = false;
    if (script.raise)
        throw EQuibDFeException("conexão recusada");
    HTTPResultCode = script.status;
    DadosResposta = script.body;
}

void FakeHttp::Interromper()
{
    HttpScript &script = httpScript();
    std::lock_guard lock(script.mutex);
    if (script.ignoreInterrupt)
        return;
    script.released = true;
    script.changed.notify_all();
}

std::string FakeXmlSign::Assinar(std::string_view xml, std::string_view, std::string_view, std::string_view,
                                 std::string_view, std::string_view, std::string_view)
{
    const auto fim = xml.find("?>");
    const std::string_view corpo =
        xml.starts_with("<?") && fim != std::string_view::npos ? xml.substr(fim + 2) : xml;
    return declaracaoSaida + std::string(corpo) + "<Signature/>";
}

bool FakeXmlSign::Validar(std::string_view, std::string_view, std::string &msg)
{
    msg = "validado";
    return true;
}

FakeBackends::FakeBackends()
    : crypt_(cryptBackendFactory(cryCapicom)), http_(httpBackendFactory(httpWinINet)),
      xmlSign_(xmlSignBackendFactory(xsMsXml))
{
    registerCryptBackend(cryCapicom, [](TDFeSSL &ssl) { return std::make_unique<FakeCrypt>(ssl); });
    registerHttpBackend(httpWinINet, [](TDFeSSL &ssl) { return std::make_unique<FakeHttp>(ssl); });
    registerXmlSignBackend(xsMsXml, [](TDFeSSL &ssl) { return std::make_unique<FakeXmlSign>(ssl); });
    HttpScript &script = httpScript();
    std::lock_guard lock(script.mutex);
    script.status = 200;
    script.body.clear();
    script.raise = script.block = script.ignoreInterrupt = script.released = script.executing = false;
    script.requests = 0;
    FakeXmlSign::declaracaoSaida.clear();
}

FakeBackends::~FakeBackends()
{
    registerCryptBackend(cryCapicom, crypt_);
    registerHttpBackend(httpWinINet, http_);
    registerXmlSignBackend(xsMsXml, xmlSign_);
}

FakeClock::FakeClock() : nowMs_(1'700'000'000'000)
{
    setClock(
        [this] { return std::chrono::system_clock::time_point(std::chrono::milliseconds(nowMs_.load())); });
    setSleep([this](std::chrono::milliseconds duration) {
        if (onSleep)
            onSleep();
        nowMs_ += duration.count();
        ++sleeps_;
        std::this_thread::sleep_for(std::chrono::milliseconds(1)); // lets the send thread run
    });
}

FakeClock::~FakeClock()
{
    resetClock();
    resetSleep();
}

} // namespace dfetest
