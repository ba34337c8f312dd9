// Arbitrary bytes as an ini file, read and written through PrivateProfile and through the
// settings store. Every key the file seems to hold is read both ways (they must agree), one key
// is written, and then:
//   - a default comes back without its trailing spaces (a tab stays);
//   - a refused write leaves the file as it was, byte for byte;
//   - a write the store takes reads back (blanks around it trimmed, cut to 2047 bytes);
//   - every other key reads as before;
//   - every other line is kept byte for byte: the file changed in one place only, by one line
//     replaced or by at most a section header and a key line added.
#include "FuzzCheck.h"

#include "platform/PrivateProfile.h"
#include "settings/TIniFileStore.h"
#include "support/TempDir.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace tuvako;
using Entry = std::pair<std::string, std::string>;  // section, key

const std::string kMissing = "\x01(missing)";

std::string Trim(std::string text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    std::size_t begin = 0;
    while (begin < text.size() && blank(text[begin])) ++begin;
    return text.substr(begin);
}

// Names compare without regard to case, code page 1252 letters included.
std::string Folded(const std::string& name) {
    std::string folded = Trim(name);
    for (char& c : folded) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) c = char(u - 0x20);
        if (u == 0x9A || u == 0x9C || u == 0x9E) c = char(u - 0x10);
        if (u == 0xFF) c = char(0x9F);
    }
    return folded;
}

// The lines of a text with their endings: CR LF, LF or a lone CR.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t next = std::min(text.find_first_of("\r\n", begin), text.size());
        if (next < text.size() && text[next++] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        lines.push_back(text.substr(begin, next - begin));
        begin = next;
    }
    return lines;
}

bool IsEnded(const std::string& line) {
    return !line.empty() && (line.back() == '\n' || line.back() == '\r');
}

std::string WithoutEnding(std::string line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// The sections and keys a reader of ini files would take the file to hold.
std::vector<Entry> EntriesOf(const std::string& text) {
    std::vector<Entry> entries;
    std::string section;
    bool inSection = false;
    for (const std::string& raw : LinesOf(text)) {
        const std::string line = Trim(WithoutEnding(raw));
        if (!line.empty() && line[0] == '[') {
            const std::size_t close = line.find(']');
            inSection = close != std::string::npos;
            if (inSection) section = line.substr(1, close - 1);
        } else if (inSection && !line.empty() && line[0] != ';') {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos) entries.emplace_back(section, line.substr(0, equals));
        }
    }
    return entries;
}

std::map<Entry, std::string> ReadAll(const std::vector<Entry>& entries, const std::string& file,
                                     TIniFileStore& store) {
    std::map<Entry, std::string> values;
    for (const Entry& entry : entries) {
        const std::string value =
            PrivateProfile::GetString(entry.first, entry.second, kMissing, file);
        fuzz::Check(value.size() < PrivateProfile::BufferSize, "a value over 2047 bytes");
        fuzz::Check(store.ReadString(entry.first, entry.second, kMissing) == value,
                    "the store and PrivateProfile read the same key differently");
        values[entry] = value;
    }
    return values;
}

bool IsKeyLine(const std::string& line, const Entry& target) {
    const std::string text = WithoutEnding(line);
    const std::size_t equals = text.find('=');
    return equals != std::string::npos && Folded(text.substr(0, equals)) == Folded(target.second);
}

// The file changed in one place: one line replaced by the key's line, or at most two lines
// added (a header before a new section, the key), an unended last line given its line end
// first. No blank line is added.
void CheckOtherLinesKept(const std::string& before, const std::string& after, const Entry& target) {
    const std::vector<std::string> old = LinesOf(before), now = LinesOf(after);
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    const std::size_t removed = old.size() - prefix - suffix, added = now.size() - prefix - suffix;
    const std::string where = " (line " + std::to_string(prefix + 1) + " of \"" +
                              fuzz::Printable(before) + "\", now \"" + fuzz::Printable(after) +
                              "\")";
    fuzz::Check(removed <= 1 && added >= 1 && added <= 2 + removed,
                "the write changed " + std::to_string(removed) + " lines into " +
                    std::to_string(added) + where);
    fuzz::Check(IsKeyLine(now[prefix + added - 1], target),
                "the line written is not the key's" + where);
    for (std::size_t i = prefix; i < prefix + added; ++i)
        fuzz::Check(!Trim(WithoutEnding(now[i])).empty() || (removed == 1 && i == prefix),
                    "a blank line was added" + where);
    if (removed == 1) {
        const std::string& gone = old[prefix];
        const bool unendedLast = prefix + 1 == old.size() && !IsEnded(gone);
        fuzz::Check(
            IsKeyLine(gone, target) || (unendedLast && now[prefix].starts_with(gone)),
            "a line that was not the key's changed: \"" + fuzz::Printable(gone) + "\"" + where);
    }
}

// Blanks around a value do not survive reading, and a reader may take quotes around a value
// for quoting; the value written has neither at its ends.
std::string CleanValue(std::string value) {
    const auto edge = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    while (!value.empty() && edge(value.back())) value.pop_back();
    std::size_t begin = 0;
    while (begin < value.size() && edge(value[begin])) ++begin;
    return value.substr(begin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const test::TempDir dir;
    FuzzedDataProvider input(data, size);
    const auto how = input.ConsumeIntegral<std::uint8_t>();
    const std::size_t pick = input.ConsumeIntegral<std::uint16_t>();
    std::string section = input.ConsumeRandomLengthString(40);
    std::string key = input.ConsumeRandomLengthString(40);
    const std::string value = CleanValue(input.ConsumeRandomLengthString(80));
    const std::string before = input.ConsumeRemainingBytesAsString();
    const std::string file = dir.Write((how & 1) ? "Selvaro.ini" : "Selwi.ini", before).string();

    TIniFileStore store;
    store.SetIniFileName(file);
    store.SetUseExeDir(false);
    const TAbstractStore::OpenScope open(store);

    const std::vector<Entry> entries = EntriesOf(before);
    const std::map<Entry, std::string> oldValues = ReadAll(entries, file, store);
    // No file holds a key with "=" in it: its default comes back without trailing spaces.
    fuzz::Check(store.ReadString(section, "k=v", " default \t ") == " default \t",
                "a default kept its trailing spaces or lost a tab");
    if ((how & 2) && !entries.empty()) {  // write a key the file has
        section = entries[pick % entries.size()].first;
        key = entries[pick % entries.size()].second;
    }
    bool written = true;
    if (how & 4) {
        try {
            store.WriteString(section, key, value);
        } catch (const EIniFileException&) {
            written = false;
        }
    } else {
        written = PrivateProfile::WriteString(section, key, value, file);
    }
    const std::string after = test::TempDir::Read(file);
    if (!written) {
        fuzz::Check(after == before, "a refused write changed the file");
        return 0;
    }
    const std::string readBack = PrivateProfile::GetString(section, key, kMissing, file);
    fuzz::Check(readBack == value.substr(0, PrivateProfile::BufferSize - 1),
                "wrote \"" + fuzz::Printable(value) + "\", read back \"" +
                    fuzz::Printable(readBack) + "\"");
    if (after == before) return 0;  // the key had this value already
    CheckOtherLinesKept(before, after, {section, key});
    for (const auto& [entry, old] : oldValues) {
        if (Folded(entry.first) == Folded(section) && Folded(entry.second) == Folded(key)) continue;
        fuzz::Check(PrivateProfile::GetString(entry.first, entry.second, kMissing, file) == old,
                    "another key changed: [" + fuzz::Printable(entry.first) + "] " +
                        fuzz::Printable(entry.second) + " in \"" + fuzz::Printable(before) +
                        "\", now \"" + fuzz::Printable(after) + "\"");
    }
    return 0;
}
