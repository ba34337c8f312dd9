#include "settings/TOvcAbstractStore.h"

#include "settings/IntegerText.h"

namespace tuvako {

TOvcAbstractStore::TOvcAbstractStore(QObject* owner) : QObject(owner) {}

TOvcAbstractStore::~TOvcAbstractStore() = default;

void TOvcAbstractStore::Open() {
    if (++openCount_ == 1) DoOpen();
}

void TOvcAbstractStore::Close() {
    if (openCount_ > 0) --openCount_;
    if (openCount_ == 0) DoClose();
}

void TOvcAbstractStore::EraseSection(const AnsiString&) {}

std::int32_t TOvcAbstractStore::ReadInteger(const AnsiString& section, const AnsiString& key,
                                            std::int32_t defaultValue) {
    return StrToIntDef(ReadString(section, key, IntToStr(defaultValue)), defaultValue);
}

void TOvcAbstractStore::WriteInteger(const AnsiString& section, const AnsiString& key,
                                     std::int32_t value) {
    WriteString(section, key, IntToStr(value));
}

}  // namespace tuvako
