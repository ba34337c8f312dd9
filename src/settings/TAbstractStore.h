// A settings store: text values by section and key, opened around a batch of reads or writes.
#pragma once

#include "platform/AnsiString.h"

#include <QObject>

#include <cstdint>

namespace tuvako {

// Open and Close nest: the first Open opens the underlying storage (DoOpen) and the Close that
// brings the count back to 0 closes it (DoClose). Reads and writes belong between the two.
class TAbstractStore : public QObject {
public:
    explicit TAbstractStore(QObject* owner = nullptr);
    ~TAbstractStore() override;

    void Open();
    // A Close on a closed store keeps the count at 0 and runs DoClose again, which must then
    // find nothing to close.
    void Close();
    int OpenCount() const { return openCount_; }

    virtual AnsiString ReadString(const AnsiString& section, const AnsiString& key,
                                  const AnsiString& defaultValue) = 0;
    virtual void WriteString(const AnsiString& section, const AnsiString& key,
                             const AnsiString& value) = 0;
    // Removes a whole section. The base store has nothing to remove.
    virtual void EraseSection(const AnsiString& section);

    // The value as a signed 32-bit integer; `defaultValue` when the key is missing or its text
    // is not an integer in decimal.
    std::int32_t ReadInteger(const AnsiString& section, const AnsiString& key,
                             std::int32_t defaultValue);
    void WriteInteger(const AnsiString& section, const AnsiString& key, std::int32_t value);

    // Keeps a store open for a scope: Open at construction, Close at destruction, also when an
    // exception leaves the scope.
    class OpenScope {
    public:
        explicit OpenScope(TAbstractStore& store) : store_(store) { store_.Open(); }
        ~OpenScope() { store_.Close(); }
        OpenScope(const OpenScope&) = delete;
        OpenScope& operator=(const OpenScope&) = delete;

    private:
        TAbstractStore& store_;
    };

protected:
    virtual void DoOpen() = 0;
    virtual void DoClose() = 0;

private:
    int openCount_ = 0;
};

}  // namespace tuvako
