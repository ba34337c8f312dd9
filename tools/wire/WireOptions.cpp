// The command line of tuvako-wire: commands, options and the help text.
#include "WireOptions.h"

namespace tuvako::wire {

WireOptions ParseWireOptions(const std::vector<std::string>& arguments) {
    WireOptions options;
    bool haveCommand = false;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (haveCommand &&
            (optionsEnded || !options.texts.empty() || argument.empty() || argument[0] != '-')) {
            options.texts.push_back(argument);
        } else if (argument == "--help" || argument == "-h") {
            return WireOptions{};
        } else if (argument == "--version") {
            WireOptions version;
            version.command = WireCommand::Version;
            return version;
        } else if (argument == "--crlf") {
            options.crlf = true;
        } else if (argument == "--" && haveCommand) {
            optionsEnded = true;
        } else if (!argument.empty() && argument[0] == '-') {
            throw WireUsageError("unknown option '" + argument +
                                 "' (put -- before a text that starts with '-')");
        } else if (argument == "encipher" || argument == "decipher") {
            options.command =
                argument == "encipher" ? WireCommand::Encipher : WireCommand::Decipher;
            haveCommand = true;
        } else {
            throw WireUsageError("unknown command '" + argument + "'");
        }
    }
    if (!haveCommand) throw WireUsageError("missing command: encipher or decipher");
    return options;
}

const char* WireUsage() {
    return "Usage: tuvako-wire [--crlf] encipher [TEXT...]\n"
           "       tuvako-wire [--crlf] decipher [LINE...]\n"
           "       tuvako-wire --help | --version\n"
           "\n"
           "Turns records into the enciphered Base64 lines that the selection terminal and its\n"
           "message server exchange, and such lines back into records, with the terminal's\n"
           "built-in key. Every line is keyed afresh, exactly as the terminal does it.\n"
           "\n"
           "  encipher   each input line is a record; writes the line that carries it\n"
           "  decipher   each input line is an enciphered line; writes the record it carries\n"
           "  --crlf     end each result line with CR LF, as on the wire (default: LF)\n"
           "  --help     show this text\n"
           "  --version  show the version\n"
           "\n"
           "Without TEXT or LINE arguments the lines are read from standard input, each ended\n"
           "by CR LF or LF; a last line without an ending counts as well. With arguments, each\n"
           "argument is one line. One result line is written for every input line.\n"
           "\n"
           "Bytes pass through unchanged: records are code page 1252 bytes and are never\n"
           "converted to or from UTF-8. A line that was not enciphered with the terminal's key\n"
           "deciphers to unreadable bytes, which are written as they come out. Put -- before a\n"
           "TEXT that starts with '-'.\n"
           "\n"
           "Exit status: 0 on success, 1 when reading or writing fails, 2 for a wrong command\n"
           "line.\n";
}

}  // namespace tuvako::wire
