#include "app/CommandLine.h"

namespace tuvako {
namespace {

constexpr char kConfigDirOption[] = "--config-dir";

bool StartsWithDashes(const AnsiString& argument) {
    return argument.size() >= 2 && argument.starts_with("--");
}

// Reads one "--" option at `index`, moving `index` past a separate value it takes. A request to
// stop (help, version) is kept aside so that it wins over everything read after it.
void ReadOption(const std::vector<AnsiString>& arguments, std::size_t& index, CommandLine& line,
                std::optional<CommandLine::Action>& request) {
    const AnsiString& option = arguments[index];
    if (option == "--help") {
        request = CommandLine::Action::Help;
    } else if (option == "--version") {
        if (!request) request = CommandLine::Action::Version;
    } else if (option == "--check") {
        line.action = CommandLine::Action::Check;
    } else if (option == "--hide-cursor") {
        line.hideCursor = true;
    } else if (option == kConfigDirOption) {
        if (index + 1 >= arguments.size() || arguments[index + 1].empty()) {
            line.error = "option --config-dir needs a folder";
            return;
        }
        line.configDir = arguments[++index];
    } else if (option.starts_with(AnsiString(kConfigDirOption) + "=")) {
        line.configDir = option.substr(sizeof kConfigDirOption);
        if (line.configDir->empty()) line.error = "option --config-dir needs a folder";
    } else if (line.error.empty()) {
        line.error = "unknown option " + option;
    }
}

}  // namespace

CommandLine CommandLine::Parse(const std::vector<AnsiString>& arguments) {
    CommandLine line;
    std::optional<Action> request;
    bool optionsEnded = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const AnsiString& argument = arguments[index];
        if (optionsEnded || !StartsWithDashes(argument)) {
            line.windowArguments.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else {
            ReadOption(arguments, index, line, request);
        }
    }
    if (request)
        line.action = *request;
    else if (!line.error.empty())
        line.action = Action::Fail;
    return line;
}

const char* CommandLine::HelpText() {
    return "Usage: tuvako [OPTION]... [/SRVNO=N]\n"
           "The selection terminal: shows a member's choices at the door and sends the choice\n"
           "to the club's message server.\n"
           "\n"
           "  /SRVNO=N          use the settings section TuvakoN of Selvaro.ini (default 01)\n"
           "  --config-dir DIR  read Selvaro.ini and keep Selwi.ini in DIR\n"
           "  --check           check the configuration and the login to the server, then\n"
           "                    exit: 0 when the server accepted the login; no display needed\n"
           "  --hide-cursor     hide the mouse pointer over the window (touch screens)\n"
           "  --help            show this help and exit\n"
           "  --version         show the version and exit\n"
           "\n"
           "Without --config-dir the folder is $TUVAKO_CONFIG_DIR, else the executable's own\n"
           "folder. On Linux, a program installed in a system folder with no Selvaro.ini\n"
           "beside it uses $XDG_CONFIG_HOME/tuvako (~/.config/tuvako). See tuvako(1).\n";
}

}  // namespace tuvako
