// How the fields of the clock's records are held in its keyed-section files: one mechanism for the
// program settings and the label records. A field is named by a member pointer; its C++ type is
// its stored type: bool a Boolean, uint8_t a Byte, int16_t an Int, int32_t a Long, std::string a
// text. Booleans load as true for any non-zero number.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

#include "platform/services/settings_file.h"

namespace core {

template <class Record>
using StoredMember =
    std::variant<bool Record::*, std::uint8_t Record::*, std::int16_t Record::*, std::int32_t Record::*, std::string Record::*>;

// The number a true Boolean is written as: 1, or -1 for fields written as held.
enum class TrueAs : std::int32_t { One = 1, MinusOne = -1 };

template <class Record>
bool IsTextField(const StoredMember<Record>& member) {
    return std::holds_alternative<std::string Record::*>(member);
}

// Puts stored text into the field. False, and the field unchanged, when the text is not a number
// that the field's type holds.
template <class Record>
bool StoreFieldText(Record& record, const StoredMember<Record>& member, const std::string& text) {
    return std::visit(
        [&](auto pointer) {
            using T = std::remove_cvref_t<decltype(record.*pointer)>;
            if constexpr (std::is_same_v<T, std::string>) {
                record.*pointer = text;
                return true;
            } else {
                std::optional<std::int32_t> number = platform::ParseLongText(text);
                if (!number) return false;
                if constexpr (std::is_same_v<T, bool>) {
                    record.*pointer = *number != 0;
                } else {
                    if (*number < std::numeric_limits<T>::min() || *number > std::numeric_limits<T>::max()) return false;
                    record.*pointer = static_cast<T>(*number);
                }
                return true;
            }
        },
        member);
}

// A number field as stored (not for text fields).
template <class Record>
std::int32_t FieldNumber(const Record& record, const StoredMember<Record>& member, TrueAs trueAs) {
    return std::visit(
        [&](auto pointer) -> std::int32_t {
            using T = std::remove_cvref_t<decltype(record.*pointer)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return 0;
            } else if constexpr (std::is_same_v<T, bool>) {
                return record.*pointer ? static_cast<std::int32_t>(trueAs) : 0;
            } else {
                return record.*pointer;
            }
        },
        member);
}

// What a field holds, in words, for the debug log: "a whole number from 0 to 255".
template <class Record>
std::string FieldRangeText(const StoredMember<Record>& member) {
    return std::visit(
        [](auto pointer) -> std::string {
            using T = std::remove_cvref_t<decltype(std::declval<Record>().*pointer)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return "a text";
            } else if constexpr (std::is_same_v<T, bool>) {
                return "a whole number (0 off, any other on)";
            } else {
                return "a whole number from " + std::to_string(std::numeric_limits<T>::min()) + " to " +
                       std::to_string(std::numeric_limits<T>::max());
            }
        },
        member);
}

}  // namespace core
