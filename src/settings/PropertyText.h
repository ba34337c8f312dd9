// A published (Qt) property's value as the text that the component state stores.
#pragma once

#include "platform/AnsiString.h"

#include <QMetaProperty>

#include <optional>

class QObject;

namespace tuvako {

// The kinds of value, each with its own text:
//   Integer      decimal; 32-bit values as signed numbers (a colour word 0x8000000F is
//                -2147483633); text that is not an integer reads as 0
//   Character    the character; an empty text reads as character 0
//   Enumeration  the member's name (bool: "True"/"False"); read without regard to case, an
//                unknown name leaves the value alone
//   Set          "[" member names joined by "," "]"; exactly the members named are set,
//                unknown names are ignored
//   Float        general format with the precision of the type; unreadable text leaves it alone
//   String       the text
//   Variant      its text
// Object (a QObject* property) and StringList values have no text of their own; the component
// state stores them by their parts. Any other type is Unsupported and not stored.
class PropertyText {
public:
    enum class Kind {
        Integer,
        Character,
        Enumeration,
        Set,
        Float,
        String,
        Variant,
        StringList,
        Object,
        Unsupported
    };

    // The property called `name`: spelt exactly, or else without regard to case (the toolkit's
    // own properties, such as "font", may differ from a stored name only in case).
    static std::optional<QMetaProperty> Find(const QObject& object, const AnsiString& name);
    static Kind KindOf(const QMetaProperty& property);
    // The current value's text (for the kinds that have one).
    static AnsiString Get(const QObject& object, const QMetaProperty& property);
    // Sets the property from `text` as its kind reads it.
    static void Set(QObject& object, const QMetaProperty& property, const AnsiString& text);
};

}  // namespace tuvako
