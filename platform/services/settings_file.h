// SettingsFile: one keyed-section text file held in memory. The clock keeps its settings, alarm,
// language, help and server-list files in this form.
//
// The file is UTF-8 in the INI form users know:
//
//     [Dralo Software Development Ruriv - Settings File]
//     Minimum OZRClock.exe Module Version=2.7.17
//
//     [Float Window]
//     X=7605
//
// - "[name]" starts a section: the line's first character is "[", its last is "]", and the name
//   is everything between them (it may hold "]", ": ", "!", "'", "#", "-" ...).
// - "key=value" is an entry of the section above it: the key is everything before the first "=",
//   without the blanks (spaces, tabs) around it; the value everything after it to the end of the
//   line, blanks included, except that after blanks before the "=" (the hand-written "key = value")
//   the blanks that start the value go too.
// - Any other line (blank lines, comments, notes without "=") is not data: it is kept with the
//   section or entry that follows it (the last ones with the file) and written back in its place,
//   for as long as that section or entry lives. The one blank line the writer puts between
//   sections is not kept. Lines end with LF; CRs before the LF are ignored; UTF-8 byte-order
//   marks at the start of the file are ignored.
// - The first section of a file is its header line: the clock names it after the file's kind
//   ("Dralo Software Development Ruriv - Settings File") and keeps it first, so every file written
//   starts with its header line.
// - Sections and entries keep file order. A section named twice continues the first one; a key
//   named twice in one section keeps the first position and the last value. Names and keys are
//   compared exactly (case matters). Entries before the first section belong to a section "".
//
// Escaping. What cannot be written as it stands is written escaped, and only then:
// - an entry whose key holds "=", a CR or an LF, begins with "\" or "[", or begins or ends with a
//   blank, or whose value holds a CR or an LF, is written as "\" followed by the escaped key, "="
//   and the escaped value (an escaped line is read exactly, blanks and all);
// - a section name that holds a CR or an LF, or begins with "\", is written as "[\", the escaped
//   name and "]".
// Escaped text writes "\" as "\\", CR as "\r", LF as "\n" and, in keys, "=" as "\=". Reading undoes
// exactly these four; any other "\" is taken as it stands. In every other line a "\" is an
// ordinary character, so paths ("\Alarms\Sounds\Ring.wav") and the language files' two-character
// line-break marks ("\r\n") are written and read literally. Every name, key and value written is
// read back exactly.
//
// Numbers (the Long operations) are 32-bit signed decimal integers, written without blanks; when
// read, blanks and tabs around the digits and a "+" or "-" are accepted. A value that is not such
// a number makes a Long read raise an error. A key that is missing reads as 0 or "".
//
// Current section: the section last selected (SelectSection), found (FindSection) or added
// (AddSection, CreateFoundSection). It may name a section that does not exist yet: reads then find
// nothing, and the first write adds the section at the end. Operations that name their section
// (ReadText, the ...In and ...At operations, RenameKey, ReadSection, the list operations) leave
// the current section as it is. A list is a section whose entries are its items.
//
// Keys are unique within a section: adding a key that is already there gives it the new value in
// its place. Adding a section that is already there makes it current.
//
// Failures raise platform::Error: a Long read of a value that is not a number, a write when no
// section was ever chosen, CreateFoundSection before any FindSection, and a Save that cannot write
// the file. Save is atomic (temporary file, flush, rename): the file on disk is always either the
// old one or the new one, never a part of either. A file that exists and that its user may not
// write (no write permission, or no write bit at all: a file made read-only is meant to stay as it
// is, even for root) is not replaced: Save fails with "Permission denied".
// A save killed before its rename leaves its temporary file (".<file>.tmp-<process>-<n>") beside
// the file; Open removes those whose process no longer runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/base.h"
#include "platform/services/detail/named_items.h"
#include "platform/services/whole_file.h"

namespace platform {

struct SettingsEntry {
    std::string key;
    std::string value;
    std::string notes = {};  // the lines that are not data standing before it, each ending in LF
    bool operator==(const SettingsEntry&) const = default;
};

struct SettingsSection {
    std::string name;
    std::vector<SettingsEntry> entries;
    std::string notes = {};  // the lines that are not data standing before its header, each ending in LF
    bool operator==(const SettingsSection&) const = default;
};

using SettingsContent = std::vector<SettingsSection>;

// What a failed Save raises: the file and the reason apart, for a message that names both.
class SaveError : public Error {
public:
    SaveError(std::string path, std::string reason);
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// The text form above, both ways. Reading never fails: whatever is not data is skipped.
SettingsContent ParseSettingsText(std::string_view text);
std::string FormatSettingsText(const SettingsContent& content);

// A Long as the component reads it; nothing when the text is not a 32-bit decimal integer.
std::optional<std::int32_t> ParseLongText(std::string_view text);

class SettingsFile {
public:
    // Lists: sections of (key, value) items.
    std::int32_t ListItemExists(const std::string& list, const std::string& key);  // 1 present, 0 not
    std::int32_t KeyExists(const std::string& key);                                // 1 in current
    std::int32_t FindSection(const std::string& name);                             // 1 found, made current
    std::int32_t SectionFound() const;                                             // 1 current exists

    std::string ReadText(const std::string& section, const std::string& key) const;
    std::string ReadStringDefault(const std::string& key, const std::string& defaultValue, bool addWhenMissing);
    std::string ReadString(const std::string& key) const;
    std::string FoundValue() const;  // value of the key last found by KeyExists; "" when none was
    std::int32_t ReadLongIn(const std::string& section, const std::string& key, std::int32_t defaultValue, bool addWhenMissing);
    std::int32_t ReadLongAt(const std::string& section, const std::string& key) const;
    std::int32_t ReadLongDefault(const std::string& key, std::int32_t defaultValue, bool addWhenMissing);
    std::int32_t ReadLong(const std::string& key) const;

    void AddListItem(const std::string& list, const std::string& key, const std::string& value);
    void AddString(const std::string& key, const std::string& value);
    void AddLong(const std::string& key, std::int32_t value);
    void SetListItem(const std::string& list, const std::string& key, const std::string& value);
    // The Ex forms change only a key that is there unless addWhenMissing; the entry ends holding
    // value (defaultValue is what a new entry starts from and is replaced at once).
    void WriteStringEx(const std::string& key, const std::string& value, const std::string& defaultValue, bool addWhenMissing);
    void WriteLongEx(const std::string& key, std::int32_t value, std::int32_t defaultValue, bool addWhenMissing);
    void WriteString(const std::string& key, const std::string& value);  // set, added when missing
    void WriteLong(const std::string& key, std::int32_t value);          // set, added when missing
    void WriteLongIn(const std::string& section, const std::string& key, std::int32_t value, std::int32_t defaultValue, bool addWhenMissing);
    void WriteLongAt(const std::string& section, const std::string& key, std::int32_t value);
    // The entry takes the new key and keeps its value and place; an entry that already had the new
    // key is dropped. Nothing happens when the old key is missing.
    void RenameKey(const std::string& section, const std::string& oldKey, const std::string& newKey);
    void DeleteListItem(const std::string& list, const std::string& key);
    std::int32_t DeleteFoundListItem();  // removes the item last found by ListItemExists; 1 removed

    void AddSection(const std::string& name);
    void CreateFoundSection();  // makes the section last sought by FindSection, made current
    void DeleteSection(const std::string& name);
    std::int32_t DeleteCurrentSection();  // 1 removed, 0 when the current section does not exist
    std::int32_t ReadSection(const std::string& name, std::vector<std::string>& keys, std::vector<std::string>& values) const;
    void GetSectionNames(std::vector<std::string>& names, std::int32_t& count) const;

    void NewFile();                             // empty content, counts as loaded; the path stays
    std::int32_t Open(const std::string& path);  // 1 read; 0 not (empty, not loaded, path kept)
    // As Open, with the bytes of the file at MapPath(path) that the caller has read already
    // (nothing: they could not be read).
    std::int32_t OpenRead(const std::string& path, const std::optional<std::string>& bytes);
    std::int32_t Save();                        // 1 written; 0 when no path was ever opened; SaveError
    // As Save, for a large file saved again and again (an alarm collection): written's text is
    // replaced (its room reused) by the text written, and the file's previous version is kept as
    // its spare (Replaced::KeptAsSpare, whole_file.h).
    std::int32_t Save(std::string& written);
    std::int32_t IsLoaded() const;              // 0: file not read
    std::string GetCurrentSection() const;      // "" when none
    void SelectSection(const std::string& name);

    // A copy of the whole content, and the real path, for tests and tools.
    SettingsContent Content() const;
    const std::string& RealPath() const { return path_; }

    // Sections and entries in file order, each found by its name in constant time.
    struct Entry {
        std::string key;
        std::string value;
    };
    using Entries = detail::NamedItems<Entry, &Entry::key>;
    struct Section {
        std::string name;
        Entries entries;
    };
    using Sections = detail::NamedItems<Section, &Section::name>;
    // The lines that are not data, held apart from the entries: most files have none, and a file of
    // 10,000 alarms holds 400,000 entries, which would each carry an empty text otherwise.
    struct SectionNotes {
        std::string header;                                    // before the section's header line
        std::unordered_map<std::string, std::string> entries;  // before an entry, by its key
    };
    using Notes = std::unordered_map<std::string, SectionNotes>;  // by section name, only those that have any

private:
    std::int32_t Save(std::string& written, Replaced replaced);
    Section& FindOrAdd(const std::string& name);
    const std::string& CurrentForWriting() const;
    Entry* FindEntry(const std::string& section, const std::string& key);
    const std::string* Value(const std::string& section, const std::string& key) const;
    std::int32_t ToLong(const std::string& section, const std::string& key) const;
    void Set(const std::string& section, const std::string& key, const std::string& value, bool addWhenMissing);
    void EraseEntry(const std::string& section, const std::string& key);

    Sections sections_;
    Notes notes_;
    std::string tail_;  // the lines that are not data after the last entry
    std::string path_;
    bool loaded_ = false;
    std::optional<std::string> current_;
    std::optional<std::string> sought_;
    std::optional<std::string> foundValue_;
    struct ListItem {
        std::string list;
        std::string key;
    };
    std::optional<ListItem> foundListItem_;
};

}  // namespace platform
