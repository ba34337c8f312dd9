#include "platform/PrivateProfile.h"

#include "platform/ProfileFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace tuvako {
namespace {

// ---- Names and lines --------------------------------------------------------------------------

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Upper case of every code page 1252 byte, the way the platform compares names.
constexpr std::array<unsigned char, 256> MakeUpperTable() {
    std::array<unsigned char, 256> table{};
    for (unsigned c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
    for (unsigned c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 0x20);
    for (unsigned c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7)  // the division sign has no upper case
            table[c] = static_cast<unsigned char>(c - 0x20);
    table[0x9A] = 0x8A;  // s caron
    table[0x9C] = 0x8C;  // oe ligature
    table[0x9E] = 0x8E;  // z caron
    table[0xFF] = 0x9F;  // y diaeresis
    return table;
}

constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (kUpper[static_cast<unsigned char>(a[i])] != kUpper[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct Line {
    std::size_t begin;  // first byte of the line
    std::size_t end;    // one past its last byte, line ending excluded
    std::size_t next;   // first byte of the following line
};

// Walks the lines of a text. A line ends at CR LF, at LF or at a lone CR, as the home platform
// reads it: a file saved with CR alone as its line end still has one entry a line.
class LineCursor {
public:
    explicit LineCursor(std::string_view text, std::size_t from = 0,
                        std::size_t to = std::string_view::npos)
        : text_(text), pos_(from), to_(std::min(to, text.size())) {}

    bool Next(Line& line) {
        if (pos_ >= to_) return false;
        line.begin = pos_;
        // A UTF-8 byte-order mark that an editor put at the start of the file is no part of
        // the first line; anywhere else those bytes are the line's own.
        if (pos_ == 0 && text_.starts_with(kByteOrderMark)) line.begin = kByteOrderMark.size();
        line.end = std::min(text_.find_first_of("\r\n", line.begin), text_.size());
        line.next = line.end;
        if (line.next < text_.size() && text_[line.next++] == '\r' && line.next < text_.size() &&
            text_[line.next] == '\n')
            ++line.next;
        pos_ = line.next;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_;
    std::size_t to_;
};

enum class LineKind { Blank, Comment, Section, Entry, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section name or key
    std::string_view value;  // value of an entry
};

ParsedLine Parse(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return {LineKind::Blank, {}, {}};
    if (text.front() == ';') return {LineKind::Comment, {}, {}};
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        const std::size_t length = close == std::string_view::npos ? text.size() - 1 : close - 1;
        return {LineKind::Section, Trim(text.substr(1, length)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {LineKind::Other, {}, {}};
    return {LineKind::Entry, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

// One pair of matching quotes around a value is dropped on reading, as the home platform does.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view LineText(std::string_view content, const Line& line) {
    return content.substr(line.begin, line.end - line.begin);
}

// A section: its header line and the lines up to the next header.
struct SectionRange {
    std::size_t headerBegin;
    std::size_t bodyBegin;
    std::size_t bodyEnd;
};

// The first section called `name` at or after `from`.
std::optional<SectionRange> FindSection(std::string_view content, std::string_view name,
                                        std::size_t from = 0) {
    LineCursor cursor(content, from);
    Line line{};
    std::optional<SectionRange> found;
    while (cursor.Next(line)) {
        const ParsedLine parsed = Parse(LineText(content, line));
        if (parsed.kind != LineKind::Section) continue;
        if (found) {
            found->bodyEnd = line.begin;
            return found;
        }
        if (SameName(parsed.name, name))
            found = SectionRange{line.begin, line.next, content.size()};
    }
    return found;
}

// The line end that lines added to the file get: LF where the file's first line ends in LF
// alone, CR LF otherwise (also after a lone CR, which no reader takes for anything else).
std::string_view LineEnding(std::string_view content) {
    const std::size_t end = content.find_first_of("\r\n");
    return end != std::string_view::npos && content[end] == '\n' ? "\n" : "\r\n";
}

// Gives an unended last line its ending before something is added after it. A byte-order mark
// alone is no line: what follows it becomes the first line.
void EndLastLine(std::string& text, std::string_view eol) {
    if (text.empty() || text == kByteOrderMark || text.back() == '\n' || text.back() == '\r')
        return;
    text += eol;
}

// `content` with the entry line for `key` in `section` replaced by `entry`, or `entry` added.
std::string WithEntry(std::string_view content, std::string_view section, std::string_view key,
                      std::string_view entry) {
    const std::string_view eol = LineEnding(content);
    const auto range = FindSection(content, section);
    if (!range) {
        std::string result(content);
        EndLastLine(result, eol);
        result.append("[").append(section).append("]").append(eol);
        result.append(entry).append(eol);
        return result;
    }
    std::size_t insertAt = range->bodyBegin;
    LineCursor cursor(content, range->bodyBegin, range->bodyEnd);
    Line line{};
    while (cursor.Next(line)) {
        const ParsedLine parsed = Parse(LineText(content, line));
        if (parsed.kind == LineKind::Entry && SameName(parsed.name, key)) {
            std::string result(content.substr(0, line.begin));
            result.append(entry).append(content.substr(line.end));
            return result;
        }
        if (parsed.kind == LineKind::Entry || parsed.kind == LineKind::Other) insertAt = line.next;
    }
    std::string result(content.substr(0, insertAt));
    EndLastLine(result, eol);
    result.append(entry).append(eol).append(content.substr(insertAt));
    return result;
}

std::string WithoutSection(std::string_view content, std::string_view section) {
    std::string result;
    std::size_t copied = 0;
    for (auto range = FindSection(content, section); range;
         range = FindSection(content, section, range->bodyEnd)) {
        result.append(content.substr(copied, range->headerBegin - copied));
        copied = range->bodyEnd;
    }
    result.append(content.substr(copied));
    return result;
}

bool HasNoLineBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool IsWritableSection(std::string_view section) {
    return HasNoLineBreakOrZero(section) && section.find(']') == std::string_view::npos;
}

bool IsWritableKey(std::string_view key) {
    return !key.empty() && HasNoLineBreakOrZero(key) && key.find('=') == std::string_view::npos &&
           key.front() != '[' && key.front() != ';';
}

// The default as the platform's reader hands it back: without its trailing spaces (tabs and
// leading spaces stay, and so does the first character, even a space), then cut to the buffer.
std::string_view DefaultValue(std::string_view value) {
    while (value.size() > 1 && value.back() == ' ') value.remove_suffix(1);
    return value.substr(0, PrivateProfile::BufferSize - 1);
}

// ---- Loading and replacing --------------------------------------------------------------------

using FileState = ProfileFile::State;

// Loads the file for a change: a missing file is empty; a file that cannot be read whole is a
// failure, so that its content is never lost.
std::optional<FileState> LoadForUpdate(const AnsiString& fileName, std::string& content) {
    const FileState state = ProfileFile::Read(fileName, content, PrivateProfile::MaxFileSize);
    if (state == FileState::Unusable || content.size() > PrivateProfile::MaxFileSize)
        return std::nullopt;
    return state;
}

// Replaces the file unless nothing changes. A file that exists but may not be written (an
// operator may have frozen it) is not replaced either, although its directory would allow it.
bool Update(const AnsiString& fileName, FileState state, const std::string& before,
            const std::string& after) {
    if (after == before) return true;
    if (state == FileState::Loaded && !ProfileFile::IsWritable(fileName)) return false;
    return ProfileFile::Replace(fileName, after);
}

}  // namespace

AnsiString PrivateProfile::GetString(const AnsiString& section, const AnsiString& key,
                                     const AnsiString& defaultValue, const AnsiString& fileName) {
    std::string content;
    std::string_view result = DefaultValue(defaultValue);
    if (ProfileFile::Read(fileName, content, MaxFileSize) == FileState::Loaded) {
        content.resize(std::min(content.size(), MaxFileSize));
        if (const auto range = FindSection(content, Trim(section))) {
            LineCursor cursor(content, range->bodyBegin, range->bodyEnd);
            Line line{};
            while (cursor.Next(line)) {
                const ParsedLine parsed = Parse(LineText(content, line));
                if (parsed.kind == LineKind::Entry && SameName(parsed.name, Trim(key))) {
                    const std::string_view value = Unquoted(parsed.value);
                    result = value.substr(0, value.find('\0'));
                    break;
                }
            }
        }
    }
    return AnsiString(result.substr(0, BufferSize - 1));
}

bool PrivateProfile::WriteString(const AnsiString& section, const AnsiString& key,
                                 const AnsiString& value, const AnsiString& fileName) {
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    if (!IsWritableSection(sectionName) || !IsWritableKey(keyName) || !HasNoLineBreakOrZero(value))
        return false;
    std::string content;
    const auto state = LoadForUpdate(fileName, content);
    if (!state) return false;
    const std::string entry = std::string(keyName) + "=" + value;
    return Update(fileName, *state, content, WithEntry(content, sectionName, keyName, entry));
}

bool PrivateProfile::EraseSection(const AnsiString& section, const AnsiString& fileName) {
    std::string content;
    const auto state = LoadForUpdate(fileName, content);
    if (!state) return false;
    return Update(fileName, *state, content, WithoutSection(content, Trim(section)));
}

}  // namespace tuvako
