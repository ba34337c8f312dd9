#include "settings/TAbstractStore.h"

#include "settings/IntegerText.h"

namespace tuvako {

TAbstractStore::TAbstractStore(QObject* owner) : QObject(owner) {}

TAbstractStore::~TAbstractStore() = default;

void TAbstractStore::Open() {
    if (++openCount_ == 1) DoOpen();
}

void TAbstractStore::Close() {
    if (openCount_ > 0) --openCount_;
    if (openCount_ == 0) DoClose();
}

void TAbstractStore::EraseSection(const AnsiString&) {}

std::int32_t TAbstractStore::ReadInteger(const AnsiString& section, const AnsiString& key,
                                         std::int32_t defaultValue) {
    return StrToIntDef(ReadString(section, key, IntToStr(defaultValue)), defaultValue);
}

void TAbstractStore::WriteInteger(const AnsiString& section, const AnsiString& key,
                                  std::int32_t value) {
    WriteString(section, key, IntToStr(value));
}

}  // namespace tuvako
