#include "sim/SimOptions.h"

#include <charconv>

namespace tuvako::sim {
namespace {

bool ParseInt(const std::string& text, int low, int high, int* value) {
    int parsed = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || status != std::errc() || end != text.data() + text.size() || parsed < low ||
        parsed > high)
        return false;
    *value = parsed;
    return true;
}

// "ADDRESS:PORT", "ADDRESS" or ":PORT".
bool ParseListen(const std::string& text, SimOptions* options) {
    const std::size_t colon = text.rfind(':');
    const std::string address = colon == std::string::npos ? text : text.substr(0, colon);
    if (colon != std::string::npos && !ParseInt(text.substr(colon + 1), 0, 65535, &options->port))
        return false;
    if (!address.empty()) options->address = address;
    return true;
}

}  // namespace

const char* SimOptions::HelpText() {
    return "Usage: tuvako-sim [options]\n"
           "A message-server simulator for the Tuvako selection terminal. It listens for\n"
           "terminals, sends each the login prompt, checks the login answer and prints every\n"
           "record it receives, deciphered, on one time-stamped line.\n"
           "\n"
           "Options:\n"
           "  --listen ADDRESS:PORT  where to listen (default 127.0.0.1:40201); port 0 takes a\n"
           "                         free port; the first line printed names the one taken\n"
           "  --demo                 a sample member swipes a card every few seconds and gets\n"
           "                         a list of choices; a choice is answered with a greeting\n"
           "  --interval SECONDS     time between demo customers (default 8)\n"
           "  --scenario FILE        play a scenario file, then exit: status 0 when it passed,\n"
           "                         1 when an expectation failed (format in the README)\n"
           "  --no-console           do not read commands from standard input\n"
           "  --password TEXT        the password a login answer must carry (default the\n"
           "                         terminal's); another one makes it refuse every terminal\n"
           "  --help                 show this text\n"
           "  --version              show the version\n"
           "\n"
           "Exit status: 0 done, 1 scenario failed, 2 bad arguments, scenario file or address.\n"
           "Type \"help\" on standard input for the console commands.\n";
}

std::optional<SimOptions> SimOptions::Parse(const std::vector<std::string>& arguments,
                                            std::string* error) {
    SimOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--demo") {
            options.demo = true;
        } else if (argument == "--no-console") {
            options.console = false;
        } else if (argument == "--listen" && hasValue) {
            if (!ParseListen(arguments[++i], &options)) {
                *error = "--listen needs ADDRESS:PORT with a port from 0 to 65535";
                return std::nullopt;
            }
        } else if (argument == "--interval" && hasValue) {
            int seconds = 0;
            if (!ParseInt(arguments[++i], 1, 3600, &seconds)) {
                *error = "--interval needs a number of seconds from 1 to 3600";
                return std::nullopt;
            }
            options.demoIntervalMs = seconds * 1000;
        } else if (argument == "--password" && hasValue) {
            options.password = arguments[++i];
        } else if (argument == "--scenario" && hasValue) {
            options.scenarioFile = arguments[++i];
        } else {
            *error = "unknown or incomplete option \"" + argument + "\" (see --help)";
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace tuvako::sim
