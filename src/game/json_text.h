#pragma once
// JSON text as Heroic writes its lists of games, read into a small tree. Untrusted input: nesting is
// bounded, and text that is no JSON is an error with its reason (never a crash).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thld {

struct JsonValue {
    enum class Type {
        Null,
        Boolean,
        Number,
        String,
        Array,
        Object
    };
    Type type = Type::Null;
    std::string text;                // a string's UTF-8, a number's or boolean's text
    std::vector<JsonValue> items;    // an array's items, or an object's members' values
    std::vector<std::string> names;  // an object's members' names, each of the item in its place

    // The member of that name of an object; nothing for another type or where there is none.
    const JsonValue* Member(std::string_view name) const;
    // The string of that member; nothing where it is no string.
    std::optional<std::string> StringMember(std::string_view name) const;
};

struct JsonText {
    JsonValue value;
    std::string error;  // empty when the whole text is one JSON value
};

JsonText ReadJsonText(std::string_view text);

}  // namespace thld
