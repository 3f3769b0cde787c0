// Whole files read and written at once, for the keyed-section files and their backups. A write is
// atomic: the file on disk is always either the old one or the new one, never a part of either,
// whatever happens to the process or the machine during the write.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The bytes of a regular file; nothing when it cannot be read. Real paths.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes a temporary file beside the target, flushes it to the disk and renames it over the
// target; the target keeps its permission bits. Raises platform::Error naming the file and the
// reason when the file cannot be written; the old file is then untouched.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Copies one file over another with the same guarantee. False when the source cannot be read or
// the target cannot be written (the target is then untouched).
bool CopyFileAtomically(const std::string& fromPath, const std::string& toPath);

}  // namespace platform
