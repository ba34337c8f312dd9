// Reads scenario files and console commands into steps.
#pragma once

#include "sim/ScenarioStep.h"

#include <optional>
#include <string>
#include <vector>

namespace tuvako::sim {

struct ScenarioParseResult {
    std::vector<ScenarioStep> steps;
    std::string error;  // "line N: ..." when the text is not a valid scenario
    bool Ok() const { return error.empty(); }
};

// A scenario is plain UTF-8 text, one command per line; blank lines and lines starting with
// "#" are skipped. "repeat N" ... "end" repeats the lines between (blocks nest). Texts are
// converted to code page 1252 and "\xNN" gives any byte, "\\" a backslash.
class ScenarioParser {
public:
    // Steps that a file may hold in all, once every repeat block is written out.
    static constexpr std::size_t MaxSteps = 1'000'000;
    // Bytes of text (records, patterns) that the steps may hold in all, once every repeat block
    // is written out: a short file must not make the simulator hold gigabytes.
    static constexpr std::size_t MaxTextBytes = 64 * 1024 * 1024;

    static ScenarioParseResult Parse(const std::string& text);

    // One command typed at the console ("repeat" is not available there). Returns nothing and
    // sets `error` when the line is not a command; an empty line gives nothing and no error.
    static std::optional<ScenarioStep> ParseCommand(const std::string& line, std::string* error);

    // UTF-8 (or, when the bytes are not valid UTF-8, code page 1252 as it is) to code page 1252
    // bytes, with the escapes applied.
    static AnsiString DecodeText(const std::string& text);
};

}  // namespace tuvako::sim
