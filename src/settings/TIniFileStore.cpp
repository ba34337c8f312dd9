#include "settings/TIniFileStore.h"

#include "platform/ExecutableFile.h"
#include "platform/PrivateProfile.h"
#include "settings/EComponentError.h"

namespace tuvako {
namespace {

// Names written for the home platform may carry its "\" separators; both end a directory part.
AnsiString FilePart(const AnsiString& name) {
    const std::size_t separator = name.find_last_of("/\\");
    return separator == AnsiString::npos ? name : name.substr(separator + 1);
}

// The directory of a path with its trailing separator, or empty when there is none.
AnsiString DirectoryPart(const AnsiString& path) {
    const std::size_t separator = path.rfind(PathDelimiter);
    return separator == AnsiString::npos ? AnsiString() : path.substr(0, separator + 1);
}

AnsiString WithExtension(const AnsiString& path, const AnsiString& extension) {
    const std::size_t nameStart = path.rfind(PathDelimiter) + 1;  // npos + 1 == 0
    const std::size_t dot = path.rfind('.');
    const bool hasExtension = dot != AnsiString::npos && dot >= nameStart;
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

}  // namespace

TIniFileStore::TIniFileStore(QObject* owner) : TAbstractStore(owner) {}

TIniFileStore::~TIniFileStore() = default;

AnsiString TIniFileStore::ResolveFileName() const {
    AnsiString name = iniFileName_;
    if (name.empty()) name = FilePart(WithExtension(ExecutableFile(), ".INI"));
    if (name.find('.') == AnsiString::npos) name += ".INI";
    if (!useExeDir_) return name;
    // The directory comes with its separator. Should the executable's path be unknown, the name
    // stays relative rather than landing in the root directory.
    return DirectoryPart(ExecutableFile()) + FilePart(name);
}

void TIniFileStore::DoOpen() {
    openFile_ = ResolveFileName();
}

void TIniFileStore::DoClose() {
    // Every write has already reached the file; there is nothing to flush.
    openFile_.reset();
}

const AnsiString& TIniFileStore::OpenFile() const {
    if (!openFile_) throw EComponentError("The settings store is not open");
    return *openFile_;
}

void TIniFileStore::FailWrite() const {
    throw EIniFileException("Unable to write to " + *openFile_);
}

AnsiString TIniFileStore::ReadString(const AnsiString& section, const AnsiString& key,
                                     const AnsiString& defaultValue) {
    return PrivateProfile::GetString(section, key, defaultValue, OpenFile());
}

void TIniFileStore::WriteString(const AnsiString& section, const AnsiString& key,
                                const AnsiString& value) {
    if (!PrivateProfile::WriteString(section, key, value, OpenFile())) FailWrite();
}

void TIniFileStore::EraseSection(const AnsiString& section) {
    if (!PrivateProfile::EraseSection(section, OpenFile())) FailWrite();
}

}  // namespace tuvako
