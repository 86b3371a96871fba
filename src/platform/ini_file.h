// INI files with the semantics of the Windows private-profile functions, in UTF-8.
//
// Reading:
// - section and key names compare case-insensitively (ASCII letters);
// - a value is the text after the first '=', trimmed of blanks, and a value enclosed in a pair
//   of matching double or single quotes loses that pair (so a value can keep outer blanks);
// - a missing section or key gives the caller's default; an empty value is an empty text;
// - when a key occurs twice in a section (or in two sections of the same name) the first wins;
// - a UTF-8 byte-order mark and CRLF line ends are accepted;
// - lines starting with ';' or '#' are comments; a line without '=', a key line with an empty
//   name, or a '[' line without ']' is ignored; lines before the first section belong to none.
// Writing one key changes only that key's line: every other line, comment and broken line is
// written back as it was, with the file's own line ends and byte-order mark. A new key goes
// after the last key of its section, a new section at the end of the file. Files are saved
// through a temporary file that is renamed over the old one.
#pragma once

#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <sys/types.h>

namespace talon {

class IniDocument {
 public:
  enum class LoadResult { kLoaded, kMissing, kUnreadable };

  // Replaces the content with the file's. A missing or unreadable file leaves the document empty.
  LoadResult Load(const std::filesystem::path& path);
  void Parse(std::string_view text);
  std::string Serialize() const;
  // Atomic save (see file_io.h); false when the file could not be written.
  bool Save(const std::filesystem::path& path) const;

  // The value with quotes removed, or nullopt when the section or key is missing.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  // The trimmed value exactly as written, quotes included.
  std::optional<std::string_view> FindRaw(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  // The value as a decimal integer: optional blanks, an optional sign and at least one digit;
  // anything after the digits is ignored and values beyond int are clamped. A missing key, an
  // empty value or one without leading digits gives `fallback`.
  int GetInt(std::string_view section, std::string_view key, int fallback) const;
  bool HasSection(std::string_view section) const;

  enum class Quoting { kWhenNeeded, kAlways };
  // Sets one key. The value is quoted when it would otherwise not read back unchanged (outer
  // blanks, or enclosed in quotes), or always when asked. Refused (false, nothing changed) when
  // the section or key is empty or would not read back as itself, or when any of them holds a
  // line break.
  bool SetString(std::string_view section, std::string_view key, std::string_view value,
                 Quoting quoting = Quoting::kWhenNeeded);

  std::size_t LineCount() const { return lines_.size(); }

 private:
  enum class Kind : unsigned char { kOther, kSection, kEntry };
  struct Line {
    std::string text;  // as read, without the line end
    Kind kind = Kind::kOther;
    std::size_t name_pos = 0, name_len = 0;    // section name or key, trimmed
    std::size_t value_pos = 0, value_len = 0;  // entries: trimmed value
  };

  static Line ClassifyLine(std::string text);
  void Reindex();
  std::string_view Name(const Line& line) const {
    return std::string_view(line.text).substr(line.name_pos, line.name_len);
  }

  std::vector<Line> lines_;
  // Folded "section\nkey" -> first entry line; folded section -> first header line.
  std::unordered_map<std::string, std::size_t> entries_;
  std::unordered_map<std::string, std::size_t> sections_;
  bool bom_ = false;
  bool crlf_ = false;
};

// An INI file on disk with its parsed content, re-read only when the file changes (its size,
// modification time or identity). Safe to use from several threads.
class IniFile {
 public:
  explicit IniFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::optional<std::string> FindRaw(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  int GetInt(std::string_view section, std::string_view key, int fallback) const;
  // Re-reads the file, sets the key and saves. Refused when the file exists but cannot be read
  // (so that its other content is never lost) or when the save fails.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                   IniDocument::Quoting quoting = IniDocument::Quoting::kWhenNeeded);

 private:
  struct Stamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtime_ns = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const std::filesystem::path& path);
  // Caller holds mutex_.
  IniDocument::LoadResult RefreshLocked() const;

  std::filesystem::path path_;
  mutable std::mutex mutex_;
  mutable IniDocument document_;
  mutable Stamp stamp_;
  mutable bool loaded_ = false;
  mutable IniDocument::LoadResult last_load_ = IniDocument::LoadResult::kMissing;
};

// The integer reading of GetInt, for values taken from elsewhere.
int ParseIniInt(std::string_view value, int fallback);

// One-shot access, for a file read or written once.
std::string ReadIniString(const std::filesystem::path& path, std::string_view section,
                          std::string_view key, std::string_view fallback);
int ReadIniInt(const std::filesystem::path& path, std::string_view section, std::string_view key,
               int fallback);
bool WriteIniString(const std::filesystem::path& path, std::string_view section,
                    std::string_view key, std::string_view value);

}  // namespace talon
