// Property strings: small keyed lists kept in one line of text, as an alarm holds its title font
// ("FontInformation") and its special behaviours ("Instruction", "Extra").
//
//   entry          "|" key ": " value " "          e.g. "|FontSize: 10 "
//   nested block   "<@" key ": " entries "@> "    e.g. "<@Title 0: |FontSize: 10 @> "
//
// A key holds neither "|" nor ": "; a value holds no "|". A value is read as the text after
// "|key: " up to the next "|" (or the end), less its last character, the trailing blank. Blocks do
// not nest: a block's content ends at the first "@> " after its opening. Matching is exact and
// case-sensitive; other text between entries and blocks is ignored.
//
// The strings come from alarm files, which may have come from anywhere: every routine accepts any
// text, never fails and never loops; where the syntax is broken it returns "" (or the default of
// the key routines) and leaves the string as it is.
#pragma once

#include <string>
#include <vector>

namespace core {

// True when s, or any piece of s that follows a "|", begins with key + ": ". False for an empty s.
bool HasProperty(const std::string& s, const std::string& key);
// The value of the first "|" key ": " entry of s (blocks included); "" when there is none.
std::string GetProperty(const std::string& s, const std::string& key);
// Appends "|key: value " unless HasProperty: no second entry and no update.
void AddProperty(std::string& s, const std::string& key, const std::string& value);
// Replaces every "|key: <old value>" with "|key: <new value>"; the trailing blank stays.
void ReplaceProperty(std::string& s, const std::string& key, const std::string& newValue);
// Cuts the first entry for the key, from its "|" up to the next "|" (or the end).
void RemoveProperty(std::string& s, const std::string& key);

// With an empty key, the first key of s; otherwise the key of the entry after the key's entry.
// The default ("NULL" when the default is empty) when s holds no "|", when the key has no entry,
// when its entry is the last, or when the next entry has no ": ".
std::string GetNextPropertyKey(const std::string& s, const std::string& key, const std::string& defaultKey);
// The key of the last entry; the default ("NULL" when empty) when s holds no "|" or the last "|"
// has no ": " after it.
std::string GetLastPropertyKey(const std::string& s, const std::string& defaultKey);
// Every entry with its own value, in the order of the entries (blocks included). Walking a string
// by position ends after its last entry even when a key is written twice, which walking by
// GetNextPropertyKey does not: from the second of two equal keys it finds the first again.
struct PropertyEntry {
    std::string key;
    std::string value;
    bool operator==(const PropertyEntry&) const = default;
};
std::vector<PropertyEntry> PropertyEntries(const std::string& s);

// True when s, or any piece of s that follows a "<@", begins with key + ": ".
bool HasNestedProperty(const std::string& s, const std::string& key);
// The content of the first block of the key: the text after "<@key: " up to the next "@> ".
// "" when s holds no opening of that key, or when the opening is never closed.
std::string GetNestedProperty(const std::string& s, const std::string& key);
// Replaces every whole block "<@key: <old content>@> " with "<@key: <new content>@> ". Never adds
// a block.
void SetNestedProperty(std::string& s, const std::string& key, const std::string& newContent);

// The part of a path after its last "\" or "/" (the clock's own paths and this system's); the whole
// path when it holds neither.
std::string ExtractFileName(const std::string& path);

}  // namespace core
