// tuvako-wire's input: arbitrary arguments (taken from the end of the input, each ended by a zero
// byte) and an arbitrary standard input (the rest, repeated to pass the reader's block size now
// and then).
//   - the options either parse or are refused as a usage error; the texts are the arguments
//     that follow the command and its options, in order and unchanged;
//   - the lines read are exactly the input split at LF, a CR before the LF dropped, a last line
//     without an ending kept;
//   - every line comes back from its enciphered form unchanged.
#include "FuzzCheck.h"

#include "cipher/LineCipher.h"
#include "wire/InputLines.h"
#include "wire/WireOptions.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tuvako;
using namespace tuvako::wire;

void CheckOptions(const std::vector<std::string>& arguments) {
    WireOptions options;
    try {
        options = ParseWireOptions(arguments);
    } catch (const WireUsageError&) {
        return;
    }
    if (options.command == WireCommand::Help) return;
    fuzz::Check(options.texts.size() <= arguments.size(), "more texts than arguments");
    const std::size_t first = arguments.size() - options.texts.size();
    for (std::size_t i = 0; i < options.texts.size(); ++i)
        fuzz::Check(options.texts[i] == arguments[first + i], "a text that is not its argument");
    for (std::size_t i = 0; i < first; ++i)
        fuzz::Check(
            arguments[i] == "encipher" || arguments[i] == "decipher" || arguments[i] == "--crlf" ||
                arguments[i] == "--",
            "an argument taken neither as option nor as text: " + fuzz::Printable(arguments[i]));
}

std::vector<std::string> ExpectedLines(const std::string& input) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t at; (at = input.find('\n', begin)) != std::string::npos; begin = at + 1) {
        std::string line = input.substr(begin, at - begin);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (begin < input.size()) lines.push_back(input.substr(begin));
    return lines;
}

void CheckLines(const std::string& input) {
    std::vector<std::string> got;
    if (!input.empty()) {
        std::FILE* stream = fmemopen(const_cast<char*>(input.data()), input.size(), "rb");
        fuzz::Check(stream != nullptr, "fmemopen failed");
        InputLines lines(stream);
        for (std::string line; lines.Next(line);) got.push_back(line);
        fuzz::Check(!lines.Failed(), "reading from memory failed");
        std::fclose(stream);
    }
    const std::vector<std::string> expected = ExpectedLines(input);
    fuzz::Check(got.size() == expected.size(), std::to_string(got.size()) + " lines read, " +
                                                   std::to_string(expected.size()) + " expected");
    for (std::size_t i = 0; i < got.size(); ++i) {
        fuzz::Check(got[i] == expected[i],
                    "line " + std::to_string(i) + " read as \"" + fuzz::Printable(got[i]) + "\"");
        if (i < 8)
            fuzz::Check(DecipherLine(EncipherLine(got[i])) == got[i],
                        "a line that does not come back from its enciphered form");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto shape = input.ConsumeIntegral<std::uint8_t>();
    std::vector<std::string> arguments;
    for (int i = 0; i < shape % 6; ++i) {
        std::string argument;
        for (char c; input.remaining_bytes() > 0 && (c = input.ConsumeIntegral<char>()) != 0;)
            argument += c;
        arguments.push_back(argument);
    }
    CheckOptions(arguments);

    const std::string once = input.ConsumeRemainingBytesAsString();
    std::string stdinBytes;
    const int copies = (shape & 0x80) ? 1 + (shape >> 3) % 16 * 8 : 1;  // up to 121 copies
    for (int i = 0; i < copies; ++i) stdinBytes += once;
    CheckLines(stdinBytes);
    return 0;
}
