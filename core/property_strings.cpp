#include "core/property_strings.h"

#include <optional>
#include <string_view>

#include "core/text_replace.h"

namespace core {
namespace {

constexpr std::string_view kEntryMark = "|";
constexpr std::string_view kKeyEnd = ": ";
constexpr std::string_view kBlockOpen = "<@";
constexpr std::string_view kBlockClose = "@> ";

std::string Opening(std::string_view mark, const std::string& key) {
    std::string text(mark);
    text += key;
    text += kKeyEnd;
    return text;
}

// True when s begins with the key and ": ", or some occurrence of the mark is followed by them.
bool BeginsAfterMark(const std::string& s, std::string_view mark, const std::string& key) {
    if (s.empty()) return false;
    const std::string wanted = key + std::string(kKeyEnd);
    if (s.starts_with(wanted)) return true;
    for (std::size_t at = s.find(mark); at != std::string::npos; at = s.find(mark, at + 1)) {
        if (s.compare(at + mark.size(), wanted.size(), wanted) == 0) return true;
    }
    return false;
}

// The key of the entry whose "|" stands at `bar`: the text up to the first ": " after it, when
// that comes before the next "|". Nothing for an entry without ": ".
std::optional<std::string> KeyAt(const std::string& s, std::size_t bar) {
    const std::size_t start = bar + kEntryMark.size();
    const std::size_t end = s.find(kKeyEnd, start);
    if (end == std::string::npos) return std::nullopt;
    const std::size_t nextBar = s.find(kEntryMark, start);
    if (nextBar != std::string::npos && nextBar < end) return std::nullopt;
    return s.substr(start, end - start);
}

// The value that starts at `start`: up to the next "|" or the end, less the trailing blank.
std::string ValueFrom(const std::string& s, std::size_t start) {
    std::size_t end = s.find(kEntryMark, start);
    if (end == std::string::npos) end = s.size();
    if (end == start) return "";  // no value and no trailing blank: nothing to drop
    return s.substr(start, end - start - 1);
}

std::string OrNull(const std::string& defaultKey) { return defaultKey.empty() ? "NULL" : defaultKey; }

}  // namespace

bool HasProperty(const std::string& s, const std::string& key) { return BeginsAfterMark(s, kEntryMark, key); }

std::string GetProperty(const std::string& s, const std::string& key) {
    const std::string opening = Opening(kEntryMark, key);
    const std::size_t at = s.find(opening);
    return at == std::string::npos ? "" : ValueFrom(s, at + opening.size());
}

void AddProperty(std::string& s, const std::string& key, const std::string& value) {
    if (HasProperty(s, key)) return;
    s += Opening(kEntryMark, key) + value + " ";
}

void ReplaceProperty(std::string& s, const std::string& key, const std::string& newValue) {
    if (!HasProperty(s, key)) return;
    const std::string opening = Opening(kEntryMark, key);
    s = ReplaceEvery(s, opening + GetProperty(s, key), opening + newValue);
}

void RemoveProperty(std::string& s, const std::string& key) {
    if (!HasProperty(s, key)) return;
    const std::size_t at = s.find(Opening(kEntryMark, key));
    if (at == std::string::npos) return;
    const std::size_t next = s.find(kEntryMark, at + kEntryMark.size());
    s.erase(at, next == std::string::npos ? std::string::npos : next - at);
}

std::string GetNextPropertyKey(const std::string& s, const std::string& key, const std::string& defaultKey) {
    std::size_t bar = s.find(kEntryMark);
    if (bar == std::string::npos) return OrNull(defaultKey);
    if (!key.empty()) {
        const std::size_t entry = s.find(Opening(kEntryMark, key));
        if (entry == std::string::npos) return OrNull(defaultKey);
        bar = s.find(kEntryMark, entry + kEntryMark.size());
        if (bar == std::string::npos) return OrNull(defaultKey);
    }
    return KeyAt(s, bar).value_or(OrNull(defaultKey));
}

std::string GetLastPropertyKey(const std::string& s, const std::string& defaultKey) {
    const std::size_t bar = s.rfind(kEntryMark);
    if (bar == std::string::npos) return OrNull(defaultKey);
    return KeyAt(s, bar).value_or(OrNull(defaultKey));
}

std::vector<PropertyEntry> PropertyEntries(const std::string& s) {
    std::vector<PropertyEntry> entries;
    for (std::size_t bar = s.find(kEntryMark); bar != std::string::npos; bar = s.find(kEntryMark, bar + 1)) {
        std::optional<std::string> key = KeyAt(s, bar);
        if (!key) continue;
        const std::size_t start = bar + kEntryMark.size() + key->size() + kKeyEnd.size();
        entries.push_back({std::move(*key), ValueFrom(s, start)});
    }
    return entries;
}

bool HasNestedProperty(const std::string& s, const std::string& key) { return BeginsAfterMark(s, kBlockOpen, key); }

std::string GetNestedProperty(const std::string& s, const std::string& key) {
    const std::string opening = Opening(kBlockOpen, key);
    const std::size_t at = s.find(opening);
    if (at == std::string::npos) return "";
    const std::size_t start = at + opening.size();
    const std::size_t end = s.find(kBlockClose, start);
    if (end == std::string::npos) return "";  // never closed
    return s.substr(start, end - start);
}

void SetNestedProperty(std::string& s, const std::string& key, const std::string& newContent) {
    if (!HasNestedProperty(s, key)) return;
    const std::string opening = Opening(kBlockOpen, key);
    const std::string close(kBlockClose);
    s = ReplaceEvery(s, opening + GetNestedProperty(s, key) + close, opening + newContent + close);
}

std::string ExtractFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace core
