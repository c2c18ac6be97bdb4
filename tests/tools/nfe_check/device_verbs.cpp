// Verb "device-send": bytes of a file through the printer device.

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "foundation/numbers/number_date_utils.h"
#include "printing/device/device.h"
#include "verbs.h"

namespace {

bool readNumber(const std::string &text, int &value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

int usage(const char *problem)
{
    std::fprintf(stderr,
                 "nfe-check device-send: %s\n"
                 "usage: device-send <port> <file> [--timeout <ms>] [--read <count>] [--trace <file>]\n",
                 problem);
    return 2;
}

} // namespace

int runDeviceSendVerb(std::span<const std::string> args)
{
    if (args.size() < 2)
        return usage("expected a port and a file");
    int timeout = -1;
    int readCount = -1;
    std::string trace;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usage(("missing value after " + args[i]).c_str());
        const std::string &option = args[i];
        const std::string &value = args[i + 1];
        if (option == "--timeout") {
            if (!readNumber(value, timeout) || timeout == 0)
                return usage("--timeout takes a number of milliseconds above 0");
        } else if (option == "--read") {
            if (!readNumber(value, readCount))
                return usage("--read takes a byte count (0: whatever arrives)");
        } else if (option == "--trace") {
            trace = value;
        } else {
            return usage(("unknown option " + option).c_str());
        }
    }
    std::ifstream file(args[1], std::ios::binary);
    if (!file)
        return usage(("cannot read " + args[1]).c_str());
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    try {
        TQuibDevice device;
        device.SetArqLOG(trace);
        if (timeout > 0)
            device.SetTimeOutMilissegundos(timeout);
        device.SetPorta(args[0]);
        device.Ativar();
        device.EnviaString(bytes);
        if (readCount >= 0)
            std::printf("%s\n", BytesParaHex(device.LeString(0, readCount)).c_str());
        device.Desativar();
    } catch (const ProgramError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
