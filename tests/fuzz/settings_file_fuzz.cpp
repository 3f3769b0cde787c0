// libFuzzer target: the settings-file reader and writer. Settings, alarm and language files are
// edited by hand and copied between machines, so any bytes may reach the reader. For every input:
//   - reading never fails, and what was read, written out and read again is the same content,
//     and writing that again gives the same text;
//   - the same bytes, taken as a sequence of writes through the component (sections, texts,
//     numbers, list items, renames and deletions), saved to a real file and opened into a fresh
//     component, read back as exactly the values written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

#include "platform/base.h"
#include "platform/services/settings_file.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// A folder of this process's own for the saved file, in memory where the machine has one; it is
// removed when the run ends.
class SaveFolder {
public:
    SaveFolder() {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        folder_ = base / ("ozr-fuzz-settings-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        file_ = (folder_ / "Settings.ozrini").string();
    }
    ~SaveFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::string& File() const { return file_; }

private:
    std::filesystem::path folder_;
    std::string file_;
};

const std::string& SavedFilePath() {
    static const SaveFolder folder;
    return folder.File();
}

void CheckTextRoundTrip(std::string_view text) {
    const platform::SettingsContent read = platform::ParseSettingsText(text);
    const std::string written = platform::FormatSettingsText(read);
    const platform::SettingsContent again = platform::ParseSettingsText(written);
    Check(again == read);
    Check(platform::FormatSettingsText(again) == written);
    for (const platform::SettingsSection& section : read) {
        for (const platform::SettingsEntry& entry : section.entries) {
            // A number that reads from a value reads the same from its written form.
            if (auto number = platform::ParseLongText(entry.value)) {
                Check(platform::ParseLongText(std::to_string(*number)) == number);
            }
        }
    }
}

enum Operation : int { kAddSection, kWriteString, kWriteLong, kAddListItem, kRenameKey, kDeleteItem, kDeleteSection, kSelect, kLast = kSelect };

std::string Name(FuzzedDataProvider& in) { return in.ConsumeRandomLengthString(24); }

// A save and an open of a real file cost far more than the rest, so one input in eight goes through
// the file; the others through the same text in memory.
void CheckWriteThenRead(FuzzedDataProvider& in, bool throughFile) {
    platform::SettingsFile file;
    if (throughFile) file.Open(SavedFilePath());  // whatever the last input left there; replaced below
    file.NewFile();
    file.AddSection(Name(in));  // every write below has a section to go to
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, kLast)) {
            case kAddSection: file.AddSection(Name(in)); break;
            case kWriteString: {
                const std::string key = Name(in);
                const std::string value = in.ConsumeRandomLengthString(64);
                file.WriteString(key, value);
                Check(file.ReadString(key) == value);
                break;
            }
            case kWriteLong: {
                const std::string key = Name(in);
                const std::int32_t value = in.ConsumeIntegral<std::int32_t>();
                file.WriteLong(key, value);
                Check(file.ReadLong(key) == value);
                break;
            }
            case kAddListItem: {
                const std::string list = Name(in), key = Name(in), value = in.ConsumeRandomLengthString(64);
                file.AddListItem(list, key, value);
                Check(file.ListItemExists(list, key) == 1 && file.ReadText(list, key) == value);
                break;
            }
            case kRenameKey: {
                const std::string section = Name(in), from = Name(in), to = Name(in);
                file.RenameKey(section, from, to);
                break;
            }
            case kDeleteItem: {
                const std::string list = Name(in), key = Name(in);
                file.DeleteListItem(list, key);
                Check(file.ListItemExists(list, key) == 0);
                break;
            }
            case kDeleteSection: file.DeleteSection(Name(in)); break;
            case kSelect: file.SelectSection(Name(in)); break;
        }
    }
    platform::SettingsFile reopened;
    if (throughFile) {
        try {
            Check(file.Save() == 1);
        } catch (const platform::Error&) {
            std::abort();  // the folder is ours: a save there must succeed
        }
        Check(reopened.Open(SavedFilePath()) == 1);
    } else {
        reopened.NewFile();
        for (const platform::SettingsSection& section : platform::ParseSettingsText(platform::FormatSettingsText(file.Content()))) {
            reopened.AddSection(section.name);
            for (const platform::SettingsEntry& entry : section.entries) reopened.AddString(entry.key, entry.value);
        }
    }
    Check(reopened.Content() == file.Content());
    for (const platform::SettingsSection& section : file.Content()) {
        for (const platform::SettingsEntry& entry : section.entries) {
            Check(reopened.ReadText(section.name, entry.key) == entry.value);
            if (auto number = platform::ParseLongText(entry.value)) Check(reopened.ReadLongAt(section.name, entry.key) == *number);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckTextRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size));
    FuzzedDataProvider in(data, size);
    CheckWriteThenRead(in, size > 0 && data[0] % 8 == 0);
    return 0;
}
