// Whole files read and written at once, for the keyed-section files and their backups. A write is
// atomic: the file on disk is always either the old one or the new one, never a part of either,
// whatever happens to the process or the machine during the write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The room a text of that many bytes that is to be written again is given: a sixteenth more, so
// that the text of a file grown by a few entries still fits where it was (a save reuses its text's
// room; taken anew, 9 MB for 10,000 alarms would be faulted in again).
constexpr std::size_t RoomToRewrite(std::size_t bytes) { return bytes + bytes / 16; }

// Whether a file's bytes are read to be written again (with room as RoomToRewrite gives).
enum class ReadFor { Reading, Rewriting };

// The bytes of a regular file; nothing, with the reason in *why, when it cannot be read, is not a
// regular file (regular_file.h) or holds more than maxBytes. Real paths.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* why = nullptr,
                                         std::size_t maxBytes = SIZE_MAX, ReadFor use = ReadFor::Reading);

// True when the regular file holds exactly these bytes; read piece by piece, so nothing of its
// size is made to compare it. Real paths.
bool FileHolds(const std::string& path, std::string_view bytes);

// What tells one version of a file from the next without reading it: which file it is, its size
// and its times. A change made in the same moment as the last one can leave every time as it was
// (times of whole seconds can be two seconds coarse, times with fractions a clock tick), so a stamp
// tells only of changes after it when it was taken once the file had stood unchanged for longer
// than that (2 s, or 100 ms where both times hold a fraction): it is settled then.
struct FileStamp {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0, modifiedNs = 0, changedNs = 0;
    bool settled = false;
    bool SameVersion(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size && modifiedNs == other.modifiedNs &&
               changedNs == other.changedNs;
    }
};

// The stamp of the file as it is now; nothing when it cannot be told. Real paths.
std::optional<FileStamp> StampOfFile(const std::string& path);

// Who may read a file written: whom the file it replaces let read it (the user's default for a
// new file), or its owner alone, from its first byte on (for a file that holds a secret).
enum class FileReaders { AsBefore, OwnerOnly };

// What becomes of the version of the file that a write replaces: it goes, or, for a large file
// written again and again (an alarm collection), it stays beside the file as a hidden spare,
// ".<file>.spare", that the next write writes over in place. A new file's pages are taken anew, one
// by one (8 MB for 10,000 alarms); the spare's are in memory already.
enum class Replaced { Removed, KeptAsSpare };

// Writes a temporary file beside the target (or the spare), flushes it to the disk and puts it in
// the target's place. Refuses a file its user may not write. Raises SaveError naming the file and
// the reason when the file cannot be written; the old file is then untouched.
void WriteFileAtomically(const std::string& path, std::string_view bytes, FileReaders readers = FileReaders::AsBefore,
                         Replaced replaced = Replaced::Removed);

// True when nothing at all stands at the path (as lstat finds it): a file that is there but cannot
// be read, or one whose presence cannot be told, is not missing. Real paths.
bool FileIsMissing(const std::string& path);

// Removes the file; true when it is gone (also when there was none), else false with the reason
// in *why. Real paths.
bool RemoveFile(const std::string& path, std::string* why = nullptr);

// Removes the temporary files that saves of this file left behind when their process was killed
// before the rename; those of a process that still runs stay.
void RemoveStaleTemporaries(const std::string& path);

// Copies one file over another with the same guarantee. False when the source cannot be read or
// the target cannot be written (the target is then untouched).
bool CopyFileAtomically(const std::string& fromPath, const std::string& toPath);

}  // namespace platform
