// The settings store on an ini file, by default beside the executable.
#pragma once

#include "platform/Exception.h"
#include "settings/TAbstractStore.h"

#include <optional>

namespace tuvako {

// Raised when the file refuses a write: "Unable to write to <full file name>".
TUVAKO_DECLARE_EXCEPTION(EIniFileException, Exception);

// Reads and writes go straight to the file on every call; nothing is cached. The full file name
// is worked out afresh at every opening:
//   1. IniFileName, or, when it is empty, the executable's file name with the extension ".INI";
//   2. ".INI" appended when the name has no "." anywhere;
//   3. with UseExeDir, the file-name part of that in the executable's directory; without, the
//      name unchanged (relative names then start at the current directory).
// Opening neither reads nor creates the file; a missing file reads as defaults.
class TIniFileStore : public TAbstractStore {
public:
    explicit TIniFileStore(QObject* owner = nullptr);
    ~TIniFileStore() override;

    void SetIniFileName(AnsiString name) { iniFileName_ = std::move(name); }
    bool UseExeDir() const { return useExeDir_; }
    void SetUseExeDir(bool use) { useExeDir_ = use; }

    // The full name of the file that the next opening would use.
    AnsiString ResolveFileName() const;
    // The full name of the file in use; empty while the store is closed.
    AnsiString FileName() const { return openFile_.value_or(AnsiString()); }

    // Values are cut to 2047 bytes. These raise EComponentError on a closed store.
    AnsiString ReadString(const AnsiString& section, const AnsiString& key,
                          const AnsiString& defaultValue) override;
    void WriteString(const AnsiString& section, const AnsiString& key,
                     const AnsiString& value) override;
    void EraseSection(const AnsiString& section) override;

protected:
    void DoOpen() override;
    void DoClose() override;

private:
    const AnsiString& OpenFile() const;
    [[noreturn]] void FailWrite() const;

    AnsiString iniFileName_;
    bool useExeDir_ = true;
    std::optional<AnsiString> openFile_;  // present exactly while the store is open
};

}  // namespace tuvako
