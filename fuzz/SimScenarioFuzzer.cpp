// Arbitrary text as a simulator scenario and as console commands. Besides not crashing:
//   - a scenario without repeat blocks gives, line for line, the steps that the same lines give
//     typed at the console, each with its line number;
//   - a scenario never holds more steps than its limit;
//   - decoding leaves printable ASCII without backslashes as it is, and "\xNN" gives byte NN.
#include "FuzzCheck.h"

#include "sim/ScenarioParser.h"

#include <cstdint>
#include <sstream>
#include <string>

namespace {

using namespace tuvako;
using namespace tuvako::sim;

std::string Describe(const ScenarioStep& step) {
    std::ostringstream text;
    text << int(step.kind) << " [" << fuzz::Printable(step.text) << "] " << step.count << " "
         << step.milliseconds;
    return text.str();
}

bool IsPlainAscii(const std::string& text) {
    for (const char c : text)
        if (c < 32 || c > 126 || c == '\\') return false;
    return true;
}

// Lines as the scenario reader sees them: split at LF, a CR before it dropped.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool HasRepeat(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "repeat" || first == "end") return true;
    }
    return false;
}

void CheckAgainstConsole(const std::string& text, const ScenarioParseResult& parsed) {
    const std::vector<std::string> lines = Lines(text);
    if (!parsed.Ok() || HasRepeat(lines)) return;
    std::size_t next = 0;
    for (std::size_t number = 1; number <= lines.size(); ++number) {
        std::string error;
        const auto typed = ScenarioParser::ParseCommand(lines[number - 1], &error);
        if (!typed) continue;  // blank or a comment: the file skips it as well
        fuzz::Check(next < parsed.steps.size(),
                    "line " + std::to_string(number) + " gave a step at the console only");
        const ScenarioStep& step = parsed.steps[next++];
        fuzz::Check(step.line == int(number), "a step with the wrong line number");
        fuzz::Check(Describe(step) == Describe(*typed), "line " + std::to_string(number) +
                                                            ": file " + Describe(step) +
                                                            ", console " + Describe(*typed));
    }
    fuzz::Check(next == parsed.steps.size(), "the file gave steps that the console does not");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ScenarioParseResult parsed = ScenarioParser::Parse(text);
    fuzz::Check(parsed.steps.size() <= ScenarioParser::MaxSteps, "more steps than the limit");
    fuzz::Check(parsed.Ok() || parsed.error.rfind("line ", 0) == 0,
                "an error without its line: " + parsed.error);
    CheckAgainstConsole(text, parsed);

    if (IsPlainAscii(text))
        fuzz::Check(ScenarioParser::DecodeText(text) == text, "plain ASCII changed by decoding");
    if (size > 0) {
        static const char digits[] = "0123456789abcdef";
        const std::string escaped = {'\\', 'x', digits[data[0] >> 4], digits[data[0] & 15]};
        fuzz::Check(ScenarioParser::DecodeText(escaped) == std::string(1, char(data[0])),
                    "\\x escape decoded wrongly: " + escaped);
    }
    return 0;
}
