#include "settings/PropertyText.h"

#include "platform/Cp1252.h"
#include "settings/IntegerText.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QObject>
#include <QVariant>

#include <charconv>
#include <cstdio>
#include <string_view>

namespace tuvako {
namespace {

using Kind = PropertyText::Kind;

bool IsWide(int typeId) {
    return typeId == QMetaType::LongLong || typeId == QMetaType::ULongLong;
}

AnsiString IntegerText(const QVariant& value, int typeId) {
    if (IsWide(typeId)) return IntToStr(value.toLongLong());
    if (typeId == QMetaType::UInt || typeId == QMetaType::ULong)
        return IntToStr(static_cast<std::int32_t>(value.toUInt()));
    return IntToStr(value.toInt());
}

QVariant IntegerValue(const AnsiString& text, int typeId) {
    if (IsWide(typeId)) {
        qlonglong value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size() ? value : qlonglong(0);
    }
    const std::int32_t value = StrToIntDef(text, 0);
    if (typeId == QMetaType::UInt || typeId == QMetaType::ULong) return static_cast<uint>(value);
    return value;
}

AnsiString CharacterText(const QVariant& value, int typeId) {
    const char16_t code = typeId == QMetaType::Char
                              ? static_cast<unsigned char>(value.value<char>())
                              : value.value<QChar>().unicode();
    return code == 0 ? AnsiString() : FromQString(QString(QChar(code)));
}

QVariant CharacterValue(const AnsiString& text, int typeId) {
    const char byte = text.empty() ? '\0' : text.front();
    if (typeId == QMetaType::Char) return QVariant::fromValue(byte);
    return QVariant::fromValue(text.empty() ? QChar() : ToQString(AnsiString(1, byte)).front());
}

bool IsSingleBit(int value) {
    return value != 0 && (value & (value - 1)) == 0;
}

AnsiString SetText(const QMetaEnum& members, int value) {
    AnsiString text = "[";
    for (int i = 0; i < members.keyCount(); ++i) {
        const int member = members.value(i);
        if (IsSingleBit(member) && (value & member) == member)
            text.append(text.size() > 1 ? "," : "").append(members.key(i));
    }
    return text + "]";
}

int MemberValue(const QMetaEnum& members, std::string_view name, bool& found) {
    const AnsiString wanted(name);
    for (int i = 0; i < members.keyCount(); ++i) {
        if (qstricmp(members.key(i), wanted.c_str()) == 0) {
            found = true;
            return members.value(i);
        }
    }
    found = false;
    return 0;
}

int SetValue(const QMetaEnum& members, std::string_view text) {
    text = TrimBlanksAndControls(text);
    if (!text.empty() && text.front() == '[') text.remove_prefix(1);
    if (!text.empty() && text.back() == ']') text.remove_suffix(1);
    int value = 0;
    while (!text.empty()) {
        const std::size_t comma = std::min(text.find(','), text.size());
        bool found = false;
        value |= MemberValue(members, TrimBlanksAndControls(text.substr(0, comma)), found);
        text.remove_prefix(std::min(comma + 1, text.size()));
    }
    return value;
}

AnsiString EnumerationText(const QMetaProperty& property, const QVariant& value) {
    if (property.metaType().id() == QMetaType::Bool) return value.toBool() ? "True" : "False";
    const char* key = property.enumerator().valueToKey(value.toInt());
    return key ? key : "";
}

void SetEnumeration(QObject& object, const QMetaProperty& property, const AnsiString& text) {
    if (property.metaType().id() == QMetaType::Bool) {
        if (qstricmp(text.c_str(), "True") == 0 || qstricmp(text.c_str(), "False") == 0)
            property.write(&object, qstricmp(text.c_str(), "True") == 0);
        return;
    }
    bool found = false;
    const int value = MemberValue(property.enumerator(), text, found);
    if (found) property.write(&object, value);
}

AnsiString FloatText(const QVariant& value, int typeId) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*G", typeId == QMetaType::Float ? 7 : 15, value.toDouble());
    return text;
}

void SetFloat(QObject& object, const QMetaProperty& property, const AnsiString& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size()) property.write(&object, value);
}

AnsiString StringText(const QVariant& value, int typeId) {
    if (typeId == QMetaType::QByteArray) return value.toByteArray().toStdString();
    return FromQString(value.toString());
}

QVariant StringValue(const AnsiString& text, int typeId) {
    if (typeId == QMetaType::QByteArray) return QByteArray(text.data(), qsizetype(text.size()));
    return ToQString(text);
}

}  // namespace

std::optional<QMetaProperty> PropertyText::Find(const QObject& object, const AnsiString& name) {
    const QMetaObject* meta = object.metaObject();
    if (const int exact = meta->indexOfProperty(name.c_str()); exact >= 0)
        return meta->property(exact);
    for (int i = 0; i < meta->propertyCount(); ++i)
        if (qstricmp(meta->property(i).name(), name.c_str()) == 0) return meta->property(i);
    return std::nullopt;
}

PropertyText::Kind PropertyText::KindOf(const QMetaProperty& property) {
    if (property.isEnumType()) return property.isFlagType() ? Kind::Set : Kind::Enumeration;
    const QMetaType type = property.metaType();
    if (type.flags() & QMetaType::PointerToQObject) return Kind::Object;
    switch (type.id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::SChar:
        case QMetaType::UChar:
            return Kind::Integer;
        case QMetaType::Char:
        case QMetaType::QChar:
            return Kind::Character;
        case QMetaType::Bool:
            return Kind::Enumeration;
        case QMetaType::Double:
        case QMetaType::Float:
            return Kind::Float;
        case QMetaType::QString:
        case QMetaType::QByteArray:
            return Kind::String;
        case QMetaType::QVariant:
            return Kind::Variant;
        case QMetaType::QStringList:
            return Kind::StringList;
        default:
            return Kind::Unsupported;
    }
}

AnsiString PropertyText::Get(const QObject& object, const QMetaProperty& property) {
    const QVariant value = property.read(&object);
    const int typeId = property.metaType().id();
    switch (KindOf(property)) {
        case Kind::Integer:
            return IntegerText(value, typeId);
        case Kind::Character:
            return CharacterText(value, typeId);
        case Kind::Enumeration:
            return EnumerationText(property, value);
        case Kind::Set:
            return SetText(property.enumerator(), value.toInt());
        case Kind::Float:
            return FloatText(value, typeId);
        case Kind::String:
            return StringText(value, typeId);
        case Kind::Variant:
            return FromQString(value.toString());
        default:
            return {};
    }
}

void PropertyText::Set(QObject& object, const QMetaProperty& property, const AnsiString& text) {
    const int typeId = property.metaType().id();
    switch (KindOf(property)) {
        case Kind::Integer:
            property.write(&object, IntegerValue(text, typeId));
            break;
        case Kind::Character:
            property.write(&object, CharacterValue(text, typeId));
            break;
        case Kind::Enumeration:
            SetEnumeration(object, property, text);
            break;
        case Kind::Set:
            property.write(&object, SetValue(property.enumerator(), text));
            break;
        case Kind::Float:
            SetFloat(object, property, text);
            break;
        case Kind::String:
            property.write(&object, StringValue(text, typeId));
            break;
        case Kind::Variant:
            property.write(&object, QVariant(ToQString(text)));
            break;
        default:
            break;
    }
}

}  // namespace tuvako
