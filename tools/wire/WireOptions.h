// The command line of tuvako-wire.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tuvako::wire {

enum class WireCommand { Help, Version, Encipher, Decipher };

struct WireOptions {
    WireCommand command = WireCommand::Help;
    // End each result line with CR LF, as on the wire, instead of LF.
    bool crlf = false;
    // Lines given as arguments; none means that the lines come from standard input.
    std::vector<std::string> texts;
};

// A command line that cannot be carried out; the message says why.
class WireUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options stand before the first text; "--" ends them, so that a text may start with "-".
WireOptions ParseWireOptions(const std::vector<std::string>& arguments);

// The text that --help prints.
const char* WireUsage();

}  // namespace tuvako::wire
