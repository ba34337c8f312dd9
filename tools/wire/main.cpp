// tuvako-wire: enciphers records into wire lines and deciphers wire lines into records.
#include "InputLines.h"
#include "WireOptions.h"

#include "cipher/LineCipher.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace tuvako;
using namespace tuvako::wire;

// Records are bytes: no newline translation on platforms that would otherwise do it.
void UseBinaryStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

void WriteLine(const std::string& text, bool crlf) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputs(crlf ? "\r\n" : "\n", stdout);
}

int Run(const WireOptions& options) {
    const auto convert = options.command == WireCommand::Encipher ? &EncipherLine : &DecipherLine;
    for (const std::string& text : options.texts) WriteLine(convert(text), options.crlf);
    if (options.texts.empty()) {
        InputLines input(stdin);
        std::string line;
        while (input.Next(line)) WriteLine(convert(line), options.crlf);
        if (input.Failed()) {
            std::fprintf(stderr, "tuvako-wire: cannot read standard input: %s\n",
                         std::strerror(errno));
            return 1;
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tuvako-wire: cannot write standard output: %s\n",
                     std::strerror(errno));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    UseBinaryStreams();
    WireOptions options;
    try {
        options = ParseWireOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const WireUsageError& error) {
        std::fprintf(stderr, "tuvako-wire: %s\nTry 'tuvako-wire --help'.\n", error.what());
        return 2;
    }
    if (options.command == WireCommand::Help) {
        std::fputs(WireUsage(), stdout);
        return 0;
    }
    if (options.command == WireCommand::Version) {
        std::fputs("tuvako-wire " TUVAKO_VERSION "\n", stdout);
        return 0;
    }
    return Run(options);
}
