// The wire record builder.
#include "app/Wdef.h"

namespace tuvako {

AnsiString BuildRecord(const AnsiString& kind, const AnsiString& subject,
                       const AnsiString& terminal, const AnsiString& f4, const AnsiString& f5,
                       const AnsiString& data) {
    AnsiString record;
    record.reserve(5 * (kRecordFieldMax + 1) + data.size() + 1);
    for (const AnsiString* field : {&kind, &subject, &terminal, &f4, &f5}) {
        record.append(*field, 0, kRecordFieldMax);
        record += '^';
    }
    record += data;
    record += '^';
    return record;
}

AnsiString LoginRecord(const AnsiString& terminalId) {
    return BuildRecord(texts::kRecordKindLogin, texts::kNoSubject, terminalId, texts::kRecordField4,
                       texts::kRecordField5, texts::kLoginPassword);
}

}  // namespace tuvako
