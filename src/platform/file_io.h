// Whole-file reads and atomic whole-file writes.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace talon {

enum class ReadFileResult {
  kRead,        // `out` holds the whole file
  kMissing,     // no such file
  kUnreadable,  // exists but could not be read (permissions, a folder, larger than allowed)
};

// Reads the whole file into `out` (emptied first). Files larger than `max_bytes` are refused:
// every file we read whole is small, and a huge one is not ours.
ReadFileResult ReadWholeFile(const std::filesystem::path& path, std::string& out,
                             std::size_t max_bytes = 64u << 20);

// The process umask, without changing it: what a new file or folder's permissions are cut by.
mode_t CurrentUmask();

// Writes `data` to a temporary file in the target's folder, flushes it to disk and renames it
// over `target`. Readers see either the old or the new content; any failure removes the
// temporary file and leaves the old file as it was. A symbolic link is written through to the
// file it names. An existing file keeps its permission bits. A file that already holds exactly
// `data` is left as it is. Returns false on failure.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view data);

}  // namespace talon
