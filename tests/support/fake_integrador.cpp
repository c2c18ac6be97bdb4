#include "tests/support/fake_integrador.h"

#include <openssl/evp.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

std::string firstMatch(const std::string &text, const std::string &pattern)
{
    std::smatch match;
    const std::regex expression(pattern);
    return std::regex_search(text, match, expression) ? match[1].str() : std::string();
}

bool isXmlFile(const fs::path &file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".xml";
}

} // namespace

std::string base64Encode(const std::string &bytes)
{
    std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int size = EVP_EncodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                                     reinterpret_cast<const unsigned char *>(bytes.data()),
                                     static_cast<int>(bytes.size()));
    out.resize(static_cast<std::size_t>(size));
    return out;
}

std::string base64Decode(const std::string &text)
{
    if (text.empty())
        return {};
    std::string out(3 * text.size() / 4 + 1, '\0');
    const int size =
        EVP_DecodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                        reinterpret_cast<const unsigned char *>(text.data()), static_cast<int>(text.size()));
    if (size < 0)
        return {};
    std::size_t length = static_cast<std::size_t>(size);
    for (auto it = text.rbegin(); it != text.rend() && *it == '='; ++it)
        --length;
    out.resize(length);
    return out;
}

FakeIntegrador::FakeIntegrador(fs::path input, fs::path output)
    : input_(std::move(input)), output_(std::move(output))
{
    fs::create_directories(input_);
    fs::create_directories(output_);
    soapAnswer = [](const IntegradorCommand &) { return std::string(); };
    reply = [this](const IntegradorCommand &command) { return replyWithSoap(command, soapAnswer(command)); };
}

IntegradorCommand FakeIntegrador::parse(const std::string &fileName, const std::string &xml)
{
    IntegradorCommand command;
    command.fileName = fileName;
    command.xml = xml;
    command.session = firstMatch(xml, "<Identificador><Valor>([^<]*)</Valor>");
    command.component = firstMatch(xml, "<Componente Nome=\"([^\"]*)\"");
    command.method = firstMatch(xml, "<Metodo Nome=\"([^\"]*)\"");
    const std::regex parameter("<Parametro><Nome>([^<]*)</Nome><Valor>([^<]*)</Valor></Parametro>");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), parameter); it != std::sregex_iterator();
         ++it)
        command.parameters[(*it)[1].str()] = (*it)[2].str();
    command.dados = base64Decode(command.parameters["dados"]);
    return command;
}

int FakeIntegrador::poll()
{
    if (!taking)
        return 0;
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(input_))
        if (entry.is_regular_file() && isXmlFile(entry.path()))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path &file : files) {
        IntegradorCommand command = parse(file.filename().string(), readFile(file));
        fs::remove(file);
        const std::string text = reply(command);
        commands_.push_back(std::move(command));
        if (text.empty())
            continue;
        std::ofstream(output_ / ("reply-" + std::to_string(++replies_) + ".XML"), std::ios::binary) << text;
    }
    return static_cast<int>(files.size());
}

std::string FakeIntegrador::replyText(const std::string &session, const std::string &retorno,
                                      const std::string &codigo)
{
    return "<Integrador><Identificador><Valor>" + session +
           "</Valor></Identificador><IntegradorResposta><Codigo>" + codigo +
           "</Codigo><Valor>Processado</Valor></IntegradorResposta><Resposta><retorno>" + retorno +
           "</retorno></Resposta></Integrador>";
}

std::string FakeIntegrador::replyWithSoap(const IntegradorCommand &command, const std::string &soap)
{
    return replyText(command.session, command.session + "|0|Processado|||0|" + base64Encode(soap));
}

} // namespace testsupport
