#include "platform/services/settings_file.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/base.h"
#include "platform/services/paths.h"
#include "platform/services/whole_file.h"

namespace platform {
namespace {

// ---- The text form ---------------------------------------------------------------------------

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The characters that make a text need escaping: line breaks anywhere, "=" in keys. A file of
// 10,000 alarms holds 9 MB of texts, each short (a search per character sought costs more in
// starting it than in running through them), so they are looked through eight bytes at a time,
// and only a text shorter than that character by character, with one look-up each.
struct Marks {
    bool lineBreak[256] = {};
    bool inKey[256] = {};
    constexpr Marks() {
        for (unsigned char c : {'\r', '\n'}) lineBreak[c] = inKey[c] = true;
        inKey[static_cast<unsigned char>('=')] = true;
    }
};
constexpr Marks kMarks;

// Whether any of the eight bytes of word is the byte that fills every byte of repeated.
constexpr bool HasByte(std::uint64_t word, std::uint64_t repeated) {
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
    const std::uint64_t x = word ^ repeated;
    return ((x - kOnes) & ~x & kHighs) != 0;
}

bool HasMarked(std::string_view text, const bool (&marked)[256]) {
    if (text.size() < 8) {
        for (char c : text)
            if (marked[static_cast<unsigned char>(c)]) return true;
        return false;
    }
    constexpr std::uint64_t kEvery = 0x0101010101010101;
    const bool equalsMarked = marked[static_cast<unsigned char>('=')];
    auto marks = [&](std::size_t at) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        return HasByte(word, kEvery * '\r') || HasByte(word, kEvery * '\n') || (equalsMarked && HasByte(word, kEvery * '='));
    };
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8)
        if (marks(at)) return true;
    // The last eight bytes cover the rest (some of them again).
    return at != text.size() && marks(text.size() - 8);
}

bool HasLineBreak(std::string_view text) { return HasMarked(text, kMarks.lineBreak); }

bool Blank(char c) { return c == ' ' || c == '\t'; }

// A key with blanks around it is written escaped: a plain line's key is read without them.
bool KeyNeedsEscaping(std::string_view key) {
    return HasMarked(key, kMarks.inKey) ||
           (!key.empty() && (key.front() == '\\' || key.front() == '[' || Blank(key.front()) || Blank(key.back())));
}

bool SectionNameNeedsEscaping(std::string_view name) { return HasLineBreak(name) || (!name.empty() && name.front() == '\\'); }

void AppendEscaped(std::string& out, std::string_view text, bool inKey) {
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '=':
                if (inKey) out += '\\';
                out += '=';
                break;
            default: out += c;
        }
    }
}

// Undoes AppendEscaped from position pos. When stopAtEquals, stops at the first "=" that is not
// escaped and leaves pos on it; otherwise reads to the end.
std::string Unescape(std::string_view text, std::size_t& pos, bool stopAtEquals) {
    std::string out;
    while (pos < text.size()) {
        char c = text[pos];
        if (c == '\\' && pos + 1 < text.size()) {
            static constexpr std::string_view kEscaped = "\\rn=";
            static constexpr std::string_view kMeaning = "\\\r\n=";
            std::size_t which = kEscaped.find(text[pos + 1]);
            if (which != std::string_view::npos) {
                out += kMeaning[which];
                pos += 2;
                continue;
            }
        }
        if (stopAtEquals && c == '=') break;
        out += c;
        ++pos;
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
    return text;
}

// A file's content as held in memory: sections and entries, the notes apart, the lines after them.
struct HeldContent {
    SettingsFile::Sections sections;
    SettingsFile::Notes notes;
    std::string tail;
};

// Collects sections and entries in file order, merging repeated names and keys. The lines that
// are not data go with the section or entry that follows them, the last ones with the file.
class ContentBuilder {
public:
    void StartSection(std::string name) {
        // The blank line that parts a section from the one before it is the writer's, not a note.
        if (current_ && pending_.starts_with('\n')) pending_.erase(0, 1);
        const std::size_t before = content_.sections.size();
        current_ = &content_.sections.FindOrAppend(std::move(name));
        if (content_.sections.size() != before && !pending_.empty()) content_.notes[current_->name].header = TakePending();
        // The sections of one file tend to be alike (one per alarm, one per label): a new one gets
        // room for as many entries as the one before it had.
        if (current_->entries.empty()) current_->entries.reserve(lastSize_);
    }
    void AddEntry(std::string key, std::string value) {
        if (!current_) StartSection("");
        const std::size_t before = current_->entries.size();
        SettingsFile::Entry& entry = current_->entries.FindOrAppend(std::move(key));
        entry.value = std::move(value);
        if (current_->entries.size() != before && !pending_.empty()) content_.notes[current_->name].entries[entry.key] = TakePending();
        lastSize_ = current_->entries.size();
    }
    void AddNote(std::string_view line) {
        pending_ += line;
        pending_ += '\n';
    }
    HeldContent Take() {
        content_.tail = TakePending();
        return std::move(content_);
    }

private:
    std::string TakePending() { return std::exchange(pending_, std::string()); }
    HeldContent content_;
    SettingsFile::Section* current_ = nullptr;
    std::size_t lastSize_ = 0;
    std::string pending_;  // the lines that are not data since the last section or entry
};

void ReadLine(std::string_view line, ContentBuilder& builder) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        std::string_view inner = line.substr(1, line.size() - 2);
        if (!inner.empty() && inner.front() == '\\') {
            std::size_t pos = 1;
            builder.StartSection(Unescape(inner, pos, false));
        } else {
            builder.StartSection(std::string(inner));
        }
        return;
    }
    if (!line.empty() && line.front() == '\\') {
        std::size_t pos = 1;
        std::string key = Unescape(line, pos, true);
        if (pos < line.size()) {
            ++pos;
            builder.AddEntry(std::move(key), Unescape(line, pos, false));
            return;
        }
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || line.front() == '\\') {
        builder.AddNote(line);  // a blank line, a comment, a note
        return;
    }
    // Blanks around the key are the hand-written "key = value" form, not part of the key; after
    // such a key the blanks that start the value go too. A value's own blanks stay: the writer
    // never puts a blank before "=", so what it wrote reads back as it was.
    const std::string_view written = line.substr(0, equals);
    const std::string_view key = TrimBlanks(written);
    std::string_view value = line.substr(equals + 1);
    if (!written.empty() && Blank(written.back()))
        while (!value.empty() && Blank(value.front())) value.remove_prefix(1);
    builder.AddEntry(std::string(key), std::string(value));
}

HeldContent ReadContent(std::string_view text) {
    // Every mark, not only the first: a note kept from the first line is written first again.
    while (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    ContentBuilder builder;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        // Every CR before the LF, not only one: a line is written back as read, and a CR at its end
        // would be taken for a part of the line's end then.
        while (line.ends_with('\r')) line.remove_suffix(1);
        ReadLine(line, builder);
    }
    return builder.Take();
}

// The notes standing before the entry of that key, when its section has any.
const std::string& EntryNotes(const SettingsFile::SectionNotes* notes, const std::string& key) {
    static const std::string kNone;
    if (!notes || notes->entries.empty()) return kNone;
    auto it = notes->entries.find(key);
    return it == notes->entries.end() ? kNone : it->second;
}

// The content as the file shows it, into out in place of what it held. A text that held the file
// before has room for it already, which spares a walk through every entry only to measure them;
// it gets a little more, so that a file grown by a few entries is not given twice its room. The
// room is kept while some of that margin is left: taken anew, its pages (9 MB for 10,000 alarms)
// would all be faulted in again at the save after every one that made the file a little larger.
void FormatContent(const SettingsFile::Sections& sections, const SettingsFile::Notes& notes, std::string_view tail, std::string& out) {
    const std::size_t before = out.size();
    out.clear();
    if (before != 0) {
        // The old room goes first: a text of 10,000 alarms is 9 MB.
        if (out.capacity() < before + before / 64) {
            out.shrink_to_fit();
            out.reserve(RoomToRewrite(before));
        }
    } else if (out.capacity() == 0) {
        // Room for the whole text at once (escapes aside), rather than copying it as it grows.
        std::size_t size = tail.size();
        for (const auto& [name, held] : notes) {
            size += held.header.size();
            for (const auto& entry : held.entries) size += entry.second.size();
        }
        for (const SettingsFile::Section& section : sections) {
            size += section.name.size() + 4;
            for (const SettingsFile::Entry& entry : section.entries) size += entry.key.size() + entry.value.size() + 2;
        }
        out.reserve(size);
    }
    for (const SettingsFile::Section& section : sections) {
        const SettingsFile::SectionNotes* held = nullptr;
        if (!notes.empty()) {
            auto it = notes.find(section.name);
            if (it != notes.end()) held = &it->second;
        }
        if (!out.empty()) out += '\n';
        if (held) out += held->header;
        out += '[';
        if (SectionNameNeedsEscaping(section.name)) {
            out += '\\';
            AppendEscaped(out, section.name, false);
        } else {
            out += section.name;
        }
        out += "]\n";
        for (const SettingsFile::Entry& entry : section.entries) {
            if (held) out += EntryNotes(held, entry.key);
            if (KeyNeedsEscaping(entry.key) || HasLineBreak(entry.value)) {
                out += '\\';
                AppendEscaped(out, entry.key, true);
                out += '=';
                AppendEscaped(out, entry.value, false);
            } else {
                out += entry.key;
                out += '=';
                out += entry.value;
            }
            out += '\n';
        }
    }
    out += tail;
}

SettingsContent ToContent(const SettingsFile::Sections& sections, const SettingsFile::Notes& notes) {
    SettingsContent content;
    content.reserve(sections.size());
    for (const SettingsFile::Section& section : sections) {
        auto it = notes.find(section.name);
        const SettingsFile::SectionNotes* held = it == notes.end() ? nullptr : &it->second;
        SettingsSection& out = content.emplace_back(SettingsSection{section.name, {}, held ? held->header : std::string()});
        for (const SettingsFile::Entry& entry : section.entries) out.entries.push_back(SettingsEntry{entry.key, entry.value, EntryNotes(held, entry.key)});
    }
    return content;
}

HeldContent FromContent(const SettingsContent& content) {
    HeldContent held;
    for (const SettingsSection& section : content) {
        SettingsFile::Section& into = held.sections.FindOrAppend(section.name);
        if (!section.notes.empty()) held.notes[section.name].header = section.notes;
        for (const SettingsEntry& entry : section.entries) {
            into.entries.FindOrAppend(entry.key).value = entry.value;
            if (!entry.notes.empty()) held.notes[section.name].entries[entry.key] = entry.notes;
        }
    }
    return held;
}

}  // namespace

SaveError::SaveError(std::string path, std::string reason)
    : Error("Cannot save the settings file \"" + path + "\": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}

SettingsContent ParseSettingsText(std::string_view text) {
    const HeldContent held = ReadContent(text);
    return ToContent(held.sections, held.notes);
}

std::string FormatSettingsText(const SettingsContent& content) {
    const HeldContent held = FromContent(content);
    std::string text;
    FormatContent(held.sections, held.notes, {}, text);
    return text;
}

std::optional<std::int32_t> ParseLongText(std::string_view text) {
    text = TrimBlanks(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    }
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// ---- The object -----------------------------------------------------------------------------

SettingsFile::Section& SettingsFile::FindOrAdd(const std::string& name) {
    if (Section* section = sections_.Find(name)) return *section;
    return sections_.Append(Section{name, {}});
}

const std::string& SettingsFile::CurrentForWriting() const {
    if (!current_) throw Error("No section of the settings file \"" + path_ + "\" was chosen before a write");
    return *current_;
}

SettingsFile::Entry* SettingsFile::FindEntry(const std::string& section, const std::string& key) {
    Section* s = sections_.Find(section);
    return s ? s->entries.Find(key) : nullptr;
}

const std::string* SettingsFile::Value(const std::string& section, const std::string& key) const {
    const Entry* entry = const_cast<SettingsFile*>(this)->FindEntry(section, key);
    return entry ? &entry->value : nullptr;
}

std::int32_t SettingsFile::ToLong(const std::string& section, const std::string& key) const {
    const std::string* value = Value(section, key);
    if (!value) return 0;
    if (auto number = ParseLongText(*value)) return *number;
    throw Error("The value \"" + *value + "\" of \"" + key + "\" in section \"" + section + "\" of \"" + path_ + "\" is not a number");
}

void SettingsFile::Set(const std::string& section, const std::string& key, const std::string& value, bool addWhenMissing) {
    if (Entry* existing = FindEntry(section, key)) {
        existing->value = value;
    } else if (addWhenMissing) {
        FindOrAdd(section).entries.Append(Entry{key, value});
    }
}

void SettingsFile::EraseEntry(const std::string& section, const std::string& key) {
    Section* s = sections_.Find(section);
    if (!s || !s->entries.Erase(key) || notes_.empty()) return;
    auto held = notes_.find(section);
    if (held != notes_.end()) held->second.entries.erase(key);
}

std::int32_t SettingsFile::ListItemExists(const std::string& list, const std::string& key) {
    if (Value(list, key)) {
        foundListItem_ = ListItem{list, key};
        return 1;
    }
    foundListItem_.reset();
    return 0;
}

std::int32_t SettingsFile::KeyExists(const std::string& key) {
    const std::string* value = current_ ? Value(*current_, key) : nullptr;
    foundValue_ = value ? std::optional<std::string>(*value) : std::nullopt;
    return value ? 1 : 0;
}

std::int32_t SettingsFile::FindSection(const std::string& name) {
    sought_ = name;
    if (!sections_.Find(name)) return 0;
    current_ = name;
    return 1;
}

std::int32_t SettingsFile::SectionFound() const { return current_ && sections_.Find(*current_) ? 1 : 0; }

std::string SettingsFile::ReadText(const std::string& section, const std::string& key) const {
    const std::string* value = Value(section, key);
    return value ? *value : std::string();
}

std::string SettingsFile::ReadStringDefault(const std::string& key, const std::string& defaultValue, bool addWhenMissing) {
    if (const std::string* value = current_ ? Value(*current_, key) : nullptr) return *value;
    if (addWhenMissing) Set(CurrentForWriting(), key, defaultValue, true);
    return defaultValue;
}

std::string SettingsFile::ReadString(const std::string& key) const { return current_ ? ReadText(*current_, key) : std::string(); }

std::string SettingsFile::FoundValue() const { return foundValue_.value_or(std::string()); }

std::int32_t SettingsFile::ReadLongIn(const std::string& section, const std::string& key, std::int32_t defaultValue, bool addWhenMissing) {
    if (Value(section, key)) return ToLong(section, key);
    if (addWhenMissing) Set(section, key, std::to_string(defaultValue), true);
    return defaultValue;
}

std::int32_t SettingsFile::ReadLongAt(const std::string& section, const std::string& key) const { return ToLong(section, key); }

std::int32_t SettingsFile::ReadLongDefault(const std::string& key, std::int32_t defaultValue, bool addWhenMissing) {
    if (!current_ && !addWhenMissing) return defaultValue;
    return ReadLongIn(CurrentForWriting(), key, defaultValue, addWhenMissing);
}

std::int32_t SettingsFile::ReadLong(const std::string& key) const { return current_ ? ToLong(*current_, key) : 0; }

void SettingsFile::AddListItem(const std::string& list, const std::string& key, const std::string& value) { Set(list, key, value, true); }

void SettingsFile::AddString(const std::string& key, const std::string& value) { Set(CurrentForWriting(), key, value, true); }

void SettingsFile::AddLong(const std::string& key, std::int32_t value) { AddString(key, std::to_string(value)); }

void SettingsFile::SetListItem(const std::string& list, const std::string& key, const std::string& value) { Set(list, key, value, true); }

void SettingsFile::WriteStringEx(const std::string& key, const std::string& value, const std::string&, bool addWhenMissing) {
    Set(CurrentForWriting(), key, value, addWhenMissing);
}

void SettingsFile::WriteLongEx(const std::string& key, std::int32_t value, std::int32_t, bool addWhenMissing) {
    Set(CurrentForWriting(), key, std::to_string(value), addWhenMissing);
}

void SettingsFile::WriteString(const std::string& key, const std::string& value) { Set(CurrentForWriting(), key, value, true); }

void SettingsFile::WriteLong(const std::string& key, std::int32_t value) { WriteString(key, std::to_string(value)); }

void SettingsFile::WriteLongIn(const std::string& section, const std::string& key, std::int32_t value, std::int32_t, bool addWhenMissing) {
    Set(section, key, std::to_string(value), addWhenMissing);
}

void SettingsFile::WriteLongAt(const std::string& section, const std::string& key, std::int32_t value) {
    Set(section, key, std::to_string(value), true);
}

void SettingsFile::RenameKey(const std::string& section, const std::string& oldKey, const std::string& newKey) {
    if (oldKey == newKey || !FindEntry(section, oldKey)) return;
    EraseEntry(section, newKey);
    sections_.Find(section)->entries.Rename(oldKey, newKey);
    auto held = notes_.find(section);
    if (held == notes_.end()) return;
    auto notes = held->second.entries.extract(oldKey);
    if (!notes) return;
    notes.key() = newKey;
    held->second.entries.insert(std::move(notes));
}

void SettingsFile::DeleteListItem(const std::string& list, const std::string& key) { EraseEntry(list, key); }

std::int32_t SettingsFile::DeleteFoundListItem() {
    if (!foundListItem_) return 0;
    ListItem item = *std::exchange(foundListItem_, std::nullopt);
    if (!Value(item.list, item.key)) return 0;
    DeleteListItem(item.list, item.key);
    return 1;
}

void SettingsFile::AddSection(const std::string& name) {
    FindOrAdd(name);
    current_ = name;
}

void SettingsFile::CreateFoundSection() {
    if (!sought_) throw Error("CreateFoundSection on \"" + path_ + "\" before any FindSection");
    AddSection(*sought_);
}

void SettingsFile::DeleteSection(const std::string& name) {
    sections_.Erase(name);
    notes_.erase(name);
}

std::int32_t SettingsFile::DeleteCurrentSection() {
    if (!SectionFound()) return 0;
    DeleteSection(*current_);
    return 1;
}

std::int32_t SettingsFile::ReadSection(const std::string& name, std::vector<std::string>& keys, std::vector<std::string>& values) const {
    keys.clear();
    values.clear();
    if (const Section* s = sections_.Find(name)) {
        for (const Entry& e : s->entries) {
            keys.push_back(e.key);
            values.push_back(e.value);
        }
    }
    return static_cast<std::int32_t>(keys.size());
}

void SettingsFile::GetSectionNames(std::vector<std::string>& names, std::int32_t& count) const {
    names.clear();
    for (const Section& s : sections_) names.push_back(s.name);
    count = static_cast<std::int32_t>(names.size());
}

void SettingsFile::NewFile() {
    sections_.clear();
    notes_.clear();
    tail_.clear();
    loaded_ = true;
    sought_.reset();
    foundValue_.reset();
    foundListItem_.reset();
}

std::int32_t SettingsFile::Open(const std::string& path) { return OpenRead(path, ReadWholeFile(MapPath(path))); }

std::int32_t SettingsFile::OpenRead(const std::string& path, const std::optional<std::string>& bytes) {
    NewFile();
    path_ = MapPath(path);
    RemoveStaleTemporaries(path_);
    loaded_ = bytes.has_value();
    if (bytes) {
        HeldContent held = ReadContent(*bytes);
        sections_ = std::move(held.sections);
        notes_ = std::move(held.notes);
        tail_ = std::move(held.tail);
    }
    return loaded_ ? 1 : 0;
}

std::int32_t SettingsFile::Save() {
    std::string written;
    return Save(written, Replaced::Removed);
}

std::int32_t SettingsFile::Save(std::string& written) { return Save(written, Replaced::KeptAsSpare); }

std::int32_t SettingsFile::Save(std::string& written, Replaced replaced) {
    if (path_.empty()) return 0;
    FormatContent(sections_, notes_, tail_, written);
    WriteFileAtomically(path_, written, FileReaders::AsBefore, replaced);
    loaded_ = true;
    return 1;
}

SettingsContent SettingsFile::Content() const { return ToContent(sections_, notes_); }

std::int32_t SettingsFile::IsLoaded() const { return loaded_ ? 1 : 0; }

std::string SettingsFile::GetCurrentSection() const { return current_.value_or(std::string()); }

void SettingsFile::SelectSection(const std::string& name) { current_ = name; }

}  // namespace platform
