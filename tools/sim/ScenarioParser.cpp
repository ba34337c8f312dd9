#include "sim/ScenarioParser.h"

#include "platform/Cp1252.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <map>

namespace tuvako::sim {
namespace {

enum class Arguments { None, Text, OptionalText, Count, OptionalCount, CountAndText, Seconds };

struct CommandInfo {
    StepKind kind;
    Arguments arguments;
    std::int64_t maxCount = 0;
};

constexpr std::int64_t MaxBytes = 64LL * 1024 * 1024;
constexpr std::int64_t MaxBurst = 1'000'000;
constexpr std::int64_t MaxMilliseconds = 24LL * 3600 * 1000;

const std::map<std::string, CommandInfo>& Commands() {
    static const std::map<std::string, CommandInfo> commands = {
        {"send", {StepKind::Send, Arguments::Text}},
        {"send-plain", {StepKind::SendPlain, Arguments::Text}},
        {"send-partial", {StepKind::SendPartial, Arguments::Text}},
        {"send-garbage", {StepKind::SendGarbage, Arguments::Count, MaxBytes}},
        {"send-long", {StepKind::SendLong, Arguments::Count, MaxBytes}},
        {"burst", {StepKind::Burst, Arguments::CountAndText, MaxBurst}},
        {"swipe", {StepKind::Swipe, Arguments::OptionalCount, 1000}},
        {"list", {StepKind::List, Arguments::None}},
        {"customer", {StepKind::Customer, Arguments::OptionalCount, 1000}},
        {"greet", {StepKind::Greet, Arguments::OptionalText}},
        {"close", {StepKind::Close, Arguments::None}},
        {"reset", {StepKind::Reset, Arguments::None}},
        {"offline", {StepKind::Offline, Arguments::None}},
        {"online", {StepKind::Online, Arguments::None}},
        {"accept", {StepKind::Accept, Arguments::None}},
        {"wait", {StepKind::Wait, Arguments::Seconds}},
        {"timeout", {StepKind::Timeout, Arguments::Seconds}},
        {"expect", {StepKind::Expect, Arguments::Text}},
        {"expect-like", {StepKind::ExpectLike, Arguments::Text}},
        {"quiet", {StepKind::Quiet, Arguments::Seconds}},
        {"ignore", {StepKind::Ignore, Arguments::OptionalText}},
        {"print", {StepKind::Print, Arguments::OptionalText}},
    };
    return commands;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Splits "word rest" at the first run of blanks.
std::pair<std::string, std::string> SplitWord(const std::string& text) {
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    std::size_t rest = end;
    while (rest < text.size() && IsBlank(text[rest])) ++rest;
    return {text.substr(0, end), text.substr(rest)};
}

bool ParseCount(const std::string& word, std::int64_t max, std::int64_t* count,
                std::string* error) {
    std::int64_t value = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || status != std::errc() || end != word.data() + word.size() || value < 0) {
        *error = "\"" + word + "\" is not a count";
        return false;
    }
    if (value > max) {
        *error = "count " + word + " is above the limit of " + std::to_string(max);
        return false;
    }
    *count = value;
    return true;
}

// "2", "0.5", "2s" and "250ms".
bool ParseSeconds(const std::string& word, std::int64_t* milliseconds, std::string* error) {
    std::string number = word;
    double scale = 1000.0;
    if (number.size() > 2 && number.ends_with("ms")) {
        number.resize(number.size() - 2);
        scale = 1.0;
    } else if (number.size() > 1 && number.ends_with("s")) {
        number.resize(number.size() - 1);
    }
    double value = 0;
    const auto [end, status] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || status != std::errc() || end != number.data() + number.size() ||
        !std::isfinite(value) || value < 0 || value * scale > double(MaxMilliseconds)) {
        *error = "\"" + word + "\" is not a time (seconds, or a number with ms)";
        return false;
    }
    *milliseconds = std::int64_t(std::llround(value * scale));
    return true;
}

bool ParseArguments(const CommandInfo& info, const std::string& name, const std::string& rest,
                    ScenarioStep* step, std::string* error) {
    const auto [first, afterFirst] = SplitWord(rest);
    switch (info.arguments) {
        case Arguments::None:
            if (!rest.empty()) *error = name + " takes no argument";
            return rest.empty();
        case Arguments::Text:
            if (rest.empty()) {
                *error = name + " needs a text";
                return false;
            }
            step->text = ScenarioParser::DecodeText(rest);
            return true;
        case Arguments::OptionalText:
            step->text = ScenarioParser::DecodeText(rest);
            return true;
        case Arguments::Count:
            if (!afterFirst.empty()) {
                *error = name + " takes one count";
                return false;
            }
            return ParseCount(first, info.maxCount, &step->count, error);
        case Arguments::OptionalCount:
            if (!afterFirst.empty()) {
                *error = name + " takes at most one count";
                return false;
            }
            return first.empty() || ParseCount(first, info.maxCount, &step->count, error);
        case Arguments::CountAndText:
            if (afterFirst.empty()) {
                *error = name + " needs a count and a text";
                return false;
            }
            step->text = ScenarioParser::DecodeText(afterFirst);
            return ParseCount(first, info.maxCount, &step->count, error);
        case Arguments::Seconds:
            if (!afterFirst.empty() || first.empty()) {
                *error = name + " needs one time";
                return false;
            }
            return ParseSeconds(first, &step->milliseconds, error);
    }
    return false;
}

bool IsValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
        i += length;
    }
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

AnsiString ApplyEscapes(const AnsiString& text) {
    AnsiString result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            result += '\\';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
                   HexValue(text[i + 2]) >= 0 && HexValue(text[i + 3]) >= 0) {
            result += char(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
            i += 3;
        } else {
            result += text[i];
        }
    }
    return result;
}

struct OpenBlock {
    std::size_t firstStep;
    std::int64_t times;
    int line;
};

// Writes the block's steps out `times` times in all (none for 0). Returns why it cannot when the
// scenario would then hold more than MaxSteps steps or MaxTextBytes bytes of text, else nothing.
// `textBytes` is the text the steps hold, before and after.
std::string ExpandBlock(const OpenBlock& block, std::vector<ScenarioStep>& steps,
                        std::size_t& textBytes) {
    const std::size_t bodySize = steps.size() - block.firstStep;
    const std::size_t total = block.firstStep + bodySize * std::size_t(block.times);
    if (total > ScenarioParser::MaxSteps)
        return "the repeated steps pass the limit of " + std::to_string(ScenarioParser::MaxSteps) +
               " steps";
    std::size_t bodyBytes = 0;
    for (std::size_t i = block.firstStep; i < steps.size(); ++i) bodyBytes += steps[i].text.size();
    // Both factors are bounded (the file's size, the step limit), so the product cannot wrap.
    const std::size_t totalBytes = textBytes - bodyBytes + bodyBytes * std::size_t(block.times);
    if (totalBytes > ScenarioParser::MaxTextBytes)
        return "the repeated steps pass the limit of " +
               std::to_string(ScenarioParser::MaxTextBytes) + " bytes of text";
    textBytes = totalBytes;
    if (block.times == 0) {
        steps.resize(block.firstStep);
        return {};
    }
    steps.reserve(total);  // no reallocation below, so copying from the vector itself is safe
    for (std::int64_t copy = 1; copy < block.times; ++copy)
        for (std::size_t i = 0; i < bodySize; ++i) steps.push_back(steps[block.firstStep + i]);
    return {};
}

}  // namespace

AnsiString ScenarioParser::DecodeText(const std::string& text) {
    const AnsiString bytes =
        IsValidUtf8(text) ? FromQString(QString::fromUtf8(text.data(), qsizetype(text.size())))
                          : text;
    return ApplyEscapes(bytes);
}

std::optional<ScenarioStep> ScenarioParser::ParseCommand(const std::string& line,
                                                         std::string* error) {
    error->clear();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') return std::nullopt;
    const auto [name, rest] = SplitWord(trimmed);
    const auto found = Commands().find(name);
    if (found == Commands().end()) {
        *error = "unknown command \"" + name + "\"";
        return std::nullopt;
    }
    ScenarioStep step;
    step.kind = found->second.kind;
    if (!ParseArguments(found->second, name, rest, &step, error)) return std::nullopt;
    return step;
}

ScenarioParseResult ScenarioParser::Parse(const std::string& text) {
    ScenarioParseResult result;
    std::vector<OpenBlock> blocks;
    auto fail = [&](int line, const std::string& message) {
        result.steps.clear();
        result.error = "line " + std::to_string(line) + ": " + message;
        return result;
    };
    int lineNumber = 0;
    std::size_t textBytes = 0;
    for (std::size_t begin = 0; begin <= text.size();) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(begin, end - begin));
        begin = end + 1;
        ++lineNumber;
        const auto [word, rest] = SplitWord(line);
        if (word == "repeat") {
            std::int64_t times = 0;
            std::string error;
            if (!ParseCount(Trim(rest), std::int64_t(MaxSteps), &times, &error))
                return fail(lineNumber, "repeat " + error);
            blocks.push_back({result.steps.size(), times, lineNumber});
            continue;
        }
        if (word == "end") {
            if (blocks.empty()) return fail(lineNumber, "end without repeat");
            const OpenBlock block = blocks.back();
            blocks.pop_back();
            if (const std::string error = ExpandBlock(block, result.steps, textBytes);
                !error.empty())
                return fail(block.line, error);
            continue;
        }
        std::string error;
        auto step = ParseCommand(line, &error);
        if (!error.empty()) return fail(lineNumber, error);
        if (!step) continue;
        step->line = lineNumber;
        textBytes += step->text.size();
        result.steps.push_back(std::move(*step));
        if (result.steps.size() > MaxSteps)
            return fail(lineNumber, "more than " + std::to_string(MaxSteps) + " steps");
    }
    if (!blocks.empty()) return fail(blocks.back().line, "repeat without end");
    return result;
}

}  // namespace tuvako::sim
