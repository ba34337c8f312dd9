// Keeps named properties of the components on a form in a store.
#pragma once

#include "settings/TAbstractState.h"

#include <QPointer>

#include <vector>

class QMetaProperty;

namespace tuvako {

// Each stored property is named "Component.Property": the objectName of an object on the form
// and the name of one of its Qt properties (or a path "Sub.Property" through QObject-valued
// properties), both compared without regard to case. It is stored under the key
// "Component.Property" in the keeper's section, as PropertyText describes; a QObject-valued
// property stores each of its own properties under "Component.Property.Name", and a string list
// goes to its own section "<section>.Component.Property" with "Count" and "Item0"... keys.
//
// When first restored or saved, the list drops the entries that name no object on the form;
// entries of an object destroyed later go when it is gone. Restoring a key the store lacks
// leaves the property as it is; anything that goes wrong while restoring a property is ignored
// and the next one restored. Saving skips unknown property names; store failures propagate.
class TComponentState : public TAbstractState {
public:
    // A string list longer than this is read only this far.
    static constexpr int MaxListItems = 10000;

    explicit TComponentState(QWidget* owner);
    ~TComponentState() override;

    void SetStoredProperties(const std::vector<AnsiString>& entries);
    std::vector<AnsiString> StoredProperties() const;

protected:
    void DoRestoreState() override;
    void DoSaveState() override;

private:
    struct Entry {
        AnsiString text;
        AnsiString path;
        QPointer<QObject> component;
    };

    void Load() const;
    // Store or restore one property that holds a value (not an object).
    void SaveValue(QObject& object, const QMetaProperty& property, const AnsiString& key);
    void RestoreValue(QObject& object, const QMetaProperty& property, const AnsiString& key);
    void RestoreEntry(const Entry& entry);

    mutable std::vector<Entry> entries_;
    mutable bool loaded_ = false;
};

}  // namespace tuvako
