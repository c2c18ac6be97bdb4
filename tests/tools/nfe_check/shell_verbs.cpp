// Verbs "winpath" and "cipher": the stored-path mapping and the password
// cipher of the application shell.

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/cipher/vex_encryption.h"
#include "foundation/base/quib_exception.h"
#include "foundation/files/windows_paths.h"
#include "foundation/fiscal/random_source.h"
#include "verbs.h"

int runWinpathVerb(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check winpath: expected <path>\n");
        return 2;
    }
    const auto mapped = mapWindowsPath(args[0]);
    if (!mapped) {
        const char letter = driveLetterOf(args[0]);
        if (letter != '\0')
            std::fprintf(stderr, "unmapped drive %c:\n", letter);
        else
            std::fprintf(stderr, "unmapped network path %s\n", args[0].c_str());
        return 1;
    }
    std::printf("%s\n", mapped->c_str());
    return 0;
}

int runCipherVerb(std::span<const std::string> args)
{
    if (args.size() != 3 || (args[0] != "enc" && args[0] != "dec")) {
        std::fprintf(stderr, "nfe-check cipher: expected enc|dec <key> <text>\n");
        return 2;
    }
    const bool encrypt = args[0] == "enc";
    if (const char *seed = std::getenv("NFE_CHECK_SEED"); encrypt && seed != nullptr) {
        const std::string_view text(seed);
        int value = -1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 255) {
            std::fprintf(stderr, "nfe-check cipher: NFE_CHECK_SEED must be a number from 0 to 255\n");
            return 2;
        }
        setRandomDraw([value](std::int64_t) { return value; });
    }
    try {
        std::printf("%s\n", TVexEncryption::Crypt(args[2], args[1], encrypt).c_str());
        return 0;
    } catch (const ConversionError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
