#include "settings/TComponentState.h"

#include "platform/Cp1252.h"
#include "settings/IntegerText.h"
#include "settings/PropertyText.h"
#include "settings/TAbstractStore.h"

#include <QMetaProperty>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <string_view>

namespace tuvako {
namespace {

using Kind = PropertyText::Kind;

// The object and property that a path "A.B.C" names, starting at `object`, with the key that
// stores it: the names as the objects spell them.
struct Target {
    QObject* object;
    QMetaProperty property;
    AnsiString key;
};

std::optional<Target> Lookup(QObject& component, const AnsiString& path) {
    Target target{&component, {}, FromQString(component.objectName())};
    std::string_view rest = path;
    while (true) {
        const std::size_t dot = std::min(rest.find('.'), rest.size());
        const AnsiString name(TrimBlanksAndControls(rest.substr(0, dot)));
        const auto property = PropertyText::Find(*target.object, name);
        if (!property) return std::nullopt;
        target.key += AnsiString(".") + property->name();
        if (dot == rest.size()) {
            target.property = *property;
            return target;
        }
        target.object = property->read(target.object).value<QObject*>();
        if (!target.object) return std::nullopt;
        rest.remove_prefix(dot + 1);
    }
}

QObject* ObjectValue(const QObject& object, const QMetaProperty& property) {
    return property.read(&object).value<QObject*>();
}

// The properties an object adds to QObject's own (its name is not part of its state).
template <class Visit>
void ForEachOwnProperty(QObject& object, Visit&& visit) {
    const QMetaObject* meta = object.metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        if (meta->property(i).isReadable()) visit(meta->property(i));
}

using ValueAction = std::function<void(QObject&, const QMetaProperty&, const AnsiString& key)>;

// Calls `act` for a property that holds a value; for one that holds an object, for each
// property under it, each object visited once (a part may point back at its owner).
void WalkValue(QObject& object, const QMetaProperty& property, const AnsiString& key,
               std::set<const QObject*>& visited, const ValueAction& act) {
    if (PropertyText::KindOf(property) != Kind::Object) {
        act(object, property, key);
        return;
    }
    QObject* part = ObjectValue(object, property);
    if (part && visited.insert(part).second)
        ForEachOwnProperty(*part, [&](const QMetaProperty& inner) {
            WalkValue(*part, inner, key + "." + inner.name(), visited, act);
        });
}

// The walk of one stored entry: the property that its path names on its component.
void WalkEntry(QObject& component, const AnsiString& path, const ValueAction& act) {
    if (const auto target = Lookup(component, path)) {
        std::set<const QObject*> visited{&component};
        WalkValue(*target->object, target->property, target->key, visited, act);
    }
}

}  // namespace

TComponentState::TComponentState(QWidget* owner) : TAbstractState(owner) {}

TComponentState::~TComponentState() = default;

void TComponentState::SetStoredProperties(const std::vector<AnsiString>& entries) {
    entries_.clear();
    for (const AnsiString& text : entries) entries_.push_back({text, {}, nullptr});
    loaded_ = false;
}

std::vector<AnsiString> TComponentState::StoredProperties() const {
    Load();
    std::vector<AnsiString> texts;
    for (const Entry& entry : entries_) texts.push_back(entry.text);
    return texts;
}

// Finds each entry's component once, dropping the entries without one; later calls only drop
// the entries whose component has been destroyed since.
void TComponentState::Load() const {
    if (!loaded_) {
        for (Entry& entry : entries_) {
            const std::size_t dot = std::min(entry.text.find('.'), entry.text.size());
            const std::string_view text = entry.text;
            const AnsiString name(TrimBlanksAndControls(text.substr(0, dot)));
            entry.path = TrimBlanksAndControls(text.substr(std::min(dot + 1, text.size())));
            entry.component = name.empty() || entry.path.empty() ? nullptr : FindComponent(name);
        }
        loaded_ = true;
    }
    std::erase_if(entries_, [](const Entry& entry) { return entry.component.isNull(); });
}

void TComponentState::DoSaveState() {
    if (!Storage()) return;
    Load();
    TAbstractStore::OpenScope open(*Storage());
    for (const Entry& entry : std::vector<Entry>(entries_))
        if (entry.component)
            WalkEntry(*entry.component, entry.path,
                      [this](QObject& object, const QMetaProperty& property,
                             const AnsiString& key) { SaveValue(object, property, key); });
}

void TComponentState::SaveValue(QObject& object, const QMetaProperty& property,
                                const AnsiString& key) {
    TAbstractStore& store = *Storage();
    const AnsiString section = EffectiveSection();
    const Kind kind = PropertyText::KindOf(property);
    if (kind == Kind::StringList) {
        const AnsiString listSection = section + "." + key;
        const QStringList items = property.read(&object).toStringList();
        store.EraseSection(listSection);
        store.WriteInteger(listSection, "Count", std::int32_t(items.size()));
        for (qsizetype i = 0; i < items.size(); ++i)
            store.WriteString(listSection, "Item" + IntToStr(i), FromQString(items[i]));
    } else if (kind != Kind::Unsupported) {
        const AnsiString text(TrimBlanksAndControls(PropertyText::Get(object, property)));
        if (!text.empty() || kind == Kind::String || kind == Kind::Character)
            store.WriteString(section, key, text);
    }
}

void TComponentState::DoRestoreState() {
    if (!Storage()) return;
    try {
        Load();
        TAbstractStore::OpenScope open(*Storage());
        for (const Entry& entry : std::vector<Entry>(entries_)) RestoreEntry(entry);
    } catch (...) {
        // Restoring is a courtesy: whatever fails leaves the form as it is.
    }
}

void TComponentState::RestoreEntry(const Entry& entry) {
    try {
        if (entry.component)
            WalkEntry(*entry.component, entry.path,
                      [this](QObject& object, const QMetaProperty& property,
                             const AnsiString& key) { RestoreValue(object, property, key); });
    } catch (...) {
        // A value that cannot be restored keeps the current one; the others still come back.
    }
}

void TComponentState::RestoreValue(QObject& object, const QMetaProperty& property,
                                   const AnsiString& key) {
    TAbstractStore& store = *Storage();
    const AnsiString section = EffectiveSection();
    const Kind kind = PropertyText::KindOf(property);
    if (kind == Kind::Unsupported || !property.isWritable()) return;
    if (kind == Kind::StringList) {
        const AnsiString listSection = section + "." + key;
        const std::int32_t count =
            std::min(store.ReadInteger(listSection, "Count", -1), MaxListItems);
        if (count < 0) return;
        QStringList items;
        for (std::int32_t i = 0; i < count; ++i)
            items.append(ToQString(store.ReadString(listSection, "Item" + IntToStr(i), "")));
        property.write(&object, items);
        return;
    }
    const AnsiString current(TrimBlanksAndControls(PropertyText::Get(object, property)));
    const AnsiString text(TrimBlanksAndControls(store.ReadString(section, key, current)));
    if (text != current) PropertyText::Set(object, property, text);
}

}  // namespace tuvako
