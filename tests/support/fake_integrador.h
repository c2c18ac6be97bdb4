#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A fake fiscal Integrador on two folders: each poll takes the command files
// ("*.xml" in any letter case) of the input folder, deletes them and writes a
// reply file carrying the command's session number into the output folder.
// Tests call poll() from the injected sleep, so the exchange runs on the
// test's thread and its fake clock. Implemented in fake_integrador.cpp.

namespace testsupport {

struct IntegradorCommand {
    std::string fileName; // as found in the input folder
    std::string xml;
    std::string session;
    std::string component;
    std::string method;
    std::map<std::string, std::string> parameters;
    std::string dados; // the "dados" parameter decoded from Base64
};

class FakeIntegrador {
  public:
    FakeIntegrador(std::filesystem::path input, std::filesystem::path output);

    // The reply file's text for a command; by default replyWithSoap(command,
    // soapAnswer(command)). Null text: the command is taken and not answered.
    std::function<std::string(const IntegradorCommand &)> reply;
    // The SOAP answer carried by the default reply (item 6, Base64).
    std::function<std::string(const IntegradorCommand &)> soapAnswer;
    // While false, command files are left where they are.
    bool taking = true;

    // Takes and answers the waiting commands; returns how many.
    int poll();
    const std::vector<IntegradorCommand> &commands() const { return commands_; }

    // An "Integrador" reply of the session whose "retorno" is the text.
    static std::string replyText(const std::string &session, const std::string &retorno,
                                 const std::string &codigo = "AP");
    // The "|" list "session|0|mensagem|..." with item 6 the Base64 SOAP answer.
    static std::string replyWithSoap(const IntegradorCommand &command, const std::string &soap);
    static IntegradorCommand parse(const std::string &fileName, const std::string &xml);

  private:
    std::filesystem::path input_;
    std::filesystem::path output_;
    std::vector<IntegradorCommand> commands_;
    int replies_ = 0;
};

std::string base64Encode(const std::string &bytes);
std::string base64Decode(const std::string &text);

} // namespace testsupport
