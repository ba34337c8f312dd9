#include "app/SettingsReport.h"

#include "app/ConfigValues.h"
#include "app/Texts.h"
#include "settings/IntegerText.h"
#include "settings/TAbstractStore.h"

#include <algorithm>
#include <optional>

namespace tuvako {
namespace {

// A value no one writes in an ini file: what a key that is not there reads as.
constexpr char kAbsent[] = "\x01\x02";

class SettingReader {
public:
    SettingReader(TAbstractStore& store, SettingsReport& report) : store_(store), report_(report) {}

    AnsiString Text(const AnsiString& section, const char* key, const AnsiString& fallback) {
        const std::optional<AnsiString> file = FileText(section, key);
        const AnsiString value = CutTo(file.value_or(fallback), ShortTextMax);
        Add(section, key, value, file.has_value(), {});
        return value;
    }

    std::int32_t Number(const AnsiString& section, const char* key, std::int32_t fallback) {
        const std::optional<AnsiString> file = FileText(section, key);
        const std::optional<std::int32_t> parsed = file ? ParseInteger(*file) : std::nullopt;
        // A number the terminal cannot read counts as the default, and the report says why.
        const AnsiString unusable = file && !parsed ? *file : AnsiString();
        const std::int32_t value = parsed.value_or(fallback);
        Add(section, key, IntToStr(value), parsed.has_value(), unusable);
        return value;
    }

    bool YesNo(const AnsiString& section, const char* key, const char* fallback) {
        const std::optional<AnsiString> file = FileText(section, key);
        const AnsiString text = file.value_or(fallback);
        const bool on = IsYes(text);
        Add(section, key, text + (on ? " (on)" : " (off)"), file.has_value(), {});
        return on;
    }

private:
    std::optional<AnsiString> FileText(const AnsiString& section, const char* key) {
        AnsiString text = store_.ReadString(section, key, kAbsent);
        if (text == kAbsent) return std::nullopt;
        return text;
    }

    void Add(const AnsiString& section, const char* key, AnsiString value, bool fromFile,
             AnsiString fileText) {
        report_.lines.push_back({section, key, std::move(value), fromFile, std::move(fileText)});
    }

    TAbstractStore& store_;
    SettingsReport& report_;
};

}  // namespace

SettingsReport SettingsReport::Read(TAbstractStore& store, const AnsiString& terminalSection) {
    SettingsReport report;
    report.terminalSection = terminalSection;
    const TAbstractStore::OpenScope open(store);
    SettingReader read(store, report);
    const AnsiString server = texts::kServerSection;
    const AnsiString& terminal = terminalSection;
    report.port = read.Text(server, texts::kKeyPort, texts::kDefaultPort);
    read.Number(server, texts::kKeyPingTime, texts::kDefaultPingTime);
    report.useServer = read.YesNo(server, texts::kKeyUse, texts::kDefaultUse);
    report.serverAddress =
        read.Text(server, texts::kKeyServerAddress, texts::kDefaultServerAddress);
    report.terminalId = CutTo(
        texts::kTerminalPrefix + read.Text(terminal, texts::kKeyNumber, texts::kDefaultNumber),
        ShortTextMax);
    read.Number(terminal, texts::kKeyButtonWidth, texts::kDefaultButtonWidth);
    read.Number(terminal, texts::kKeyButtonShowTime, texts::kDefaultButtonShowTime);
    read.Number(terminal, texts::kKeyFontSize, texts::kDefaultFontSize);
    read.YesNo(terminal, texts::kKeyShowClearButton, texts::kDefaultShowClearButton);
    return report;
}

AnsiString SettingsReport::Format() const {
    AnsiString text;
    for (const Line& line : lines) {
        text += "  [" + line.section + "] " + line.key + " = " + line.value;
        if (!line.fileText.empty())
            text += " (default: the file's \"" + line.fileText + "\" is not a number)\n";
        else
            text += line.fromFile ? " (file)\n" : " (default)\n";
    }
    return text;
}

bool SettingsReport::TerminalSectionUsed() const {
    return std::any_of(lines.begin(), lines.end(), [this](const Line& line) {
        return line.fromFile && line.section == terminalSection;
    });
}

}  // namespace tuvako
